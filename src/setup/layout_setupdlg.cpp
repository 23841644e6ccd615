#include "layout_setupdlg.h"

#include <commctrl.h>

#include "version.h"

namespace {

const TFontDef kCreditFont = {"Arial", -12, true, ANSI_CHARSET};

const char *const kNoAnsRateItems[] = {"None",  "2.5%", "5%",    "7.5%", "10%",   "12.5%", "15%",
                                       "17.5%", "20%",  "22.5%", "25%",  "27.5%", "30%"};
const TComboListDef kNoAnsRateList = {kNoAnsRateItems, 13, 8};

const TTrackBarDef kTimerBar = {1, 60, 5, 1, 5, 15};
const TTrackBarDef kTimerBar2 = {1, 60, 5, 1, 5, 5};

constexpr DWORD kTrackBarStyle =
    WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM | TBS_ENABLESELRANGE;
// BS_NOTIFY: the dialog moves the default-button look to whichever button has the focus.
constexpr DWORD kButtonStyle = WS_TABSTOP | BS_NOTIFY;
constexpr UINT kLabelFormat = DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX;

// Label2 and Label3 take the width of their text, so the table gives them none.
// clang-format off
const TControlDef kControls[] = {
  // kind                   name         left top  width height  caption         style                                  id
  {TControlKind::CheckBox, "SortFlag",  {12,   8,   73,   17},  "Sort Tiles",    WS_TABSTOP | BS_AUTOCHECKBOX,          kIdSortFlag},
  {TControlKind::ComboBox, "NoAnsRate", {172,  32,  65,   23},  "",              WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                                                                                 CBS_HASSTRINGS | CBS_AUTOHSCROLL,      kIdNoAnsRate,
   false, 0, nullptr, nullptr, &kNoAnsRateList},
  {TControlKind::TrackBar, "TimerBar",  {8,    76,  229,  30},  "",              kTrackBarStyle,                        kIdTimerBar,
   false, 0, nullptr, &kTimerBar},
  {TControlKind::TrackBar, "TimerBar2", {252,  76,  229,  30},  "",              kTrackBarStyle,                        kIdTimerBar2,
   false, 0, nullptr, &kTimerBar2},
  {TControlKind::Button,   "OKBtn",     {325,  118, 73,   24},  "&OK",           kButtonStyle | BS_DEFPUSHBUTTON,       kIdOKBtn},
  {TControlKind::Button,   "CancelBtn", {408,  118, 74,   24},  "&Cancel",       kButtonStyle | BS_PUSHBUTTON,          kIdCancelBtn},
  {TControlKind::Button,   "MoreBtn",   {12,   118, 104,  24},  "&More options...",
                                                                                 kButtonStyle | BS_PUSHBUTTON,          kIdMoreBtn},
  {TControlKind::Label,    "Label1",    {12,   36,  156,  15},  "Ratio of No-Answer Problem",
                                                                                 SS_OWNERDRAW,                          kIdLabel1,
   true, kLabelFormat},
  {TControlKind::Label,    "Label2",    {12,   57,  0,    15},  "Interval(Q) : 15 Sec",
                                                                                 SS_OWNERDRAW,                          kIdLabel2,
   true, kLabelFormat},
  {TControlKind::Label,    "Label3",    {256,  57,  0,    15},  "Interval(A) : 5 Sec",
                                                                                 SS_OWNERDRAW,                          kIdLabel3,
   true, kLabelFormat},
  {TControlKind::Label,    "Label4",    {252,  4,   229,  45},
   VELKORIN_PRODUCT_NAME " " VELKORIN_VERSION_STRING
   ": the screen saver that drills the waits of one-suit mahjong hands",
                                                                                 SS_OWNERDRAW,                          kIdLabel4,
   false, DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS, &kCreditFont},
};
// clang-format on

const TFormLayout kLayout = {
    "ScrnSaveSetupDlg",
    "Option",
    WS_POPUP | WS_CAPTION,
    WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE,
    492,
    149,
    {"Arial", -12, false, ANSI_CHARSET},
    kControls,
    sizeof kControls / sizeof kControls[0],
};

}  // namespace

const TFormLayout &ScrnSaveSetupDlgLayout() {
  return kLayout;
}
