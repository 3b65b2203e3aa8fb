#include "records/bents/bent_editor.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "../../app/shell_fakes.h"
#include "app/settings.h"
#include "inputfile/input_file.h"

namespace kv {
namespace {

using testing::Shell;

// The program with its own editors; the bent window made as the menu makes it.
struct Program : Shell {
  Program() : Shell(DefaultEditorFactories()) {}
  BentLine& Window() { return *static_cast<BentLine*>(window->editors().Ensure(Form::Bent)); }
  BentTable& Table() { return window->project().BentLine; }
  QString Write(const QString& name, const std::string& text) {
    QFile f(Path(name.toLatin1()));
    f.open(QIODevice::WriteOnly);
    f.write(text.data(), qint64(text.size()));
    return f.fileName();
  }
  void Open(const QString& file) {
    dialogs.answers = {file};
    window->mnuFileOpen_Click();
  }
  std::vector<std::string> Saved06() {
    const std::string path = Path("saved.dat").toStdString();
    EXPECT_TRUE(WriteInputFile(path, window->project(), {}).ok);
    QFile f(QString::fromStdString(path));
    f.open(QIODevice::ReadOnly);
    std::vector<std::string> out;
    for (const QByteArray& l : f.readAll().split('\n'))
      if (l.startsWith("06")) out.push_back(l.trimmed().toStdString());
    return out;
  }
};

QString Text(BentLine& w, int row, const char* name) { return w.grid().CellText(row, w.grid().ColumnIndex(name)); }
QComboBox* Combo(BentLine& w, int row, const char* name) { return qobject_cast<QComboBox*>(w.grid().Cell(row, name)); }
QListWidget* List(BentLine& w, int row) { return qobject_cast<QListWidget*>(w.grid().Cell(row, "List1")); }
int Top(BentLine& w, int row) { return w.grid().Cell(row, "Text1")->y(); }
int Py(const QWidget& w, double twips) { return TwipsToPixels(twips, w.logicalDpiY()); }
int Px(const QWidget& w, double twips) { return TwipsToPixels(twips, w.logicalDpiX()); }

// The English sample with its "06" lines replaced by `bents`.
std::string InputFile(const std::vector<std::string>& bents) {
  QFile f(QStringLiteral(KV_TEST_DATA "/bridge_english.dat"));
  EXPECT_TRUE(f.open(QIODevice::ReadOnly));
  std::string out;
  bool placed = false;
  for (const QByteArray& l : f.readAll().split('\n')) {
    if (l.isEmpty()) continue;
    if (!l.startsWith("06")) {
      out += l.toStdString() + "\n";
    } else if (!placed) {
      for (const std::string& b : bents) out += b + "\r\n";
      placed = true;
    }
  }
  return out;
}

TEST(BentLineEditor, ColumnsRowsScrollBarAndButtons) {
  Program prog;
  BentLine& w = prog.Window();
  EXPECT_EQ(w.windowTitle(), "Bent Line Data");
  EXPECT_EQ(w.objectName(), "BentLine");
  struct Col {
    const char* name;
    const char* kind;
    int left, width;
  };
  const Col cols[] = {{"Text1", "QLineEdit", 0, 852},    {"Combo1", "QComboBox", 840, 1572},
                      {"Text7", "QLineEdit", 2400, 252}, {"Text2", "QLineEdit", 2640, 1092},
                      {"Combo2", "QComboBox", 3720, 1332}, {"Text3", "QLineEdit", 5040, 612},
                      {"Text4", "QLineEdit", 5640, 1212}, {"Text5", "QLineEdit", 6840, 612},
                      {"Text6", "QLineEdit", 7440, 492}, {"Text8", "QLineEdit", 7920, 612},
                      {"List1", "QListWidget", 8520, 1692}};
  for (const Col& c : cols) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(w.findChildren<QWidget*>(c.name).size(), 20);
    for (int row : {0, 19}) {
      QWidget* cell = w.grid().Cell(row, c.name);
      ASSERT_NE(cell, nullptr);
      EXPECT_TRUE(cell->inherits(c.kind));
      EXPECT_EQ(cell->property("Index").toInt(), row);
      EXPECT_EQ(cell->parentWidget()->objectName(), "Frame1");
      EXPECT_EQ(cell->geometry(), QRect(Px(w, c.left), Py(w, 120 + 240 * row), Px(w, c.width), Py(w, 288)));
    }
  }
  // Designed rows: "L" as skew direction, the prompts, no option chosen.
  EXPECT_EQ(Text(w, 7, "Text7"), "L");
  EXPECT_EQ(Combo(w, 7, "Combo1")->placeholderText(), "Distance Type");
  EXPECT_EQ(Combo(w, 7, "Combo2")->placeholderText(), "Skew Type");
  EXPECT_EQ(Combo(w, 7, "Combo1")->currentIndex(), -1);
  EXPECT_EQ(Combo(w, 7, "Combo1")->count(), 7);
  EXPECT_EQ(Combo(w, 7, "Combo2")->itemText(4), "Ahead Tangent");
  EXPECT_EQ(List(w, 7)->count(), 4);
  EXPECT_TRUE(List(w, 7)->selectedItems().isEmpty());

  QStringList headings;
  for (QLabel* l : w.findChildren<QLabel*>()) {
    headings << l->text();
    EXPECT_LT(l->geometry().bottom(), w.grid().Frame()->y()) << l->text().toStdString();
  }
  headings.sort();
  EXPECT_EQ(headings, QStringList({"DL", "Description", "Distance", "Fractional Points", "Options",
                                   "Sec. Ref.", "Sel. Intersect", "Skew"}));

  QScrollBar* bar = w.grid().ScrollBar();
  EXPECT_EQ(bar->objectName(), "VScroll1");
  EXPECT_EQ(QList<int>({bar->minimum(), bar->maximum(), bar->singleStep(), bar->pageStep(), bar->value()}),
            QList<int>({0, 3000, 100, 300, 0}));
  EXPECT_EQ(bar->geometry().topLeft() - w.grid().Frame()->pos(), QPoint(Px(w, 10320), Py(w, 120)));
  EXPECT_EQ(bar->size(), QSize(Px(w, 252), Py(w, 4692)));

  const std::pair<const char*, const char*> buttons[] = {
      {"AddRecord", "Add Row"}, {"Insert", "Insert Row"}, {"Delete", "Delete Row"}, {"Command1", "Hide"}};
  for (auto [name, caption] : buttons) {
    auto* b = w.findChild<QPushButton*>(name);
    ASSERT_NE(b, nullptr) << name;
    EXPECT_EQ(b->text(), caption);
    EXPECT_GT(b->y(), w.grid().Frame()->geometry().bottom());
  }
}

TEST(BentLineEditor, AddInsertDeleteOnTheRowThatLastLostFocus) {
  struct Case {
    const char* button;
    int focusRow;  // -1: no cell had the focus
    int rows, maximum;
    // Descriptions of rows 0, 1, 19 and the last afterwards ("" empty).
    std::array<const char*, 4> descriptions;
  };
  const Case cases[] = {
      {"AddRecord", -1, 21, 3300, {"B0", "B1", "B19", ""}},
      {"Insert", -1, 21, 3600, {"", "B0", "B18", "B19"}},
      {"Insert", 19, 21, 3600, {"B0", "B1", "", "B19"}},
      {"Delete", -1, 20, 3000, {"B1", "B2", "", ""}},
      {"Delete", 1, 20, 3000, {"B0", "B2", "", ""}},
      {"Delete", 19, 20, 3000, {"B0", "B1", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.button) + " " + std::to_string(c.focusRow));
    Program prog;
    for (int i = 0; i < 20; ++i) {
      prog.Table().rows[i].Text4 = "B" + std::to_string(i);
      SelectBentSkewType(prog.Table().rows[i], i % 5);
    }
    prog.Table().rows[0].List1 = {true, false, false, true};
    BentLine& w = prog.Window();
    w.Refresh();
    w.show();
    QApplication::setActiveWindow(&w);
    if (c.focusRow >= 0) {
      w.grid().Cell(c.focusRow, "Text4")->setFocus();
      QApplication::processEvents();
    }
    // The click takes the focus from the cell before the button acts.
    QTest::mouseClick(w.findChild<QPushButton*>(c.button), Qt::LeftButton);
    const int last = w.grid().RowCount() - 1;
    EXPECT_EQ(w.grid().RowCount(), c.rows);
    EXPECT_EQ(BentRowCount(prog.Table()), c.rows);
    EXPECT_EQ(w.grid().ScrollBar()->maximum(), c.maximum);
    EXPECT_EQ(prog.Table().scroll.Max, c.maximum);
    const int rows[] = {0, 1, 19, last};
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(Text(w, rows[k], "Text4"), c.descriptions[k]) << "row " << rows[k];
      EXPECT_EQ(prog.Table().rows[rows[k]].Text4, c.descriptions[k]) << "row " << rows[k];
    }
    // A moved row keeps its skew type and options, in the window and in the table.
    for (int row = 0; row <= last; ++row) {
      const QString d = Text(w, row, "Text4");
      if (d.isEmpty()) continue;
      const int from = d.mid(1).toInt();
      EXPECT_EQ(Combo(w, row, "Combo2")->currentIndex(), from % 5) << "row " << row;
      EXPECT_EQ(List(w, row)->item(3)->isSelected(), from == 0) << "row " << row;
    }
  }
}

TEST(BentLineEditor, AppendedRowBelowTheLastAndScrollingByDifference) {
  Program prog;
  BentLine& w = prog.Window();
  QComboBox* first = Combo(w, 0, "Combo1");
  first->setCurrentIndex(2);  // as a user pick does
  ASSERT_EQ(prog.Table().rows[0].Combo1Text, "Back Tangent");
  w.AddRecord_Click();
  // Overlapping the row before by its border; no skew direction, row 0's combo text
  // shown with nothing chosen.
  EXPECT_EQ(w.grid().RowTop(20), w.grid().RowTop(19) + 268);
  EXPECT_EQ(Text(w, 20, "Text7"), "");
  EXPECT_EQ(prog.Table().rows[20].Text7, "");
  EXPECT_EQ(Combo(w, 20, "Combo1")->currentText(), "Back Tangent");
  EXPECT_EQ(Combo(w, 20, "Combo1")->currentIndex(), -1);

  std::vector<int> tops;
  for (int i = 0; i < w.grid().RowCount(); ++i) tops.push_back(Top(w, i));
  w.grid().ScrollBar()->setValue(300);
  EXPECT_EQ(prog.Table().scroll.Pos, 300);
  EXPECT_EQ(w.grid().RowTop(0), 120 - 300);
  EXPECT_EQ(w.grid().RowTop(20), 120 + 240 * 19 + 268 - 300);
  w.grid().ScrollBar()->setValue(0);
  EXPECT_EQ(prog.Table().scroll.Pos, 0);
  for (int i = 0; i < w.grid().RowCount(); ++i) EXPECT_EQ(Top(w, i), tops[i]) << "row " << i;
}

TEST(BentLineEditor, OpenedFileGrowsTheGridAndASecondFileShrinksIt) {
  Program prog;
  BentLine& w = prog.Window();  // exists, hidden, before the file is read
  std::vector<std::string> many;
  for (int i = 0; i < 25; ++i) many.push_back("06   000000L15 0 0000  3    PIER " + std::to_string(i));
  prog.Open(prog.Write("many.dat", InputFile(many)));
  EXPECT_EQ(w.grid().RowCount(), 25);
  EXPECT_EQ(w.grid().ScrollBar()->maximum(), 3000 + 5 * 300);
  EXPECT_EQ(Text(w, 24, "Text4"), "PIER 24   ");
  EXPECT_EQ(w.grid().RowTop(24), 120 + 240 * 19 + 268 * 5);
  w.grid().ScrollBar()->setValue(600);

  prog.Open(prog.Write("two.dat", InputFile({"06  8500000R15 0 0000 10    PIER 2       XC3S3"})));
  EXPECT_EQ(w.grid().RowCount(), 20);
  EXPECT_EQ(w.grid().ScrollBar()->maximum(), 3000);
  EXPECT_EQ(w.grid().ScrollBar()->value(), 0);
  EXPECT_EQ(w.grid().RowTop(0), 120);
  EXPECT_EQ(Text(w, 0, "Text7"), "R");
  EXPECT_EQ(Text(w, 1, "Text4"), "");
  EXPECT_EQ(List(w, 0)->item(3)->isSelected(), true);
  EXPECT_TRUE(prog.messages.texts.isEmpty()) << prog.messages.texts.join("|").toStdString();
}

TEST(BentLineEditor, TypedRowIsSavedColumnForColumn) {
  Program prog;
  BentLine& w = prog.Window();
  const std::pair<const char*, QString> typed[] = {
      {"Text1", "280"},  {"Text7", "R"}, {"Text2", QString::fromLatin1("12\xB0 30' 15.50\"")},
      {"Text3", "2.5"}, {"Text4", "ABUT 4"}, {"Text5", "D"}, {"Text6", "4"}, {"Text8", "S4"}};
  for (auto& [name, text] : typed) {
    auto* box = qobject_cast<QLineEdit*>(w.grid().Cell(1, name));
    box->clear();
    QTest::keyClicks(box, text);
  }
  Combo(w, 1, "Combo1")->setCurrentIndex(5);  // "Normal Offset", code 6
  Combo(w, 1, "Combo2")->setCurrentIndex(1);
  List(w, 1)->item(2)->setSelected(true);
  List(w, 1)->item(3)->setSelected(true);
  EXPECT_EQ(prog.Table().rows[1].List1, (std::array<bool, 4>{false, false, true, true}));
  EXPECT_EQ(List(w, 1)->toolTip(), "Chord Layout Line, Suppress Listing");
  EXPECT_EQ(prog.Saved06(), std::vector<std::string>{"06 28000006R123015501  25000ABUT 4      XXD4S4"});

  // Deselecting is kept too.
  List(w, 1)->item(2)->setSelected(false);
  EXPECT_EQ(prog.Table().rows[1].List1, (std::array<bool, 4>{false, false, false, true}));
}

TEST(BentLineEditor, TypedComboTextIsKeptButOnlyAPickIsWritten) {
  struct Case {
    const char* combo;
    int pick;           // chosen first with the keyboard, -1: none
    const char* typed;  // then typed over it, nullptr: nothing
    int index;          // in the project afterwards
    const char* text;
    int column;  // of the code on file (1-based)
    char code;
  };
  const Case cases[] = {
      {"Combo1", 2, "Pier axis", -1, "Pier axis", 11, ' '},
      {"Combo2", 3, "Radial", -1, "Radial", 21, ' '},
      {"Combo1", 5, nullptr, 5, "Normal Offset", 11, '6'},
      {"Combo2", 4, nullptr, 4, "Ahead Tangent", 21, '4'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.combo) + " " + (c.typed ? c.typed : "picked"));
    Program prog;
    BentLine& w = prog.Window();
    w.show();
    QApplication::setActiveWindow(&w);
    QTest::keyClicks(w.grid().Cell(0, "Text4"), "PIER 1");
    QComboBox* box = Combo(w, 0, c.combo);
    box->setFocus();
    for (int k = 0; k <= c.pick; ++k) QTest::keyClick(box, Qt::Key_Down);
    ASSERT_EQ(box->currentIndex(), c.pick);
    if (c.typed != nullptr) {
      box->lineEdit()->selectAll();
      QTest::keyClicks(box, c.typed);
    }
    const BentRow& r = prog.Table().rows[0];
    EXPECT_EQ(c.combo[5] == '1' ? r.Combo1 : r.Combo2, c.index);
    EXPECT_EQ(c.combo[5] == '1' ? r.Combo1Text : r.Combo2Text, c.text);
    const std::vector<std::string> saved = prog.Saved06();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0][c.column - 1], c.code);
    // A row added afterwards shows row 0's text with nothing chosen.
    w.AddRecord_Click();
    EXPECT_EQ(Combo(w, 20, c.combo)->currentText(), c.text);
    EXPECT_EQ(Combo(w, 20, c.combo)->currentIndex(), -1);
  }
}

TEST(BentLineEditor, FullTableRefusesWithAMessage) {
  Program prog;
  BentLine& w = prog.Window();
  for (int i = 0; i < 99; ++i) w.AddRecord_Click();
  EXPECT_EQ(w.grid().RowCount(), 119);
  EXPECT_EQ(w.grid().ScrollBar()->maximum(), 32700);
  EXPECT_TRUE(prog.messages.texts.isEmpty());
  w.AddRecord_Click();
  w.Insert_Click();
  EXPECT_EQ(w.grid().RowCount(), 119);
  EXPECT_EQ(BentRowCount(prog.Table()), 119);
  EXPECT_EQ(w.grid().ScrollBar()->maximum(), 32700);
  const QString full = "The bent line table is full: no more rows can be added.";
  EXPECT_EQ(prog.messages.texts, QStringList({full, full}));
}

}  // namespace
}  // namespace kv
