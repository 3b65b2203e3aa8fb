// The scroll arithmetic every grid shares: a 16-bit signed maximum that grows by a
// fixed step per appended row. The maximum bounds how many rows a grid can hold.
#pragma once

#include <cstddef>
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
  // How many more rows the maximum leaves room for.
  int RowsLeft() const { return Step > 0 ? (32767 - int(Max)) / int(Step) : 0; }
};

// Before a table's first row beyond those it has room for: room for every row it can
// still take, so appending rows one by one never moves the rows already there.
template <class Rows>
void MakeRoom(Rows& rows, const GridScroll& s) {
  if (rows.size() == rows.capacity()) rows.reserve(rows.size() + static_cast<std::size_t>(s.RowsLeft()));
}

}  // namespace kv
