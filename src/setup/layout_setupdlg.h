// The stored layout "ScrnSaveSetupDlg" of the setup dialog.
#pragma once

#include "layout.h"

// Control ids. OK and Cancel carry the dialog manager's own ids so that Enter and Escape
// reach them.
enum TSetupDlgId : int {
  kIdSortFlag = 101,
  kIdNoAnsRate = 102,
  kIdTimerBar = 103,
  kIdTimerBar2 = 104,
  kIdOKBtn = IDOK,
  kIdCancelBtn = IDCANCEL,
  kIdMoreBtn = 105,
  kIdLabel1 = 111,
  kIdLabel2 = 112,
  kIdLabel3 = 113,
  kIdLabel4 = 114,
};

const TFormLayout &ScrnSaveSetupDlgLayout();
