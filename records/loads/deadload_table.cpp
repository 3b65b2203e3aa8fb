#include "records/loads/deadload_table.h"

namespace kv {

bool DeadLoadRow::IsEmpty() const {
  for (auto cell : kDeadLoadCells)
    if (!(this->*cell).empty()) return false;
  return true;
}

int DeadLoadRowCount(const DeadLoadTable& t) { return int(t.rows.size()); }

bool AddDeadLoadRow(DeadLoadTable& t) {
  if (!t.scroll.CanGrow(1)) return false;
  MakeRoom(t.rows, t.scroll);
  t.rows.emplace_back();
  t.scroll.Grow(1);
  return true;
}

bool InsertDeadLoadRow(DeadLoadTable& t, int currentRow) {
  if (currentRow < 0 || currentRow >= DeadLoadRowCount(t) || !t.scroll.CanGrow(2)) return false;
  AddDeadLoadRow(t);
  for (int i = DeadLoadRowCount(t) - 2; i >= currentRow; --i) t.rows[i + 1] = t.rows[i];
  t.rows[currentRow] = DeadLoadRow{};
  t.scroll.Grow(1);
  return true;
}

void DeleteDeadLoadRow(DeadLoadTable& t, int currentRow) {
  const int n = DeadLoadRowCount(t);
  if (currentRow < 0 || currentRow >= n) return;
  for (int i = currentRow; i <= n - 2; ++i) t.rows[i] = t.rows[i + 1];
  t.rows[n - 1] = DeadLoadRow{};
}

}  // namespace kv
