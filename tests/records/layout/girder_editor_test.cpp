#include "records/layout/girder_editor.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <fstream>
#include <sstream>

#include "../../app/shell_fakes.h"
#include "app/control_grid.h"
#include "app/settings.h"
#include "inputfile/input_file.h"

namespace kv {
namespace {

QStringList ItemsOf(QWidget* w) {
  QStringList out;
  if (auto* c = qobject_cast<QComboBox*>(w))
    for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
  if (auto* l = qobject_cast<QListWidget*>(w))
    for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
  return out;
}

struct Window {
  Project p;
  GirderLine w{p};
  Window() {
    w.show();
    QApplication::setActiveWindow(&w);
  }
  QWidget* Cell(int row, const char* name) const { return w.Grid().Cell(row, QString::fromLatin1(name)); }
  QComboBox* Combo(int row, const char* name) const { return qobject_cast<QComboBox*>(Cell(row, name)); }
  QString Text(int row, const char* name) const { return qobject_cast<QLineEdit*>(Cell(row, name))->text(); }
  void Type(int row, const char* name, const char* text) {
    Cell(row, name)->setFocus();
    QTest::keyClicks(Cell(row, name), QString::fromLatin1(text));
  }
  // As the user picks with the keyboard: down from nothing chosen to the entry.
  void Pick(int row, const char* name, int index) {
    QComboBox* c = Combo(row, name);
    c->setFocus();
    while (c->currentIndex() != index) QTest::keyClick(c, c->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    ASSERT_EQ(c->currentIndex(), index);
  }
  void Click(const char* button) { QTest::mouseClick(w.findChild<QPushButton*>(button), Qt::LeftButton); }
  int Px(double twips) const { return TwipsToPixels(twips, w.logicalDpiY()); }
};

TEST(GirderLineEditor, ColumnsFrameScrollBarButtonsAndHeadings) {
  Window f;
  EXPECT_EQ(f.w.windowTitle(), "Girder Line");
  EXPECT_EQ(f.w.objectName(), "GirderLine");
  struct Col {
    const char* name;
    const char* kind;
    int left, width, height;
    QStringList items;
  };
  const Col cols[] = {
      {"Combo1", "QComboBox", 0, 1332, 288,
       {"Parallel to Horiz.", "Segmented", "Parallel to Layout", "Flared Girder Line", "Offset Varies"}},
      {"Text1", "QLineEdit", 1320, 852, 288, {}},
      {"Combo3", "QComboBox", 2160, 1092, 288, {"Bent from LOL", "Norm. from LOL", "Bent from HCL", "Norm. from HCL"}},
      {"Text2", "QLineEdit", 3240, 1092, 288, {}},
      {"Combo2", "QComboBox", 4320, 1092, 288, {"Bent from LOL", "Norm. from LOL", "Bent from HCL", "Norm. from HCL"}},
      {"Text3", "QLineEdit", 5400, 972, 288, {}},
      {"Text4", "QLineEdit", 6360, 1212, 288, {}},
      {"Text13", "QLineEdit", 7560, 492, 288, {}},
      {"Text16", "QLineEdit", 8040, 252, 288, {}},
      {"List1", "QListWidget", 8400, 1692, 255,
       {"Girder lines Parallel", "Layout line is a chord", "Camber cutting diagram", "Type 4 constant offset",
        "Suppress listing"}},
  };
  ASSERT_EQ(f.w.Grid().RowCount(), 20);
  for (const Col& c : cols) {
    for (int row : {0, 7, 19}) {
      SCOPED_TRACE(std::string(c.name) + " row " + std::to_string(row));
      QWidget* x = f.Cell(row, c.name);
      ASSERT_NE(x, nullptr);
      EXPECT_EQ(x->objectName(), c.name);
      EXPECT_EQ(x->property("Index").toInt(), row);
      EXPECT_EQ(x->parentWidget()->objectName(), "Frame1");
      EXPECT_TRUE(x->inherits(c.kind));
      EXPECT_EQ(x->geometry(), QRect(f.Px(c.left), f.Px(240 * row), f.Px(c.width), f.Px(c.height)));
      EXPECT_EQ(ItemsOf(x), c.items);
      EXPECT_TRUE(x->isEnabled());
    }
  }
  EXPECT_EQ(f.Combo(3, "Combo1")->currentText(), "Line Type");
  EXPECT_EQ(f.Combo(3, "Combo3")->currentText(), "Offset Type");
  EXPECT_EQ(f.Combo(3, "Combo1")->currentIndex(), -1);
  const QFont mono = f.Cell(0, "Text13")->font();
  EXPECT_EQ(mono.family(), "Courier New");
  EXPECT_EQ(QFontMetrics(mono).horizontalAdvance("ii"), QFontMetrics(mono).horizontalAdvance("WW"));
  EXPECT_NE(QFontMetrics(f.Cell(0, "Text4")->font()).horizontalAdvance("ii"),
            QFontMetrics(f.Cell(0, "Text4")->font()).horizontalAdvance("WW"));
  EXPECT_EQ(qobject_cast<QListWidget*>(f.Cell(0, "List1"))->selectionMode(), QAbstractItemView::MultiSelection);

  QFrame* frame = f.w.findChild<QFrame*>("Frame1");
  EXPECT_EQ(frame->geometry(), QRect(f.Px(120), f.Px(720), f.Px(10452), f.Px(4932)));
  QScrollBar* bar = f.w.findChild<QScrollBar*>("VScroll1");
  EXPECT_EQ(bar->parentWidget(), frame);
  EXPECT_EQ(bar->geometry().topLeft(), QPoint(f.Px(10080), 0));
  EXPECT_EQ(bar->height(), f.Px(4812));
  EXPECT_EQ((std::array{bar->minimum(), bar->maximum(), bar->singleStep(), bar->pageStep(), bar->value()}),
            (std::array{0, 3000, 100, 300, 0}));

  const std::tuple<const char*, const char*, int> buttons[] = {
      {"AddRecord", "Add New Row", 1440}, {"Delete", "Delete Row", 3720},
      {"Insert", "Insert Row", 5640},     {"Command3", "Hide", 7800}};
  for (auto [name, caption, left] : buttons) {
    auto* b = f.w.findChild<QPushButton*>(name);
    ASSERT_NE(b, nullptr) << name;
    EXPECT_EQ(b->text(), caption);
    EXPECT_EQ(b->pos(), QPoint(f.Px(left), f.Px(5760))) << name;
  }
  const std::tuple<const char*, int, int> headings[] = {
      {"Line Type", 120, 360},       {"Offset Distance", 2520, 120}, {"Initial", 2040, 360},
      {"Terminal", 3960, 360},       {"Elevation Shift", 5520, 120}, {"Description", 6360, 360},
      {"X-Type Frac. Points", 7560, 0}, {"DL Char.", 8040, 240},     {"Options", 8520, 360}};
  const auto labels = f.w.findChildren<QLabel*>();
  ASSERT_EQ(labels.size(), std::size(headings));
  for (size_t i = 0; i < labels.size(); ++i) {
    EXPECT_EQ(labels[i]->text(), std::get<0>(headings[i]));
    EXPECT_EQ(labels[i]->pos(), QPoint(f.Px(std::get<1>(headings[i])), f.Px(std::get<2>(headings[i]))));
  }
}

TEST(GirderLineEditor, AddNewRowAppendsBelowTheLast) {
  Window f;
  f.Click("AddRecord");
  ASSERT_EQ(f.w.Grid().RowCount(), 21);
  EXPECT_EQ(f.p.GirderLine.rows.size(), 21u);
  EXPECT_EQ(f.w.findChild<QScrollBar*>("VScroll1")->maximum(), 3300);
  EXPECT_EQ(f.p.GirderLine.scroll.Max, 3300);
  EXPECT_DOUBLE_EQ(f.w.Grid().RowTop(20), 19 * 240 + 288 - 50);
  EXPECT_EQ(ItemsOf(f.Cell(20, "Combo1")).size(), 5);
  EXPECT_EQ(f.Combo(20, "Combo1")->currentText(), "Line Type");
}

TEST(GirderLineEditor, DeleteAndInsertActOnTheRowThatLastLostFocus) {
  struct Case {
    const char* what;
    int focusRow;  // -1: no cell had the focus
    const char* button;
    std::vector<std::string> expected;  // descriptions of rows 0, 1, 2 and the last
    int rows, max;
  };
  const Case cases[] = {
      {"delete before any focus", -1, "Delete", {"D1", "D2", "", ""}, 20, 3000},
      {"delete row 1", 1, "Delete", {"D0", "D2", "", ""}, 20, 3000},
      {"delete row 2", 2, "Delete", {"D0", "D1", "", ""}, 20, 3000},
      {"delete the last row", 19, "Delete", {"D0", "D1", "D2", ""}, 20, 3000},
      {"insert at row 0", 0, "Insert", {"", "D0", "D1", "D19"}, 21, 3600},
      {"insert at row 1", 1, "Insert", {"D0", "", "D1", "D19"}, 21, 3600},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Window f;
    for (int i : {0, 1, 2, 19}) f.p.GirderLine.rows[i].Text4 = "D" + std::to_string(i);
    f.w.Refresh();
    if (c.focusRow >= 0) f.Cell(c.focusRow, "Text1")->setFocus();
    f.Click(c.button);  // the cell loses the focus to the button, then the button acts
    const int n = f.w.Grid().RowCount();
    ASSERT_EQ(n, c.rows);
    EXPECT_EQ(f.p.GirderLine.scroll.Max, c.max);
    EXPECT_EQ(f.w.findChild<QScrollBar*>("VScroll1")->maximum(), c.max);
    const int shown[] = {0, 1, 2, n - 1};
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(f.Text(shown[k], "Text4").toStdString(), c.expected[k]) << "row " << shown[k];
      EXPECT_EQ(f.p.GirderLine.rows[shown[k]].Text4, c.expected[k]) << "row " << shown[k];
    }
  }
}

TEST(GirderLineEditor, LineTypeSetsOffsetEntriesAndTerminalCells) {
  Window f;
  const QStringList standard = {"Bent from LOL", "Norm. from LOL", "Bent from HCL", "Norm. from HCL"};
  const struct {
    int type;
    QStringList entries;
    bool terminal;
  } steps[] = {{1, {"Normal from base", "", "", ""}, false},
               {4, {"Fr HC at Nom. CS", "Fr HC at Level CS", "Fr Pivot at Nom. CS", "Fr Pivot at Level CS"}, false},
               {3, standard, true},
               {0, standard, false}};
  f.Type(2, "Text2", "7.5");
  for (const auto& s : steps) {
    SCOPED_TRACE(s.type);
    f.Pick(2, "Combo3", 0);
    f.Pick(2, "Combo1", s.type);
    EXPECT_EQ(ItemsOf(f.Cell(2, "Combo3")), s.entries);
    EXPECT_EQ(f.Combo(2, "Combo3")->currentIndex(), -1);
    EXPECT_EQ(f.Combo(2, "Combo3")->currentText(), "Offset Type");
    EXPECT_EQ(f.p.GirderLine.rows[2].Combo3, -1);
    EXPECT_EQ(f.Cell(2, "Text2")->isEnabled(), s.terminal);
    EXPECT_EQ(f.Cell(2, "Combo2")->isEnabled(), s.terminal);
    EXPECT_EQ(f.Text(2, "Text2"), "7.5");
    EXPECT_TRUE(f.Cell(1, "Text2")->isEnabled());  // the other rows stay as they were
  }
}

TEST(GirderLineEditor, FlaredLineMovedUpByDeleteKeepsItsCells) {
  Window f;
  f.Pick(0, "Combo1", 1);  // segmented row 0, its own entries
  f.Pick(1, "Combo1", 3);
  f.Pick(1, "Combo3", 2);
  f.Pick(1, "Combo2", 1);
  f.Type(1, "Text2", "14.5");
  f.Cell(0, "Text1")->setFocus();
  f.Click("Delete");
  EXPECT_EQ(f.Combo(0, "Combo1")->currentText(), "Flared Girder Line");
  EXPECT_EQ(ItemsOf(f.Cell(0, "Combo3")), QStringList({"Bent from LOL", "Norm. from LOL", "Bent from HCL", "Norm. from HCL"}));
  EXPECT_EQ(f.Combo(0, "Combo3")->currentIndex(), 2);
  EXPECT_EQ(f.Combo(0, "Combo3")->currentText(), "Bent from HCL");
  EXPECT_EQ(f.Combo(0, "Combo2")->currentText(), "Norm. from LOL");
  EXPECT_TRUE(f.Cell(0, "Text2")->isEnabled());
  EXPECT_TRUE(f.Cell(0, "Combo2")->isEnabled());
  EXPECT_EQ(f.Text(0, "Text2"), "14.5");
  EXPECT_EQ(f.Combo(1, "Combo1")->currentText(), "Line Type");
  EXPECT_EQ(f.Combo(1, "Combo1")->currentIndex(), -1);
}

TEST(GirderLineEditor, ScrollingMovesEveryRowAndBack) {
  Window f;
  f.Click("AddRecord");
  QScrollBar* bar = f.w.findChild<QScrollBar*>("VScroll1");
  std::vector<int> before;
  for (int i = 0; i < f.w.Grid().RowCount(); ++i)
    for (int c = 0; c < 10; ++c) before.push_back(f.w.Grid().Cell(i, c)->y());
  bar->setValue(300);
  EXPECT_EQ(f.p.GirderLine.scroll.Pos, 300);
  EXPECT_EQ(f.Cell(2, "List1")->y(), f.Px(480 - 300));
  bar->setValue(0);
  std::vector<int> after;
  for (int i = 0; i < f.w.Grid().RowCount(); ++i)
    for (int c = 0; c < 10; ++c) after.push_back(f.w.Grid().Cell(i, c)->y());
  EXPECT_EQ(after, before);
  EXPECT_EQ(f.p.GirderLine.scroll.Pos, 0);
}

TEST(GirderLineEditor, TypedCellsAreWrittenInTheirColumns) {
  Window f;
  f.Pick(0, "Combo1", 3);
  f.Type(0, "Text1", "12.5");
  f.Pick(0, "Combo3", 1);
  f.Type(0, "Text2", "14.5");
  f.Pick(0, "Combo2", 2);
  f.Type(0, "Text3", "-0.125");
  f.Type(0, "Text4", "G1 TEST");
  f.Type(0, "Text13", "5");
  f.Type(0, "Text16", "E");
  auto* list = qobject_cast<QListWidget*>(f.Cell(0, "List1"));
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Space);
  for (int k = 0; k < 4; ++k) QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Space);
  // Typed text in a drop-down chooses nothing: the row is written with initial code 0.
  f.Pick(1, "Combo1", 0);
  f.Type(1, "Combo1", "x");
  f.Type(1, "Text4", "G2");

  QTemporaryDir dir;
  const std::string path = dir.filePath("g.dat").toStdString();
  ASSERT_TRUE(WriteInputFile(path, f.p, {}).ok);
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  std::vector<std::string> girders;
  std::string line;
  while (std::getline(all, line))
    if (line.rfind("05", 0) == 0) girders.push_back(line);
  ASSERT_EQ(girders.size(), 2u);
  EXPECT_EQ(girders[0], "053  1250002  1450003   -1250G1 TEST             X 5 E  X\r");
  EXPECT_EQ(girders[1].substr(0, 3), "05 ");
  EXPECT_EQ(girders[1].substr(11, 1), "0");
}

std::string GirderLines(int n) {
  std::string out;
  for (int i = 0; i < n; ++i) {
    char line[64];
    std::snprintf(line, sizeof line, "053  %02d00002  1450002   00000G%-19d\r\n", i, i);
    out += line;
  }
  return out;
}

TEST(GirderLineEditor, FileOpenShowsTheRowsTheReaderAppended) {
  QFile sample(QString::fromLatin1(KV_TEST_DATA) + "/bridge_english.dat");
  ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = sample.readAll().split('\n');
  QByteArray head;
  for (int i = 0; i < 14; ++i) head += lines[i] + '\n';  // up to the reference line
  testing::Shell shell;
  shell.window = std::make_unique<frmMain>(
      Platform{&shell.dialogs, &shell.messages, nullptr, nullptr, nullptr, &shell.clock, shell.settings.get()});
  auto write = [&](const char* name, int n) {
    QFile out(shell.Path(name));
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(head + QByteArray::fromStdString(GirderLines(n)));
    return shell.Path(name);
  };
  shell.window->OpenEditor(Form::Gird);
  auto* w = dynamic_cast<GirderLine*>(shell.Editor(Form::Gird));
  ASSERT_NE(w, nullptr);
  w->findChild<QScrollBar*>("VScroll1")->setValue(600);

  const std::pair<const char*, int> opens[] = {{"many.dat", 25}, {"few.dat", 5}, {"more.dat", 30}};
  for (auto [name, n] : opens) {
    SCOPED_TRACE(name);
    shell.dialogs.answers = {write(name, n)};
    shell.window->mnuFileOpen_Click();
    const int rows = std::max(20, n);
    ASSERT_EQ(w->Grid().RowCount(), rows);
    EXPECT_EQ(w->findChild<QScrollBar*>("VScroll1")->maximum(), 3000 + 300 * (rows - 20));
    EXPECT_EQ(w->findChild<QScrollBar*>("VScroll1")->value(), 0);
    const QString last = QStringLiteral("G%1").arg(n - 1, -19);
    EXPECT_EQ(qobject_cast<QLineEdit*>(w->Grid().Cell(n - 1, 6))->text(), last);
    EXPECT_EQ(qobject_cast<QComboBox*>(w->Grid().Cell(n - 1, 0))->currentText(), "Flared Girder Line");
    EXPECT_TRUE(w->Grid().Cell(n - 1, 3)->isEnabled());
    EXPECT_DOUBLE_EQ(w->Grid().RowTop(rows - 1), rows > 20 ? 19 * 240 + 238 * (rows - 20) : 19 * 240);
  }
  EXPECT_TRUE(shell.messages.texts.isEmpty()) << shell.messages.texts.join("|").toStdString();
}

TEST(GirderLineEditor, FullTableRefusesTheRowWithAMessage) {
  testing::Shell shell;
  GirderLine w(shell.window->project());
  for (int i = 0; i < 99; ++i) w.AddRecord_Click();
  EXPECT_TRUE(shell.messages.texts.isEmpty());
  w.AddRecord_Click();
  w.Insert_Click();
  EXPECT_EQ(w.Grid().RowCount(), 119);
  EXPECT_EQ(shell.window->project().GirderLine.rows.size(), 119u);
  EXPECT_EQ(w.findChild<QScrollBar*>("VScroll1")->maximum(), 32700);
  EXPECT_EQ(shell.messages.texts,
            QStringList(2, "The girder line table is full: no more rows can be added."));
}

}  // namespace
}  // namespace kv
