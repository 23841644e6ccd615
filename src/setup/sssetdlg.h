// The setup dialog "Option".
#pragma once

#include "form.h"

class TScrnSaveSetupDlg : public TForm {
 public:
  TScrnSaveSetupDlg() = default;
};
