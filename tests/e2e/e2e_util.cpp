#include "e2e_util.h"

#include <cstdio>

#include "screen.h"

SettingsFileScope::SettingsFileScope(const std::string &content)
    : path_(WindowsFilePath("velkorin_ss.ini")) {
  DeleteFileIfAny(path_);
  if (!content.empty())
    WriteFileBytes(path_, content);
}

SettingsFileScope::~SettingsFileScope() {
  DeleteFileIfAny(path_);
}

std::string IntervalSettings(int sleepTime, int sleepTime2, int sort, int noAnsRate) {
  return "[Setting]\r\nSort=" + std::to_string(sort) +
         "\r\nNoAnsRate=" + std::to_string(noAnsRate) +
         "\r\nSleepTime=" + std::to_string(sleepTime) +
         "\r\nSleepTime2=" + std::to_string(sleepTime2) + "\r\n";
}

namespace {
const char kAppDefaults[] = "Software\\Wine\\AppDefaults\\velkorin.scr";
}

Windows98Scope::Windows98Scope() {
  WriteRegString(HKEY_CURRENT_USER, kAppDefaults, "Version", "win98");
}
Windows98Scope::~Windows98Scope() {
  DeleteRegValue(HKEY_CURRENT_USER, kAppDefaults, "Version");
}

std::vector<StepRecord> ReadStepLog(const std::string &path) {
  std::vector<StepRecord> steps;
  const std::string text = ReadFileBytes(path);
  size_t pos = 0;
  for (size_t end; (end = text.find('\n', pos)) != std::string::npos; pos = end + 1) {
    StepRecord r{};
    unsigned long tick = 0;
    if (sscanf(text.substr(pos, end - pos).c_str(), "%lu %d %d %d %d %d %lu", &tick, &r.Phase,
               &r.HandX, &r.HandY, &r.GdiObjects, &r.Windows, &r.MemoryKb) == 7) {
      r.Tick = tick;
      steps.push_back(r);
    }
  }
  return steps;
}
