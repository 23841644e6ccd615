#include "clock.h"

#include <windows.h>

#include "random.h"

uint32_t ClockSeed() {
  SYSTEMTIME t;
  GetSystemTime(&t);
  return MillisecondsOfDay(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}
