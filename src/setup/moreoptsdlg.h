// The dialog "More options", opened from the "Option" dialog: the settings it has no room
// for. It writes nothing itself: OK hands its choices back to the "Option" dialog, whose
// own OK writes the keys of those the user changed.
#pragma once

#include <windows.h>

#include "layout_dialog.h"
#include "settings_file.h"

class TMoreOptionsDlg : public TLayoutDialog {
 public:
  // Shows settings (as the saver would use them) and belongs to owner.
  TMoreOptionsDlg(const SaverSettings &settings, HWND owner);

  // The settings with the choices made here; meaningful once OK has closed the dialog.
  const SaverSettings &Chosen() const { return chosen_; }

 protected:
  void ControlsCreated() override;
  void OKBtnClick() override;

 private:
  SaverSettings chosen_;
};

// Writes, after each other, the keys of the options whose control would show `chosen`
// otherwise than `loaded`; a key whose control did not change keeps its line as it is.
// Stops at, and throws for, the first write that fails.
void SaveChangedOptions(const TSettingsFile &file, const SaverSettings &loaded,
                        const SaverSettings &chosen);
