// The setup dialog "Option": edits the four settings; OK writes them, Cancel writes
// nothing. Built from the layout "ScrnSaveSetupDlg"; the code here is its behaviour.
#pragma once

#include <windows.h>

#include <memory>

#include "form.h"
#include "handles.h"
#include "layout.h"
#include "settings_file.h"

class TScrnSaveSetupDlg : public TForm {
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
  // Held from FormCreate to FormDestroy.
  std::unique_ptr<TSettingsFile> Settings;

  // The modal results of the two buttons.
  static constexpr int mrOk = 1;
  static constexpr int mrCancel = 2;

 protected:
  void AdjustWindowParams(TCreateParams &params) override;
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT &result) override;
  bool PreTranslateMessage(const MSG &msg) override;
  void FormCreate() override;
  void FormDestroy();
  void OKBtnClick();
  void TimerBarChange();

 private:
  void CreateControls();
  void FitClientArea();
  void OnCommand(WORD id, WORD code);
  void ButtonClick(int modalResult);
  HWND DefaultButton() const;
  void UpdateDefaultButton();
  void SetLabel(HWND label, int id, const char *prefix, int seconds);
  const TControlDef *Row(int id) const;
  HFONT FontOf(const TControlDef &row) const;

  TLayoutScale scale_;
  // Deleted only after the controls using them are gone: the destructor destroys the
  // window before the members go.
  UniqueGdiObject font_;
  UniqueGdiObject creditFont_;
  int timerBarPosition_ = 0;
  int timerBar2Position_ = 0;
  HWND focused_ = nullptr;  // the control that gets the focus back on activation
};
