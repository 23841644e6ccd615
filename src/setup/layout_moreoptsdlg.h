// The stored layout "MoreOptionsDlg": the settings that the "Option" dialog has no room
// for.
#pragma once

#include "layout.h"

// Control ids. OK and Cancel carry the dialog manager's own ids so that Enter and Escape
// reach them.
enum TMoreOptionsDlgId : int {
  kIdMinWaits = 201,
  kIdShowCounts = 202,
  kIdShowSplits = 203,
  kIdMonitors = 204,
  kIdScale = 205,
  kIdMoreOKBtn = IDOK,
  kIdMoreCancelBtn = IDCANCEL,
  kIdMinWaitsLabel = 211,
  kIdMonitorsLabel = 212,
  kIdScaleLabel = 213,
};

const TFormLayout &MoreOptionsDlgLayout();
