#include "moreoptsdlg.h"

#include "layout_moreoptsdlg.h"
#include "settings_table.h"

namespace {

// One setting, by its row in the table of settings, and the control that shows it: a
// check box for a flag, a drop-down list for a number. Item i of a list stands for i,
// except that a list whose first item covers the values up to Offset ("Any" for MinWaits 0
// and 1) numbers its later items from there.
struct TOptionControl {
  int Id;
  const char *Key;
  int Offset;
};

// In the order the dialog shows them, which is the order OK writes them.
const TOptionControl kOptions[] = {
    {kIdMinWaits, "MinWaits", 1},     {kIdShowCounts, "ShowCounts", 0},
    {kIdShowSplits, "ShowSplits", 0}, {kIdMonitors, "Monitors", 0},
    {kIdScale, "Scale", 0},
};

const TSettingRow &RowOf(const TOptionControl &option) {
  return *FindSettingByKey(option.Key);
}

bool IsFlag(const TOptionControl &option) {
  return RowOf(option).Unit == TSettingUnit::Flag;
}

// What the control shows for the settings: the check state, or the list item. The values
// come as the saver uses them (LoadSettings has put a hand-edited one out of range back to
// its default), so each lands on an item.
int Shown(const TOptionControl &option, const SaverSettings &s) {
  const int64_t value = RowOf(option).Get(s);
  if (IsFlag(option))
    return value != 0 ? 1 : 0;
  return value > option.Offset ? static_cast<int>(value - option.Offset) : 0;
}

void Choose(const TOptionControl &option, int shown, SaverSettings &s) {
  if (IsFlag(option))
    RowOf(option).Set(s, shown != 0);
  else if (shown >= 0)
    RowOf(option).Set(s, shown == 0 ? 0 : shown + option.Offset);
}

}  // namespace

TMoreOptionsDlg::TMoreOptionsDlg(const SaverSettings &settings, HWND owner)
    : TLayoutDialog(MoreOptionsDlgLayout(), "TMoreOptionsDlg", owner), chosen_(settings) {}

void TMoreOptionsDlg::ControlsCreated() {
  for (const TOptionControl &option : kOptions) {
    const int shown = Shown(option, chosen_);
    if (IsFlag(option))
      SendMessageA(Control(option.Id), BM_SETCHECK, shown ? BST_CHECKED : BST_UNCHECKED, 0);
    else
      SendMessageA(Control(option.Id), CB_SETCURSEL, WPARAM(shown), 0);
  }
  SetFirstFocus(Control(kOptions[0].Id));
}

void TMoreOptionsDlg::OKBtnClick() {
  for (const TOptionControl &option : kOptions) {
    HWND control = Control(option.Id);
    const int shown = IsFlag(option)
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
    const int64_t value = RowOf(option).Get(chosen);
    if (IsFlag(option))
      file.WriteBool(SettingsSection, option.Key, value != 0);
    else
      file.WriteInt(SettingsSection, option.Key, static_cast<int32_t>(value));
  }
}
