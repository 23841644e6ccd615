#include "moreoptsdlg.h"

#include "layout_moreoptsdlg.h"

namespace {

// One setting and the control that shows it: a check box for a flag, a drop-down list for
// a number. Item i of a list stands for i, except that a list whose first item covers the
// values up to Offset ("Any" for MinWaits 0 and 1) numbers its later items from there.
struct TOptionControl {
  int Id;
  const char *Key;
  bool SaverSettings::*Flag;
  int32_t SaverSettings::*Number;
  int Offset;
};

// In the order the dialog shows them, which is the order OK writes them.
const TOptionControl kOptions[] = {
    {kIdMinWaits, "MinWaits", nullptr, &SaverSettings::MinWaits, 1},
    {kIdShowCounts, "ShowCounts", &SaverSettings::ShowCounts, nullptr, 0},
    {kIdShowSplits, "ShowSplits", &SaverSettings::ShowSplits, nullptr, 0},
    {kIdMonitors, "Monitors", nullptr, &SaverSettings::Monitors, 0},
    {kIdScale, "Scale", nullptr, &SaverSettings::Scale, 0},
};

// What the control shows for the settings: the check state, or the list item. The values
// come as the saver uses them (LoadSettings has put a hand-edited one out of range back to
// its default), so each lands on an item.
int Shown(const TOptionControl &option, const SaverSettings &s) {
  if (option.Flag)
    return s.*option.Flag ? 1 : 0;
  const int32_t value = s.*option.Number;
  return value > option.Offset ? value - option.Offset : 0;
}

void Choose(const TOptionControl &option, int shown, SaverSettings &s) {
  if (option.Flag)
    s.*option.Flag = shown != 0;
  else if (shown >= 0)
    s.*option.Number = shown == 0 ? 0 : shown + option.Offset;
}

}  // namespace

TMoreOptionsDlg::TMoreOptionsDlg(const SaverSettings &settings, HWND owner)
    : TLayoutDialog(MoreOptionsDlgLayout(), "TMoreOptionsDlg", owner), chosen_(settings) {}

void TMoreOptionsDlg::ControlsCreated() {
  for (const TOptionControl &option : kOptions) {
    const int shown = Shown(option, chosen_);
    if (option.Flag)
      SendMessageA(Control(option.Id), BM_SETCHECK, shown ? BST_CHECKED : BST_UNCHECKED, 0);
    else
      SendMessageA(Control(option.Id), CB_SETCURSEL, WPARAM(shown), 0);
  }
  SetFirstFocus(Control(kOptions[0].Id));
}

void TMoreOptionsDlg::OKBtnClick() {
  for (const TOptionControl &option : kOptions) {
    HWND control = Control(option.Id);
    const int shown = option.Flag
                          ? (SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0)
                          : static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
    Choose(option, shown, chosen_);
  }
}

void SaveChangedOptions(const TSettingsFile &file, const SaverSettings &loaded,
                        const SaverSettings &chosen) {
  for (const TOptionControl &option : kOptions) {
    if (Shown(option, chosen) == Shown(option, loaded))
      continue;
    if (option.Flag)
      file.WriteBool(SettingsSection, option.Key, chosen.*option.Flag);
    else
      file.WriteInt(SettingsSection, option.Key, chosen.*option.Number);
  }
}
