#include "sssetdlg.h"

#include <commctrl.h>

#include <string>

#include "layout_setupdlg.h"
#include "moreoptsdlg.h"

namespace {

int TrackBarPosition(HWND bar) {
  return static_cast<int>(SendMessageA(bar, TBM_GETPOS, 0, 0));
}

// A time from the file as a trackbar position: whole seconds, the fraction dropped, kept
// within the bar's range.
int SecondsPosition(int32_t milliseconds, const TTrackBarDef &bar) {
  const int32_t seconds = milliseconds / 1000;
  if (seconds < bar.Min)
    return bar.Min;
  if (seconds > bar.Max)
    return bar.Max;
  return static_cast<int>(seconds);
}

}  // namespace

TScrnSaveSetupDlg::TScrnSaveSetupDlg()
    : TLayoutDialog(ScrnSaveSetupDlgLayout(), "TScrnSaveSetupDlg") {}

TScrnSaveSetupDlg::~TScrnSaveSetupDlg() {
  FormDestroy();
}

// Each control of the layout goes to the member of its name.
void TScrnSaveSetupDlg::ControlsCreated() {
  const struct {
    int Id;
    HWND TScrnSaveSetupDlg::*Control;
  } members[] = {
      {kIdTimerBar, &TScrnSaveSetupDlg::TimerBar},   {kIdOKBtn, &TScrnSaveSetupDlg::OKBtn},
      {kIdCancelBtn, &TScrnSaveSetupDlg::CancelBtn}, {kIdLabel2, &TScrnSaveSetupDlg::Label2},
      {kIdSortFlag, &TScrnSaveSetupDlg::SortFlag},   {kIdNoAnsRate, &TScrnSaveSetupDlg::NoAnsRate},
      {kIdLabel1, &TScrnSaveSetupDlg::Label1},       {kIdLabel3, &TScrnSaveSetupDlg::Label3},
      {kIdTimerBar2, &TScrnSaveSetupDlg::TimerBar2}, {kIdLabel4, &TScrnSaveSetupDlg::Label4},
      {kIdMoreBtn, &TScrnSaveSetupDlg::MoreBtn},
  };
  for (const auto &m : members)
    this->*m.Control = Control(m.Id);
  SetFirstFocus(SortFlag);
}

void TScrnSaveSetupDlg::FormCreate() {
  if (!Handle())
    return;
  Settings = std::make_unique<TSettingsFile>(SettingsFileName);
  const SaverSettings s = LoadSettings(*Settings);
  loaded_ = chosen_ = s;

  SendMessageA(SortFlag, BM_SETCHECK, s.Sort ? BST_CHECKED : BST_UNCHECKED, 0);

  const int items = static_cast<int>(SendMessageA(NoAnsRate, CB_GETCOUNT, 0, 0));
  const bool listed = s.NoAnsRate >= 0 && s.NoAnsRate < items;
  SendMessageA(NoAnsRate, CB_SETCURSEL, listed ? WPARAM(s.NoAnsRate) : WPARAM(-1), 0);

  SendMessageA(TimerBar, TBM_SETPOS, TRUE,
               SecondsPosition(s.SleepTime, *Row(kIdTimerBar)->TrackBar));
  SendMessageA(TimerBar2, TBM_SETPOS, TRUE,
               SecondsPosition(s.SleepTime2, *Row(kIdTimerBar2)->TrackBar));
  timerBarPosition_ = TrackBarPosition(TimerBar);
  timerBar2Position_ = TrackBarPosition(TimerBar2);
  TimerBarChange();
}

void TScrnSaveSetupDlg::FormDestroy() {
  Settings.reset();
}

void TScrnSaveSetupDlg::TimerBarChange() {
  SetLabel(Label2, kIdLabel2, "Interval(Q) : ", timerBarPosition_);
  SetLabel(Label3, kIdLabel3, "Interval(A) : ", timerBar2Position_);
}

void TScrnSaveSetupDlg::SetLabel(HWND label, int id, const char *prefix, int seconds) {
  const std::string text = prefix + std::to_string(seconds) + " Sec";
  SetWindowTextA(label, text.c_str());
  FitLabelToText(label, *Row(id), FontOf(*Row(id)));
}

void TScrnSaveSetupDlg::OKBtnClick() {
  if (!Settings)
    return;
  SaverSettings s;
  s.Sort = SendMessageA(SortFlag, BM_GETCHECK, 0, 0) == BST_CHECKED;
  s.NoAnsRate = static_cast<int32_t>(SendMessageA(NoAnsRate, CB_GETCURSEL, 0, 0));
  s.SleepTime = TrackBarPosition(TimerBar) * 1000;
  s.SleepTime2 = TrackBarPosition(TimerBar2) * 1000;
  SaveSettings(*Settings, s);
  SaveChangedOptions(*Settings, loaded_, chosen_);
}

void TScrnSaveSetupDlg::ButtonClicked(int id) {
  if (id == kIdMoreBtn)
    MoreBtnClick();
}

// The choices are kept only when "More options" closes with OK; nothing is written before
// this dialog's own OK.
void TScrnSaveSetupDlg::MoreBtnClick() {
  TMoreOptionsDlg more(chosen_, Handle());
  more.Create();
  if (more.ShowModal() == mrOk)
    chosen_ = more.Chosen();
}

bool TScrnSaveSetupDlg::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT &result) {
  if (msg == WM_HSCROLL) {
    HWND bar = reinterpret_cast<HWND>(lp);
    if (bar != TimerBar && bar != TimerBar2)
      return false;
    (bar == TimerBar ? timerBarPosition_ : timerBar2Position_) = TrackBarPosition(bar);
    TimerBarChange();
    result = 0;
    return true;
  }
  return TLayoutDialog::HandleMessage(msg, wp, lp, result);
}
