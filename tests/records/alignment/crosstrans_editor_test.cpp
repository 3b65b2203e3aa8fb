#include "records/alignment/crosstrans_editor.h"

#include <gtest/gtest.h>

#include <QFile>
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
#include "records/alignment/crosstrans_record.h"

namespace kv {
namespace {

// The main window with the real editors and scripted dialogs and messages.
struct Main {
  Main() : settings(dir.filePath("s.ini"), QSettings::IniFormat) {
    window = std::make_unique<frmMain>(
        Platform{&dialogs, &messages, nullptr, nullptr, nullptr, &clock, &settings});
  }
  QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  CrossTrans* Editor() const {
    return dynamic_cast<CrossTrans*>(window->editors().Window(Form::Cross));
  }
  void Open(const QString& path) {
    dialogs.answers = {path};
    window->mnuFileOpen_Click();
  }
  QTemporaryDir dir;
  testing::FakeDialogs dialogs;
  testing::FakeMessages messages;
  testing::FakeClock clock;
  QSettings settings;
  std::unique_ptr<frmMain> window;
};

std::vector<std::string> CrossLines(const QString& path) {
  std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("03", 0) == 0) out.push_back(line);
  }
  return out;
}

struct Field {
  const char* name;
  const char* label;
  const char* typed;
  int first, width;  // columns of the cross-slope line
  const char* written;
};
// In the tab order.
const Field kFields[] = {
    {"CrossSlope", "Nominal Cross-Slope:", "0.02", 4, 5, "00200"},
    {"SuperRate", "Super Rate (e):", "0.06", 9, 4, "0600"},
    {"PivotOffset", "Pivot Offset from Profile Line (-Left):", "-6.5", 13, 8, "  -65000"},
    {"InRunOut", "Run-Out:", "50", 21, 5, " 5000"},
    {"InTransLength", "Transition Length:", "120", 26, 5, "12000"},
    {"InTransPer", "Percent of Transition:", "67", 31, 5, " 6700"},
    {"OutRunout", "Run-Out:", "40", 36, 5, " 4000"},
    {"OutTransLength", "Transition Length:", "110.5", 41, 5, "11050"},
    {"OutTransPer", "Percent of Transition:", "70", 46, 5, " 7000"},
    {"MaxTransVC", "Transition Vertical curve Maximum Length:", "50", 51, 3, "500"},
    {"CrownWidth", "Width:", "24", 57, 9, "   240000"},
    {"CrownHeight", "Height:", "0.25", 66, 5, " 0250"},
    {"CrownLeft", "Left Slope:", "0.02", 71, 5, "00200"},
    {"CrownRight", "Right Slope:", "-0.02", 76, 5, "-0200"}};

QLabel* LabelLeftOf(QWidget& w, QWidget* box) {
  QLabel* best = nullptr;
  for (QLabel* l : w.findChildren<QLabel*>()) {
    if (l->parentWidget() != &w || qAbs(l->geometry().center().y() - box->geometry().center().y()) > 3) continue;
    if (l->geometry().right() >= box->x()) continue;
    if (best == nullptr || l->x() > best->x()) best = l;
  }
  return best;
}

TEST(CrossTransEditor, FieldsLabelsGridAndTabOrder) {
  Project p;
  CrossTrans w(p);
  EXPECT_EQ(w.windowTitle(), "Cross-Slope and Transition Data");
  EXPECT_EQ(w.objectName(), "CrossTrans");
  QStringList order = {"CrownType"};
  for (const Field& f : kFields) {
    SCOPED_TRACE(f.name);
    auto* box = w.findChild<QLineEdit*>(f.name);
    ASSERT_NE(box, nullptr);
    QLabel* label = LabelLeftOf(w, box);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), f.label);
    order << f.name;
  }
  QStringList texts;
  for (QLabel* l : w.findChildren<QLabel*>()) texts << l->text();
  for (const char* t : {"Crown Type:", "Transition In", "Transition Out", "Parabolic Crown",
                        "Optional Superelevation Override", "Station", "Left Slope",
                        "Right Slope", "A", "B", "C", "P"})
    EXPECT_TRUE(texts.contains(t)) << t;
  auto* crown = w.findChild<QListWidget*>("CrownType");
  QStringList items;
  for (int i = 0; i < crown->count(); ++i) items << crown->item(i)->text();
  EXPECT_EQ(items, QStringList({"A", "B", "C", "P"}));
  EXPECT_TRUE(crown->selectedItems().isEmpty());

  // Six rows 240 twips apart inside Frame1, VScroll1 as a new window has it.
  auto* frame = w.findChild<QFrame*>("Frame1");
  const double dy = w.logicalDpiY();
  for (const char* name : {"OverSta", "OverLeft", "OverRight"}) {
    auto cells = w.findChildren<QLineEdit*>(name);
    ASSERT_EQ(cells.size(), 6) << name;
    for (QLineEdit* cell : cells) {
      const int i = cell->property("Index").toInt();
      EXPECT_EQ(cell->parentWidget(), frame);
      EXPECT_EQ(cell->y(), TwipsToPixels(60 + 240 * i, dy)) << name << i;
    }
  }
  auto* bar = w.findChild<QScrollBar*>("VScroll1");
  EXPECT_EQ(std::vector<int>({bar->minimum(), bar->maximum(), bar->singleStep(), bar->pageStep(), bar->value()}),
            std::vector<int>({0, 1000, 10, 50, 0}));
  for (int i = 0; i < 6; ++i)
    for (const char* name : {"OverSta", "OverLeft", "OverRight"}) order << QString("%1(%2)").arg(name).arg(i);
  order << "AddOverRecord" << "Command4";
  EXPECT_EQ(w.findChild<QPushButton*>("AddOverRecord")->text(), "Add New Override");
  EXPECT_EQ(w.findChild<QPushButton*>("Command4")->text(), "Hide");
  QStringList chain;
  for (QWidget* x = w.nextInFocusChain(); x != &w; x = x->nextInFocusChain()) {
    QString name = x->objectName();
    if (x->property("Index").isValid()) name += QString("(%1)").arg(x->property("Index").toInt());
    if (order.contains(name)) chain << name;
  }
  EXPECT_EQ(chain, order);

  // One crown type at a time.
  crown->setCurrentRow(1);
  crown->setCurrentRow(3);
  EXPECT_EQ(crown->selectedItems().size(), 1);
  EXPECT_EQ(p.CrossTrans.CrownType, 3);
}

TEST(CrossTransEditor, TypedValuesAreSavedInTheirColumns) {
  Main m;
  m.window->OpenEditor(Form::Cross);
  CrossTrans* w = m.Editor();
  ASSERT_NE(w, nullptr);
  for (const Field& f : kFields) QTest::keyClicks(w->findChild<QLineEdit*>(f.name), f.typed);
  w->findChild<QListWidget*>("CrownType")->setCurrentRow(3);
  // Row 1 has no right slope, row 2 no station.
  const char* rows[][3] = {{"105+25.50", "-0.02", "0.04"}, {"110+00", "0.03", ""}, {"", "0.01", "0.01"}};
  for (int i = 0; i < 3; ++i)
    for (int c = 0; c < 3; ++c) QTest::keyClicks(w->Grid().Cell(i, c), rows[i][c]);
  m.dialogs.answers = {m.Path("typed.dat")};
  m.window->mnuFileSaveAs_Click();
  const auto lines = CrossLines(m.Path("typed.dat"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].substr(2, 1), "P");
  for (const Field& f : kFields) EXPECT_EQ(lines[0].substr(f.first - 1, f.width), f.written) << f.name;
  EXPECT_EQ(lines[0].substr(53, 3), "   ");
  EXPECT_EQ(lines[1], "03  1052550-020000400");
  EXPECT_EQ(lines[2], "03  110000000300     ");
}

TEST(CrossTransEditor, OpenFillsTheHiddenWindowAndGrowsOrShrinksTheGrid) {
  Main m;
  // A project with eight overrides, and one with none.
  Project eight;
  eight.CrossTrans.CrownType = 2;
  eight.CrossTrans.CrossSlope = "0.025";
  eight.CrossTrans.OutRunout = "30";
  for (int i = 0; i < 2; ++i) ASSERT_TRUE(AddOverRecord(eight.CrossTrans));
  for (int i = 0; i < 8; ++i) {
    eight.CrossTrans.rows[i].OverSta = std::to_string(101 + i) + "+00.00";
    eight.CrossTrans.rows[i].OverLeft = "-0.0" + std::to_string(i + 1);
  }
  ASSERT_TRUE(WriteInputFile(QFile::encodeName(m.Path("eight.dat")).toStdString(), eight, {}).ok);
  ASSERT_TRUE(WriteInputFile(QFile::encodeName(m.Path("none.dat")).toStdString(), Project{}, {}).ok);

  CrossTrans* w = dynamic_cast<CrossTrans*>(m.window->editors().Ensure(Form::Cross));
  ASSERT_NE(w, nullptr);
  m.Open(m.Path("eight.dat"));
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(w->findChild<QListWidget*>("CrownType")->currentRow(), 2);
  EXPECT_EQ(w->findChild<QLineEdit*>("CrossSlope")->text(), "0.025");
  EXPECT_EQ(w->findChild<QLineEdit*>("OutRunout")->text(), "30");
  EXPECT_EQ(w->findChild<QLineEdit*>("SuperRate")->text(), "");
  EXPECT_EQ(w->findChildren<QLineEdit*>("OverSta").size(), 8);
  EXPECT_EQ(w->findChildren<QLineEdit*>("OverRight").size(), 8);
  EXPECT_EQ(w->findChild<QScrollBar*>("VScroll1")->maximum(), 1500);
  EXPECT_EQ(qobject_cast<QLineEdit*>(w->Grid().Cell(7, 0))->text(), "108+00.00");
  EXPECT_EQ(qobject_cast<QLineEdit*>(w->Grid().Cell(7, 1))->text(), "-0.08");
  // Rows 6 and 7 continue the first six at the same pitch.
  EXPECT_EQ(w->Grid().RowTop(7) - w->Grid().RowTop(5), 2 * 240);

  // Hide keeps what the window shows.
  m.window->OpenEditor(Form::Cross);
  QTest::mouseClick(w->findChild<QPushButton*>("Command4"), Qt::LeftButton);
  EXPECT_FALSE(w->isVisible());
  m.window->OpenEditor(Form::Cross);
  EXPECT_EQ(m.Editor(), w);
  EXPECT_EQ(w->findChild<QLineEdit*>("CrossSlope")->text(), "0.025");

  m.Open(m.Path("none.dat"));
  EXPECT_EQ(w->findChildren<QLineEdit*>("OverSta").size(), 6);
  EXPECT_EQ(w->findChild<QScrollBar*>("VScroll1")->maximum(), 1000);
  EXPECT_EQ(qobject_cast<QLineEdit*>(w->Grid().Cell(0, 0))->text(), "");
  for (const QString& text : m.messages.texts) EXPECT_FALSE(text.startsWith("Warning: (03)")) << text.toStdString();
}

TEST(CrossTransEditor, AddNewOverrideAfterScrollingAndAtCapacity) {
  Main m;
  m.window->OpenEditor(Form::Cross);
  CrossTrans* w = m.Editor();
  ControlGrid& grid = w->Grid();
  auto* bar = w->findChild<QScrollBar*>("VScroll1");
  auto* add = w->findChild<QPushButton*>("AddOverRecord");
  const double dy = w->logicalDpiY();
  bar->setValue(100);
  EXPECT_EQ(m.window->project().CrossTrans.scroll.Pos, 100);
  EXPECT_EQ(grid.Cell(0, 0)->y(), TwipsToPixels(60 - 100, dy));
  QTest::mouseClick(add, Qt::LeftButton);
  ASSERT_EQ(grid.RowCount(), 7);
  EXPECT_EQ(OverrideRowCount(m.window->project().CrossTrans), 7);
  EXPECT_EQ(bar->maximum(), 1250);
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(grid.Cell(6, c)->property("Index").toInt(), 6);
    EXPECT_EQ(grid.Cell(6, c)->y(), TwipsToPixels(60 + 6 * 240 - 100, dy)) << c;
    EXPECT_EQ(grid.Cell(6, c)->x(), grid.Cell(5, c)->x());
  }
  QTest::keyClicks(grid.Cell(6, 0), "120+00");
  EXPECT_EQ(m.window->project().CrossTrans.rows[6].OverSta, "120+00");
  bar->setValue(0);
  EXPECT_EQ(grid.Cell(6, 0)->y(), TwipsToPixels(60 + 6 * 240, dy));

  // 133 rows fit under the 16-bit maximum; the next click is refused with a message.
  while (grid.RowCount() < 133) QTest::mouseClick(add, Qt::LeftButton);
  EXPECT_TRUE(m.messages.texts.isEmpty());
  QTest::mouseClick(add, Qt::LeftButton);
  EXPECT_EQ(grid.RowCount(), 133);
  EXPECT_EQ(bar->maximum(), 1000 + 127 * 250);
  EXPECT_EQ(m.messages.texts, QStringList({"The override table is full: no more overrides can be added."}));
  EXPECT_EQ(m.messages.titles, QStringList({"Wexa_Kelvara"}));
}

}  // namespace
}  // namespace kv
