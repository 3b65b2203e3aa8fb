// The scroll arithmetic every grid shares: a 16-bit signed maximum that grows by a
// fixed step per appended row. The maximum bounds how many rows a grid can hold.
#pragma once

#include <cstdint>

namespace kv {

struct GridScroll {
  int16_t Max = 0;      // VScroll1.Max
  int16_t Step = 0;     // growth of Max per appended row
  int16_t Small = 0;    // VScroll1.SmallChange
  int16_t Large = 0;    // VScroll1.LargeChange
  int16_t Pos = 0;      // scroll value last applied to the rows (OverrideScrollPos, ...)

  // True when the maximum can grow by `steps` steps without passing 32767.
  bool CanGrow(int steps) const { return int(Max) + steps * int(Step) <= 32767; }
  void Grow(int steps) { Max = static_cast<int16_t>(int(Max) + steps * int(Step)); }
};

}  // namespace kv
