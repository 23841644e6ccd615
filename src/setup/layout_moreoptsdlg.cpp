#include "layout_moreoptsdlg.h"

#include "settings.h"

namespace {

// "Any" stands for 0 and for 1, which draw the same puzzles; then 2 up to the most.
const char *const kMinWaitsItems[] = {"Any", "2", "3", "4", "5", "6", "7"};
static_assert(sizeof kMinWaitsItems / sizeof kMinWaitsItems[0] == MaxMinWaits,
              "one item for each number of waits from 2 to MaxMinWaits, after \"Any\"");
const TComboListDef kMinWaitsList = {kMinWaitsItems, MaxMinWaits, MaxMinWaits};

const char *const kMonitorsItems[] = {"The primary monitor", "Each monitor in turn"};
const TComboListDef kMonitorsList = {kMonitorsItems, 2, 2};

const char *const kScaleItems[] = {"Automatic", "1x", "2x", "3x", "4x"};
static_assert(sizeof kScaleItems / sizeof kScaleItems[0] == MaxScale + 1,
              "\"Automatic\", then one item for each whole multiple up to MaxScale");
const TComboListDef kScaleList = {kScaleItems, MaxScale + 1, MaxScale + 1};

constexpr DWORD kListStyle =
    WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS | CBS_AUTOHSCROLL;
constexpr DWORD kCheckStyle = WS_TABSTOP | BS_AUTOCHECKBOX;
// BS_NOTIFY: the dialog moves the default-button look to whichever button has the focus.
constexpr DWORD kButtonStyle = WS_TABSTOP | BS_NOTIFY;
// The labels' mnemonics are underlined, and lead to the list after each label.
constexpr UINT kLabelFormat = DT_LEFT | DT_EXPANDTABS;

// Top down, in tab order; each label stands right before the list it names, where the
// dialog manager looks for the control its mnemonic leads to.
// clang-format off
const TControlDef kControls[] = {
  // kind                   name             left top  width height  caption           style                    id
  {TControlKind::Label,    "MinWaitsLabel", {12,  16,  0,    15},  "Fewest &waits",   SS_OWNERDRAW,            kIdMinWaitsLabel,
   true, kLabelFormat},
  {TControlKind::ComboBox, "MinWaits",      {140, 12,  148,  23},  "",                kListStyle,              kIdMinWaits,
   false, 0, nullptr, nullptr, &kMinWaitsList},
  {TControlKind::CheckBox, "ShowCounts",    {12,  44,  276,  17},  "Show the &tiles left under the answer",
                                                                                     kCheckStyle,             kIdShowCounts},
  {TControlKind::CheckBox, "ShowSplits",    {12,  66,  276,  17},  "Show &how each wait completes the hand",
                                                                                     kCheckStyle,             kIdShowSplits},
  {TControlKind::Label,    "MonitorsLabel", {12,  96,  0,    15},  "&Puzzles on",     SS_OWNERDRAW,            kIdMonitorsLabel,
   true, kLabelFormat},
  {TControlKind::ComboBox, "Monitors",      {140, 92,  148,  23},  "",                kListStyle,              kIdMonitors,
   false, 0, nullptr, nullptr, &kMonitorsList},
  {TControlKind::Label,    "ScaleLabel",    {12,  125, 0,    15},  "Tile &size",      SS_OWNERDRAW,            kIdScaleLabel,
   true, kLabelFormat},
  {TControlKind::ComboBox, "Scale",         {140, 121, 148,  23},  "",                kListStyle,              kIdScale,
   false, 0, nullptr, nullptr, &kScaleList},
  {TControlKind::Button,   "OKBtn",         {134, 156, 73,   24},  "&OK",             kButtonStyle | BS_DEFPUSHBUTTON,
                                                                                                              kIdMoreOKBtn},
  {TControlKind::Button,   "CancelBtn",     {215, 156, 73,   24},  "&Cancel",         kButtonStyle | BS_PUSHBUTTON,
                                                                                                              kIdMoreCancelBtn},
};
// clang-format on

const TFormLayout kLayout = {
    "MoreOptionsDlg",
    "More options",
    WS_POPUP | WS_CAPTION,
    WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE,
    300,
    187,
    {"Arial", -12, false, ANSI_CHARSET},
    kControls,
    sizeof kControls / sizeof kControls[0],
};

}  // namespace

const TFormLayout &MoreOptionsDlgLayout() {
  return kLayout;
}
