// Measures the running saver under Wine: start-up time to the first drawn puzzle, CPU use
// in full screen and in a preview, and peak memory. Prints "name value" lines for
// scripts/bench to put in its table. It runs the test build of the saver, which is the
// shipped one plus a step log that tells the driver when a step has happened.
#include <windows.h>

#include <psapi.h>  // after windows.h, which it needs

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "driver.h"
#include "e2e_util.h"

namespace {

// CPU time of the Linux process whose command line contains `needle`, in milliseconds, from
// the kernel's own accounting (Z: is the Linux root); -1 when there is none. Wine's
// GetProcessTimes for another process counts far more than the kernel does, so the
// kernel's figure is the one reported where it can be read.
double KernelCpuMilliseconds(const std::string &needle) {
  WIN32_FIND_DATAA fd;
  HANDLE find = FindFirstFileA("Z:\\proc\\*", &fd);
  if (find == INVALID_HANDLE_VALUE)
    return -1;
  double result = -1;
  do {
    if (fd.cFileName[0] < '0' || fd.cFileName[0] > '9')
      continue;
    const std::string dir = std::string("Z:\\proc\\") + fd.cFileName;
    std::string cmdline = ReadFileBytes(dir + "\\cmdline");
    for (char &c : cmdline)
      if (c == '\0')
        c = ' ';
    if (cmdline.find(needle) == std::string::npos)
      continue;
    // Fields 14 and 15 of stat: user and system time in clock ticks (100 a second).
    const std::string stat = ReadFileBytes(dir + "\\stat");
    const size_t close = stat.rfind(')');
    unsigned long long utime = 0, stime = 0;
    if (close != std::string::npos &&
        sscanf(stat.c_str() + close + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu",
               &utime, &stime) == 2)
      result = (utime + stime) * 10.0;
    break;
  } while (FindNextFileA(find, &fd));
  FindClose(find);
  return result;
}

double CpuShare(SaverProcess &saver, const std::string &needle, DWORD ms) {
  const double kernelBefore = KernelCpuMilliseconds(needle);
  const double before = saver.CpuMilliseconds();
  const DWORD start = GetTickCount();
  PollUntil([] { return false; }, ms);
  const DWORD elapsed = GetTickCount() - start;
  const double kernelAfter = KernelCpuMilliseconds(needle);
  if (kernelBefore >= 0 && kernelAfter >= 0)
    return (kernelAfter - kernelBefore) / elapsed;
  return (saver.CpuMilliseconds() - before) / elapsed;
}

unsigned long PeakMemoryKb(const SaverProcess &saver) {
  PROCESS_MEMORY_COUNTERS pmc = {};
  pmc.cb = sizeof pmc;
  if (!GetProcessMemoryInfo(saver.Handle(), &pmc, sizeof pmc))
    return 0;
  return static_cast<unsigned long>(std::max(pmc.PeakPagefileUsage, pmc.PeakWorkingSetSize) / 1024);
}

void EndSaver(SaverProcess &saver, HWND window) {
  PostMessageA(window, WM_CLOSE, 0, 0);
  DWORD code;
  saver.WaitExit(10000, code);
}

}  // namespace

int main(int argc, char **argv) {
  const DWORD fullScreenMs = argc > 1 ? static_cast<DWORD>(atoi(argv[1])) : 30000;
  const DWORD previewMs = argc > 2 ? static_cast<DWORD>(atoi(argv[2])) : 10000;
  const int runs = 7;

  // Start-up: from CreateProcess to the end of the first question step.
  std::vector<DWORD> startups;
  const std::string log = WindowsFilePath("temp\\velkorin-bench.log");
  {
    EnvScope logging("VELKORIN_STEP_LOG", log.c_str());
    SettingsFileScope file(IntervalSettings(60000, 60000));
    for (int i = 0; i < runs; ++i) {
      DeleteFileIfAny(log);
      const DWORD start = GetTickCount();
      SaverProcess saver("/s", WindowsPathOf(VELKORIN_PROBE_SCR_PATH));
      std::vector<StepRecord> steps;
      if (PollUntil([&] { return !(steps = ReadStepLog(log)).empty(); }, 30000))
        startups.push_back(steps.front().Tick - start);
      EndSaver(saver, saver.FindWindow("TScreenSaverForm", 5000));
    }
    DeleteFileIfAny(log);
  }
  if (!startups.empty()) {
    // The first run warms Wine up; the median of the others is what a user sees.
    std::vector<DWORD> warm(startups.begin() + (startups.size() > 1 ? 1 : 0), startups.end());
    std::sort(warm.begin(), warm.end());
    printf("startup_cold_ms %lu\n", static_cast<unsigned long>(startups.front()));
    printf("startup_warm_median_ms %lu\n", static_cast<unsigned long>(warm[warm.size() / 2]));
  }

  // Full screen at the default intervals (no settings file), from the first answer on: the
  // first text loads the font, a one-off cost that start-up would otherwise hide.
  unsigned long peakKb = 0;
  EnvScope logging("VELKORIN_STEP_LOG", log.c_str());
  {
    DeleteFileIfAny(log);
    SettingsFileScope noFile("");
    SaverProcess saver("/s", WindowsPathOf(VELKORIN_PROBE_SCR_PATH));
    HWND window = saver.FindWindow("TScreenSaverForm", 30000);
    PollUntil([&] { return ReadStepLog(log).size() >= 2; }, 60000);
    printf("fullscreen_cpu_percent %.3f\n",
           100.0 * CpuShare(saver, "velkorin_probe.scr /s", fullScreenMs));
    peakKb = PeakMemoryKb(saver);
    EndSaver(saver, window);
  }

  // A preview in a host window of the display settings' size.
  {
    SettingsFileScope noFile("");
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VelkorinBenchHost";
    RegisterClassA(&wc);
    HWND host = CreateWindowExA(0, wc.lpszClassName, "host", WS_POPUP | WS_VISIBLE, 100, 100, 152,
                                112, nullptr, nullptr, wc.hInstance, nullptr);
    DeleteFileIfAny(log);
    SaverProcess saver(
        "/p " + std::to_string(static_cast<long long>(reinterpret_cast<intptr_t>(host))),
        WindowsPathOf(VELKORIN_PROBE_SCR_PATH));
    HWND child = saver.FindWindow("TScreenSaverForm", 30000, host);
    PollUntil([&] { return ReadStepLog(log).size() >= 2; }, 30000);
    printf("preview_cpu_percent %.3f\n",
           100.0 * CpuShare(saver, "velkorin_probe.scr /p", previewMs));
    peakKb = std::max(peakKb, PeakMemoryKb(saver));
    EndSaver(saver, child);
    DestroyWindow(host);
  }
  DeleteFileIfAny(log);
  printf("peak_memory_kb %lu\n", peakKb);
  return 0;
}
