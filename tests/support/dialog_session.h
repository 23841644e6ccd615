// Drives the setup dialog of a velkorin.scr started as its own process: finds the "Option"
// window and its controls, reads their state across the process boundary, and sends
// real keyboard and mouse input.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "driver.h"

// Bounds for the polls: a start under Wine, a reaction to one input, and the end of the
// process once the dialog has closed (Wine without a window manager waits a few seconds
// for a hidden window to be withdrawn).
constexpr DWORD kStartBound = 20000;
constexpr DWORD kReactBound = 5000;
constexpr DWORD kExitBound = 15000;

struct SetupDialogWindows {
  HWND Dialog = nullptr;
  HWND SortFlag = nullptr;
  HWND NoAnsRate = nullptr;
  HWND TimerBar = nullptr;
  HWND TimerBar2 = nullptr;
  HWND OKBtn = nullptr;
  HWND CancelBtn = nullptr;
  HWND MoreBtn = nullptr;
  HWND Label1 = nullptr;
  HWND Label2 = nullptr;
  HWND Label3 = nullptr;
  HWND Label4 = nullptr;
};

// Every descendant window of parent. (A named callback: a lambda cannot be the 32-bit
// system's stdcall function.)
std::vector<HWND> ChildWindows(HWND parent);
// Finds the dialog's controls by class and text; false when one is missing.
bool FindDialogControls(SetupDialogWindows &w);

// Opens "More options" with the mnemonic of its button, and waits for it to be shown with
// the focus on its first control; null when it does not come.
HWND OpenMoreOptions(DWORD pid, const SetupDialogWindows &w);
// Presses the key in "More options" and waits for it to be gone and for the focus to be
// back on the button that opened it.
bool CloseMoreOptions(HWND more, const SetupDialogWindows &w, WORD key);

std::string WindowText(HWND hwnd);
std::wstring WindowTextW(HWND hwnd);
std::string ClassOf(HWND hwnd);
// A child's place in its parent's client area.
RECT RectInParent(HWND child);
// The window that has the keyboard focus in the thread of hwnd.
HWND FocusOfThread(HWND hwnd);

int CheckState(HWND checkBox);
int ComboSelection(HWND combo);
bool ComboDropped(HWND combo);
int TrackPosition(HWND bar);

// Presses vk with the given modifiers held, through SendInput.
void PressKey(WORD vk, std::initializer_list<WORD> modifiers = {});
void ClickInWindow(HWND hwnd, int x, int y);  // client coordinates of hwnd
