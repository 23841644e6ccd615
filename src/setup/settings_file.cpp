#include "settings_file.h"

#include <windows.h>

#include "profile_int.h"

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

SaverSettings LoadSettings(const TSettingsFile &file) {
  const SaverSettings defaults;
  SaverSettings s;
  s.Sort = file.ReadBool(SettingsSection, "Sort", defaults.Sort);
  s.NoAnsRate = file.ReadInt(SettingsSection, "NoAnsRate", defaults.NoAnsRate);
  s.SleepTime = file.ReadInt(SettingsSection, "SleepTime", defaults.SleepTime);
  s.SleepTime2 = file.ReadInt(SettingsSection, "SleepTime2", defaults.SleepTime2);
  s.MinWaits = InRangeOrDefault(file.ReadInt(SettingsSection, "MinWaits", defaults.MinWaits), 0,
                                MaxMinWaits, defaults.MinWaits);
  s.ShowCounts = file.ReadBool(SettingsSection, "ShowCounts", defaults.ShowCounts);
  s.ShowSplits = file.ReadBool(SettingsSection, "ShowSplits", defaults.ShowSplits);
  s.Monitors = InRangeOrDefault(file.ReadInt(SettingsSection, "Monitors", defaults.Monitors), 0, 1,
                                defaults.Monitors);
  s.Scale = InRangeOrDefault(file.ReadInt(SettingsSection, "Scale", defaults.Scale), 0, MaxScale,
                             defaults.Scale);
  return s;
}

void SaveSettings(const TSettingsFile &file, const SaverSettings &s) {
  file.WriteBool(SettingsSection, "Sort", s.Sort);
  file.WriteInt(SettingsSection, "NoAnsRate", s.NoAnsRate);
  file.WriteInt(SettingsSection, "SleepTime", s.SleepTime);
  file.WriteInt(SettingsSection, "SleepTime2", s.SleepTime2);
}
