// The settings file through the platform's profile functions, in the Windows directory of
// the test prefix. Each test starts without the file and puts back what was there.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "driver.h"
#include "import_patch.h"
#include "settings.h"
#include "settings_file.h"

namespace {

// "velkorin_ss.ini に書き込めません" in UTF-8.
const char kWriteFailedMessage[] =
    "velkorin_ss.ini \xE3\x81\xAB\xE6\x9B\xB8\xE3\x81\x8D\xE8\xBE\xBC\xE3\x82\x81\xE3\x81\xBE"
    "\xE3\x81\x9B\xE3\x82\x93";

const char kDefaultsFile[] =
    "[Setting]\r\nSort=1\r\nNoAnsRate=2\r\nSleepTime=15000\r\nSleepTime2=5000\r\n";

// Counts the profile writes the code under test makes, and can refuse one of them the way
// the platform refuses a write, without passing it on.
struct WriteSpy {
  static int Calls;
  static int RefuseCall;  // 1-based; 0 refuses none
  static std::vector<std::string> Keys;
  static std::vector<std::string> Calls_;  // "file [section] key=value"
  static void *Real;

  static BOOL WINAPI Write(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) {
    ++Calls;
    Keys.push_back(key ? key : "");
    Calls_.push_back(std::string(file ? file : "") + " [" + (section ? section : "") + "] " +
                     (key ? key : "") + "=" + (value ? value : "<null>"));
    if (Calls == RefuseCall) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    using Fn = BOOL(WINAPI *)(LPCSTR, LPCSTR, LPCSTR, LPCSTR);
    return reinterpret_cast<Fn>(Real)(section, key, value, file);
  }
};
int WriteSpy::Calls = 0;
int WriteSpy::RefuseCall = 0;
std::vector<std::string> WriteSpy::Keys;
std::vector<std::string> WriteSpy::Calls_;
void *WriteSpy::Real = nullptr;

class SpiedWrites {
 public:
  explicit SpiedWrites(int refuseCall = 0)
      : patch_("kernel32.dll", "WritePrivateProfileStringA",
               reinterpret_cast<void *>(&WriteSpy::Write)) {
    WriteSpy::Calls = 0;
    WriteSpy::RefuseCall = refuseCall;
    WriteSpy::Keys.clear();
    WriteSpy::Calls_.clear();
    WriteSpy::Real = patch_.Original();
  }
  bool Installed() const { return patch_.Installed(); }

 private:
  TImportPatch patch_;
};

void ExpectDefaults(const SaverSettings &s) {
  EXPECT_TRUE(s.Sort);
  EXPECT_EQ(s.NoAnsRate, 2);
  EXPECT_EQ(s.SleepTime, 15000);
  EXPECT_EQ(s.SleepTime2, 5000);
  EXPECT_EQ(s.MinWaits, 0);
  EXPECT_FALSE(s.ShowCounts);
}

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Read(&hadFile_);
    Remove();
  }
  void TearDown() override {
    Remove();
    if (hadFile_)
      Put(saved_);
  }

  std::string Read(bool *exists = nullptr) const { return ReadFileBytes(path_, exists); }
  bool Exists() const { return GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }

  void Put(const std::string &bytes) {
    WriteFileBytes(path_, bytes);
    Forget();
  }
  void Remove() {
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path_.c_str());
    RemoveDirectoryA(path_.c_str());
    Forget();
  }
  // The profile functions keep the file they used last in memory; each run of the saver is
  // a new process that starts from the disk, and so does each step here.
  static void Forget() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, SettingsFileName); }

  const std::string path_ = WindowsFilePath(SettingsFileName);
  const TSettingsFile file_{SettingsFileName};
  std::string saved_;
  bool hadFile_ = false;
};

TEST_F(SettingsFileTest, WithoutAFileLoadGivesTheDefaultsAndCreatesNothing) {
  const SaverSettings s = LoadSettings(file_);
  ExpectDefaults(s);
  EXPECT_EQ(file_.ReadText("Setting", "Sort", "absent"), "absent");
  EXPECT_FALSE(Exists());
}

TEST_F(SettingsFileTest, SavingTheDefaultsWithoutAFileWritesExactlyTheFiveLines) {
  SaveSettings(file_, SaverSettings());
  EXPECT_EQ(Read(), kDefaultsFile);
  Forget();
  const SaverSettings s = LoadSettings(file_);
  ExpectDefaults(s);
}

// Where a key lands in the file and how names match are the profile functions' affair (the
// dialog's end-to-end tests see the file that results). This code's part is the calls: the
// bare file name, so that the file lives in the Windows directory, the section, the four
// keys in their order and each value's text form. The keys the dialog does not show are
// never written, so a save from the dialog keeps what the user put there.
TEST_F(SettingsFileTest, SavingWritesTheFourKeysInOrderWithTheirTextForms) {
  SpiedWrites spy;
  ASSERT_TRUE(spy.Installed());
  SaverSettings s;
  s.Sort = false;
  s.NoAnsRate = -1;
  s.SleepTime = INT_MIN;
  s.SleepTime2 = 60000;
  s.MinWaits = 5;
  s.ShowCounts = true;
  SaveSettings(file_, s);
  s.Sort = true;
  SaveSettings(file_, s);
  EXPECT_EQ(WriteSpy::Calls_, (std::vector<std::string>{
                                  "velkorin_ss.ini [Setting] Sort=0",
                                  "velkorin_ss.ini [Setting] NoAnsRate=-1",
                                  "velkorin_ss.ini [Setting] SleepTime=-2147483648",
                                  "velkorin_ss.ini [Setting] SleepTime2=60000",
                                  "velkorin_ss.ini [Setting] Sort=1",
                                  "velkorin_ss.ini [Setting] NoAnsRate=-1",
                                  "velkorin_ss.ini [Setting] SleepTime=-2147483648",
                                  "velkorin_ss.ini [Setting] SleepTime2=60000",
                              }));
}

TEST_F(SettingsFileTest, AValueLongerThan1023CharactersReadsAsItsFirst1023) {
  const std::string longText(1500, 'v');
  Put("[Setting]\r\nNote=" + longText + "\r\nSleepTime=" + std::string(1100, '1') + "\r\n");
  EXPECT_EQ(file_.ReadText("Setting", "Note", ""), std::string(1023, 'v'));
  EXPECT_EQ(file_.ReadInt("Setting", "SleepTime", 15000), 15000);
}

// What a value in the file reads as: the profile functions hand over the text without its
// surrounding blanks and quotes, and the integer rules (tested natively) read it.
TEST_F(SettingsFileTest, ValueTextsReadAsIntegersOrTheDefault) {
  const struct {
    const char *text;
    int32_t expected;
  } cases[] = {
      {"20000", 20000},  {"  20000  ", 20000},  {"\"20000\"", 20000}, {"'-1'", -1},
      {"0x3A98", 15000}, {"2147483648", 15000}, {"20 s", 15000},      {"\"20 s\"", 15000},
      {"", 15000},       {"abc", 15000},
  };
  for (const auto &c : cases) {
    Put(std::string("[Setting]\r\nSleepTime=") + c.text + "\r\n");
    EXPECT_EQ(file_.ReadInt("Setting", "SleepTime", 15000), c.expected) << '"' << c.text << '"';
  }
}

// ShowCounts reads by the same rule as Sort, from its own default (off).
TEST_F(SettingsFileTest, SortAndShowCountsReadAnyIntegerAsABooleanAndWordsAsTheDefault) {
  const struct {
    const char *text;
    bool sort, showCounts;
  } cases[] = {{"1", true, true},      {"-1", true, true},  {"2", true, true},
               {"$10", true, true},    {"0", false, false}, {"$0", false, false},
               {"false", true, false}, {"no", true, false}};
  for (const auto &c : cases) {
    Put(std::string("[Setting]\r\nSort=") + c.text + "\r\nShowCounts=" + c.text + "\r\n");
    const SaverSettings s = LoadSettings(file_);
    EXPECT_EQ(s.Sort, c.sort) << '"' << c.text << '"';
    EXPECT_EQ(s.ShowCounts, c.showCounts) << '"' << c.text << '"';
  }
}

// MinWaits reads as any integer does, and what the saver cannot use takes the default 0.
TEST_F(SettingsFileTest, MinWaitsOutsideItsRangeTakesTheDefault) {
  const struct {
    const char *text;
    int32_t expected;
  } cases[] = {{"0", 0}, {"1", 1},  {"7", 7},          {"0x5", 5}, {" 3", 3}, {"8", 0},
               {"9", 0}, {"-1", 0}, {"2147483647", 0}, {"abc", 0}, {"", 0}};
  for (const auto &c : cases) {
    Put(std::string("[Setting]\r\nminwaits=") + c.text + "\r\n");
    EXPECT_EQ(LoadSettings(file_).MinWaits, c.expected) << '"' << c.text << '"';
  }
}

TEST_F(SettingsFileTest, MonitorsAndScaleReadWithinTheirRangesAndOtherwiseTheirDefaults) {
  const SaverSettings none = LoadSettings(file_);
  EXPECT_EQ(none.Monitors, 0);
  EXPECT_EQ(none.Scale, 0);
  const struct {
    const char *text;
    int32_t monitors, scale;
  } cases[] = {{"0", 0, 0}, {"1", 1, 1},  {"$1", 1, 1},  {"2", 0, 2},   {"4", 0, 4},
               {"5", 0, 0}, {"-1", 0, 0}, {"0x3", 0, 3}, {"two", 0, 0}, {"", 0, 0}};
  for (const auto &c : cases) {
    Put(std::string("[Setting]\r\nMonitors=") + c.text + "\r\nScale=" + c.text + "\r\n");
    const SaverSettings d = LoadSettings(file_);
    EXPECT_EQ(d.Monitors, c.monitors) << '"' << c.text << '"';
    EXPECT_EQ(d.Scale, c.scale) << '"' << c.text << '"';
  }
}

TEST_F(SettingsFileTest, WrittenValuesHaveTheirTextFormsAndReadBack) {
  file_.WriteBool("Setting", "Sort", true);
  EXPECT_EQ(file_.ReadText("Setting", "Sort", ""), "1");
  EXPECT_TRUE(file_.ReadBool("Setting", "Sort", false));
  file_.WriteBool("Setting", "Sort", false);
  EXPECT_EQ(file_.ReadText("Setting", "Sort", ""), "0");
  EXPECT_FALSE(file_.ReadBool("Setting", "Sort", true));
  file_.WriteInt("Setting", "NoAnsRate", -1);
  EXPECT_EQ(file_.ReadText("Setting", "NoAnsRate", ""), "-1");
  file_.WriteInt("Setting", "SleepTime", INT_MIN);
  EXPECT_EQ(file_.ReadText("Setting", "SleepTime", ""), "-2147483648");
  EXPECT_EQ(file_.ReadInt("Setting", "SleepTime", 0), INT_MIN);
  EXPECT_EQ(Read(), "[Setting]\r\nSort=0\r\nNoAnsRate=-1\r\nSleepTime=-2147483648\r\n");
}

TEST_F(SettingsFileTest, WhenTheFirstWriteIsRefusedNothingIsWritten) {
  const std::string before = "[Setting]\r\nSort=0\r\nNoAnsRate=5\r\nSleepTime=2000\r\n";
  Put(before);
  const FileLock lock(path_);
  ASSERT_TRUE(lock.Held());
  EXPECT_FALSE(LoadSettings(file_).Sort) << "the lock must leave reading alone";
  SpiedWrites spy;
  ASSERT_TRUE(spy.Installed());
  try {
    SaveSettings(file_, SaverSettings());
    FAIL() << "a locked file took the write";
  } catch (const ESettingsWriteError &e) {
    EXPECT_STREQ(e.what(), kWriteFailedMessage);
  }
  EXPECT_EQ(WriteSpy::Keys, std::vector<std::string>{"Sort"});
  EXPECT_EQ(Read(), before);
}

TEST_F(SettingsFileTest, ADirectoryInPlaceOfTheFileReadsAsDefaultsAndRefusesTheFirstWrite) {
  ASSERT_TRUE(CreateDirectoryA(path_.c_str(), nullptr));
  Forget();
  const SaverSettings s = LoadSettings(file_);
  ExpectDefaults(s);
  SpiedWrites spy;
  ASSERT_TRUE(spy.Installed());
  EXPECT_THROW(SaveSettings(file_, SaverSettings()), ESettingsWriteError);
  EXPECT_EQ(WriteSpy::Keys, std::vector<std::string>{"Sort"});
}

// A refusal in the middle: the keys before it stay written, the one refused and those after
// it keep their old values, and no write is tried after the refusal.
TEST_F(SettingsFileTest, SavingStopsAtTheRefusedKey) {
  Put("[Setting]\r\nSort=0\r\nNoAnsRate=5\r\nSleepTime=2000\r\nSleepTime2=3000\r\n");
  SpiedWrites spy(3);
  ASSERT_TRUE(spy.Installed());
  try {
    SaveSettings(file_, SaverSettings());
    FAIL() << "the refused write went unnoticed";
  } catch (const ESettingsWriteError &e) {
    EXPECT_STREQ(e.what(), kWriteFailedMessage);
  }
  EXPECT_EQ(WriteSpy::Keys, (std::vector<std::string>{"Sort", "NoAnsRate", "SleepTime"}));
  EXPECT_EQ(Read(), "[Setting]\r\nSort=1\r\nNoAnsRate=2\r\nSleepTime=2000\r\nSleepTime2=3000\r\n");
}

}  // namespace
