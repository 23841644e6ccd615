// The saver window: black, borderless and topmost over every monitor, or a disabled child
// of the preview host. It owns the puzzle, the tile strip and the worker that paces
// the puzzle's steps; it draws each step and repaints what the last steps drew.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "desktop.h"
#include "form.h"
#include "puzzle.h"
#include "settings.h"
#include "ssthread.h"
#include "surface.h"
#include "tiledraw.h"
#include "tilestrip.h"

class TScreenSaverForm : public TForm {
 public:
  // previewHost: the preview's host window, or null for full screen. The settings are
  // those the entry read when the program started; the preview ignores Monitors and Scale.
  TScreenSaverForm(HWND previewHost, const SaverSettings &settings);
  ~TScreenSaverForm() override;

  bool Previewing() const { return previewHost_ != nullptr; }
  int32_t MouseMoves = 0;
  uint32_t PlatformId = 0;
  bool Closed = false;

 protected:
  void AdjustWindowParams(TCreateParams &params) override;
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT &result) override;
  void FormCreate() override;
  void FormShow() override;
  void FormKeyDown(WPARAM key) override;
  void FormMouseDown(UINT button) override;
  void FormMouseMove() override;
  void FormCloseQuery(bool &CanClose) override;
  void FormClose() override;

 private:
  bool HandleSysCommand(WPARAM command, LRESULT &result);
  bool PasswordAccepted();
  void SetScreenSaverRunning(bool running);
  void StartPuzzles(HWND window);
  DWORD PuzzleStep();
  void Paint();
  void StopWorker();

  const HWND previewHost_;
  const SaverSettings settings_;
  TDesktop desktop_;  // full screen: what the window covers, and the monitors
  TTileStrip Image1;
  std::unique_ptr<TPuzzle> puzzle_;
  // The steps draw through the window's own DC, kept for the window's life.
  WindowDc dc_;
  std::unique_ptr<TSurface> surface_;
  std::unique_ptr<TGdiCanvas> canvas_;
  std::unique_ptr<TScreenSaverThread> worker_;  // last: it stops before the rest goes
};
