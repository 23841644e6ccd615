// The shipped ring: the files that `make dist` makes, run as users run them. The 32-bit
// velkorin.scr in each mode and the x86 velkorin-setup.exe, in a 64-bit prefix where they
// run under 32-bit Wine (through qemu-user on hosts whose kernel runs no 32-bit code).
// scripts/shipped-ring names the files in the environment:
//   VELKORIN_SHIPPED_SCR, VELKORIN_SHIPPED_SETUP   the pair in the dist folder
//   VELKORIN_SHIPPED_PROBE                         the 32-bit test build of the saver
// The driver itself is this host's Windows test build, 32- or 64-bit.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "dialog_session.h"
#include "driver.h"
#include "e2e_expect.h"
#include "e2e_util.h"
#include "layout_moreoptsdlg.h"
#include "screen.h"
#include "settings_file.h"

namespace {

const char kDesktop[] = "Control Panel\\Desktop";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velkorin";
constexpr DWORD kInstallBound = 120000;
const char kDefaultsFile[] =
    "[Setting]\r\nSort=1\r\nNoAnsRate=2\r\nSleepTime=15000\r\nSleepTime2=5000\r\n";

std::string Shipped(const char *name) {
  char value[MAX_PATH] = {};
  DWORD n = GetEnvironmentVariableA(name, value, MAX_PATH);
  if (n == 0 || n >= MAX_PATH)
    throw std::runtime_error(std::string(name) + " is not set; scripts/shipped-ring sets it");
  return WindowsPathOf(value);
}

// The 32-bit system directory of 64-bit Windows, whichever bitness this driver has.
std::string SysWow64File(const char *name) {
  char dir[MAX_PATH] = {};
  if (!GetSystemWow64DirectoryA(dir, MAX_PATH))
    return std::string("<no SysWOW64>\\") + name;
  return std::string(dir) + "\\" + name;
}

bool Exists(const std::string &path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A string as the x86 installer sees it: HKLM through its 32-bit view.
std::string ReadString(HKEY root, const char *subkey, const char *name) {
  HKEY key;
  if (RegOpenKeyExA(root, subkey, 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
    return std::string();
  char buf[1024] = {};
  DWORD size = sizeof buf - 1, type = 0;
  const LONG r = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE *>(buf), &size);
  RegCloseKey(key);
  return r == ERROR_SUCCESS && type == REG_SZ ? std::string(buf) : std::string();
}

bool UninstallEntryExists() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | KEY_WOW64_32KEY, &key) !=
      ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

DWORD RunToEnd(const std::string &exe, const std::string &arguments) {
  SaverProcess process(arguments, exe);
  DWORD code = 0xDEAD;
  EXPECT_TRUE(process.WaitExit(kInstallBound, code)) << exe << " " << arguments << " did not end";
  return code;
}

}  // namespace

TEST(ShippedSaver, FullScreenShowsThirteenTilesThenTheirWaitsAndEndsOnAKey) {
  PuzzleReader reader;
  FullScreen fs(IntervalSettings(1000, 1000), "/s", Shipped("VELKORIN_SHIPPED_SCR"));
  ASSERT_NE(nullptr, fs.window);
  SeenPuzzle q, a;
  ASSERT_TRUE(NextQuestion(reader, q, kStart, nullptr)) << "no thirteen tiles on the screen";
  ASSERT_EQ(13u, q.Hand.size());
  ASSERT_TRUE(AnswerOf(reader, q, a, kStart)) << "no answer to " << Describe(q.Hand);
  EXPECT_EQ(Describe(WaitsOf(q.Hand)), a.NoneShown ? "None" : Describe(RanksOf(a.Answer)))
      << "hand " << Describe(q.Hand);
  ASSERT_TRUE(PollUntil([&] { return GetForegroundWindow() == fs.window; }, kStart));
  SendKey('Q');
  ExpectEndsWith(fs.saver, 0);
}

TEST(ShippedSaver, PreviewFillsItsHostAndEndsWithIt) {
  PreviewRun p(IntervalSettings(1000, 1000), 600, 500, Shipped("VELKORIN_SHIPPED_SCR"));
  ASSERT_NE(nullptr, p.child);
  RECT h, c;
  GetWindowRect(p.host.hwnd(), &h);
  GetWindowRect(p.child, &c);
  EXPECT_EQ(h.right - h.left, c.right - c.left);
  EXPECT_EQ(h.bottom - h.top, c.bottom - c.top);
  p.host.Destroy();
  ExpectEndsWith(p.saver, 0);
}

// The setup dialog of the shipped saver, found and in the foreground.
void OpenSetup(const SaverProcess &saver, SetupDialogWindows &w) {
  w.Dialog = FindProcessWindow(saver.Id(), "Option", nullptr, kStartBound);
  ASSERT_NE(nullptr, w.Dialog);
  ASSERT_TRUE(FindDialogControls(w));
  SetForegroundWindow(w.Dialog);
  ASSERT_TRUE(PollUntil([&] { return FocusOfThread(w.Dialog) == w.SortFlag; }, kReactBound));
}

TEST(ShippedSaver, SetupWritesTheFiveLinesOnEnterAndNothingOnEscape) {
  const std::string ini = WindowsFilePath("velkorin_ss.ini");
  for (WORD key : {VK_ESCAPE, VK_RETURN}) {
    SCOPED_TRACE(key == VK_RETURN ? "Enter" : "Escape");
    DeleteFileIfAny(ini);
    SaverProcess saver("/c", Shipped("VELKORIN_SHIPPED_SCR"));
    SetupDialogWindows w;
    ASSERT_NO_FATAL_FAILURE(OpenSetup(saver, w));
    PressKey(key);
    ExpectEndsWith(saver, 0, kExitBound);
    bool exists = false;
    const std::string written = ReadFileBytes(ini, &exists);
    if (key == VK_RETURN)
      EXPECT_EQ(kDefaultsFile, written);
    else
      EXPECT_FALSE(exists) << written;
  }
  DeleteFileIfAny(ini);
}

TEST(ShippedSaver, MoreOptionsAddsTheKeyOfTheOneChangedControl) {
  const std::string ini = WindowsFilePath("velkorin_ss.ini");
  DeleteFileIfAny(ini);
  SaverProcess saver("/c", Shipped("VELKORIN_SHIPPED_SCR"));
  SetupDialogWindows w;
  ASSERT_NO_FATAL_FAILURE(OpenSetup(saver, w));
  const HWND more = OpenMoreOptions(saver.Id(), w);
  ASSERT_NE(nullptr, more);
  PressKey('T', {VK_MENU});
  const HWND counts = GetDlgItem(more, kIdShowCounts);
  ASSERT_TRUE(PollUntil([&] { return CheckState(counts) == BST_CHECKED; }, kReactBound));
  ASSERT_TRUE(CloseMoreOptions(more, w, VK_RETURN));
  PressKey('O', {VK_MENU});
  ExpectEndsWith(saver, 0, kExitBound);
  EXPECT_EQ(std::string(kDefaultsFile) + "ShowCounts=1\r\n", ReadFileBytes(ini));
  EXPECT_TRUE(LoadSettings(TSettingsFile(SettingsFileName)).ShowCounts);
  DeleteFileIfAny(ini);
}

TEST(ShippedSaver, AStepErrorInThe32BitBuildShowsTheBoxAndEndsWithOne) {
  EnvScope fault("VELKORIN_FAULT_AT_STEP", "3");
  FullScreen fs(IntervalSettings(100, 100), "/s", Shipped("VELKORIN_SHIPPED_PROBE"));
  ExpectErrorBoxOverTheSaverThenExitCodeOne(fs, L"velkorin_probe");
}

TEST(ShippedInstaller, InstallsIntoSysWow64ChoosesTheSaverAndUninstallsKeepingTheSettings) {
  const std::string setup = Shipped("VELKORIN_SHIPPED_SETUP");
  const std::string installed = SysWow64File("velkorin.scr");
  const std::string ini = WindowsFilePath("velkorin_ss.ini");
  ASSERT_FALSE(Exists(installed)) << "a fresh prefix has no saver yet";

  ASSERT_EQ(0u, RunToEnd(setup, "/S"));
  ASSERT_TRUE(Exists(installed));
  EXPECT_TRUE(ReadFileBytes(installed) == ReadFileBytes(Shipped("VELKORIN_SHIPPED_SCR")))
      << "the installed saver is not the shipped one";
  const std::string chosen = ReadString(HKEY_CURRENT_USER, kDesktop, "SCRNSAVE.EXE");
  EXPECT_EQ(0, lstrcmpiA(installed.c_str(), chosen.c_str())) << chosen;

  {  // Started the way Windows starts the chosen saver.
    FullScreen fs(IntervalSettings(1000, 1000), "/s", chosen);
    ASSERT_NE(nullptr, fs.window);
    PostMessageA(fs.window, WM_KEYDOWN, 'A', 0);
    ExpectEndsWith(fs.saver, 0);
  }

  // Odd bytes too: the file must come back exactly, not as a rewrite of it.
  const std::string settings("[Setting]\r\nSort=0\r\nNoAnsRate=7\r\n;\x01\xfe\r\n", 38);
  WriteFileBytes(ini, settings);
  const std::string quiet = ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "QuietUninstallString");
  ASSERT_FALSE(quiet.empty());
  // The registered command hands over to a copy of itself in %TEMP% and returns; the
  // copy is done when the entry, its last piece, is gone.
  SaverProcess uninstall(SaverProcess::CommandLine{quiet});
  EXPECT_TRUE(
      PollUntil([&] { return !UninstallEntryExists() && !Exists(installed); }, kInstallBound))
      << "entry " << UninstallEntryExists() << ", saver " << Exists(installed);
  EXPECT_TRUE(ReadString(HKEY_CURRENT_USER, kDesktop, "SCRNSAVE.EXE").empty());
  bool exists = false;
  EXPECT_EQ(settings, ReadFileBytes(ini, &exists));
  EXPECT_TRUE(exists);
  DeleteFileIfAny(ini);
}
