#include "settings_file.h"

#include <windows.h>

#include "profile_int.h"
#include "settings_table.h"

namespace {
const char kWriteFailed[] =
    "%s \xE3\x81\xAB\xE6\x9B\xB8\xE3\x81\x8D\xE8\xBE\xBC\xE3\x82\x81"
    "\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93";  // "%s に書き込めません"
}

ESettingsWriteError::ESettingsWriteError(const std::string &fileName)
    : std::runtime_error([&] {
        std::string text = kWriteFailed;
        return text.replace(text.find("%s"), 2, fileName);
      }()) {}

std::string TSettingsFile::ReadText(const char *section, const char *key, const char *deflt) const {
  char buffer[1024];
  DWORD n = GetPrivateProfileStringA(section, key, deflt, buffer, sizeof buffer, fileName_.c_str());
  return std::string(buffer, n);
}

int32_t TSettingsFile::ReadInt(const char *section, const char *key, int32_t deflt) const {
  return ParseProfileInt(ReadText(section, key, ""), deflt);
}

bool TSettingsFile::ReadBool(const char *section, const char *key, bool deflt) const {
  return ParseProfileBool(ReadText(section, key, ""), deflt);
}

void TSettingsFile::WriteText(const char *section, const char *key,
                              const std::string &value) const {
  if (!WritePrivateProfileStringA(section, key, value.c_str(), fileName_.c_str()))
    throw ESettingsWriteError(fileName_);
}

void TSettingsFile::WriteInt(const char *section, const char *key, int32_t value) const {
  WriteText(section, key, FormatProfileInt(value));
}

void TSettingsFile::WriteBool(const char *section, const char *key, bool value) const {
  WriteText(section, key, FormatProfileBool(value));
}

// Each key in the table's order, read as the file's integers are and then by the row's rule.
SaverSettings LoadSettings(const TSettingsFile &file) {
  SaverSettings s;
  for (const TSettingRow &row : SettingRows()) {
    if (!row.Key)
      continue;
    const int32_t deflt = static_cast<int32_t>(row.Default);
    const int32_t value = row.Unit == TSettingUnit::Flag
                              ? file.ReadBool(SettingsSection, row.Key, deflt != 0)
                              : file.ReadInt(SettingsSection, row.Key, deflt);
    row.Set(s, SettingFromFile(row, value));
  }
  return s;
}

void SaveSettings(const TSettingsFile &file, const SaverSettings &s) {
  file.WriteBool(SettingsSection, "Sort", s.Sort);
  file.WriteInt(SettingsSection, "NoAnsRate", s.NoAnsRate);
  file.WriteInt(SettingsSection, "SleepTime", s.SleepTime);
  file.WriteInt(SettingsSection, "SleepTime2", s.SleepTime2);
}
