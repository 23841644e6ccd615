// Shared set-up for the saver's end-to-end tests: settings files, registry values of the
// test prefix, and the saver's full-screen window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "driver.h"

// Replaces the settings file for the test's duration; restores the absence afterwards.
class SettingsFileScope {
 public:
  explicit SettingsFileScope(const std::string &content);
  ~SettingsFileScope();

 private:
  std::string path_;
};

std::string IntervalSettings(int sleepTime, int sleepTime2, int sort = 1, int noAnsRate = 2);

// Makes Wine report Windows 98 to velkorin.scr for the scope's duration.
class Windows98Scope {
 public:
  Windows98Scope();
  ~Windows98Scope();
};

// Sets an environment variable that the saver started from here inherits.
class EnvScope {
 public:
  EnvScope(const char *name, const char *value) : name_(name) {
    SetEnvironmentVariableA(name, value);
  }
  ~EnvScope() { SetEnvironmentVariableA(name_.c_str(), nullptr); }

 private:
  std::string name_;
};

// One line of the test build's step log.
struct StepRecord {
  DWORD Tick;
  int Phase, HandX, HandY;
  int GdiObjects, Windows;  // -1 where the step did not count them
  unsigned long MemoryKb;   // committed private memory, 0 where not counted
};
std::vector<StepRecord> ReadStepLog(const std::string &path);
