#include "records/loads/deadload_editor.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>

#include "app/frm_main.h"
#include "app/settings.h"

namespace kv {
namespace {

// Layout in twips. Rows start 120 below the frame's top, 240 apart, 288 high.
constexpr int kClientWidth = 11325;
constexpr int kClientHeight = 6450;
constexpr int kFrameLeft = 300;
constexpr int kFrameTop = 720;
constexpr int kFrameWidth = 10692;
constexpr int kFrameHeight = 5136;
constexpr int kFirstTop = 120;
constexpr int kRowPitch = 240;
constexpr int kCellHeight = 288;
constexpr int kOverlap = 20;
constexpr int kButtonTop = 6000;

// Lefts and widths inside Frame1 in grid order (kDeadLoadCellNames).
constexpr std::array<std::pair<int, int>, 14> kColumns = {{
    {0, 252}, {600, 252}, {1080, 252},  {1440, 852}, {2280, 972}, {3240, 852}, {4080, 852},
    {4920, 852}, {5760, 852}, {6600, 852}, {7440, 852}, {8280, 732}, {9000, 732}, {9720, 732},
}};

struct Heading {
  const char* text;
  int left, top, width, height;  // twips, relative to the frame's left and the window's top
};
constexpr std::array<Heading, 15> kHeadings = {{
    {"Girder Code", -240, 0, 720, 700},
    {"Bent Line Code", 480, 0, 480, 700},
    {"Units", 960, 0, 480, 700},
    {"Deflections at Tenth Points", 1440, 120, 9012, 260},
    {"0", 1440, 420, 852, 260},
    {"1", 2280, 420, 972, 260},
    {"2", 3240, 420, 852, 260},
    {"3", 4080, 420, 852, 260},
    {"4", 4920, 420, 852, 260},
    {"5", 5760, 420, 852, 260},
    {"6", 6600, 420, 852, 260},
    {"7", 7440, 420, 852, 260},
    {"8", 8280, 420, 732, 260},
    {"9", 9000, 420, 732, 260},
    {"10", 9720, 420, 732, 260},
}};

struct Button {
  const char* name;
  const char* caption;
  int left, width;
};
constexpr std::array<Button, 4> kButtons = {{
    {"AddRecord", "Add Row", 2040, 1332},
    {"Delete", "Delete Row", 4080, 1212},
    {"Insert", "Insert Row", 6000, 1452},
    {"Command3", "Hide", 8160, 1212},
}};

constexpr const char* kFullMessage =
    "The dead load table is full: no more rows can be added.";

// Unscrolled top of row i: the designed rows 240 apart, each appended row just below
// the one before, overlapping its border.
int DesignedTop(int i) {
  if (i < kDeadLoadInitialRows) return kFirstTop + kRowPitch * i;
  return kFirstTop + kRowPitch * (kDeadLoadInitialRows - 1) +
         (kCellHeight - kOverlap) * (i - kDeadLoadInitialRows + 1);
}

DeadLoadRow& RowAt(Project& p, int i) { return p.DeadLoad.rows[static_cast<size_t>(i)]; }

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

DeadLoad::DeadLoad(Project& project, QWidget* parent) : EditorWindow(project, parent) {
  setWindowTitle(QStringLiteral("Dead Load Deflection"));
  setFixedSize(Px(kClientWidth), Px(kClientHeight));

  for (const Heading& h : kHeadings) {
    auto* l = new QLabel(QString::fromLatin1(h.text), this);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    l->setWordWrap(true);
    l->setGeometry(Px(kFrameLeft + h.left), Px(h.top), Px(h.width), Px(h.height));
  }

  Frame1_ = new QFrame(this);
  Frame1_->setObjectName(QStringLiteral("Frame1"));
  Frame1_->setFrameShape(QFrame::Box);
  Frame1_->setGeometry(Px(kFrameLeft), Px(kFrameTop), Px(kFrameWidth), Px(kFrameHeight));

  VScroll1_ = new QScrollBar(Qt::Vertical, Frame1_);
  VScroll1_->setObjectName(QStringLiteral("VScroll1"));
  VScroll1_->setGeometry(Px(10440), Px(120), Px(252), Px(4812));
  VScroll1_->setMinimum(0);
  connect(VScroll1_, &QScrollBar::valueChanged, this, [this](int v) {
    if (!loading_) VScroll1_Change(v);
  });

  for (const Button& b : kButtons) {
    auto* button = new QPushButton(QString::fromLatin1(b.caption), this);
    button->setObjectName(QString::fromLatin1(b.name));
    button->setGeometry(Px(b.left), Px(kButtonTop), Px(b.width), Px(372));
  }
  connect(findChild<QPushButton*>("AddRecord"), &QPushButton::clicked, this, &DeadLoad::AddRecord_Click);
  connect(findChild<QPushButton*>("Insert"), &QPushButton::clicked, this, &DeadLoad::Insert_Click);
  connect(findChild<QPushButton*>("Delete"), &QPushButton::clicked, this, &DeadLoad::Delete_Click);
  connect(findChild<QPushButton*>("Command3"), &QPushButton::clicked, this, &EditorWindow::HideEditor);

  // The box that loses the focus names the row the buttons act on; this runs before
  // the clicked button's handler.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget*) { FocusChanged(old); });

  Refresh();
}

int DeadLoad::Px(double twips) const { return TwipsToPixels(twips, logicalDpiY()); }

void DeadLoad::CreateRow(int top) {
  const int i = int(rows_.size());
  Row r;
  r.top = top;
  for (size_t c = 0; c < r.cells.size(); ++c) {
    auto* e = new QLineEdit(Frame1_);
    e->setObjectName(QString::fromLatin1(kDeadLoadCellNames[c]));
    e->setProperty("Index", i);
    // Every edit goes straight into the row of the project.
    connect(e, &QLineEdit::textChanged, this, [this, i, c](const QString& t) {
      if (!loading_) RowAt(project(), i).*kDeadLoadCells[c] = t.toLatin1().toStdString();
    });
    r.cells[c] = e;
  }
  PlaceRow(r);
  for (QLineEdit* e : r.cells) e->show();
  rows_.push_back(r);
}

void DeadLoad::RemoveLastRow() {
  for (QLineEdit* e : rows_.back().cells) delete e;
  rows_.pop_back();
}

void DeadLoad::PlaceRow(const Row& r) {
  for (size_t c = 0; c < r.cells.size(); ++c)
    r.cells[c]->setGeometry(Px(kColumns[c].first), Px(r.top), Px(kColumns[c].second), Px(kCellHeight));
}

void DeadLoad::ShowRow(int i) {
  const bool was = loading_;
  loading_ = true;
  const DeadLoadRow& d = RowAt(project(), i);
  const Row& r = rows_[static_cast<size_t>(i)];
  for (size_t c = 0; c < r.cells.size(); ++c) r.cells[c]->setText(QString::fromLatin1(d.*kDeadLoadCells[c]));
  loading_ = was;
}

void DeadLoad::SyncScrollBar() {
  const GridScroll& s = project().DeadLoad.scroll;
  const bool was = loading_;
  loading_ = true;
  VScroll1_->setSingleStep(s.Small);
  VScroll1_->setPageStep(s.Large);
  VScroll1_->setMaximum(s.Max);
  VScroll1_->setValue(s.Pos);
  loading_ = was;
}

void DeadLoad::Refresh() {
  const int n = DeadLoadRowCount(project().DeadLoad);
  while (int(rows_.size()) > n) RemoveLastRow();
  // The rows stand where the scroll value last applied has put them.
  const int pos = project().DeadLoad.scroll.Pos;
  for (int i = 0; i < int(rows_.size()); ++i) {
    rows_[i].top = DesignedTop(i) - pos;
    PlaceRow(rows_[i]);
  }
  while (int(rows_.size()) < n) CreateRow(DesignedTop(int(rows_.size())) - pos);
  VScroll1_->raise();
  for (int i = 0; i < n; ++i) ShowRow(i);
  if (CurrentRow_ >= n) CurrentRow_ = 0;
  SyncScrollBar();
}

void DeadLoad::AddRecord_Click() {
  if (!AddDeadLoadRow(project().DeadLoad)) {
    ShowMessage(this, QString::fromLatin1(kFullMessage));
    return;
  }
  CreateRow(rows_.back().top + kCellHeight - kOverlap);
  VScroll1_->raise();
  ShowRow(int(rows_.size()) - 1);
  SyncScrollBar();
}

void DeadLoad::Insert_Click() {
  if (!InsertDeadLoadRow(project().DeadLoad, CurrentRow_)) {
    ShowMessage(this, QString::fromLatin1(kFullMessage));
    return;
  }
  CreateRow(rows_.back().top + kCellHeight - kOverlap);
  VScroll1_->raise();
  for (int i = CurrentRow_; i < int(rows_.size()); ++i) ShowRow(i);
  SyncScrollBar();
}

void DeadLoad::Delete_Click() {
  DeleteDeadLoadRow(project().DeadLoad, CurrentRow_);
  for (int i = CurrentRow_; i < int(rows_.size()); ++i) ShowRow(i);
}

void DeadLoad::VScroll1_Change(int value) {
  GridScroll& s = project().DeadLoad.scroll;
  const int16_t delta = static_cast<int16_t>(s.Pos - value);
  for (Row& r : rows_) {
    r.top += delta;
    PlaceRow(r);
  }
  s.Pos = static_cast<int16_t>(value);
}

void DeadLoad::FocusChanged(QWidget* old) {
  if (old != nullptr && old->parentWidget() == Frame1_ && old->property("Index").isValid())
    CurrentRow_ = static_cast<int16_t>(old->property("Index").toInt());
}

}  // namespace kv
