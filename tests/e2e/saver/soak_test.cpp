// A long run of the full-screen saver at intervals of 0: its memory, GDI objects and
// windows must not grow, and it must still end at once on a key. The counts come from the
// test build's step log: the saver takes them itself, since Wine cannot give them from
// outside (GetGuiResources always answers 0 there).
#include <gtest/gtest.h>

#include <windows.h>

#include <iostream>

#include "driver.h"
#include "e2e_util.h"

constexpr size_t kSteps = 2000;

TEST(Soak, TwoThousandStepsWithoutGrowth) {
  const std::string log = WindowsFilePath("temp\\velkorin-soak.log");
  DeleteFileIfAny(log);
  EnvScope logging("VELKORIN_STEP_LOG", log.c_str());
  SettingsFileScope file(IntervalSettings(0, 0));
  SaverProcess saver("/s", WindowsPathOf(VELKORIN_PROBE_SCR_PATH));
  HWND window = saver.FindWindow("TScreenSaverForm", 20000);
  ASSERT_NE(nullptr, window);

  std::vector<StepRecord> steps;
  ASSERT_TRUE(PollUntil([&] { return (steps = ReadStepLog(log)).size() >= 100; }, 30000));
  ASSERT_TRUE(PollUntil([&] { return (steps = ReadStepLog(log)).size() >= kSteps; }, 90000))
      << "only " << steps.size() << " steps";

  // Object counts, taken on every hundredth step.
  std::vector<StepRecord> counted;
  for (const StepRecord &s : steps)
    if (s.GdiObjects >= 0)
      counted.push_back(s);
  ASSERT_GE(counted.size(), kSteps / 100);
  const StepRecord &first = counted.front(), &last = counted.back();
  std::cout << "steps " << steps.size() << " in " << (steps.back().Tick - steps.front().Tick)
            << " ms; memory " << first.MemoryKb << " KB -> " << last.MemoryKb << " KB; GDI objects "
            << first.GdiObjects << " -> " << last.GdiObjects << "; windows " << first.Windows
            << " -> " << last.Windows << "\n";
  EXPECT_GT(first.GdiObjects, 0);  // the count itself works
  for (const StepRecord &s : counted) {
    EXPECT_LE(s.GdiObjects, first.GdiObjects + 2);
    EXPECT_EQ(first.Windows, s.Windows);
    EXPECT_LE(s.MemoryKb, first.MemoryKb + 512);
  }
  EXPECT_GT(first.MemoryKb, 0u);

  // Still ends at once on a key.
  ASSERT_TRUE(PollUntil([&] { return GetForegroundWindow() == window; }, 10000));
  SendKey('S');
  DWORD code = 99;
  ASSERT_TRUE(saver.WaitExit(5000, code));
  EXPECT_EQ(0u, code);
  DeleteFileIfAny(log);
}
