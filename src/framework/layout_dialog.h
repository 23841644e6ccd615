// A modal dialog built from a stored layout: its fonts and scale, its controls, and what a
// dialog box does with them (Tab and the mnemonics, Enter on the focused or the OK button,
// Escape for Cancel, the focus kept across activation). Derived dialogs add what their
// controls mean.
#pragma once

#include <windows.h>

#include "form.h"
#include "handles.h"
#include "layout.h"

class TLayoutDialog : public TForm {
 public:
  ~TLayoutDialog() override;

  // The modal results of OK and Cancel.
  static constexpr int mrOk = 1;
  static constexpr int mrCancel = 2;

 protected:
  // owner: the window the dialog belongs to and is centred on; null: the application
  // window, and centred on the screen.
  TLayoutDialog(const TFormLayout &layout, const char *className, HWND owner = nullptr);

  void AdjustWindowParams(TCreateParams &params) override;
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT &result) override;
  bool PreTranslateMessage(const MSG &msg) override;

  // Runs once every control of the layout exists.
  virtual void ControlsCreated() {}
  // OK has set the modal result; what it saves, it saves here.
  virtual void OKBtnClick() {}
  // A button other than OK and Cancel was pressed.
  virtual void ButtonClicked(int /*id*/) {}

  const TFormLayout &Layout() const { return layout_; }
  HWND Control(int id) const;
  const TControlDef *Row(int id) const;
  HFONT FontOf(const TControlDef &row) const;
  // The control that has the focus when the dialog is first shown.
  void SetFirstFocus(HWND control) { focused_ = control; }

 private:
  void CreateControls();
  void FitClientArea();
  POINT CentredOrigin(int width, int height) const;
  void OnCommand(WORD id, WORD code);
  void ButtonClick(int id);
  bool IsPushButton(HWND control) const;
  bool AnyListOpen() const;
  HWND DefaultButton() const;
  void UpdateDefaultButton();

  const TFormLayout &layout_;
  const char *className_;
  HWND owner_;
  HWND window_ = nullptr;  // for the const lookups of controls
  TLayoutScale scale_;
  // Deleted only after the controls using them are gone: the destructor destroys the
  // window before the members go.
  UniqueGdiObject font_;
  UniqueGdiObject ownFont_;  // the one control font the layout may give besides the form's
  HWND focused_ = nullptr;   // the control that gets the focus back on activation
  HWND mnemonicFrom_ = nullptr;
};
