// What the full-screen saver asks the system about the screens it covers. Functions that
// Windows 95 and NT 4.0 lack are looked up by name, so the saver still loads there.
#pragma once

#include "desktop.h"

// The virtual screen and every monitor; the primary screen alone where the system knows no
// monitors.
TDesktop ReadDesktop();

// Tells the system that the saver draws for the screen's real pixels, so that it is not
// drawn at 96 pixels per inch and stretched. Before anything reads the screen's metrics.
void BecomeDpiAware();
