#include "probes.h"

#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {
int probeSteps = 0;

std::string ProbeSetting(const char *name) {
  char value[MAX_PATH] = {};
  DWORD n = GetEnvironmentVariableA(name, value, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::string(value, n) : std::string();
}

// GDI objects, windows and private memory of this process. GDI objects are counted by
// probing every handle index (a handle whose upper word is zero matches any generation,
// under Wine at least, where GetGuiResources always answers 0); windows by enumerating the
// top-level and child windows of the process (it makes no message-only ones).
struct ObjectCounts {
  int gdi = 0, windows = 0;
  unsigned long memoryKb = 0;
};

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM lp) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == GetCurrentProcessId()) {
    ++*reinterpret_cast<int *>(lp);
    EnumChildWindows(hwnd, CountWindow, lp);
  }
  return TRUE;
}

ObjectCounts CountObjects() {
  ObjectCounts c;
  for (uintptr_t i = 1; i < 0x10000; ++i)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(i)))
      ++c.gdi;
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&c.windows));
  PROCESS_MEMORY_COUNTERS pmc = {};
  pmc.cb = sizeof pmc;
  if (GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc))
    c.memoryKb = static_cast<unsigned long>(pmc.PagefileUsage / 1024);
  return c;
}
}  // namespace

uint32_t ProbeSeed(uint32_t clockSeed) {
  const std::string seed = ProbeSetting("VELKORIN_SEED");
  return seed.empty() ? clockSeed : static_cast<uint32_t>(strtoul(seed.c_str(), nullptr, 10));
}

void ProbeBeforeStep() {
  ++probeSteps;
  const std::string fault = ProbeSetting("VELKORIN_FAULT_AT_STEP");
  if (!fault.empty() && atoi(fault.c_str()) == probeSteps)
    throw std::runtime_error("injected fault");
}

void ProbeAfterStep(int phase, int x, int y) {
  const std::string log = ProbeSetting("VELKORIN_STEP_LOG");
  if (log.empty())
    return;
  ObjectCounts c;
  c.gdi = c.windows = -1;
  if (probeSteps % 100 == 0)
    c = CountObjects();
  if (FILE *f = fopen(log.c_str(), "a")) {
    fprintf(f, "%lu %d %d %d %d %d %lu\n", GetTickCount(), phase, x, y, c.gdi, c.windows,
            c.memoryKb);
    fclose(f);
  }
}
