#include <chrono>

#include "random.h"

uint32_t MillisecondsOfDayUtc() {
  using namespace std::chrono;
  auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  return static_cast<uint32_t>(ms % 86400000);
}
