// The setup dialog of velkorin.scr, driven from outside with real input: what it shows,
// what its keys and buttons do, what it writes, and where its controls stand.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialog_session.h"
#include "driver.h"
#include "layout_moreoptsdlg.h"
#include "layout_setupdlg.h"
#include "settings_file.h"
#include "settings_table.h"

namespace {

const char kDefaultsFile[] =
    "[Setting]\r\nSort=1\r\nNoAnsRate=2\r\nSleepTime=15000\r\nSleepTime2=5000\r\n";

std::string SettingsText(const std::string &sort, const std::string &noAnsRate,
                         const std::string &sleepTime, const std::string &sleepTime2) {
  return "[Setting]\r\nSort=" + sort + "\r\nNoAnsRate=" + noAnsRate + "\r\nSleepTime=" + sleepTime +
         "\r\nSleepTime2=" + sleepTime2 + "\r\n";
}

const TControlDef &RowOf(const TFormLayout &layout, int id) {
  for (const TControlDef &row : layout)
    if (row.Id == id)
      return row;
  throw std::runtime_error(std::string(layout.Name) + " has no control " + std::to_string(id));
}

// The controls Tab visits, in the layout's order, and the first once more at the end.
std::vector<HWND> TabOrder(HWND dialog, const TFormLayout &layout) {
  std::vector<HWND> order;
  for (const TControlDef &row : layout)
    if (row.Style & WS_TABSTOP)
      order.push_back(GetDlgItem(dialog, row.Id));
  order.push_back(order.front());
  return order;
}

// The state a check box or a list shows.
int Shown(HWND control) {
  return lstrcmpiA(ClassOf(control).c_str(), "Button") == 0 ? CheckState(control)
                                                            : ComboSelection(control);
}

// The text the closed list shows: its selected item. Read as UTF-16, the only form in
// which Wine hands list texts of another process back whole.
std::wstring SelectedText(HWND combo) {
  const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR)
    return std::wstring();
  wchar_t text[64] = {};
  SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

class SetupDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = ReadFileBytes(path_, &hadFile_);
    RemoveSettings();
  }
  void TearDown() override {
    process_.reset();  // ends a dialog that a failed test left open
    RemoveSettings();
    if (hadFile_)
      WriteFileBytes(path_, saved_);
  }

  void RemoveSettings() {
    DeleteFileIfAny(path_);
    RemoveDirectoryA(path_.c_str());
  }
  std::string Settings(bool *exists = nullptr) const { return ReadFileBytes(path_, exists); }
  bool SettingsExist() const {
    return GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  // Starts the saver and waits for its dialog to be shown, active, with the focus on the
  // check box.
  void Open(const std::string &arguments = "/c") {
    process_ = std::make_unique<SaverProcess>(arguments);
    w_.Dialog = FindProcessWindow(process_->Id(), "Option", nullptr, kStartBound);
    ASSERT_NE(w_.Dialog, nullptr) << "no \"Option\" window for " << arguments;
    ASSERT_TRUE(FindDialogControls(w_));
    if (GetForegroundWindow() != w_.Dialog)
      SetForegroundWindow(w_.Dialog);
    ASSERT_TRUE(PollUntil([&] { return GetForegroundWindow() == w_.Dialog; }, kReactBound));
    ASSERT_TRUE(WaitFocus(w_.SortFlag));
  }

  bool WaitFocus(HWND control) {
    return PollUntil([&] { return FocusOfThread(w_.Dialog) == control; }, kReactBound);
  }
  void OpenMore() {
    more_ = OpenMoreOptions(process_->Id(), w_);
    ASSERT_NE(more_, nullptr);
  }
  void CloseMore(WORD key) { ASSERT_TRUE(CloseMoreOptions(more_, w_, key)); }
  // Presses the keys (each with its modifier, if any; a key 0 is left out) and waits for the
  // control of "More options" to show something else.
  void Change(int id, std::initializer_list<std::pair<WORD, WORD>> keys) {
    const HWND control = GetDlgItem(more_, id);
    const int before = Shown(control);
    for (const auto &key : keys)
      if (key.first)
        key.second ? PressKey(key.first, {key.second}) : PressKey(key.first);
    ASSERT_TRUE(PollUntil([&] { return Shown(control) != before; }, kReactBound));
  }
  void ExpectTabCycle(HWND dialog, const TFormLayout &layout) {
    const std::vector<HWND> order = TabOrder(dialog, layout);
    for (size_t i = 1; i < order.size(); ++i) {
      PressKey(VK_TAB);
      ASSERT_TRUE(WaitFocus(order[i])) << layout.Name << ": Tab " << i;
    }
    for (size_t i = order.size() - 1; i-- > 0;) {
      PressKey(VK_TAB, {VK_SHIFT});
      ASSERT_TRUE(WaitFocus(order[i])) << layout.Name << ": Shift+Tab to stop " << i;
    }
  }
  // Moves the focus with Tab from the check box to the control n stops further.
  void TabTo(int stops, HWND expected) {
    for (int i = 0; i < stops; ++i)
      PressKey(VK_TAB);
    ASSERT_TRUE(WaitFocus(expected)) << "focus on " << ClassOf(FocusOfThread(w_.Dialog));
  }
  bool WaitText(HWND hwnd, const std::string &text) {
    return PollUntil([&] { return WindowText(hwnd) == text; }, kReactBound);
  }
  bool WaitPosition(HWND bar, int position) {
    return PollUntil([&] { return TrackPosition(bar) == position; }, kReactBound);
  }
  // Space toggles the check box; once the toggle shows, every key sent before it has been
  // served. The focus must be on the check box.
  void ToggleSortFlagAsMarker() {
    const int before = CheckState(w_.SortFlag);
    PressKey(VK_SPACE);
    ASSERT_TRUE(PollUntil([&] { return CheckState(w_.SortFlag) != before; }, kReactBound));
  }

  void ExpectClosedWithExitCode0() {
    DWORD code = 1234;
    ASSERT_TRUE(process_->WaitExit(kExitBound, code)) << "the dialog did not close";
    EXPECT_EQ(code, 0u);
  }
  void ExpectStillOpen() {
    EXPECT_TRUE(process_->Running());
    EXPECT_TRUE(IsWindowVisible(w_.Dialog));
  }

  const std::string path_ = WindowsFilePath("velkorin_ss.ini");
  std::string saved_;
  bool hadFile_ = false;
  std::unique_ptr<SaverProcess> process_;
  SetupDialogWindows w_;
  HWND more_ = nullptr;
};

// --- Opening with and without arguments, and the defaults -------------------------------

struct StartCase {
  const char *arguments;
  const char *how;  // how OK is pressed
};

class StartTest : public SetupDialogTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartTest, WithoutAFileShowsTheDefaultsAndOkWritesExactlyTheFiveLines) {
  ASSERT_NO_FATAL_FAILURE(Open(GetParam().arguments));
  EXPECT_EQ(ClassOf(w_.Dialog), "TScrnSaveSetupDlg");
  EXPECT_EQ(CheckState(w_.SortFlag), BST_CHECKED);
  EXPECT_EQ(ComboSelection(w_.NoAnsRate), 2);
  EXPECT_EQ(SelectedText(w_.NoAnsRate), L"5%");
  EXPECT_EQ(TrackPosition(w_.TimerBar), 15);
  EXPECT_EQ(TrackPosition(w_.TimerBar2), 5);
  EXPECT_EQ(WindowText(w_.Label1), "Ratio of No-Answer Problem");
  EXPECT_EQ(WindowText(w_.Label2), "Interval(Q) : 15 Sec");
  EXPECT_EQ(WindowText(w_.Label3), "Interval(A) : 5 Sec");
  EXPECT_EQ(WindowText(w_.Label4), RowOf(ScrnSaveSetupDlgLayout(), kIdLabel4).Caption);
  EXPECT_FALSE(SettingsExist()) << "opening the dialog wrote the file";

  const std::string how = GetParam().how;
  if (how == "Enter") {
    PressKey(VK_RETURN);
  } else if (how == "Alt+O") {
    PressKey('O', {VK_MENU});
  } else {
    RECT ok = {};
    GetClientRect(w_.OKBtn, &ok);
    ClickInWindow(w_.OKBtn, ok.right / 2, ok.bottom / 2);
  }
  ASSERT_NO_FATAL_FAILURE(ExpectClosedWithExitCode0());
  EXPECT_EQ(Settings(), kDefaultsFile);
}

INSTANTIATE_TEST_SUITE_P(Arguments, StartTest,
                         ::testing::Values(StartCase{"", "Enter"}, StartCase{"/c", "click"},
                                           StartCase{"/c:1234", "Alt+O"},
                                           StartCase{"-C 99", "Enter"}),
                         [](const ::testing::TestParamInfo<StartCase> &info) {
                           return "Case" + std::to_string(info.index);
                         });

// --- Values from an existing file -------------------------------------------------------

struct EdgeCase {
  const char *sort, *noAnsRate, *sleepTime, *sleepTime2;  // as the file holds them
  int checked, selection, position, position2;            // what the dialog shows
  const char *label2, *label3;
  const char *written;  // the file after OK
};

class EdgeValueTest : public SetupDialogTest, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(EdgeValueTest, ShowsTheValuesWithinTheControlsAndOkWritesWhatTheyShow) {
  const EdgeCase &c = GetParam();
  WriteFileBytes(path_, SettingsText(c.sort, c.noAnsRate, c.sleepTime, c.sleepTime2));
  ASSERT_NO_FATAL_FAILURE(Open());
  EXPECT_EQ(CheckState(w_.SortFlag), c.checked);
  EXPECT_EQ(ComboSelection(w_.NoAnsRate), c.selection);
  if (c.selection < 0) {
    EXPECT_EQ(SelectedText(w_.NoAnsRate), L"");
  }
  EXPECT_EQ(TrackPosition(w_.TimerBar), c.position);
  EXPECT_EQ(TrackPosition(w_.TimerBar2), c.position2);
  EXPECT_EQ(WindowText(w_.Label2), c.label2);
  EXPECT_EQ(WindowText(w_.Label3), c.label3);
  PressKey(VK_RETURN);
  ASSERT_NO_FATAL_FAILURE(ExpectClosedWithExitCode0());
  EXPECT_EQ(Settings(), c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Files, EdgeValueTest,
    ::testing::Values(
        EdgeCase{"0", "13", "999", "60001", BST_UNCHECKED, -1, 1, 60, "Interval(Q) : 1 Sec",
                 "Interval(A) : 60 Sec",
                 "[Setting]\r\nSort=0\r\nNoAnsRate=-1\r\nSleepTime=1000\r\nSleepTime2=60000\r\n"},
        EdgeCase{"false", "-1", "15999", "-5", BST_CHECKED, -1, 15, 1, "Interval(Q) : 15 Sec",
                 "Interval(A) : 1 Sec",
                 "[Setting]\r\nSort=1\r\nNoAnsRate=-1\r\nSleepTime=15000\r\nSleepTime2=1000\r\n"},
        EdgeCase{"2", "12", "60000", "1000", BST_CHECKED, 12, 60, 1, "Interval(Q) : 60 Sec",
                 "Interval(A) : 1 Sec",
                 "[Setting]\r\nSort=1\r\nNoAnsRate=12\r\nSleepTime=60000\r\nSleepTime2=1000\r\n"},
        EdgeCase{"$0", "0", "0", "1999", BST_UNCHECKED, 0, 1, 1, "Interval(Q) : 1 Sec",
                 "Interval(A) : 1 Sec",
                 "[Setting]\r\nSort=0\r\nNoAnsRate=0\r\nSleepTime=1000\r\nSleepTime2=1000\r\n"},
        EdgeCase{"1", "40", "-2147483648", "2147483647", BST_CHECKED, -1, 1, 60,
                 "Interval(Q) : 1 Sec", "Interval(A) : 60 Sec",
                 "[Setting]\r\nSort=1\r\nNoAnsRate=-1\r\nSleepTime=1000\r\nSleepTime2=60000\r\n"},
        EdgeCase{"1", "7", "0x7530", "$2710", BST_CHECKED, 7, 30, 10, "Interval(Q) : 30 Sec",
                 "Interval(A) : 10 Sec",
                 "[Setting]\r\nSort=1\r\nNoAnsRate=7\r\nSleepTime=30000\r\nSleepTime2=10000\r\n"}),
    [](const ::testing::TestParamInfo<EdgeCase> &info) {
      return "File" + std::to_string(info.index);
    });

// The keys of "More options", not opened, stay as the user wrote them.
TEST_F(SetupDialogTest, OkKeepsTheOtherLinesOfTheFileAndChoosingAnItemWritesItsIndex) {
  WriteFileBytes(path_,
                 "; mine\r\n[Other]\r\nSort=5\r\n[Setting]\r\nSleepTime=20000\r\n"
                 "Extra=x\r\nMinWaits=5\r\nShowCounts=1\r\nSort=1\r\n");
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(TabTo(1, w_.NoAnsRate));
  PressKey(VK_DOWN);
  ASSERT_TRUE(PollUntil([&] { return ComboSelection(w_.NoAnsRate) == 3; }, kReactBound));
  EXPECT_EQ(SelectedText(w_.NoAnsRate), L"7.5%");
  PressKey(VK_RETURN);
  ASSERT_NO_FATAL_FAILURE(ExpectClosedWithExitCode0());
  EXPECT_EQ(Settings(),
            "; mine\r\n[Other]\r\nSort=5\r\n[Setting]\r\nSleepTime=20000\r\nExtra=x\r\n"
            "MinWaits=5\r\nShowCounts=1\r\nSort=1\r\nNoAnsRate=3\r\nSleepTime2=5000\r\n");
}

// --- Cancel -------------------------------------------------------------------------------

TEST_F(SetupDialogTest, CancelAfterChangesLeavesAMissingFileMissing) {
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(ToggleSortFlagAsMarker());
  ASSERT_NO_FATAL_FAILURE(TabTo(2, w_.TimerBar));
  PressKey(VK_END);
  ASSERT_TRUE(WaitPosition(w_.TimerBar, 60));
  RECT cancel = {};
  GetClientRect(w_.CancelBtn, &cancel);
  ClickInWindow(w_.CancelBtn, cancel.right / 2, cancel.bottom / 2);
  ASSERT_NO_FATAL_FAILURE(ExpectClosedWithExitCode0());
  EXPECT_FALSE(SettingsExist());
}

TEST_F(SetupDialogTest, CancelAfterChangesLeavesAnExistingFileByteForByte) {
  // Blank lines and blanks around "=" would not survive a rewrite by the profile functions.
  const std::string before =
      "\r\n; comment\r\n[Setting]\r\nSort = 0\r\n\r\nNoAnsRate=5\r\nSleepTime=20000";
  WriteFileBytes(path_, before);
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(ToggleSortFlagAsMarker());
  ASSERT_NO_FATAL_FAILURE(TabTo(1, w_.NoAnsRate));
  PressKey(VK_DOWN);
  ASSERT_TRUE(PollUntil([&] { return ComboSelection(w_.NoAnsRate) == 6; }, kReactBound));
  PressKey(VK_ESCAPE);
  ASSERT_NO_FATAL_FAILURE(ExpectClosedWithExitCode0());
  EXPECT_EQ(Settings(), before);
}

// --- More options ------------------------------------------------------------------------

// One control of "More options", changed by keys from where the dialog opens.
struct MoreCase {
  const char *key;  // its key in the file
  int id;
  WORD mnemonic;  // with Alt, to reach the control; 0: it has the focus already
  WORD vk;        // then this key, if any
  int32_t value;  // what the saver then reads
};

class MoreOptionTest : public SetupDialogTest, public ::testing::WithParamInterface<MoreCase> {};

TEST_P(MoreOptionTest, ChangingItWritesItsKeyWithTheValueTheSaverReadsBack) {
  const MoreCase &c = GetParam();
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(OpenMore());
  ASSERT_NO_FATAL_FAILURE(Change(c.id, {{c.mnemonic, VK_MENU}, {c.vk, 0}}));
  ASSERT_NO_FATAL_FAILURE(CloseMore(VK_RETURN));
  PressKey('O', {VK_MENU});  // Enter would press "More options..." again
  ASSERT_NO_FATAL_FAILURE(ExpectClosedWithExitCode0());
  EXPECT_EQ(Settings(),
            kDefaultsFile + std::string(c.key) + "=" + std::to_string(c.value) + "\r\n");
  EXPECT_EQ(FindSettingByKey(c.key)->Get(LoadSettings(TSettingsFile(SettingsFileName))), c.value);
}

INSTANTIATE_TEST_SUITE_P(Controls, MoreOptionTest,
                         ::testing::Values(
                             // "Any" covers 0 and 1, so the next item is 2.
                             MoreCase{"MinWaits", kIdMinWaits, 0, VK_DOWN, 2},
                             MoreCase{"ShowCounts", kIdShowCounts, 'T', 0, 1},
                             MoreCase{"ShowSplits", kIdShowSplits, 'H', 0, 1},
                             MoreCase{"Monitors", kIdMonitors, 'P', VK_DOWN, 1},
                             MoreCase{"Scale", kIdScale, 'S', VK_END, 4}),
                         [](const ::testing::TestParamInfo<MoreCase> &info) {
                           return std::string(info.param.key);
                         });

// Values the saver would not use show its defaults, and stay in the file when untouched.
TEST_F(SetupDialogTest, UntouchedMoreOptionsKeepHandEditedValuesAsTheyWere) {
  const std::string edited =
      "[Setting]\r\nMinWaits=1\r\nShowCounts=7\r\nShowSplits=yes\r\nMonitors=2\r\nScale=$9\r\n";
  WriteFileBytes(path_, edited);
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(OpenMore());
  EXPECT_EQ(Shown(GetDlgItem(more_, kIdMinWaits)), 0);
  EXPECT_EQ(Shown(GetDlgItem(more_, kIdShowCounts)), BST_CHECKED);
  EXPECT_EQ(Shown(GetDlgItem(more_, kIdShowSplits)), BST_UNCHECKED);
  EXPECT_EQ(Shown(GetDlgItem(more_, kIdMonitors)), 0);
  EXPECT_EQ(Shown(GetDlgItem(more_, kIdScale)), 0);
  ASSERT_NO_FATAL_FAILURE(CloseMore(VK_RETURN));
  PressKey('O', {VK_MENU});  // Enter would press "More options..." again
  ASSERT_NO_FATAL_FAILURE(ExpectClosedWithExitCode0());
  EXPECT_EQ(Settings(),
            edited + std::string(kDefaultsFile).substr(std::string("[Setting]\r\n").size()));
}

// Escape drops the choices of "More options", OK keeps them for the dialog, and the
// dialog's Cancel still writes nothing.
TEST_F(SetupDialogTest, MoreOptionsKeepsChoicesOnlyOnOkAndCancelThenWritesNothing) {
  const std::string before = "[Setting]\r\nScale = 2\r\n\r\n; mine\r\n";
  WriteFileBytes(path_, before);
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(OpenMore());
  const auto scale = [&] { return Shown(GetDlgItem(more_, kIdScale)); };
  EXPECT_EQ(scale(), 2);
  ASSERT_NO_FATAL_FAILURE(Change(kIdScale, {{'S', VK_MENU}, {VK_END, 0}}));
  ASSERT_NO_FATAL_FAILURE(CloseMore(VK_ESCAPE));
  ASSERT_NO_FATAL_FAILURE(OpenMore());
  EXPECT_EQ(scale(), 2) << "Escape must drop the choice";
  ASSERT_NO_FATAL_FAILURE(Change(kIdScale, {{'S', VK_MENU}, {VK_END, 0}}));
  ASSERT_NO_FATAL_FAILURE(CloseMore(VK_RETURN));
  ASSERT_NO_FATAL_FAILURE(OpenMore());
  EXPECT_EQ(scale(), 4) << "OK must keep the choice";
  ASSERT_NO_FATAL_FAILURE(CloseMore(VK_ESCAPE));
  PressKey(VK_ESCAPE);
  ASSERT_NO_FATAL_FAILURE(ExpectClosedWithExitCode0());
  EXPECT_EQ(Settings(), before);
}

// --- Keyboard -----------------------------------------------------------------------------

TEST_F(SetupDialogTest, TabAndShiftTabGoThroughTheControlsOfBothDialogsInTabOrder) {
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(ExpectTabCycle(w_.Dialog, ScrnSaveSetupDlgLayout()));
  EXPECT_EQ(TabOrder(w_.Dialog, ScrnSaveSetupDlgLayout()).end()[-2], w_.MoreBtn);
  ASSERT_NO_FATAL_FAILURE(OpenMore());
  ASSERT_NO_FATAL_FAILURE(ExpectTabCycle(more_, MoreOptionsDlgLayout()));
  ASSERT_NO_FATAL_FAILURE(CloseMore(VK_ESCAPE));
  ExpectStillOpen();
}

// One key, with modifiers, on one control: what the dialog does with it.
enum class KeyOutcome { PressesOk, PressesCancel, PressesNothing };

struct KeyCase {
  const char *name;
  int tabs;      // stops from the check box, in tab order
  int backTabs;  // Shift+Tab stops after that
  WORD key;
  WORD modifier;  // held with the key; 0 for none
  KeyOutcome outcome;
};

class DialogKeyTest : public SetupDialogTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(DialogKeyTest, PressesTheButtonItShouldAndNoOther) {
  const KeyCase &c = GetParam();
  ASSERT_NO_FATAL_FAILURE(Open());
  const std::vector<HWND> order = TabOrder(w_.Dialog, ScrnSaveSetupDlgLayout());
  ASSERT_NO_FATAL_FAILURE(TabTo(c.tabs, order[c.tabs]));
  const int at = c.tabs - c.backTabs;
  for (int i = 0; i < c.backTabs; ++i)
    PressKey(VK_TAB, {VK_SHIFT});
  ASSERT_TRUE(WaitFocus(order[at]));
  if (order[at] == w_.OKBtn || order[at] == w_.CancelBtn) {
    // The thick frame marks the button Enter presses, and follows the focus.
    const HWND other = order[at] == w_.OKBtn ? w_.CancelBtn : w_.OKBtn;
    EXPECT_TRUE(PollUntil(
        [&] {
          return (GetWindowLongPtrA(order[at], GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON &&
                 (GetWindowLongPtrA(other, GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON;
        },
        kReactBound));
  }
  if (c.modifier)
    PressKey(c.key, {c.modifier});
  else
    PressKey(c.key);
  switch (c.outcome) {
    case KeyOutcome::PressesOk:
      ASSERT_NO_FATAL_FAILURE(ExpectClosedWithExitCode0());
      EXPECT_EQ(Settings(), kDefaultsFile);
      break;
    case KeyOutcome::PressesCancel:
      ASSERT_NO_FATAL_FAILURE(ExpectClosedWithExitCode0());
      EXPECT_FALSE(SettingsExist());
      break;
    case KeyOutcome::PressesNothing:
      // Tab is served after the key: once the focus has moved on, the key has been too.
      PressKey(VK_TAB);
      ASSERT_TRUE(WaitFocus(order[at + 1]));
      ExpectStillOpen();
      EXPECT_FALSE(SettingsExist());
      break;
  }
}

constexpr KeyOutcome kOk = KeyOutcome::PressesOk;
constexpr KeyOutcome kCancel = KeyOutcome::PressesCancel;
constexpr KeyOutcome kNothing = KeyOutcome::PressesNothing;

INSTANTIATE_TEST_SUITE_P(
    Keys, DialogKeyTest,
    ::testing::Values(
        // Enter presses the focused button, and OK from any other control; Escape, Cancel.
        KeyCase{"EnterOnCancel", 5, 0, VK_RETURN, 0, kCancel},
        KeyCase{"EnterOnOkAfterCancel", 5, 1, VK_RETURN, 0, kOk},
        KeyCase{"EnterOnATrackbar", 3, 0, VK_RETURN, 0, kOk},
        KeyCase{"EscapeOnOk", 4, 0, VK_ESCAPE, 0, kCancel},
        // With Shift, Ctrl or Alt they press nothing; nor does the close key.
        KeyCase{"ShiftEnter", 0, 0, VK_RETURN, VK_SHIFT, kNothing},
        KeyCase{"CtrlEnter", 0, 0, VK_RETURN, VK_CONTROL, kNothing},
        KeyCase{"AltEnter", 0, 0, VK_RETURN, VK_MENU, kNothing},
        KeyCase{"ShiftEscape", 0, 0, VK_ESCAPE, VK_SHIFT, kNothing},
        KeyCase{"AltF4", 0, 0, VK_F4, VK_MENU, kNothing},
        // The mnemonics, with Alt even from the list, which takes plain letters itself.
        KeyCase{"AltCOnTheList", 1, 0, 'C', VK_MENU, kCancel},
        KeyCase{"AltOOnTheList", 1, 0, 'O', VK_MENU, kOk},
        KeyCase{"COnTheCheckBox", 0, 0, 'C', 0, kCancel},
        KeyCase{"OOnATrackbar", 2, 0, 'O', 0, kOk}, KeyCase{"OOnCancel", 5, 0, 'O', 0, kOk},
        KeyCase{"OOnTheClosedList", 1, 0, 'O', 0, kNothing},
        KeyCase{"COnTheClosedList", 1, 0, 'C', 0, kNothing}),
    [](const ::testing::TestParamInfo<KeyCase> &info) { return std::string(info.param.name); });

TEST_F(SetupDialogTest, TheOpenListShowsEightItemsAndTakesEveryKey) {
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(TabTo(1, w_.NoAnsRate));
  const auto openList = [&] {
    PressKey(VK_F4);
    ASSERT_TRUE(PollUntil([&] { return ComboDropped(w_.NoAnsRate); }, kReactBound));
  };
  // The list has closed, nothing was pressed, and the closed list still takes the arrows.
  const auto expectClosedOnly = [&](int selection) {
    ASSERT_TRUE(PollUntil([&] { return !ComboDropped(w_.NoAnsRate); }, kReactBound));
    PressKey(VK_DOWN);
    ASSERT_TRUE(PollUntil([&] { return ComboSelection(w_.NoAnsRate) == selection; }, kReactBound));
    ExpectStillOpen();
  };
  ASSERT_NO_FATAL_FAILURE(openList());
  const HWND list = FindProcessWindow(process_->Id(), nullptr, "ComboLBox", kReactBound);
  ASSERT_NE(list, nullptr);
  RECT client = {};
  GetClientRect(list, &client);
  const int itemHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  ASSERT_GT(itemHeight, 0);
  EXPECT_EQ(client.bottom / itemHeight, 8);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 13);
  EXPECT_TRUE(GetWindowLongPtrA(list, GWL_STYLE) & WS_VSCROLL) << "the list scrolls for the rest";

  // Enter closes the list and presses nothing.
  PressKey(VK_RETURN);
  ASSERT_NO_FATAL_FAILURE(expectClosedOnly(3));

  // Escape too.
  ASSERT_NO_FATAL_FAILURE(openList());
  PressKey(VK_ESCAPE);
  ASSERT_NO_FATAL_FAILURE(expectClosedOnly(4));

  // Tab and the mnemonics stay with the open list as well.
  ASSERT_NO_FATAL_FAILURE(openList());
  PressKey(VK_TAB);
  PressKey('O', {VK_MENU});
  PressKey(VK_ESCAPE);
  ASSERT_NO_FATAL_FAILURE(expectClosedOnly(5));
  EXPECT_EQ(FocusOfThread(w_.Dialog), w_.NoAnsRate);
  EXPECT_FALSE(SettingsExist());
}

TEST_F(SetupDialogTest, TrackbarKeysMoveByLineAndPageAndHomeAndEndReachTheEnds) {
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(TabTo(2, w_.TimerBar));
  const RECT label2Before = RectInParent(w_.Label2);

  PressKey(VK_END);
  ASSERT_TRUE(WaitPosition(w_.TimerBar, 60));
  EXPECT_TRUE(WaitText(w_.Label2, "Interval(Q) : 60 Sec"));
  EXPECT_EQ(WindowText(w_.Label3), "Interval(A) : 5 Sec");

  PressKey(VK_HOME);
  ASSERT_TRUE(WaitPosition(w_.TimerBar, 1));
  EXPECT_TRUE(WaitText(w_.Label2, "Interval(Q) : 1 Sec"));
  // Sized to the shorter text, with the left edge where it was.
  const RECT label2After = RectInParent(w_.Label2);
  EXPECT_EQ(label2After.left, label2Before.left);
  EXPECT_EQ(label2After.top, label2Before.top);
  EXPECT_LT(label2After.right, label2Before.right);

  PressKey(VK_RIGHT);
  ASSERT_TRUE(WaitPosition(w_.TimerBar, 2));
  PressKey(VK_NEXT);  // Page Down
  ASSERT_TRUE(WaitPosition(w_.TimerBar, 7));
  PressKey(VK_PRIOR);  // Page Up
  ASSERT_TRUE(WaitPosition(w_.TimerBar, 2));
  EXPECT_TRUE(WaitText(w_.Label2, "Interval(Q) : 2 Sec"));

  PressKey(VK_TAB);
  ASSERT_TRUE(WaitFocus(w_.TimerBar2));
  PressKey(VK_END);
  ASSERT_TRUE(WaitPosition(w_.TimerBar2, 60));
  EXPECT_TRUE(WaitText(w_.Label3, "Interval(A) : 60 Sec"));
  EXPECT_EQ(WindowText(w_.Label2), "Interval(Q) : 2 Sec");

  PressKey(VK_RETURN);
  ASSERT_NO_FATAL_FAILURE(ExpectClosedWithExitCode0());
  EXPECT_EQ(Settings(), SettingsText("1", "2", "2000", "60000"));
}

// --- Mouse --------------------------------------------------------------------------------

TEST_F(SetupDialogTest, ClicksToggleTheBoxAndPageTheTrackbar) {
  ASSERT_NO_FATAL_FAILURE(Open());
  RECT box = {};
  GetClientRect(w_.SortFlag, &box);
  ClickInWindow(w_.SortFlag, 6, box.bottom / 2);
  ASSERT_TRUE(PollUntil([&] { return CheckState(w_.SortFlag) == BST_UNCHECKED; }, kReactBound));

  // A click in the channel right of the thumb moves one page toward it.
  RECT bar = {};
  GetClientRect(w_.TimerBar, &bar);
  ClickInWindow(w_.TimerBar, bar.right - 20, 10);
  ASSERT_TRUE(WaitPosition(w_.TimerBar, 20));
  EXPECT_TRUE(WaitText(w_.Label2, "Interval(Q) : 20 Sec"));

  RECT ok = {};
  GetClientRect(w_.OKBtn, &ok);
  ClickInWindow(w_.OKBtn, ok.right / 2, ok.bottom / 2);
  ASSERT_NO_FATAL_FAILURE(ExpectClosedWithExitCode0());
  EXPECT_EQ(Settings(), SettingsText("0", "2", "20000", "5000"));
}

// --- A refused write ----------------------------------------------------------------------

TEST_F(SetupDialogTest, ARefusedWriteShowsTheStopBoxAndTheDialogThenCloses) {
  const std::string before = "[Setting]\r\nSort=0\r\nNoAnsRate=5\r\nSleepTime=20000\r\n";
  WriteFileBytes(path_, before);
  const FileLock lock(path_);
  ASSERT_TRUE(lock.Held());
  ASSERT_NO_FATAL_FAILURE(Open());
  EXPECT_EQ(CheckState(w_.SortFlag), BST_UNCHECKED) << "the lock must leave reading alone";
  PressKey(VK_RETURN);

  const HWND box = FindProcessWindow(process_->Id(), nullptr, "#32770", kReactBound);
  ASSERT_NE(box, nullptr) << "no message box";
  const HWND owner = GetWindow(w_.Dialog, GW_OWNER);
  EXPECT_EQ(WindowTextW(box), L"velkorin");
  EXPECT_EQ(WindowText(box), "velkorin");  // the title of velkorin.scr
  EXPECT_EQ(WindowText(box), WindowText(owner)) << "the title is the application window's text";

  const std::vector<HWND> children = ChildWindows(box);
  bool textFound = false;
  HWND icon = nullptr;
  int buttons = 0;
  for (HWND c : children) {
    if (lstrcmpiA(ClassOf(c).c_str(), "Static") == 0) {
      if ((GetWindowLongPtrA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        icon = c;
      else if (WindowTextW(c) ==
               L"velkorin_ss.ini \x306b\x66f8\x304d\x8fbc\x3081\x307e\x305b\x3093.")
        textFound = true;
    } else if (lstrcmpiA(ClassOf(c).c_str(), "Button") == 0 && IsWindowVisible(c)) {
      ++buttons;
    }
  }
  EXPECT_TRUE(textFound) << "no static with the message";
  EXPECT_EQ(buttons, 1) << "only an OK button";
  ASSERT_NE(icon, nullptr) << "no icon";
  // The stop icon is the red one.
  RECT iconRect = {};
  GetWindowRect(icon, &iconRect);
  EXPECT_TRUE(PollUntil(
      [&] {
        int red = 0;
        for (int y = iconRect.top; y < iconRect.bottom; y += 2)
          for (int x = iconRect.left; x < iconRect.right; x += 2) {
            const COLORREF c = ScreenPixel(x, y);
            if (GetRValue(c) > 150 && GetGValue(c) < 90 && GetBValue(c) < 90)
              ++red;
          }
        return red > 20;
      },
      kReactBound))
      << "the icon shows no red";

  EXPECT_TRUE(process_->Running()) << "the dialog must wait for the box";
  if (GetForegroundWindow() != box)
    SetForegroundWindow(box);
  ASSERT_TRUE(PollUntil([&] { return GetForegroundWindow() == box; }, kReactBound));
  PressKey(VK_RETURN);
  ASSERT_NO_FATAL_FAILURE(ExpectClosedWithExitCode0());
  EXPECT_EQ(Settings(), before) << "the first write was refused: nothing may be written";
}

// --- Geometry, styles and the controls' set-up --------------------------------------------

void ExpectRect(HWND control, int left, int top, int width, int height, const char *name) {
  const RECT r = RectInParent(control);
  EXPECT_EQ(r.left, left) << name;
  EXPECT_EQ(r.top, top) << name;
  EXPECT_EQ(r.right - r.left, width) << name;
  EXPECT_EQ(r.bottom - r.top, height) << name;
}

// The extent of text drawn as the layout draws it, in Arial of the given pixel height,
// measured here; with a width, wrapped to it.
SIZE TextExtent(const std::string &text, UINT format, int fontHeight, bool italic = false,
                int width = 0) {
  const WindowDc screen(nullptr);
  const UniqueGdiObject font(CreateFontA(fontHeight, 0, 0, 0, FW_NORMAL, italic, FALSE, FALSE,
                                         ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                         DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial"));
  const SelectGuard select(screen.get(), font.get());
  RECT r = {0, 0, width, 0};
  DrawTextA(screen.get(), text.c_str(), -1, &r, format | DT_CALCRECT);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// Every control where the layout puts it, at the scale the function gives: a label sized
// to its text, in the form's font at this screen's resolution, and the rest scaled edge by
// edge.
void ExpectLayout(HWND dialog, const TFormLayout &layout, int dpi,
                  const std::function<int(int)> &scaled) {
  RECT client = {};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, scaled(layout.ClientWidth)) << layout.Name;
  EXPECT_EQ(client.bottom, scaled(layout.ClientHeight)) << layout.Name;
  for (const TControlDef &row : layout) {
    const HWND control = GetDlgItem(dialog, row.Id);
    ASSERT_NE(control, nullptr) << row.Name;
    const TLayoutRect &b = row.Bounds;
    const int left = scaled(b.Left), top = scaled(b.Top);
    SIZE size = {scaled(b.Left + b.Width) - left, scaled(b.Top + b.Height) - top};
    if (row.AutoSize)
      size = TextExtent(WindowText(control), row.DrawFormat & ~UINT(DT_WORDBREAK),
                        MulDiv(layout.Font.Height, dpi, 96));
    ExpectRect(control, left, top, size.cx, size.cy, row.Name);
  }
}

// The centre of one window on the other's, to the pixel that halving may drop.
void ExpectCentredOn(HWND window, const RECT &area) {
  RECT r = {};
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, area.left + (area.right - area.left - (r.right - r.left)) / 2);
  EXPECT_EQ(r.top, area.top + (area.bottom - area.top - (r.bottom - r.top)) / 2);
}

// The product version in the version resource of the file.
std::string ProductVersion(const std::string &file) {
  std::vector<char> data(GetFileVersionInfoSizeA(file.c_str(), nullptr) + 1);
  char *value = nullptr;
  UINT length = 0;
  GetFileVersionInfoA(file.c_str(), 0, DWORD(data.size()), data.data());
  const bool found = VerQueryValueA(data.data(), "\\StringFileInfo\\040904B0\\ProductVersion",
                                    reinterpret_cast<void **>(&value), &length);
  return found ? value : "(no version resource)";
}

TEST_F(SetupDialogTest, At96DpiBothDialogsStandWhereTheirLayoutsPutThem) {
  const int dpi = GetDeviceCaps(WindowDc(nullptr).get(), LOGPIXELSY);
  ASSERT_EQ(dpi, 96) << "the layout is checked on a 96 dpi screen";
  const auto unscaled = [](int v) { return v; };

  ASSERT_NO_FATAL_FAILURE(Open());
  ExpectLayout(w_.Dialog, ScrnSaveSetupDlgLayout(), dpi, unscaled);
  const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  ExpectCentredOn(w_.Dialog, screen);

  const LONG_PTR style = GetWindowLongPtrA(w_.Dialog, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrA(w_.Dialog, GWL_EXSTYLE);
  EXPECT_EQ(style & WS_POPUP, WS_POPUP);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD), 0);
  EXPECT_EQ(exStyle & (WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE),
            WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE);
  EXPECT_EQ(exStyle & WS_EX_APPWINDOW, 0);

  // Owned by the hidden application window, whose text is the title.
  const HWND owner = GetWindow(w_.Dialog, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  DWORD ownerPid = 0;
  GetWindowThreadProcessId(owner, &ownerPid);
  EXPECT_EQ(ownerPid, process_->Id());
  EXPECT_FALSE(IsWindowVisible(owner));
  EXPECT_EQ(WindowText(owner), "velkorin");

  // The credit: the saver's own version, no address, within the three lines of its box.
  const TControlDef &credit = RowOf(ScrnSaveSetupDlgLayout(), kIdLabel4);
  const std::string text = WindowText(w_.Label4);
  EXPECT_NE(text.find(ProductVersion(SaverPath())), std::string::npos) << text;
  EXPECT_EQ(text.find('@'), std::string::npos) << text;
  const SIZE wrapped = TextExtent(text, credit.DrawFormat, credit.Font->Height, credit.Font->Italic,
                                  credit.Bounds.Width);
  EXPECT_LE(wrapped.cy, credit.Bounds.Height) << text;

  // "More options" belongs to the dialog, is centred on it and held to its own layout.
  ASSERT_NO_FATAL_FAILURE(OpenMore());
  EXPECT_EQ(GetWindow(more_, GW_OWNER), w_.Dialog);
  EXPECT_FALSE(IsWindowEnabled(w_.Dialog)) << "the dialog under it must wait";
  RECT dialog = {};
  GetWindowRect(w_.Dialog, &dialog);
  ExpectCentredOn(more_, dialog);
  ExpectLayout(more_, MoreOptionsDlgLayout(), dpi, unscaled);
}

class ScaledLayoutTest : public SetupDialogTest, public ::testing::WithParamInterface<int> {};

TEST_P(ScaledLayoutTest, BothDialogsScaleByTheHeightOfTheTextInTheLargerFont) {
  // 12 pixels at 96 dpi become 15 at 120 and 18 at 144; the layout then scales by the
  // height of "0", measured here: pixel heights do not depend on this process's resolution.
  const int dpi = GetParam();
  const int h = TextExtent("0", DT_LEFT, MulDiv(ScrnSaveSetupDlgLayout().Font.Height, dpi, 96)).cy;
  if (h == 15)
    GTEST_SKIP() << "the larger font measures as the designed one: nothing would scale";
  {
    const ScreenDpiScope scope(static_cast<DWORD>(dpi));
    ASSERT_NO_FATAL_FAILURE(Open());
  }
  const auto scaled = [h](int v) { return MulDiv(v, h, 15); };
  ExpectLayout(w_.Dialog, ScrnSaveSetupDlgLayout(), dpi, scaled);
  ASSERT_NO_FATAL_FAILURE(OpenMore());
  ExpectLayout(more_, MoreOptionsDlgLayout(), dpi, scaled);
  ASSERT_NO_FATAL_FAILURE(CloseMore(VK_ESCAPE));
  PressKey(VK_ESCAPE);
  ASSERT_NO_FATAL_FAILURE(ExpectClosedWithExitCode0());
}

INSTANTIATE_TEST_SUITE_P(Dpi, ScaledLayoutTest, ::testing::Values(120, 144));

TEST_F(SetupDialogTest, ControlsCarryTheirStylesIdsAndSettings) {
  ASSERT_NO_FATAL_FAILURE(Open());
  auto style = [](HWND h) { return static_cast<DWORD>(GetWindowLongPtrA(h, GWL_STYLE)); };

  for (HWND h : {w_.SortFlag, w_.NoAnsRate, w_.TimerBar, w_.TimerBar2, w_.OKBtn, w_.CancelBtn})
    EXPECT_TRUE(style(h) & WS_TABSTOP) << ClassOf(h);
  for (HWND h : {w_.Label1, w_.Label2, w_.Label3, w_.Label4})
    EXPECT_FALSE(style(h) & WS_TABSTOP) << WindowText(h);

  EXPECT_EQ(style(w_.SortFlag) & BS_TYPEMASK, DWORD(BS_AUTOCHECKBOX));
  EXPECT_EQ(style(w_.OKBtn) & BS_TYPEMASK, DWORD(BS_DEFPUSHBUTTON));
  EXPECT_EQ(style(w_.CancelBtn) & BS_TYPEMASK, DWORD(BS_PUSHBUTTON));
  EXPECT_EQ(GetDlgCtrlID(w_.OKBtn), IDOK);
  EXPECT_EQ(GetDlgCtrlID(w_.CancelBtn), IDCANCEL);

  const DWORD combo = style(w_.NoAnsRate);
  EXPECT_EQ(combo & 3, DWORD(CBS_DROPDOWNLIST));
  EXPECT_TRUE(combo & CBS_HASSTRINGS);
  EXPECT_TRUE(combo & CBS_AUTOHSCROLL);
  // WS_VSCROLL passes on to the list: see the open-list test.
  EXPECT_FALSE(combo & CBS_SORT);
  const wchar_t *const items[] = {L"None",  L"2.5%", L"5%",    L"7.5%", L"10%",   L"12.5%", L"15%",
                                  L"17.5%", L"20%",  L"22.5%", L"25%",  L"27.5%", L"30%"};
  ASSERT_EQ(SendMessageA(w_.NoAnsRate, CB_GETCOUNT, 0, 0), 13);
  for (int i = 0; i < 13; ++i) {
    wchar_t text[32] = {};
    SendMessageW(w_.NoAnsRate, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, items[i]) << "item " << i;
  }

  for (HWND bar : {w_.TimerBar, w_.TimerBar2}) {
    const DWORD s = style(bar);
    EXPECT_EQ(s & (TBS_VERT | TBS_AUTOTICKS | TBS_BOTTOM | TBS_ENABLESELRANGE | TBS_NOTICKS),
              DWORD(TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM | TBS_ENABLESELRANGE));
    EXPECT_EQ(SendMessageA(bar, TBM_GETRANGEMIN, 0, 0), 1);
    EXPECT_EQ(SendMessageA(bar, TBM_GETRANGEMAX, 0, 0), 60);
    EXPECT_EQ(SendMessageA(bar, TBM_GETLINESIZE, 0, 0), 1);
    EXPECT_EQ(SendMessageA(bar, TBM_GETPAGESIZE, 0, 0), 5);
    EXPECT_EQ(SendMessageA(bar, TBM_GETSELSTART, 0, 0), SendMessageA(bar, TBM_GETSELEND, 0, 0));
    // A tick every five positions from the minimum, plus the two ends.
    EXPECT_EQ(SendMessageA(bar, TBM_GETNUMTICS, 0, 0), 13);
    for (int i = 0; i < 11; ++i)
      EXPECT_EQ(SendMessageA(bar, TBM_GETTIC, i, 0), 6 + 5 * i) << "tick " << i;
  }
}

}  // namespace
