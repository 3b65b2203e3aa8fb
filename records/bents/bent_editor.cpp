#include "records/bents/bent_editor.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>

#include "app/frm_main.h"
#include "app/settings.h"

namespace kv {
namespace {

// Layout in twips. Rows start 120 below the frame's top, 240 apart, 288 high.
constexpr int kFrameLeft = 240;
constexpr int kFrameTop = 720;
constexpr int kFrameWidth = 10692;
constexpr int kFrameHeight = 4932;
constexpr int kFirstTop = 120;
constexpr int kRowPitch = 240;
constexpr int kCellHeight = 288;
constexpr int kOverlap = 20;
constexpr int kClientWidth = 11325;
constexpr int kClientHeight = 6450;
constexpr int kButtonTop = 5880;

// Column lefts and widths inside Frame1, in the order of Row::Cells().
constexpr std::array<std::pair<int, int>, 11> kColumns = {{
    {0, 852},      // Text1 distance
    {840, 1572},   // Combo1 distance type
    {2400, 252},   // Text7 skew direction
    {2640, 1092},  // Text2 skew angle
    {3720, 1332},  // Combo2 skew type
    {5040, 612},   // Text3 fractional points
    {5640, 1212},  // Text4 description
    {6840, 612},   // Text5 sel. intersect
    {7440, 492},   // Text6 DL
    {7920, 612},   // Text8 sec. ref.
    {8520, 1692},  // List1 options
}};
constexpr std::array<const char*, 11> kNames = {"Text1", "Combo1", "Text7", "Text2", "Combo2", "Text3",
                                                "Text4", "Text5",  "Text6", "Text8", "List1"};

struct Heading {
  const char* text;
  int left, width;  // twips, window coordinates
};
// Over the frame, each heading centred over its columns.
constexpr std::array<Heading, 8> kHeadings = {{
    {"Distance", kFrameLeft + 0, 2412},
    {"Skew", kFrameLeft + 2400, 2652},
    {"Fractional Points", kFrameLeft + 5040, 612},
    {"Description", kFrameLeft + 5640, 1212},
    {"Sel. Intersect", kFrameLeft + 6840, 612},
    {"DL", kFrameLeft + 7440, 492},
    {"Sec. Ref.", kFrameLeft + 7920, 612},
    {"Options", kFrameLeft + 8520, 1692},
}};

struct Button {
  const char* name;
  const char* caption;
  int left, width;
};
constexpr std::array<Button, 4> kButtons = {{
    {"AddRecord", "Add Row", 1440, 1332},
    {"Delete", "Delete Row", 3720, 1212},
    {"Insert", "Insert Row", 5640, 1452},
    {"Command1", "Hide", 7800, 1212},
}};

constexpr const char* kFullMessage =
    "The bent line table is full: no more rows can be added.";

// Unscrolled top of row i: the designed rows 240 apart, each appended row just below
// the one before, overlapping its border.
int DesignedTop(int i) {
  if (i < kBentInitialRows) return kFirstTop + kRowPitch * i;
  return kFirstTop + kRowPitch * (kBentInitialRows - 1) + (kCellHeight - kOverlap) * (i - kBentInitialRows + 1);
}

BentRow& RowAt(Project& p, int i) { return p.BentLine.rows[static_cast<size_t>(i)]; }

void FillCombo(QComboBox* c, const auto& items) {
  for (const char* item : items) c->addItem(QString::fromLatin1(item));
}

// The combo shows the row's text; the selected item, when there is one, is current.
void ShowCombo(QComboBox* c, int index, const std::string& text) {
  c->setCurrentIndex(index >= 0 && index < c->count() ? index : -1);
  c->setEditText(QString::fromLatin1(text));
}

void ShowSelectionTip(QListWidget* l) {
  QStringList chosen;
  for (int k = 0; k < l->count(); ++k)
    if (l->item(k)->isSelected()) chosen.append(l->item(k)->text());
  l->setToolTip(chosen.isEmpty() ? QStringLiteral("No option selected") : chosen.join(QStringLiteral(", ")));
}

void ShowMessage(QWidget* parent, const QString& text) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* main = qobject_cast<frmMain*>(w); main != nullptr && main->platform().messages != nullptr) {
      main->platform().messages->Show(parent, QString::fromLatin1(kProgramTitle), text);
      return;
    }
  }
  QMessageBox::information(parent, QString::fromLatin1(kProgramTitle), text);
}

}  // namespace

std::array<QWidget*, 11> BentLine::Row::Cells() const {
  return {Text1, Combo1, Text7, Text2, Combo2, Text3, Text4, Text5, Text6, Text8, List1};
}

BentLine::BentLine(Project& project, QWidget* parent) : EditorWindow(project, parent) {
  setWindowTitle(QStringLiteral("Bent Line Data"));
  setFixedSize(Px(kClientWidth), Px(kClientHeight));

  for (const Heading& h : kHeadings) {
    auto* l = new QLabel(QString::fromLatin1(h.text), this);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    l->setWordWrap(true);
    // Narrow columns get room on both sides for their two-line headings.
    const int extra = h.width < 900 ? (900 - h.width) / 2 : 0;
    l->setGeometry(Px(h.left - extra), Px(60), Px(h.width + 2 * extra), Px(kFrameTop - 90));
  }

  Frame1_ = new QFrame(this);
  Frame1_->setObjectName(QStringLiteral("Frame1"));
  Frame1_->setFrameShape(QFrame::Box);
  Frame1_->setGeometry(Px(kFrameLeft), Px(kFrameTop), Px(kFrameWidth), Px(kFrameHeight));

  VScroll1_ = new QScrollBar(Qt::Vertical, Frame1_);
  VScroll1_->setObjectName(QStringLiteral("VScroll1"));
  VScroll1_->setGeometry(Px(10320), Px(120), Px(252), Px(4692));
  VScroll1_->setMinimum(0);
  connect(VScroll1_, &QScrollBar::valueChanged, this, [this](int v) {
    if (!loading_) VScroll1_Change(v);
  });

  for (const Button& b : kButtons) {
    auto* button = new QPushButton(QString::fromLatin1(b.caption), this);
    button->setObjectName(QString::fromLatin1(b.name));
    button->setGeometry(Px(b.left), Px(kButtonTop), Px(b.width), Px(372));
  }
  connect(findChild<QPushButton*>("AddRecord"), &QPushButton::clicked, this, &BentLine::AddRecord_Click);
  connect(findChild<QPushButton*>("Insert"), &QPushButton::clicked, this, &BentLine::Insert_Click);
  connect(findChild<QPushButton*>("Delete"), &QPushButton::clicked, this, &BentLine::Delete_Click);
  connect(findChild<QPushButton*>("Command1"), &QPushButton::clicked, this, &EditorWindow::HideEditor);

  // The cell that loses the focus names the row the buttons act on; this runs before
  // the clicked button's handler.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget*) { FocusChanged(old); });

  Refresh();
}

int BentLine::Px(double twips) const { return TwipsToPixels(twips, logicalDpiY()); }

void BentLine::CreateRow(int top) {
  const int i = int(rows_.size());
  Row r;
  r.top = top;
  r.Text1 = new QLineEdit(Frame1_);
  r.Combo1 = new QComboBox(Frame1_);
  r.Text7 = new QLineEdit(Frame1_);
  r.Text2 = new QLineEdit(Frame1_);
  r.Combo2 = new QComboBox(Frame1_);
  r.Text3 = new QLineEdit(Frame1_);
  r.Text4 = new QLineEdit(Frame1_);
  r.Text5 = new QLineEdit(Frame1_);
  r.Text6 = new QLineEdit(Frame1_);
  r.Text8 = new QLineEdit(Frame1_);
  r.List1 = new QListWidget(Frame1_);

  for (QComboBox* c : {r.Combo1, r.Combo2}) {
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
  }
  FillCombo(r.Combo1, kBentDistanceTypeItems);
  FillCombo(r.Combo2, kBentSkewTypeItems);
  for (QComboBox* c : {r.Combo1, r.Combo2}) c->view()->setMinimumWidth(c->view()->sizeHintForColumn(0) + 8);
  for (const char* item : kBentOptionItems) r.List1->addItem(QString::fromLatin1(item));
  r.List1->setSelectionMode(QAbstractItemView::MultiSelection);
  r.List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  r.List1->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  r.List1->setUniformItemSizes(true);
  ShowSelectionTip(r.List1);

  const auto cells = r.Cells();
  for (size_t c = 0; c < cells.size(); ++c) {
    cells[c]->setObjectName(QString::fromLatin1(kNames[c]));
    cells[c]->setProperty("Index", i);
  }

  // Every edit goes straight into the row of the project.
  auto text = [this, i](QLineEdit* e, std::string BentRow::*field) {
    connect(e, &QLineEdit::textChanged, this, [this, i, field](const QString& t) {
      if (!loading_) RowAt(project(), i).*field = t.toLatin1().toStdString();
    });
  };
  text(r.Text1, &BentRow::Text1);
  text(r.Text7, &BentRow::Text7);
  text(r.Text2, &BentRow::Text2);
  text(r.Text3, &BentRow::Text3);
  text(r.Text4, &BentRow::Text4);
  text(r.Text5, &BentRow::Text5);
  text(r.Text6, &BentRow::Text6);
  text(r.Text8, &BentRow::Text8);

  auto combo = [this, i](QComboBox* c, int BentRow::*index, std::string BentRow::*shown) {
    connect(c, &QComboBox::activated, this, [this, i, index, shown, c](int k) {
      if (loading_) return;
      BentRow& row = RowAt(project(), i);
      row.*index = k;
      row.*shown = c->itemText(k).toLatin1().toStdString();
    });
    // Typed text is only shown: nothing is chosen until an item is picked.
    connect(c->lineEdit(), &QLineEdit::textEdited, this, [this, i, index, shown](const QString& t) {
      if (loading_) return;
      BentRow& row = RowAt(project(), i);
      row.*index = -1;
      row.*shown = t.toLatin1().toStdString();
    });
  };
  combo(r.Combo1, &BentRow::Combo1, &BentRow::Combo1Text);
  combo(r.Combo2, &BentRow::Combo2, &BentRow::Combo2Text);

  QListWidget* list = r.List1;
  connect(list, &QListWidget::itemSelectionChanged, this, [this, i, list] {
    ShowSelectionTip(list);
    if (loading_) return;
    BentRow& row = RowAt(project(), i);
    for (int k = 0; k < list->count() && k < int(row.List1.size()); ++k) row.List1[k] = list->item(k)->isSelected();
  });

  PlaceRow(r);
  for (QWidget* w : cells) w->show();
  VScroll1_->raise();
  rows_.push_back(r);
}

void BentLine::RemoveLastRow() {
  for (QWidget* w : rows_.back().Cells()) delete w;
  rows_.pop_back();
}

void BentLine::PlaceRow(Row& r) {
  const auto cells = r.Cells();
  for (size_t c = 0; c < cells.size(); ++c)
    cells[c]->setGeometry(Px(kColumns[c].first), Px(r.top), Px(kColumns[c].second), Px(kCellHeight));
}

void BentLine::ShowRow(int i) {
  const bool was = loading_;
  loading_ = true;
  const BentRow& d = RowAt(project(), i);
  Row& r = rows_[static_cast<size_t>(i)];
  r.Text1->setText(QString::fromLatin1(d.Text1));
  ShowCombo(r.Combo1, d.Combo1, d.Combo1Text);
  r.Text7->setText(QString::fromLatin1(d.Text7));
  r.Text2->setText(QString::fromLatin1(d.Text2));
  ShowCombo(r.Combo2, d.Combo2, d.Combo2Text);
  r.Text3->setText(QString::fromLatin1(d.Text3));
  r.Text4->setText(QString::fromLatin1(d.Text4));
  r.Text5->setText(QString::fromLatin1(d.Text5));
  r.Text6->setText(QString::fromLatin1(d.Text6));
  r.Text8->setText(QString::fromLatin1(d.Text8));
  for (int k = 0; k < r.List1->count() && k < int(d.List1.size()); ++k) r.List1->item(k)->setSelected(d.List1[k]);
  ShowSelectionTip(r.List1);
  loading_ = was;
}

void BentLine::SyncScrollBar() {
  const GridScroll& s = project().BentLine.scroll;
  const bool was = loading_;
  loading_ = true;
  VScroll1_->setSingleStep(s.Small);
  VScroll1_->setPageStep(s.Large);
  VScroll1_->setMaximum(s.Max);
  VScroll1_->setValue(s.Pos);
  loading_ = was;
}

void BentLine::Refresh() {
  const int n = BentRowCount(project().BentLine);
  while (int(rows_.size()) > n) RemoveLastRow();
  // The rows stand where the scroll value last applied has put them.
  const int pos = project().BentLine.scroll.Pos;
  for (int i = 0; i < int(rows_.size()); ++i) {
    rows_[i].top = DesignedTop(i) - pos;
    PlaceRow(rows_[i]);
  }
  while (int(rows_.size()) < n) CreateRow(DesignedTop(int(rows_.size())) - pos);
  for (int i = 0; i < n; ++i) ShowRow(i);
  if (CurrentRow_ >= n) CurrentRow_ = 0;
  SyncScrollBar();
}

void BentLine::AddRecord_Click() {
  if (!AddBentRow(project().BentLine)) {
    ShowMessage(this, QString::fromLatin1(kFullMessage));
    return;
  }
  CreateRow(rows_.back().top + kCellHeight - kOverlap);
  ShowRow(int(rows_.size()) - 1);
  SyncScrollBar();
}

void BentLine::Insert_Click() {
  if (!InsertBentRow(project().BentLine, CurrentRow_)) {
    ShowMessage(this, QString::fromLatin1(kFullMessage));
    return;
  }
  CreateRow(rows_.back().top + kCellHeight - kOverlap);
  for (int i = CurrentRow_; i < int(rows_.size()); ++i) ShowRow(i);
  SyncScrollBar();
}

void BentLine::Delete_Click() {
  DeleteBentRow(project().BentLine, CurrentRow_);
  for (int i = CurrentRow_; i < int(rows_.size()); ++i) ShowRow(i);
}

void BentLine::VScroll1_Change(int value) {
  GridScroll& s = project().BentLine.scroll;
  const int16_t delta = static_cast<int16_t>(s.Pos - value);
  for (Row& r : rows_) {
    r.top += delta;
    PlaceRow(r);
  }
  s.Pos = static_cast<int16_t>(value);
}

void BentLine::FocusChanged(QWidget* old) {
  // A combo's editor is a child of the combo; the cell is the widget with an Index.
  for (QWidget* w = old; w != nullptr && w != this; w = w->parentWidget()) {
    if (w->parentWidget() == Frame1_ && w->property("Index").isValid()) {
      CurrentRow_ = static_cast<int16_t>(w->property("Index").toInt());
      return;
    }
  }
}

}  // namespace kv
