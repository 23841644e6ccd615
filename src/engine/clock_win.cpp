#include <windows.h>

#include "random.h"

uint32_t MillisecondsOfDayUtc() {
  SYSTEMTIME t;
  GetSystemTime(&t);
  return ((t.wHour * 60u + t.wMinute) * 60u + t.wSecond) * 1000u + t.wMilliseconds;
}
