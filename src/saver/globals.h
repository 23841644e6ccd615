// State that the entry sets and the saver window and worker read.
#pragma once

#include <cstdint>

class TScreenSaverForm;

// The preview host (preview mode) or the password dialog's parent (password change),
// from the command line. Non-zero means the saver is previewing.
extern int32_t PreviewParent;
// The one saver window; the worker reaches its tile strip through it.
extern TScreenSaverForm *ScreenSaverForm;
