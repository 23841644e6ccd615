// velkorin-setup.exe run in the test prefix: where it puts the saver, what it registers,
// what the uninstaller takes away and leaves, and what Windows reads back from the
// resources of the saver and the installer.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "driver.h"
#include "version.h"

namespace {

constexpr DWORD kRunBound = 120000;  // an installer's first run in a cold prefix is slow
constexpr DWORD kStart = 20000;
constexpr DWORD kEnd = 10000;
const char kUninstallRoot[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" VELKORIN_PRODUCT_NAME;
const char kDesktop[] = "Control Panel\\Desktop";

// The installer under test and the saver it carries: this build's, or, when the
// environment names them, another pair (`make test` passes the shipped x86 pair where
// the host runs 32-bit programs).
std::string FromEnvironmentOr(const char *name, const std::string &fallback) {
  char value[MAX_PATH] = {};
  DWORD n = GetEnvironmentVariableA(name, value, MAX_PATH);
  return n > 0 && n < MAX_PATH ? WindowsPathOf(value) : fallback;
}
std::string SetupPath() {
  return FromEnvironmentOr("VELKORIN_INSTALLER_EXE", WindowsPathOf(VELKORIN_SETUP_PATH));
}
std::string PackagedSaver() {
  return FromEnvironmentOr("VELKORIN_INSTALLER_SCR", SaverPath());
}

std::string SystemDir() {
  char dir[MAX_PATH] = {};
  GetSystemDirectoryA(dir, MAX_PATH);
  return dir;
}

// The installed saver as this process sees it. The installer has this process's bitness,
// so both go through the same file system redirection.
std::string InstalledSaver() {
  return SystemDir() + "\\" VELKORIN_FILE_NAME;
}

// The same file as named for every program: a 32-bit process on 64-bit Windows sees
// the 32-bit system directory under the name System32, but the name it really has is
// the one 64-bit programs (the screen saver launcher among them) can use.
std::string NativeSaverPath() {
  BOOL wow64 = FALSE;
  if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64) {
    char dir[MAX_PATH] = {};
    if (GetSystemWow64DirectoryA(dir, MAX_PATH))
      return std::string(dir) + "\\" VELKORIN_FILE_NAME;
  }
  return InstalledSaver();
}

std::string ProgramFilesDir() {
  char dir[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, dir);
  return dir;
}

// The installer's own folder, which holds its uninstaller.
std::string InstallFolder() {
  return ProgramFilesDir() + "\\" VELKORIN_PRODUCT_NAME;
}

bool SamePath(const std::string &a, const std::string &b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

bool Exists(const std::string &path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

long long FileSize(const std::string &path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void RestoreValue(HKEY root, const char *subkey, const char *name,
                  const std::optional<std::string> &value) {
  if (value)
    WriteRegString(root, subkey, name, *value);
  else
    DeleteRegValue(root, subkey, name);
}

// Entries in Programs and Features that call themselves Velkorin, whatever their key.
int EntriesNamedVelkorin() {
  HKEY root;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallRoot, 0, KEY_READ, &root) != ERROR_SUCCESS)
    return 0;
  int count = 0;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(root, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    std::string subkey = std::string(kUninstallRoot) + "\\" + name;
    count += ReadRegString(HKEY_LOCAL_MACHINE, subkey.c_str(), "DisplayName").value_or("") ==
             VELKORIN_PRODUCT_NAME;
  }
  RegCloseKey(root);
  return count;
}

// Runs a command line as Windows runs a registered one; returns its exit code.
// Throws when it cannot start; one that does not end in time is ended by its scope.
DWORD RunCommandLine(const std::string &commandLine) {
  SaverProcess process(SaverProcess::CommandLine{commandLine});
  DWORD code = 0xDEAD;
  if (!process.WaitExit(kRunBound, code))
    ADD_FAILURE() << commandLine << " did not end";
  return code;
}

DWORD RunSilentSetup() {
  return RunCommandLine("\"" + SetupPath() + "\" /S");
}

// An uninstaller started from its own folder copies itself to %TEMP% as Un_<letter>.exe
// and runs on from there.
bool UninstallerCopyRunning() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE)
    return false;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL ok = Process32First(snapshot, &entry); ok; ok = Process32Next(snapshot, &entry)) {
    std::string name = entry.szExeFile;
    name = name.substr(name.find_last_of('\\') + 1);
    found |= name.size() > 3 && _strnicmp(name.c_str(), "Un_", 3) == 0;
  }
  CloseHandle(snapshot);
  return found;
}

// Uninstalls whatever an earlier test or run left, and removes what an uninstaller
// started with _?= cannot remove itself (its own file and folder).
void RemoveInstallation() {
  PollUntil([] { return !UninstallerCopyRunning(); }, kRunBound);
  if (auto folder = ReadRegString(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation")) {
    const std::string uninstaller = *folder + "\\uninstall.exe";
    if (Exists(uninstaller))
      RunCommandLine("\"" + uninstaller + "\" /S _?=" + *folder);
    DeleteFileIfAny(uninstaller);
    RemoveDirectoryA(folder->c_str());
  }
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
  DeleteFileIfAny(InstalledSaver());
}

// A top-level window of ours that notes the system's announcement that screen savers
// were switched on or off.
class SettingChangeWatcher {
 public:
  SettingChangeWatcher() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VelkorinSettingWatcher";
    RegisterClassA(&wc);
    seen_ = false;
    hwnd_ = CreateWindowExA(0, wc.lpszClassName, "watcher", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                            wc.hInstance, nullptr);
  }
  ~SettingChangeWatcher() { DestroyWindow(hwnd_); }
  bool Seen() const { return seen_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETTINGCHANGE && wp == SPI_SETSCREENSAVEACTIVE)
      seen_ = true;
    return DefWindowProcA(hwnd, msg, wp, lp);
  }
  static inline bool seen_ = false;
  HWND hwnd_;
};

// The version resource of a file, read with the functions Windows itself uses.
class VersionInfo {
 public:
  explicit VersionInfo(const std::string &path) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0)
      return;
    data_.resize(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data_.data()))
      data_.clear();
  }
  bool Present() const { return !data_.empty(); }

  const VS_FIXEDFILEINFO *Fixed() const {
    void *p = nullptr;
    UINT length = 0;
    if (!Present() || !VerQueryValueA(data_.data(), "\\", &p, &length) ||
        length < sizeof(VS_FIXEDFILEINFO))
      return nullptr;
    return static_cast<const VS_FIXEDFILEINFO *>(p);
  }

  // A string from the block that the first translation names, as Explorer looks it up.
  std::string String(const char *name) const {
    struct Translation {
      WORD language, codePage;
    } *translation = nullptr;
    UINT length = 0;
    if (!Present() ||
        !VerQueryValueA(data_.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void **>(&translation), &length) ||
        length < sizeof *translation)
      return "<no translation>";
    char block[96];
    snprintf(block, sizeof block, "\\StringFileInfo\\%04x%04x\\%s", translation->language,
             translation->codePage, name);
    char *value = nullptr;
    if (!VerQueryValueA(data_.data(), block, reinterpret_cast<void **>(&value), &length))
      return "<missing>";
    return std::string(value);
  }

 private:
  mutable std::vector<char> data_;
};

// Resources of a program loaded as data only, none of its code run.
class DataModule {
 public:
  explicit DataModule(const std::string &path)
      : module_(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~DataModule() {
    if (module_)
      FreeLibrary(module_);
  }
  HMODULE get() const { return module_; }

  std::vector<std::string> Manifests() const {
    std::vector<std::string> found;
    EnumResourceNamesA(module_, RT_MANIFEST, CollectManifest, reinterpret_cast<LONG_PTR>(&found));
    return found;
  }

 private:
  static BOOL CALLBACK CollectManifest(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param) {
    auto *found = reinterpret_cast<std::vector<std::string> *>(param);
    HRSRC info = FindResourceA(module, name, type);
    HGLOBAL data = info ? LoadResource(module, info) : nullptr;
    const char *text = data ? static_cast<const char *>(LockResource(data)) : nullptr;
    found->push_back(text ? std::string(text, SizeofResource(module, info)) : "<unreadable>");
    return TRUE;
  }
  HMODULE module_;
};

WORD PeMachine(const std::string &path) {
  std::string bytes = ReadFileBytes(path);
  if (bytes.size() < 0x40)
    return 0;
  DWORD pe = *reinterpret_cast<const DWORD *>(bytes.data() + 0x3C);
  if (pe + 6 > bytes.size() || bytes.compare(pe, 4, std::string("PE\0\0", 4)) != 0)
    return 0;
  return *reinterpret_cast<const WORD *>(bytes.data() + pe + 4);
}

constexpr WORD kOwnMachine =
    sizeof(void *) == 8 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386;

// Each test starts with nothing installed and puts back the user's screen saver choice,
// the settings file and the prefix as it found them.
class Installer : public ::testing::Test {
 protected:
  void SetUp() override {
    savedSaver_ = ReadRegString(HKEY_CURRENT_USER, kDesktop, "SCRNSAVE.EXE");
    savedActive_ = ReadRegString(HKEY_CURRENT_USER, kDesktop, "ScreenSaveActive");
    ini_ = WindowsFilePath("velkorin_ss.ini");
    iniBytes_ = ReadFileBytes(ini_, &iniExisted_);
    RemoveInstallation();
    ASSERT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    ASSERT_FALSE(Exists(InstalledSaver()));
  }

  void TearDown() override {
    RemoveInstallation();
    RestoreValue(HKEY_CURRENT_USER, kDesktop, "SCRNSAVE.EXE", savedSaver_);
    RestoreValue(HKEY_CURRENT_USER, kDesktop, "ScreenSaveActive", savedActive_);
    if (iniExisted_)
      WriteFileBytes(ini_, iniBytes_);
    else
      DeleteFileIfAny(ini_);
  }

  std::string Uninstaller() const { return InstallFolder() + "\\uninstall.exe"; }

  // Runs the uninstaller in place and waits for it (the _?= form skips the copy to %TEMP%).
  void UninstallInPlace() {
    const std::string folder = InstallFolder();
    ASSERT_EQ(0u, RunCommandLine("\"" + Uninstaller() + "\" /S _?=" + folder));
  }

  std::optional<std::string> savedSaver_, savedActive_;
  std::string ini_, iniBytes_;
  bool iniExisted_ = false;
};

TEST(SetupProgram, IsBuiltForThisTestsBitness) {
  // A 32-bit test build checks the x86 installer, a 64-bit one its amd64 twin; the
  // installer's own redirection must match the view these tests take.
  EXPECT_EQ(kOwnMachine, PeMachine(SetupPath()));
  EXPECT_EQ(kOwnMachine, PeMachine(PackagedSaver()));
}

TEST(SetupProgram, CarriesTheProductNameAndVersionAndAsksForAnAdministrator) {
  VersionInfo info(SetupPath());
  ASSERT_TRUE(info.Present());
  EXPECT_EQ(VELKORIN_PRODUCT_NAME, info.String("ProductName"));
  EXPECT_EQ(VELKORIN_VERSION_STRING, info.String("ProductVersion"));
  const VS_FIXEDFILEINFO *fixed = info.Fixed();
  ASSERT_NE(nullptr, fixed);
  EXPECT_EQ(MAKELONG(VELKORIN_VERSION_MINOR, VELKORIN_VERSION_MAJOR), fixed->dwProductVersionMS);
  EXPECT_EQ(static_cast<DWORD>(VELKORIN_VERSION_PATCH), HIWORD(fixed->dwProductVersionLS));
  DataModule setup(SetupPath());
  ASSERT_NE(nullptr, setup.get());
  bool admin = false;
  for (const std::string &manifest : setup.Manifests())
    admin |= manifest.find("level=\"requireAdministrator\"") != std::string::npos;
  EXPECT_TRUE(admin) << "the installer writes the system directory and HKLM";
}

TEST(SaverResources, VersionNamesVelkorinWithTheProjectVersion) {
  VersionInfo info(PackagedSaver());
  ASSERT_TRUE(info.Present());
  const VS_FIXEDFILEINFO *fixed = info.Fixed();
  ASSERT_NE(nullptr, fixed);
  EXPECT_EQ(VS_FFI_SIGNATURE, fixed->dwSignature);
  EXPECT_EQ(MAKELONG(VELKORIN_VERSION_MINOR, VELKORIN_VERSION_MAJOR), fixed->dwFileVersionMS);
  EXPECT_EQ(static_cast<DWORD>(VELKORIN_VERSION_PATCH), HIWORD(fixed->dwFileVersionLS));
  EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
  EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
  EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);
  EXPECT_EQ(VELKORIN_PRODUCT_NAME, info.String("ProductName"));
  EXPECT_EQ(VELKORIN_FILE_NAME, info.String("OriginalFilename"));
  EXPECT_EQ(VELKORIN_VERSION_STRING, info.String("FileVersion"));
  EXPECT_EQ(VELKORIN_VERSION_STRING, info.String("ProductVersion"));
  EXPECT_EQ(VELKORIN_COMPANY_NAME, info.String("CompanyName"));
  EXPECT_EQ(VELKORIN_FILE_DESCRIPTION, info.String("FileDescription"));
}

TEST(SaverResources, StringOneIsTheNameWindowsLists) {
  DataModule saver(PackagedSaver());
  ASSERT_NE(nullptr, saver.get());
  char name[128] = {};
  ASSERT_GT(LoadStringA(saver.get(), 1, name, sizeof name), 0);
  EXPECT_STREQ(VELKORIN_PRODUCT_NAME, name);
}

TEST(SaverResources, NoManifestNamesAnExecutionLevel) {
  // A requested execution level would turn off the virtual store that catches the
  // settings file an unelevated saver writes into the Windows directory.
  DataModule saver(PackagedSaver());
  ASSERT_NE(nullptr, saver.get());
  for (const std::string &manifest : saver.Manifests())
    EXPECT_EQ(std::string::npos, manifest.find("requestedExecutionLevel")) << manifest;
}

TEST_F(Installer, SilentInstallPutsTheSaverInTheSystemDirectoryAndMakesItCurrent) {
  DeleteRegValue(HKEY_CURRENT_USER, kDesktop, "SCRNSAVE.EXE");
  WriteRegString(HKEY_CURRENT_USER, kDesktop, "ScreenSaveActive", "0");
  SettingChangeWatcher watcher;
  ASSERT_EQ(0u, RunSilentSetup());

  bool exists = false;
  const std::string installed = ReadFileBytes(InstalledSaver(), &exists);
  ASSERT_TRUE(exists) << InstalledSaver();
  EXPECT_TRUE(installed == ReadFileBytes(PackagedSaver()))
      << "the installed saver is not the one packaged";

  const auto chosen = ReadRegString(HKEY_CURRENT_USER, kDesktop, "SCRNSAVE.EXE");
  ASSERT_TRUE(chosen.has_value());
  EXPECT_TRUE(SamePath(NativeSaverPath(), *chosen)) << *chosen;
  EXPECT_EQ("1",
            ReadRegString(HKEY_CURRENT_USER, kDesktop, "ScreenSaveActive").value_or("<missing>"));
  // Told at once, not only at the next logon.
  EXPECT_TRUE(PollUntil([&] { return watcher.Seen(); }, kEnd));
}

TEST_F(Installer, SilentInstallRegistersOneUninstallEntry) {
  ASSERT_EQ(0u, RunSilentSetup());
  ASSERT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_EQ(1, EntriesNamedVelkorin());
  auto value = [](const char *name) {
    return ReadRegString(HKEY_LOCAL_MACHINE, kUninstallKey, name).value_or("<missing>");
  };
  EXPECT_EQ(VELKORIN_PRODUCT_NAME, value("DisplayName"));
  EXPECT_EQ(VELKORIN_VERSION_STRING, value("DisplayVersion"));
  EXPECT_EQ(VELKORIN_COMPANY_NAME, value("Publisher"));
  EXPECT_TRUE(SamePath(NativeSaverPath(), value("DisplayIcon"))) << value("DisplayIcon");
  const std::string folder = InstallFolder();
  EXPECT_TRUE(SamePath(folder, value("InstallLocation"))) << value("InstallLocation");
  ASSERT_TRUE(Exists(Uninstaller()));
  EXPECT_TRUE(SamePath("\"" + Uninstaller() + "\"", value("UninstallString")))
      << value("UninstallString");
  EXPECT_TRUE(SamePath("\"" + Uninstaller() + "\" /S", value("QuietUninstallString")))
      << value("QuietUninstallString");
  const long long bytes = FileSize(InstalledSaver()) + FileSize(Uninstaller());
  EXPECT_EQ(static_cast<DWORD>((bytes + 1023) / 1024),
            ReadRegDword(HKEY_LOCAL_MACHINE, kUninstallKey, "EstimatedSize").value_or(0));
  EXPECT_EQ(1u, ReadRegDword(HKEY_LOCAL_MACHINE, kUninstallKey, "NoModify").value_or(0));
  EXPECT_EQ(1u, ReadRegDword(HKEY_LOCAL_MACHINE, kUninstallKey, "NoRepair").value_or(0));
}

TEST_F(Installer, TheChosenSaverRunsFullScreenAndEndsOnAKey) {
  ASSERT_EQ(0u, RunSilentSetup());
  // Started the way Windows starts the current saver: the registered path with /s.
  const auto chosen = ReadRegString(HKEY_CURRENT_USER, kDesktop, "SCRNSAVE.EXE");
  ASSERT_TRUE(chosen.has_value());
  SaverProcess saver("/s", *chosen);
  HWND window = saver.FindWindow("TScreenSaverForm", kStart);
  ASSERT_NE(nullptr, window);
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), r.right - r.left);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), r.bottom - r.top);
  PostMessageA(window, WM_KEYDOWN, 'A', 0);
  DWORD code = 12345;
  ASSERT_TRUE(saver.WaitExit(kEnd, code)) << "the saver did not end on a key";
  EXPECT_EQ(0u, code);
}

TEST_F(Installer, QuietUninstallRemovesAllButTheSettingsFile) {
  // Odd bytes too: the file must come back exactly, not as a profile rewrite of it.
  const std::string settings(
      "[Setting]\r\nSort=0\r\nNoAnsRate=7\r\nSleepTime=$3A98\r\n;\x01\xfe\r\n", 55);
  WriteFileBytes(ini_, settings);
  ASSERT_EQ(0u, RunSilentSetup());
  const auto quiet = ReadRegString(HKEY_LOCAL_MACHINE, kUninstallKey, "QuietUninstallString");
  ASSERT_TRUE(quiet.has_value());
  const std::string folder = InstallFolder();
  ASSERT_TRUE(Exists(folder));

  ASSERT_EQ(0u, RunCommandLine(*quiet));
  // The registered command hands over to a copy of itself and returns; the copy's work
  // is done when the last of it, the uninstall entry, is gone.
  ASSERT_TRUE(PollUntil(
      [&] {
        return !RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey) && !Exists(InstalledSaver()) &&
               !Exists(Uninstaller()) && !Exists(folder);
      },
      kRunBound))
      << "entry " << RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey) << ", saver "
      << Exists(InstalledSaver()) << ", uninstaller " << Exists(Uninstaller()) << ", folder "
      << Exists(folder);
  EXPECT_TRUE(PollUntil([] { return !UninstallerCopyRunning(); }, kRunBound));
  EXPECT_EQ(0, EntriesNamedVelkorin());

  EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, kDesktop, "SCRNSAVE.EXE").has_value());
  EXPECT_EQ("0",
            ReadRegString(HKEY_CURRENT_USER, kDesktop, "ScreenSaveActive").value_or("<missing>"));
  bool exists = false;
  EXPECT_EQ(settings, ReadFileBytes(ini_, &exists));
  EXPECT_TRUE(exists);
}

TEST_F(Installer, UninstallLeavesAnotherSaverChosenAfterwards) {
  ASSERT_EQ(0u, RunSilentSetup());
  const std::string other = SystemDir() + "\\other.scr";
  WriteRegString(HKEY_CURRENT_USER, kDesktop, "SCRNSAVE.EXE", other);
  WriteRegString(HKEY_CURRENT_USER, kDesktop, "ScreenSaveActive", "1");
  UninstallInPlace();
  EXPECT_FALSE(Exists(InstalledSaver()));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_EQ(other,
            ReadRegString(HKEY_CURRENT_USER, kDesktop, "SCRNSAVE.EXE").value_or("<missing>"));
  EXPECT_EQ("1",
            ReadRegString(HKEY_CURRENT_USER, kDesktop, "ScreenSaveActive").value_or("<missing>"));
}

TEST_F(Installer, UninstallKnowsItsSaverInShortFormAndAnyCase) {
  ASSERT_EQ(0u, RunSilentSetup());
  // What the Screen Saver settings write when the user picks Velkorin there.
  char shortPath[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameA(NativeSaverPath().c_str(), shortPath, MAX_PATH), 0u);
  CharUpperA(shortPath);
  WriteRegString(HKEY_CURRENT_USER, kDesktop, "SCRNSAVE.EXE", shortPath);
  UninstallInPlace();
  EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, kDesktop, "SCRNSAVE.EXE").has_value());
  EXPECT_EQ("0",
            ReadRegString(HKEY_CURRENT_USER, kDesktop, "ScreenSaveActive").value_or("<missing>"));
}

TEST_F(Installer, InstallingTwiceLeavesOneEntryThatUninstallsCleanly) {
  ASSERT_EQ(0u, RunSilentSetup());
  ASSERT_EQ(0u, RunSilentSetup());
  EXPECT_EQ(1, EntriesNamedVelkorin());
  EXPECT_TRUE(ReadFileBytes(InstalledSaver()) == ReadFileBytes(PackagedSaver()));
  EXPECT_TRUE(SamePath(NativeSaverPath(),
                       ReadRegString(HKEY_CURRENT_USER, kDesktop, "SCRNSAVE.EXE").value_or("")));
  UninstallInPlace();
  EXPECT_EQ(0, EntriesNamedVelkorin());
  EXPECT_FALSE(Exists(InstalledSaver()));
}

const char kNotesKey[] = "Software\\VelkorinInstallerTest";

// What the stand-ins for control.exe and the Display control panel noted.
std::optional<std::string> Note(const char *name) {
  return ReadRegString(HKEY_CURRENT_USER, kNotesKey, name);
}

// Makes Wine report an older Windows to the installer for the scope's duration.
class InstallerWindowsVersionScope {
 public:
  explicit InstallerWindowsVersionScope(const char *version) {
    WriteRegString(HKEY_CURRENT_USER, kAppDefaults, "Version", version);
  }
  ~InstallerWindowsVersionScope() { RegDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults); }

 private:
  static constexpr const char *kAppDefaults = "Software\\Wine\\AppDefaults\\velkorin-setup.exe";
};

// The wizard a user clicks through, accepting every default: Install on the components
// page, then Finish. Returns whether the finish page's settings option came ticked.
class Wizard : public Installer {
 protected:
  void SetUp() override {
    Installer::SetUp();
    DeleteRegValue(HKEY_CURRENT_USER, kDesktop, "SCRNSAVE.EXE");
    RegDeleteKeyA(HKEY_CURRENT_USER, kNotesKey);
  }
  void TearDown() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, kNotesKey);
    Installer::TearDown();
  }

  void ClickThrough() {
    SaverProcess setup("", SetupPath());
    HWND wizard = setup.FindWindow("#32770", kRunBound);
    ASSERT_NE(nullptr, wizard);
    PostMessageA(wizard, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);

    const HWND option =
        FindProcessWindow(setup.Id(), "Open the Screen Saver settings", nullptr, kRunBound, wizard);
    ASSERT_NE(nullptr, option) << "no finish page with the settings option";
    EXPECT_EQ(BST_CHECKED, SendMessageA(option, BM_GETCHECK, 0, 0));
    // Both components were ticked: the saver is in place and chosen.
    EXPECT_TRUE(Exists(InstalledSaver()));
    EXPECT_TRUE(SamePath(NativeSaverPath(),
                         ReadRegString(HKEY_CURRENT_USER, kDesktop, "SCRNSAVE.EXE").value_or("")));

    PostMessageA(wizard, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    DWORD code = 12345;
    ASSERT_TRUE(setup.WaitExit(kRunBound, code));
    EXPECT_EQ(0u, code);
  }
};

// Makes Wine start the control.exe in the system directory instead of its built-in one.
class NativeControlScope {
 public:
  NativeControlScope() { WriteRegString(HKEY_CURRENT_USER, kOverrides, "control.exe", "native"); }
  ~NativeControlScope() { DeleteRegValue(HKEY_CURRENT_USER, kOverrides, "control.exe"); }

 private:
  static constexpr const char *kOverrides = "Software\\Wine\\DllOverrides";
};

TEST_F(Wizard, DefaultsInstallMakeCurrentAndOpenTheScreenSaverSettings) {
  SystemFileScope control(VELKORIN_FAKE_CONTROL_PATH, "control.exe");
  NativeControlScope native;
  ClickThrough();
  std::optional<std::string> command;
  ASSERT_TRUE(PollUntil([&] { return (command = Note("ControlCommand")).has_value(); }, kStart))
      << "control.exe was not started";
  EXPECT_TRUE(SamePath("\"" + SystemDir() + "\\control.exe\" desk.cpl,,@screensaver", *command))
      << *command;
}

TEST_F(Wizard, OnWindowsXpOpensTheScreenSaverTabOfTheDisplayProperties) {
  // Before Vista there is no named page; the Display control panel takes a tab number,
  // which here goes through the system's own rundll32 and control panel loader.
  InstallerWindowsVersionScope xp("winxp");
  SystemFileScope desk(VELKORIN_FAKE_DESK_PATH, "desk.cpl");
  ClickThrough();
  std::optional<std::string> opened;
  ASSERT_TRUE(PollUntil([&] { return (opened = Note("DeskOpened")).has_value(); }, kStart))
      << "the Display control panel was not opened";
  EXPECT_EQ("1", *opened);
}

}  // namespace
