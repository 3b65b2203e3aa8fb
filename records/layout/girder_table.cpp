#include "records/layout/girder_table.h"

namespace kv {
namespace {

template <std::size_t N>
std::vector<std::string> Items(const std::array<const char*, N>& a) {
  return std::vector<std::string>(a.begin(), a.end());
}

// What an emptied row shows. The offset type entries and the terminal cells' states
// belong to the row's last line-type change and stay.
void EmptyGirderRow(GirderRow& r) {
  r.Combo1 = -1;
  r.Combo1Text = kGirderLineTypePrompt;
  r.Combo2 = -1;
  r.Combo2Text = kGirderOffsetTypePrompt;
  r.Combo3 = -1;
  r.Combo3Text = kGirderOffsetTypePrompt;
  r.Text1.clear();
  r.Text2.clear();
  r.Text3.clear();
  r.Text4.clear();
  r.Text13.clear();
  r.Text16.clear();
  r.List1 = {};
}

// One row onto another cell by cell, as the grid does it: the line type first, so
// that its change has set the entries before the offset types are chosen in them.
void CopyGirderRow(const GirderRow& from, GirderRow& to) {
  to.Combo1Text = from.Combo1Text;
  ChooseGirderLineType(to, from.Combo1);
  to.Combo2Text = from.Combo2Text;
  ChooseGirderTerminalOffsetType(to, from.Combo2);
  to.Combo3Text = from.Combo3Text;
  ChooseGirderInitialOffsetType(to, from.Combo3);
  to.Text1 = from.Text1;
  to.Text2 = from.Text2;
  to.Text3 = from.Text3;
  to.Text4 = from.Text4;
  to.Text13 = from.Text13;
  to.Text16 = from.Text16;
  to.List1 = from.List1;
}

bool HasText(const std::string& s) { return s.find_first_not_of(' ') != std::string::npos; }

}  // namespace

bool GirderRowHoldsValues(const GirderRow& r) {
  for (const std::string* t : {&r.Text1, &r.Text2, &r.Text3, &r.Text13, &r.Text16})
    if (HasText(*t)) return true;
  for (bool option : r.List1)
    if (option) return true;
  return r.Combo1 >= 0 || r.Combo2 >= 0 || r.Combo3 >= 0;
}

namespace {

const std::array<const char*, 4>& OffsetTypeItemsOf(int lineType) {
  if (lineType == kGirderSegmented) return kGirderSegmentedOffsetTypeItems;
  if (lineType == kGirderOffsetVaries) return kGirderVariesOffsetTypeItems;
  return kGirderOffsetTypeItems;
}

}  // namespace

std::vector<std::string> GirderOffsetTypeItemsFor(int lineType) {
  return Items(OffsetTypeItemsOf(lineType));
}

int GirderRowCount(const GirderTable& t) { return int(t.rows.size()); }

void GirderLineTypeChange(GirderRow& r) {
  // In the row's own room: every girder line read changes its line type.
  const auto& items = OffsetTypeItemsOf(r.Combo1);
  r.Combo3Items.assign(items.begin(), items.end());
  r.Combo3 = -1;
  r.Combo3Text = kGirderOffsetTypePrompt;
  const bool flared = r.Combo1 == kGirderFlared;
  r.Text2Enabled = flared;
  r.Combo2Enabled = flared;
}

void GirderLineTypeChange(GirderTable& t, int row) {
  if (row >= 0 && row < GirderRowCount(t)) GirderLineTypeChange(t.rows[row]);
}

void ChooseGirderLineType(GirderRow& r, int index) {
  r.Combo1 = index;
  if (index >= 0 && index < int(kGirderLineTypeItems.size())) r.Combo1Text = kGirderLineTypeItems[index];
  GirderLineTypeChange(r);
}

void ChooseGirderInitialOffsetType(GirderRow& r, int index) {
  r.Combo3 = index;
  if (index >= 0 && index < int(r.Combo3Items.size())) r.Combo3Text = r.Combo3Items[index];
}

void ChooseGirderTerminalOffsetType(GirderRow& r, int index) {
  r.Combo2 = index;
  if (index >= 0 && index < int(kGirderOffsetTypeItems.size()))
    r.Combo2Text = kGirderOffsetTypeItems[index];
}

bool AddGirderRow(GirderTable& t) {
  if (!t.scroll.CanGrow(1)) return false;
  GirderRow r;
  // A new cell takes its column's first cell as pattern: the entries row 0 offers
  // now, and the terminal offset's state; the terminal offset type is enabled.
  if (!t.rows.empty()) {
    r.Combo3Items = t.rows[0].Combo3Items;
    r.Text2Enabled = t.rows[0].Text2Enabled;
  }
  r.Combo2Enabled = true;
  MakeRoom(t.rows, t.scroll);
  t.rows.push_back(std::move(r));
  t.scroll.Grow(1);
  return true;
}

bool InsertGirderRow(GirderTable& t, int currentRow) {
  if (currentRow < 0 || currentRow >= GirderRowCount(t) || !t.scroll.CanGrow(2)) return false;
  AddGirderRow(t);
  for (int i = GirderRowCount(t) - 2; i >= currentRow; --i) CopyGirderRow(t.rows[i], t.rows[i + 1]);
  EmptyGirderRow(t.rows[currentRow]);
  t.scroll.Grow(1);
  return true;
}

void DeleteGirderRow(GirderTable& t, int currentRow) {
  const int n = GirderRowCount(t);
  if (currentRow < 0 || currentRow >= n) return;
  for (int i = currentRow; i <= n - 2; ++i) CopyGirderRow(t.rows[i + 1], t.rows[i]);
  EmptyGirderRow(t.rows[n - 1]);
}

}  // namespace kv
