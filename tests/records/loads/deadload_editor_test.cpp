#include "records/loads/deadload_editor.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "../../app/shell_fakes.h"
#include "app/settings.h"
#include "inputfile/input_file.h"

namespace kv {
namespace {

using testing::Shell;

struct Program : Shell {
  Program() : Shell(DefaultEditorFactories()) {}
  DeadLoad& Window() { return *static_cast<DeadLoad*>(window->editors().Ensure(Form::Dead)); }
  DeadLoadTable& Table() { return window->project().DeadLoad; }
  // The English sample with its "07" lines replaced by `lines`, opened as File Open does.
  void Open(const std::vector<std::string>& lines) {
    QFile in(QStringLiteral(KV_TEST_DATA "/bridge_english.dat"));
    EXPECT_TRUE(in.open(QIODevice::ReadOnly));
    QByteArray out;
    bool placed = false;
    for (const QByteArray& l : in.readAll().split('\n')) {
      if (l.isEmpty()) continue;
      if (!l.startsWith("07")) {
        out += l + "\n";
      } else if (!placed) {
        for (const std::string& d : lines) out += QByteArray::fromStdString(d) + "\r\n";
        placed = true;
      }
    }
    QFile f(Path("open.dat"));
    f.open(QIODevice::WriteOnly);
    f.write(out);
    f.close();
    dialogs.answers = {f.fileName()};
    window->mnuFileOpen_Click();
  }
  std::vector<std::string> Saved07() {
    const std::string path = Path("saved.dat").toStdString();
    EXPECT_TRUE(WriteInputFile(path, window->project(), {}).ok);
    QFile f(QString::fromStdString(path));
    f.open(QIODevice::ReadOnly);
    std::vector<std::string> out;
    for (const QByteArray& l : f.readAll().split('\n'))
      if (l.startsWith("07")) out.push_back(l.chopped(1).toStdString());
    return out;
  }
};

// Row i's girder code, the first column.
QString Code(DeadLoad& w, int row) { return w.grid().CellText(row, 0); }
int Py(const QWidget& w, double twips) { return TwipsToPixels(twips, w.logicalDpiY()); }
int Px(const QWidget& w, double twips) { return TwipsToPixels(twips, w.logicalDpiX()); }

const char* const kSample = "07A1            0000  0125  0250  0375  0500  0550  0500  0375  0250  0125  0000";

TEST(DeadLoadEditor, ColumnsHeadingsScrollBarAndButtons) {
  Program prog;
  DeadLoad& w = prog.Window();
  EXPECT_EQ(w.windowTitle(), "Dead Load Deflection");
  EXPECT_EQ(w.objectName(), "DeadLoad");
  EXPECT_EQ(w.size(), QSize(Px(w, 11325), Py(w, 6450)));
  EXPECT_EQ(w.grid().Frame()->geometry().topLeft().y(), Py(w, 720));
  EXPECT_EQ(w.grid().Frame()->size(), QSize(Px(w, 10692), Py(w, 5136)));
  struct Col {
    const char* name;
    const char* heading;
    int left, width;
  };
  const Col cols[] = {{"Text1", "Girder Code", 0, 252}, {"Text2", "Bent Line Code", 600, 252},
                      {"Text14", "Units", 1080, 252},   {"Text3", "0", 1440, 852},
                      {"Text4", "1", 2280, 972},        {"Text5", "2", 3240, 852},
                      {"Text8", "5", 5760, 852},        {"Text11", "8", 8280, 732},
                      {"Text13", "10", 9720, 732}};
  for (const Col& c : cols) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(w.findChildren<QLineEdit*>(c.name).size(), 20);
    for (int row : {0, 19}) {
      QWidget* cell = w.grid().Cell(row, c.name);
      ASSERT_NE(cell, nullptr);
      EXPECT_EQ(cell->property("Index").toInt(), row);
      EXPECT_EQ(cell->geometry(), QRect(Px(w, c.left), Py(w, 120 + 240 * row), Px(w, c.width), Py(w, 288)));
    }
    auto* heading = w.findChild<QLabel*>(QString(c.name) + "Heading");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->text(), c.heading);
    // Over its column and above the frame.
    const int centre = w.grid().Frame()->x() + Px(w, c.left + c.width / 2);
    EXPECT_NEAR(heading->geometry().center().x(), centre, 3);
    EXPECT_LT(heading->geometry().bottom(), w.grid().Frame()->y());
  }
  auto* common = w.findChild<QLabel*>("DeflectionsHeading");
  ASSERT_NE(common, nullptr);
  EXPECT_EQ(common->text(), "Deflections at Tenth Points");
  EXPECT_LT(common->geometry().bottom(), w.findChild<QLabel*>("Text3Heading")->y());

  QScrollBar* bar = w.grid().ScrollBar();
  EXPECT_EQ(QList<int>({bar->minimum(), bar->maximum(), bar->singleStep(), bar->pageStep(), bar->value()}),
            QList<int>({0, 3500, 50, 300, 0}));
  EXPECT_EQ(bar->geometry().topLeft() - w.grid().Frame()->pos(), QPoint(Px(w, 10440), Py(w, 120)));
  EXPECT_EQ(bar->height(), Py(w, 4812));

  const std::tuple<const char*, const char*, int, int> buttons[] = {{"AddRecord", "Add Row", 2040, 1332},
                                                                    {"Insert", "Insert Row", 6000, 1452},
                                                                    {"Delete", "Delete Row", 4080, 1212},
                                                                    {"Command3", "Hide", 8160, 1212}};
  for (auto [name, caption, left, width] : buttons) {
    auto* b = w.findChild<QPushButton*>(name);
    ASSERT_NE(b, nullptr) << name;
    EXPECT_EQ(b->text(), caption);
    EXPECT_EQ(b->geometry().topLeft(), QPoint(Px(w, left), Py(w, 6000)));
    EXPECT_EQ(b->width(), Px(w, width));
  }
}

TEST(DeadLoadEditor, AddInsertDeleteOnTheRowThatLastLostFocus) {
  struct Case {
    const char* button;
    int focusRow;  // -1: no box had the focus
    int rows, maximum;
    std::array<const char*, 4> codes;  // girder codes of rows 0, 1, 19 and the last
  };
  const Case cases[] = {
      {"AddRecord", -1, 21, 3800, {"a", "b", "t", ""}},
      {"Insert", -1, 21, 4100, {"", "a", "s", "t"}},
      {"Insert", 1, 21, 4100, {"a", "", "s", "t"}},
      {"Delete", -1, 20, 3500, {"b", "c", "", ""}},
      {"Delete", 19, 20, 3500, {"a", "b", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.button) + " " + std::to_string(c.focusRow));
    Program prog;
    for (int i = 0; i < 20; ++i) {
      prog.Table().rows[i].Text1 = std::string(1, char('a' + i));
      prog.Table().rows[i].Text13 = std::to_string(i);
    }
    DeadLoad& w = prog.Window();
    w.show();
    QApplication::setActiveWindow(&w);
    if (c.focusRow >= 0) {
      w.grid().Cell(c.focusRow, "Text9")->setFocus();
      QApplication::processEvents();
    }
    QTest::mouseClick(w.findChild<QPushButton*>(c.button), Qt::LeftButton);
    const int last = w.grid().RowCount() - 1;
    EXPECT_EQ(w.grid().RowCount(), c.rows);
    EXPECT_EQ(DeadLoadRowCount(prog.Table()), c.rows);
    EXPECT_EQ(w.grid().ScrollBar()->maximum(), c.maximum);
    const int rows[] = {0, 1, 19, last};
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(Code(w, rows[k]), c.codes[k]) << "row " << rows[k];
      EXPECT_EQ(prog.Table().rows[rows[k]].Text1, c.codes[k]) << "row " << rows[k];
      // The whole row moves: the last deflection goes with the code.
      const QString code = Code(w, rows[k]);
      const QString deflection = w.grid().CellText(rows[k], w.grid().ColumnIndex("Text13"));
      EXPECT_EQ(deflection, code.isEmpty() ? QString() : QString::number(code[0].unicode() - 'a'));
    }
  }
}

TEST(DeadLoadEditor, AppendedRowStandsBelowRow19AndScrollingRestoresTops) {
  Program prog;
  DeadLoad& w = prog.Window();
  w.AddRecord_Click();
  EXPECT_EQ(w.grid().RowTop(20), w.grid().RowTop(19) + 268);
  EXPECT_EQ(w.grid().Cell(20, "Text13")->y(), Py(w, 120 + 240 * 19 + 268));
  std::vector<QRect> places;
  for (int i = 0; i <= 20; ++i)
    for (int c = 0; c < 14; ++c) places.push_back(w.grid().Cell(i, c)->geometry());
  w.grid().ScrollBar()->setValue(300);
  EXPECT_EQ(prog.Table().scroll.Pos, 300);
  EXPECT_EQ(w.grid().Cell(0, "Text3")->y(), Py(w, 120 - 300));
  // A row appended while scrolled lines up with the scrolled rows.
  w.AddRecord_Click();
  EXPECT_EQ(w.grid().RowTop(21), 120 + 240 * 19 + 268 * 2 - 300);
  w.grid().ScrollBar()->setValue(0);
  EXPECT_EQ(prog.Table().scroll.Pos, 0);
  for (int i = 0, k = 0; i <= 20; ++i)
    for (int c = 0; c < 14; ++c, ++k) EXPECT_EQ(w.grid().Cell(i, c)->geometry(), places[k]) << i << "," << c;
  EXPECT_EQ(w.grid().RowTop(21), 120 + 240 * 19 + 268 * 2);
}

TEST(DeadLoadEditor, OpenedFileShowsEveryRowAndTypedRowsAreSaved) {
  Program prog;
  DeadLoad& w = prog.Window();
  std::vector<std::string> lines(25, kSample);
  lines[24][2] = 'Z';
  prog.Open(lines);
  EXPECT_EQ(w.grid().RowCount(), 25);
  EXPECT_EQ(w.grid().ScrollBar()->maximum(), 3500 + 5 * 300);
  EXPECT_EQ(Code(w, 24), "Z");
  EXPECT_EQ(w.grid().CellText(24, w.grid().ColumnIndex("Text7")), "0.5");

  prog.Open({});
  ASSERT_EQ(w.grid().RowCount(), 20);
  EXPECT_EQ(Code(w, 0), "");
  const char* typed[14] = {"A", "1", "", "0", "0.125", "0.25", "0.375", "0.5", "0.55", "0.5", "0.375", "0.25",
                           "0.125", "0"};
  for (int c = 0; c < 14; ++c) QTest::keyClicks(w.grid().Cell(0, c), QString::fromLatin1(typed[c]));
  QTest::keyClicks(w.grid().Cell(1, "Text14"), "m");
  EXPECT_EQ(prog.Table().rows[0].Text4, "0.125");
  EXPECT_EQ(prog.Saved07(), (std::vector<std::string>{kSample, "07  m" + std::string(75, ' ')}));
}

TEST(DeadLoadEditor, FullTableRefusesWithAMessage) {
  Program prog;
  DeadLoad& w = prog.Window();
  for (int i = 0; i < 97; ++i) w.AddRecord_Click();
  EXPECT_EQ(w.grid().RowCount(), 117);
  EXPECT_EQ(w.grid().ScrollBar()->maximum(), 32600);
  EXPECT_TRUE(prog.messages.texts.isEmpty());
  w.Insert_Click();
  w.AddRecord_Click();
  EXPECT_EQ(w.grid().RowCount(), 117);
  EXPECT_EQ(DeadLoadRowCount(prog.Table()), 117);
  const QString full = "The dead load table is full: no more rows can be added.";
  EXPECT_EQ(prog.messages.texts, QStringList({full, full}));
}

}  // namespace
}  // namespace kv
