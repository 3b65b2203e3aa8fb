#include "records/bents/bent_table.h"

namespace kv {
namespace {

// What an emptied row shows. Option selections are not part of it: they stay.
void EmptyBentRow(BentRow& r) {
  r.Combo1 = -1;
  r.Combo1Text = kBentDistancePrompt;
  r.Combo2 = -1;
  r.Combo2Text = kBentSkewPrompt;
  r.Text1.clear();
  r.Text2.clear();
  r.Text3.clear();
  r.Text4.clear();
  r.Text5.clear();
  r.Text6.clear();
  r.Text7.clear();
  r.Text8.clear();
}

bool HasText(const std::string& s) { return s.find_first_not_of(' ') != std::string::npos; }

}  // namespace

bool BentRowHoldsValues(const BentRow& r) {
  for (const std::string* t : {&r.Text1, &r.Text2, &r.Text3, &r.Text5, &r.Text6, &r.Text8})
    if (HasText(*t)) return true;
  for (bool option : r.List1)
    if (option) return true;
  return r.Combo1 >= 0 || r.Combo2 >= 0;
}

int BentRowCount(const BentTable& t) { return int(t.rows.size()); }

void SelectBentDistanceType(BentRow& r, int index) {
  r.Combo1 = index;
  if (index >= 0 && index < int(kBentDistanceTypeItems.size()))
    r.Combo1Text = kBentDistanceTypeItems[index];
}

void SelectBentSkewType(BentRow& r, int index) {
  r.Combo2 = index;
  if (index >= 0 && index < int(kBentSkewTypeItems.size())) r.Combo2Text = kBentSkewTypeItems[index];
}

bool AddBentRow(BentTable& t) {
  if (!t.scroll.CanGrow(1)) return false;
  BentRow r;
  if (!t.rows.empty()) {
    r.Combo1Text = t.rows[0].Combo1Text;
    r.Combo2Text = t.rows[0].Combo2Text;
  }
  MakeRoom(t.rows, t.scroll);
  t.rows.push_back(std::move(r));
  t.scroll.Grow(1);
  return true;
}

bool InsertBentRow(BentTable& t, int currentRow) {
  if (currentRow < 0 || currentRow >= BentRowCount(t) || !t.scroll.CanGrow(2)) return false;
  AddBentRow(t);
  // Every field moves with its row, the option selections included.
  for (int i = BentRowCount(t) - 2; i >= currentRow; --i) t.rows[i + 1] = t.rows[i];
  EmptyBentRow(t.rows[currentRow]);
  t.scroll.Grow(1);
  return true;
}

void DeleteBentRow(BentTable& t, int currentRow) {
  const int n = BentRowCount(t);
  if (currentRow < 0 || currentRow >= n) return;
  for (int i = currentRow; i <= n - 2; ++i) t.rows[i] = t.rows[i + 1];
  EmptyBentRow(t.rows[n - 1]);
}

}  // namespace kv
