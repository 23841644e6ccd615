// Expectations on a saver process that the end-to-end rings share: how it ends, and how
// it reports a failed step.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "driver.h"
#include "e2e_util.h"

// Expects that the process is still running after a bounded wait for it to end.
inline void ExpectStaysOpen(SaverProcess &saver, DWORD ms = 600) {
  DWORD code;
  EXPECT_FALSE(saver.WaitExit(ms, code)) << "the saver ended, exit code " << code;
}

inline void ExpectEndsWith(SaverProcess &saver, DWORD expected, DWORD ms = kEnd) {
  DWORD code = 12345;
  ASSERT_TRUE(saver.WaitExit(ms, code)) << "the saver did not end";
  EXPECT_EQ(expected, code);
}

// A full-screen saver whose step has failed: the error box is up, above the saver window,
// and stays up through keys, clicks, mouse moves and close requests, which a saver
// otherwise ends on; OK then ends the program with exit code 1. `caption` is the title
// the program takes from its file name.
inline void ExpectErrorBoxOverTheSaverThenExitCodeOne(FullScreen &fs, const wchar_t *caption) {
  ASSERT_NE(nullptr, fs.window);
  HWND box = fs.saver.FindWindow("#32770", kStart);
  ASSERT_NE(nullptr, box) << "no error box";
  wchar_t text[512] = {}, title[128] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 512);
  GetWindowTextW(box, title, 128);
  EXPECT_EQ(std::wstring(L"Velkorin stopped because of an error: injected fault."), text);
  EXPECT_EQ(std::wstring(caption), title);
  // Above the full-screen window: owned by it, or topmost itself.
  EXPECT_TRUE(GetWindow(box, GW_OWNER) == fs.window ||
              (GetWindowLongPtrA(box, GWL_EXSTYLE) & WS_EX_TOPMOST))
      << "the box can sit behind the topmost saver window";

  SendKey('A');
  ClickAt(200, 200);
  for (int i = 0; i < 6; ++i)
    MoveMouseTo(300 + 9 * i, 300 + 7 * i);
  PostMessageA(fs.window, WM_KEYDOWN, 'B', 0);
  PostMessageA(fs.window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  for (int i = 0; i < 6; ++i)
    PostMessageA(fs.window, WM_MOUSEMOVE, 0, MAKELPARAM(20 + i, 20));
  PostMessageA(fs.window, WM_CLOSE, 0, 0);
  // Longer than the 3 s a closing saver waits for its worker before it ends.
  ExpectStaysOpen(fs.saver, 4500);
  EXPECT_TRUE(IsWindowVisible(box)) << "input took the error box away";

  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ExpectEndsWith(fs.saver, 1);
}
