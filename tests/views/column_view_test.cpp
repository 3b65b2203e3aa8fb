// The column view beside the editors: the lines follow typing and the focus, the editors
// mark what the writer will get wrong, clicks in the view lead to the field, and Save
// reports what it wrote wrong.
#include "views/column_view.h"

#include <QAction>
#include <QListWidget>

#include "app/control_grid.h"
#include "app/field_marks.h"
#include "records/loads/deadload_editor.h"
#include "tests/app/shell_fakes.h"
#include "views/column_checks.h"

namespace kv {
namespace {

using testing::RealShell;

// The map is built anew once the edit's event is done.
void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

struct ViewShell : RealShell {
  ViewShell() {
    window->show();
    Action("mnuViewColumns")->trigger();
    view = window->columns().View();
  }
  template <class T = QLineEdit>
  T* Field(Form f, const char* name) {
    if (!Editor(f) || !Editor(f)->isVisible()) window->OpenEditor(f);
    return Editor(f)->findChild<T*>(name);
  }
  void Type(QWidget* w, const QString& text) {
    w->activateWindow();
    w->setFocus();
    QTest::keyClicks(w, text);
    Settle();
  }
  QStringList Findings() const {
    QStringList out;
    for (int i = 0; i < view->lstFindings->count(); ++i) out << view->lstFindings->item(i)->text();
    return out;
  }
  ColumnView* view = nullptr;
};

TEST(ColumnView, FollowsTypingAndFocusAndComesAndGoesWithItsMenuEntry) {
  ViewShell s;
  ASSERT_TRUE(s.view && s.view->isVisible() && s.Action("mnuViewColumns")->isChecked());
  QLineEdit* radius = s.Field(Form::Horiz, "Radius");
  s.Type(radius, "150");
  EXPECT_EQ(s.view->Map()->lines[6].substr(51, 7), " 150.00");
  EXPECT_EQ(s.view->Map()->lines, WriteProjectLines(s.window->project()).lines);
  EXPECT_EQ(s.view->lblStatus->text(), "01 Radius, columns 52-58, 7.2 digits");
  s.Type(s.Field(Form::Horiz, "PIStation"), "1+00");
  EXPECT_EQ(s.view->lblStatus->text(), "01 PIStation, columns 13-23, 11 digits, 4 implied decimals");
  EXPECT_EQ(s.view->Map()->lines[6].substr(12, 11), "    1000000");
  ASSERT_EQ(s.view->Text->Highlight().size(), 1u);
  EXPECT_EQ(s.view->Text->Highlight()[0].first, 13);
  EXPECT_TRUE(s.Findings().isEmpty());
  EXPECT_EQ(s.view->lblFindings->text(), "No findings: every value fits its columns and every row is written.");
  s.view->close();
  EXPECT_FALSE(s.Action("mnuViewColumns")->isChecked());
  s.Action("mnuViewColumns")->trigger();
  EXPECT_TRUE(s.view->isVisible() && s.window->columns().View() == s.view);
}

TEST(ColumnView, TooWideRadiusIsMarkedListedAndReportedAfterSave) {
  ViewShell s;
  s.window->CurrentInputFile = s.Path("wide.dat");
  std::string whileShown;
  s.messages.onShow = [&] { whileShown = testing::Slurp(s.Path("wide.dat")); };
  QLineEdit* radius = s.Field(Form::Horiz, "Radius");
  s.Type(radius, "12345.678");
  const QString wide = "line 7, columns 52-59: Horizontal, Radius: \"12345.678\" takes 8 columns; the field has 7";
  EXPECT_EQ(s.Findings(), QStringList{wide});
  EXPECT_EQ(s.view->lblStatus->text(), "01 Radius, columns 52-58, 7.2 digits; \"12345.678\" needs 8 columns");
  ASSERT_TRUE(HasFieldMark(radius));
  EXPECT_EQ(radius->toolTip(), "\"12345.678\" needs 8 columns; the field has 7 (line 7, columns 52-59). Every field "
                               "after it on the line moves.");
  const QWidget* frame = radius->findChild<QWidget*>("kvMarkFrame");
  EXPECT_TRUE(frame->isVisible() && radius->rect().contains(frame->geometry()));

  s.Action("mnuFileSave")->trigger();
  EXPECT_EQ(s.messages.texts, QStringList{"The file is saved, but the engine will not read it as entered:\n\n" + wide});
  EXPECT_EQ(whileShown, testing::FileBytes(s.window->project()));  // written before the box
  const std::string written = testing::Slurp(s.Path("wide.dat"));
  EXPECT_NE(written.find("      12345.68" + std::string(12, ' ')), std::string::npos) << written;

  radius->selectAll();
  s.Type(radius, "abc");  // not a number: marked and listed, but Save writes it without a word
  EXPECT_EQ(s.Findings(), QStringList{"line 7, columns 52-58: Horizontal, Radius: \"abc\" is not a number; written as 7 blanks"});
  EXPECT_EQ(radius->toolTip(), "\"abc\" is not a number: Save writes 7 blanks (line 7, columns 52-58).");
  radius->selectAll();
  s.Type(radius, "150");
  EXPECT_TRUE(!HasFieldMark(radius) && radius->toolTip().isEmpty() && s.Findings().isEmpty());
  s.Action("mnuFileSave")->trigger();
  EXPECT_EQ(s.messages.texts.size(), 1);  // a clean save says nothing
}

// Insert Row left empty in the dead loads: every row below is marked, listed and reported,
// at most ten of them; a click on a finding or a value in the view leads to its field.
TEST(ColumnView, RowsLeftOutAreMarkedAndTheViewLeadsToTheirFields) {
  ViewShell s;
  s.window->CurrentInputFile = s.Path("rows.dat");
  QLineEdit* first = s.Field(Form::Dead, "Text3");
  auto* dead = static_cast<DeadLoad*>(s.Editor(Form::Dead));
  ControlGrid& grid = dead->grid();
  for (int row = 0; row < 12; ++row) s.Type(grid.Cell(row, 3), QString::number(row + 1));
  first->setFocus();  // row 0 is left last: Insert Row acts on it
  QTest::mouseClick(dead->findChild<QPushButton*>("Insert"), Qt::LeftButton);
  Settle();
  QStringList listed = s.Findings();
  ASSERT_EQ(listed.size(), 12);
  EXPECT_EQ(listed[0], "after line 10: DeadLoad row 2: not written; it comes after the empty row 1");
  for (int row : {1, 12}) {
    EXPECT_TRUE(HasFieldMark(grid.Cell(row, 0)) && HasFieldMark(grid.Cell(row, 13))) << row;
    EXPECT_EQ(grid.Cell(row, 5)->toolTip(), "This row is not saved: it comes after the empty row 1.");
  }
  EXPECT_FALSE(HasFieldMark(grid.Cell(0, 0)) || HasFieldMark(grid.Cell(13, 0)));

  s.Action("mnuFileSave")->trigger();
  ASSERT_EQ(s.messages.texts.size(), 1);
  const QStringList lines = s.messages.texts[0].split('\n');
  EXPECT_EQ(lines.size(), 2 + 10 + 1);
  EXPECT_EQ(lines.mid(2, 10), listed.mid(0, 10));
  EXPECT_EQ(lines.last(), "and 2 more");

  s.Editor(Form::Dead)->hide();
  QTest::mouseClick(s.view->lstFindings->viewport(), Qt::LeftButton, {},
                    s.view->lstFindings->visualItemRect(s.view->lstFindings->item(11)).center());
  EXPECT_TRUE(dead->isVisible());
  EXPECT_EQ(dead->focusWidget(), grid.Cell(12, 0));
  // A value in the view: the Horizontal window, never opened, comes with the focus in Radius.
  QTest::mouseClick(s.view->Text->viewport(), Qt::LeftButton, {}, s.view->Text->PointOf(6, 55));
  ASSERT_NE(s.Editor(Form::Horiz), nullptr);
  EXPECT_TRUE(s.Editor(Form::Horiz)->isVisible() && s.Action("mnuFormHoriz")->isChecked());
  EXPECT_EQ(s.Editor(Form::Horiz)->focusWidget()->objectName(), "Radius");
}

// File Open shows in the view and in the editors already open; a second file takes the
// first one's marks away.
TEST(ColumnView, FileOpenBringsItsFindingsToTheViewAndTheOpenEditors) {
  ViewShell s;
  QLineEdit* radius = s.Field(Form::Horiz, "Radius");
  s.Field(Form::Gird, "Text1");
  ControlGrid* girders = s.Editor(Form::Gird)->findChild<ControlGrid*>();
  s.window->OpenFile(KV_TEST_DATA "/too_wide.dat");
  Settle();
  EXPECT_EQ(s.Findings().size(), 70);
  EXPECT_TRUE(HasFieldMark(radius) && HasFieldMark(girders->Cell(0, girders->ColumnIndex("Text1"))));
  s.window->OpenFile(KV_TEST_DATA "/bridge_english.dat");
  Settle();
  EXPECT_TRUE(s.Findings().isEmpty() && !HasFieldMark(radius) &&
              !HasFieldMark(girders->Cell(0, girders->ColumnIndex("Text1"))));
}

}  // namespace
}  // namespace kv
