// The settings file, read and written through the platform's profile functions with a bare
// file name, so the file lives in the Windows directory.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "settings.h"

// A write to the settings file failed; the message names the file.
class ESettingsWriteError : public std::runtime_error {
 public:
  explicit ESettingsWriteError(const std::string &fileName);
};

class TSettingsFile {
 public:
  explicit TSettingsFile(std::string fileName) : fileName_(std::move(fileName)) {}
  const std::string &FileName() const { return fileName_; }

  // At most 1023 characters; the default when the file, section or key is missing.
  std::string ReadText(const char *section, const char *key, const char *deflt) const;
  int32_t ReadInt(const char *section, const char *key, int32_t deflt) const;
  bool ReadBool(const char *section, const char *key, bool deflt) const;

  // Each throws ESettingsWriteError when the platform refuses the write.
  void WriteText(const char *section, const char *key, const std::string &value) const;
  void WriteInt(const char *section, const char *key, int32_t value) const;
  void WriteBool(const char *section, const char *key, bool value) const;

 private:
  std::string fileName_;
};

// Reads the settings; never fails and never creates or changes the file.
SaverSettings LoadSettings(const TSettingsFile &file);
// Writes the four settings of the main setup dialog, in order; stops at, and throws for, the
// first write that fails. The keys after them are written only when the user changed them in
// "More options", so that a copy of them would not overwrite what the user put in the file.
void SaveSettings(const TSettingsFile &file, const SaverSettings &settings);
