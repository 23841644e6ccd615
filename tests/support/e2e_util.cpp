#include "e2e_util.h"

#include <cstdio>

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

PreviewHost::PreviewHost(int x, int y, int w, int h) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  // Blue, a colour no tile uses, so the saver's drawing can be told from the host's.
  wc.hbrBackground = CreateSolidBrush(RGB(0, 0, 255));
  wc.lpszClassName = "VelkorinTestHost";
  RegisterClassA(&wc);
  hwnd_ = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "host",
                          WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, w, h, nullptr, nullptr,
                          wc.hInstance, nullptr);
  UpdateWindow(hwnd_);
}

PreviewHost::~PreviewHost() {
  if (IsWindow(hwnd_))
    DestroyWindow(hwnd_);
}

bool NextQuestion(const PuzzleReader &reader, SeenPuzzle &q, DWORD ms, const SeenPuzzle *after) {
  return PollUntil(
      [&] {
        SeenPuzzle p;
        if (!reader.Read(CaptureScreen(), p) || p.AnswerShown)
          return false;
        if (after && p.HandX == after->HandX && p.HandY == after->HandY && p.Hand == after->Hand)
          return false;
        q = p;
        return true;
      },
      ms);
}

bool AnswerOf(const PuzzleReader &reader, const SeenPuzzle &q, SeenPuzzle &a, DWORD ms) {
  return PollUntil(
      [&] {
        SeenPuzzle p;
        if (!reader.Read(CaptureScreen(), p) || !p.AnswerShown)
          return false;
        if (p.HandX != q.HandX || p.HandY != q.HandY || p.Hand != q.Hand)
          return false;
        if (!p.NoneShown && p.Answer.empty())
          return false;  // the answer tiles are still being drawn
        a = p;
        return true;
      },
      ms);
}

std::vector<int> RanksOf(const std::vector<SeenTile> &tiles) {
  std::vector<int> r;
  for (const SeenTile &t : tiles)
    r.push_back(t.Rank);
  return r;
}
