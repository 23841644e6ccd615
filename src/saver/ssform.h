// The saver window: black, borderless and topmost over the whole screen, or a disabled
// child of the preview host. It draws nothing itself; its worker draws the puzzles.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "form.h"
#include "tilestrip.h"

class TScreenSaverThread;

class TScreenSaverForm : public TForm {
 public:
  TScreenSaverForm();
  ~TScreenSaverForm() override;

  const TTileStrip &TileStrip() const { return *Image1; }
  TScreenSaverThread *Worker = nullptr;
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

  std::unique_ptr<TTileStrip> Image1;
};
