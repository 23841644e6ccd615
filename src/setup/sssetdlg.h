// The setup dialog "Option": edits the four settings; OK writes them, Cancel writes
// nothing. Its "More options..." button opens the dialog of the others; OK writes those of
// them the user changed there. Built from the layout "ScrnSaveSetupDlg"; the code here is
// its behaviour.
#pragma once

#include <windows.h>

#include <memory>

#include "layout_dialog.h"
#include "settings_file.h"

class TScrnSaveSetupDlg : public TLayoutDialog {
 public:
  TScrnSaveSetupDlg();
  ~TScrnSaveSetupDlg() override;

  // The controls of the layout, under its names; null until the window exists.
  HWND TimerBar = nullptr;
  HWND OKBtn = nullptr;
  HWND CancelBtn = nullptr;
  HWND Label2 = nullptr;
  HWND SortFlag = nullptr;
  HWND NoAnsRate = nullptr;
  HWND Label1 = nullptr;
  HWND Label3 = nullptr;
  HWND TimerBar2 = nullptr;
  HWND Label4 = nullptr;
  HWND MoreBtn = nullptr;
  // Held from FormCreate to FormDestroy.
  std::unique_ptr<TSettingsFile> Settings;

 protected:
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT &result) override;
  void ControlsCreated() override;
  void FormCreate() override;
  void FormDestroy();
  void OKBtnClick() override;
  void ButtonClicked(int id) override;
  void MoreBtnClick();
  void TimerBarChange();

 private:
  void SetLabel(HWND label, int id, const char *prefix, int seconds);

  int timerBarPosition_ = 0;
  int timerBar2Position_ = 0;
  // What the file gave, and what "More options" last confirmed; OK writes the keys of the
  // options in which the two differ.
  SaverSettings loaded_;
  SaverSettings chosen_;
};
