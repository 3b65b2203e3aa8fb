#include "records/alignment/crosstrans_editor.h"

#include <gtest/gtest.h>

#include "../grid_fixture.h"
#include "inputfile/input_file.h"
#include "records/alignment/crosstrans_record.h"

namespace kv {
namespace {

// In the tab order; what is typed and where it is written on the cross-slope line.
struct Field { const char *name, *label, *typed; int first, width; const char* written; };
const Field kFields[] = {
    {"CrossSlope", "Nominal Cross-Slope:", "0.02", 4, 5, "00200"},
    {"SuperRate", "Super Rate (e):", "0.06", 9, 4, "0600"},
    {"PivotOffset", "Pivot Offset from Profile Line (-Left):", "-6.5", 13, 8, "  -65000"},
    {"InRunOut", "Run-Out:", "50", 21, 5, " 5000"}, {"InTransLength", "Transition Length:", "120", 26, 5, "12000"},
    {"InTransPer", "Percent of Transition:", "67", 31, 5, " 6700"}, {"OutRunout", "Run-Out:", "40", 36, 5, " 4000"},
    {"OutTransLength", "Transition Length:", "110.5", 41, 5, "11050"},
    {"OutTransPer", "Percent of Transition:", "70", 46, 5, " 7000"},
    {"MaxTransVC", "Transition Vertical curve Maximum Length:", "50", 51, 3, "500"},
    {"CrownWidth", "Width:", "24", 57, 9, "   240000"}, {"CrownHeight", "Height:", "0.25", 66, 5, " 0250"},
    {"CrownLeft", "Left Slope:", "0.02", 71, 5, "00200"}, {"CrownRight", "Right Slope:", "-0.02", 76, 5, "-0200"}};

TEST(CrossTransEditor, FieldsLabelsGridTabOrderAndSavedColumns) {
  Project p;
  CrossTrans w(p);
  EXPECT_EQ(w.windowTitle() + " " + w.objectName(), "Cross-Slope and Transition Data CrossTrans");
  QStringList order = {"CrownType"};
  for (const Field& f : kFields) {  // the nearest label on the box's line to its left
    QWidget* box = w.findChild<QLineEdit*>(f.name);
    QLabel* best = nullptr;
    for (QLabel* l : w.findChildren<QLabel*>())
      if (l->parentWidget() == &w && qAbs(l->geometry().center().y() - box->geometry().center().y()) <= 3 &&
          l->geometry().right() < box->x() && (best == nullptr || l->x() > best->x()))
        best = l;
    EXPECT_EQ(best ? best->text() : "(none)", f.label) << f.name;
    order << f.name;
  }
  for (const QStringList texts = testing::LabelTexts(w);
       const char* t : {"Crown Type:", "Transition In", "Transition Out", "Parabolic Crown",
                        "Optional Superelevation Override", "Station", "Left Slope", "Right Slope", "A", "B", "C", "P"})
    EXPECT_TRUE(texts.contains(t)) << t;
  auto* crown = w.findChild<QListWidget*>("CrownType");
  EXPECT_EQ(ItemsOf(crown), QStringList({"A", "B", "C", "P"}));
  EXPECT_TRUE(crown->selectedItems().isEmpty());
  // Six rows 240 twips apart inside Frame1, VScroll1 as a new window has it.
  ASSERT_EQ(w.findChildren<QLineEdit*>("OverSta").size() + w.findChildren<QLineEdit*>("OverRight").size(), 12);
  for (int i = 0; i < 6; ++i)
    for (const char* name : {"OverSta", "OverLeft", "OverRight"}) {
      order << QString("%1(%2)").arg(name).arg(i);
      EXPECT_EQ(w.Grid().Cell(i, name)->parentWidget(), w.findChild<QFrame*>("Frame1"));
      EXPECT_EQ(w.Grid().Cell(i, name)->y(), Py(w, 60 + 240 * i)) << name << i;
    }
  EXPECT_EQ(ScrollValues(w.findChild<QScrollBar*>("VScroll1")), QList<int>({0, 1000, 10, 50, 0}));
  order << "AddOverRecord" << "Command4";
  EXPECT_EQ(w.findChild<QPushButton*>("AddOverRecord")->text() + "/" + w.findChild<QPushButton*>("Command4")->text(),
            "Add New Override/Hide");
  QStringList chain;
  for (QWidget* x = w.nextInFocusChain(); x != &w; x = x->nextInFocusChain()) {
    const QVariant i = x->property("Index");
    const QString name = x->objectName() + (i.isValid() ? QString("(%1)").arg(i.toInt()) : QString());
    if (order.contains(name)) chain << name;
  }
  EXPECT_EQ(chain, order);
  crown->setCurrentRow(1);  // one crown type at a time
  crown->setCurrentRow(3);
  EXPECT_EQ(std::pair(int(crown->selectedItems().size()), int(p.CrossTrans.CrownType)), std::pair(1, 3));
  for (const Field& f : kFields) QTest::keyClicks(w.findChild<QLineEdit*>(f.name), f.typed);
  // Row 1 has no right slope, row 2 no station.
  const char* rows[][3] = {{"105+25.50", "-0.02", "0.04"}, {"110+00", "0.03", ""}, {"", "0.01", "0.01"}};
  for (int i = 0; i < 3; ++i)
    for (int c = 0; c < 3; ++c) QTest::keyClicks(w.Grid().Cell(i, c), rows[i][c]);
  const auto lines = Saved(p, "03");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].substr(2, 1), "P");
  for (const Field& f : kFields) EXPECT_EQ(lines[0].substr(f.first - 1, f.width), f.written) << f.name;
  EXPECT_EQ(lines[0].substr(53, 3), "   ");
  EXPECT_EQ(lines[1], "03  1052550-020000400");
  EXPECT_EQ(lines[2], "03  110000000300     ");
}

TEST(CrossTransEditor, OpenFillsTheHiddenWindowAndGrowsOrShrinksTheGrid) {
  Program prog;
  Project eight;  // eight overrides
  CrossTransData& t = eight.CrossTrans;
  t.CrownType = 2, t.CrossSlope = "0.025", t.OutRunout = "30";
  ASSERT_TRUE(AddOverRecord(t) && AddOverRecord(t));
  for (int i = 0; i < 8; ++i)
    t.rows[i].OverSta = std::to_string(101 + i) + "+00.00", t.rows[i].OverLeft = "-0.0" + std::to_string(i + 1);
  auto open = [&prog](const Project& from) {
    ASSERT_TRUE(WriteInputFile(prog.Path("x.dat").toStdString(), from, {}).ok);
    prog.dialogs.answers = {prog.Path("x.dat")};
    prog.window->mnuFileOpen_Click();
  };
  auto& w = *dynamic_cast<CrossTrans*>(prog.window->editors().Ensure(Form::Cross));  // hidden
  open(eight);
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(w.findChild<QListWidget*>("CrownType")->currentRow(), 2);
  auto field = [&w](const char* name) { return w.findChild<QLineEdit*>(name)->text(); };
  EXPECT_EQ(QStringList({field("CrossSlope"), field("OutRunout"), field("SuperRate")}), QStringList({"0.025", "30", ""}));
  EXPECT_EQ(w.findChildren<QLineEdit*>("OverSta").size() + w.findChildren<QLineEdit*>("OverRight").size(), 16);
  EXPECT_EQ(w.findChild<QScrollBar*>("VScroll1")->maximum(), 1500);
  EXPECT_EQ(RowText(w, 7), "108+00.00|-0.08|");
  EXPECT_EQ(w.Grid().RowTop(7) - w.Grid().RowTop(5), 2 * 240);  // the same pitch as the first six
  QTest::keyClicks(w.Grid().Cell(7, 2), "0.5");
  EXPECT_EQ(prog.project().CrossTrans.rows[7].OverRight, "0.5");
  open(Project{});  // no overrides
  EXPECT_EQ(w.findChildren<QLineEdit*>("OverSta").size(), 6);
  EXPECT_EQ(w.findChild<QScrollBar*>("VScroll1")->maximum(), 1000);
  EXPECT_EQ(RowText(w, 0), "||");
  for (const QString& text : prog.messages.texts) EXPECT_FALSE(text.startsWith("Warning: (03)")) << text.toStdString();
}

}  // namespace
}  // namespace kv
