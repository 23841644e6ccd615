// Exits with 1 when the system has been told that a screen saver runs, else 0. A process of
// its own: Wine caches such system parameters in each process at the first read.
#include <windows.h>

int main() {
  BOOL running = FALSE;
  SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
  return running ? 1 : 0;
}
