// What the three row-grid windows share: their cells, buttons and headings, Insert and Delete Row,
// scrolling, the full table, File Open and the saved columns; the girder and bent drop-downs; the
// cross-slope window's fields and overrides.
#include <gtest/gtest.h>

#include <span>

#include "grid_fixture.h"
#include "records/alignment/crosstrans_editor.h"
#include "records/alignment/crosstrans_record.h"
#include "records/bents/bent_editor.h"
#include "records/bents/bent_table.h"
#include "records/layout/girder_editor.h"
#include "records/layout/girder_table.h"

namespace kv {
namespace {

struct Col { const char *name, *kind; int left, width; const char* items = ""; int height = 288; };
struct Button { const char *name, *caption; int left, top, width; };
// The bar stands inside the frame; in a centred window each column's heading stands over its box.
struct Layout {
  Form form; const char *title, *name; QSize size; int rowTop; std::vector<Col> cols; const char* newRow;
  QRect frame, bar; QList<int> scroll; std::vector<Button> buttons; const char* headings; bool centred;
};
const char *const kOffsetTypes = "Bent from LOL,Norm. from LOL,Bent from HCL,Norm. from HCL", *const kL = "QLineEdit",
                  *const kC = "QComboBox", *const kEmptyRow = "(Line Type)||(Offset Type)||(Offset Type)|||||";
const Layout kLayouts[] = {
    {Form::Gird, "Girder Line", "GirderLine", {10692, 6420}, 0,
     {{"Combo1", kC, 0, 1332, "Parallel to Horiz.,Segmented,Parallel to Layout,Flared Girder Line,Offset Varies"},
      {"Text1", kL, 1320, 852}, {"Combo3", kC, 2160, 1092, kOffsetTypes}, {"Text2", kL, 3240, 1092},
      {"Combo2", kC, 4320, 1092, kOffsetTypes}, {"Text3", kL, 5400, 972}, {"Text4", kL, 6360, 1212},
      {"Text13", kL, 7560, 492}, {"Text16", kL, 8040, 252}, {"List1", "QListWidget", 8400, 1692,
       "Girder lines Parallel,Layout line is a chord,Camber cutting diagram,Type 4 constant offset,Suppress listing", 255}},
     kEmptyRow, {120, 720, 10452, 4932}, {10080, 0, 255, 4812}, {0, 3000, 100, 300, 0},
     {{"AddRecord", "Add New Row", 1440, 5760, 1452}, {"Delete", "Delete Row", 3720, 5760, 1452},
      {"Insert", "Insert Row", 5640, 5760, 1452}, {"Command3", "Hide", 7800, 5760, 1452}},
     "Line Type@120,360|Offset Distance@2520,120|Initial@2040,360|Terminal@3960,360|Elevation Shift@5520,120|"
     "Description@6360,360|X-Type Frac. Points@7560,0|DL Char.@8040,240|Options@8520,360", false},
    {Form::Bent, "Bent Line Data", "BentLine", {11325, 6450}, 120,
     {{"Text1", kL, 0, 852}, {"Combo1", kC, 840, 1572,
       "Horiz. Control,Layout Line,Back Tangent,Ahead Tangent,Normal to Ref.,Normal Offset,Seg. Chord Length"},
      {"Text7", kL, 2400, 252}, {"Text2", kL, 2640, 1092},
      {"Combo2", kC, 3720, 1332, "Default,Horiz. Control,Layout Line,Back Tangent,Ahead Tangent"},
      {"Text3", kL, 5040, 612}, {"Text4", kL, 5640, 1212}, {"Text5", kL, 6840, 612}, {"Text6", kL, 7440, 492},
      {"Text8", kL, 7920, 612}, {"List1", "QListWidget", 8520, 1692,
       "Break Girder Lines,Flared Girder Offsets,Chord Layout Line,Suppress Listing"}},
     "|(Distance Type)|L||(Skew Type)||||||", {240, 720, 10692, 4932}, {10320, 120, 252, 4692}, {0, 3000, 100, 300, 0},
     {{"AddRecord", "Add Row", 1440, 5880, 1332}, {"Delete", "Delete Row", 3720, 5880, 1212},
      {"Insert", "Insert Row", 5640, 5880, 1452}, {"Command1", "Hide", 7800, 5880, 1212}},
     "Distance|Skew|Fractional Points|Description|Sel. Intersect|DL|Sec. Ref.|Options", false},
    {Form::Dead, "Dead Load Deflection", "DeadLoad", {11325, 6450}, 120,
     {{"Text1", kL, 0, 252}, {"Text2", kL, 600, 252}, {"Text14", kL, 1080, 252}, {"Text3", kL, 1440, 852},
      {"Text4", kL, 2280, 972}, {"Text5", kL, 3240, 852}, {"Text6", kL, 4080, 852}, {"Text7", kL, 4920, 852},
      {"Text8", kL, 5760, 852}, {"Text9", kL, 6600, 852}, {"Text10", kL, 7440, 852}, {"Text11", kL, 8280, 732},
      {"Text12", kL, 9000, 732}, {"Text13", kL, 9720, 732}},
     "|||||||||||||", {300, 720, 10692, 5136}, {10440, 120, 252, 4812}, {0, 3500, 50, 300, 0},
     {{"AddRecord", "Add Row", 2040, 6000, 1332}, {"Delete", "Delete Row", 4080, 6000, 1212},
      {"Insert", "Insert Row", 6000, 6000, 1452}, {"Command3", "Hide", 8160, 6000, 1212}},
     "Girder Code|Bent Line Code|Units|0|1|2|3|4|5|6|7|8|9|10|Deflections at Tenth Points", true},
};

TEST(GridWindow, ANewWindowsCellsFrameScrollBarButtonsAndHeadings) {
  for (const Layout& L : kLayouts) {
    SCOPED_TRACE(L.title);
    Program prog;
    QWidget& w = *prog.window->editors().Ensure(L.form);
    auto rect = [&w](QRect r) { return QRect(Px(w, r.x()), Py(w, r.y()), Px(w, r.width()), Py(w, r.height())); };
    EXPECT_EQ(std::tuple(w.windowTitle(), w.objectName(), w.size()),
              std::tuple(QString(L.title), QString(L.name), QSize(Px(w, L.size.width()), Py(w, L.size.height()))));
    ControlGrid& g = GridOf(w);
    ASSERT_EQ(std::pair(g.RowCount(), g.Columns().size()), std::pair(20, L.cols.size()));
    for (int c = 0; c < int(L.cols.size()); ++c) {
      const Col& k = L.cols[c];
      for (int row : {0, 19}) {
        QWidget* x = g.Cell(row, c);
        EXPECT_EQ(QString("%1 %2 %3 %4").arg(x->objectName(), x->property("Index").toString(),
                                             x->parentWidget()->objectName(), ItemsOf(x).join(',')),
                  QString("%1 %2 Frame1 %3").arg(k.name).arg(row).arg(k.items));
        EXPECT_TRUE(x->inherits(k.kind)) << k.name;
        EXPECT_EQ(x->geometry(), rect({k.left, L.rowTop + 240 * row, k.width, k.height})) << k.name << " row " << row;
      }
    }
    EXPECT_EQ(std::tuple(RowText(w, 7), g.Frame()->objectName(), g.ScrollBar()->objectName(), g.Frame()->geometry()),
              std::tuple(std::string(L.newRow), QString("Frame1"), QString("VScroll1"), rect(L.frame)));
    EXPECT_EQ(ScrollValues(g.ScrollBar()), L.scroll);
    EXPECT_EQ(QRect(g.ScrollBar()->mapTo(&w, QPoint()) - g.Frame()->pos(), g.ScrollBar()->size()), rect(L.bar));
    for (const Button& b : L.buttons) {
      auto* x = w.findChild<QPushButton*>(b.name);
      ASSERT_NE(x, nullptr) << b.name;
      EXPECT_EQ(QString("%1@%2,%3,%4").arg(x->text()).arg(x->x()).arg(x->y()).arg(x->width()),
                QString("%1@%2,%3,%4").arg(b.caption).arg(Px(w, b.left)).arg(Py(w, b.top)).arg(Px(w, b.width)));
    }
    ExpectLabels(w, L.headings);
    for (QLabel* l : w.findChildren<QLabel*>()) {
      EXPECT_LT(l->geometry().bottom(), g.Frame()->y()) << l->text().toStdString();
      const int c = g.ColumnIndex(l->objectName().chopped(7));
      if (L.centred && c >= 0) {
        EXPECT_NEAR(l->geometry().center().x(), g.Frame()->x() + Px(w, L.cols[c].left + L.cols[c].width / 2), 3);
      }
    }
    if (L.centred) {  // the common heading over the tenth points' numbers
      EXPECT_LT(w.findChild<QLabel*>("DeflectionsHeading")->geometry().bottom(), w.findChild<QLabel*>("Text3Heading")->y());
    }
  }
}

// A new window's rows and maximum, the maximum's growth per row, an appended row's place below the last and
// its cells, the refusal of a full table; file lines of `code` made by `line`, row 24 of 25 showing `shown`.
struct GridKind {
  Form form; const char* add; int rows, baseMax, step, gap; const char *appended, *full; int capacity;
  const char* code; std::string (*line)(int); const char* shown;
};
const GridKind kKinds[] = {
    {Form::Gird, "AddRecord", 20, 3000, 300, 288 - 50, kEmptyRow, "The girder line table is full: no more rows can be added.",
     119, "05", [](int i) { return QString::asprintf("053  %02d00002  1450002   00000G%-19d", i, i).toStdString(); },
     "Flared Girder Line|24|Norm. from LOL|14.5|Norm. from LOL|0|G24                 |  ||"},
    {Form::Bent, "AddRecord", 20, 3000, 300, 268, "|(Distance Type)|||(Skew Type)||||||",
     "The bent line table is full: no more rows can be added.", 119, "06",
     [](int i) { return QString::asprintf("06  8500000R15 0 0000 10    PIER %-8dXC3S3", i).toStdString(); },
     "85|Horiz. Control|R|15\u00b0 0' 0.00\"|Default|10|PIER 24   |C|3|S3|Suppress Listing"},
    {Form::Dead, "AddRecord", 20, 3500, 300, 268, "|||||||||||||", "The dead load table is full: no more rows can be added.",
     117, "07", [](int i) { return "07" + std::string(1, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcd"[i]) + "1            0000  0125"; },
     "Y|1| |0|0.125|||||||||"},
    {Form::Cross, "AddOverRecord", 6, 1000, 250, 240, "||", "The override table is full: no more overrides can be added.",
     133}};

// How the rows move is the tables' own affair; the window acts on the row that last lost the
// focus (row 0 if none had it) and then shows the whole table.
TEST(GridWindow, InsertAndDeleteActOnTheRowThatLastLostFocus) {
  for (const GridKind& k : std::span(kKinds, 3))
    for (const auto& [button, focusRow] : {std::pair("Insert", -1), {"Insert", 19}, {"Delete", -1}, {"Delete", 1}}) {
      SCOPED_TRACE(std::to_string(int(k.form)) + " " + button + " " + std::to_string(focusRow));
      Program prog;
      Project& p = prog.project();
      auto& w = *prog.window->editors().Ensure(k.form);
      for (int i = 0; i < 20; ++i) {
        WithTable(p, k.form, [i](auto& t) { return t.rows[i].Text4 = "D" + std::to_string(i); });
        SelectBentSkewType(p.BentLine.rows[i], i % 5), ChooseGirderLineType(p.GirderLine.rows[i], i % 5);
      }
      p.BentLine.rows[0].List1 = {true, false, false, true}, p.DeadLoad.rows[1].Text13 = "0.5";
      w.Refresh(), Activate(w);
      std::vector<std::string> want, shown, cells, table;
      for (int i = 0; i < 20; ++i) want.push_back(RowText(w, i));
      if (focusRow >= 0) GridOf(w).Cell(focusRow, 1)->setFocus();
      Click(w, button);  // the cell loses the focus to the button, then the button acts
      const int at = std::max(focusRow, 0);
      if (button[0] == 'I') want.insert(want.begin() + at, "");
      else want.erase(want.begin() + at), want.push_back("");
      ASSERT_EQ(GridOf(w).RowCount(), int(want.size()));
      for (int j = 0; j < int(want.size()); ++j) {
        shown.push_back(want[j].empty() ? CellText(w, j, "Text4") : RowText(w, j)), cells.push_back(CellText(w, j, "Text4"));
        table.push_back(WithTable(p, k.form, [j](auto& t) { return t.rows.at(j).Text4; }));
      }
      EXPECT_EQ(shown, want);
      EXPECT_EQ(cells, table);  // no row is left showing what it held before
      EXPECT_EQ(GridOf(w).ScrollBar()->maximum(), k.baseMax + (button[0] == 'I' ? 600 : 0));
    }
}

TEST(GridWindow, AppendedRowScrollingAndTheFullTable) {
  for (const GridKind& k : kKinds) {
    const auto [rows, add, step] = std::tuple(k.rows, k.add, k.step);
    SCOPED_TRACE(int(k.form));
    Program prog;
    QWidget& w = *prog.window->editors().Ensure(k.form);
    auto scroll = [&] { return ScrollOf(prog.project(), k.form); };
    ControlGrid& g = GridOf(w);
    const double top0 = g.RowTop(0);
    Click(w, add);
    ASSERT_EQ(g.RowCount(), rows + 1);
    EXPECT_EQ(std::tuple(g.ScrollBar()->maximum(), int(scroll().Max), g.RowTop(rows) - g.RowTop(rows - 1), RowText(w, rows)),
              std::tuple(k.baseMax + step, k.baseMax + step, double(k.gap), std::string(k.appended)));
    for (int c = 0; c < int(g.Columns().size()); ++c) EXPECT_EQ(g.Cell(rows, c)->property("Index").toInt(), rows);
    const std::vector<int> tops = Tops(w, rows + 1);
    g.ScrollBar()->setValue(300);
    EXPECT_EQ(std::tuple(int(scroll().Pos), g.RowTop(0), g.Cell(2, int(g.Columns().size()) - 1)->y()),
              std::tuple(300, top0 - 300, Py(w, top0 + 480 - 300)));
    Click(w, add);  // appended while scrolled, in line with the scrolled rows
    EXPECT_EQ(g.RowTop(rows + 1), g.RowTop(rows) + k.gap);
    g.ScrollBar()->setValue(0);
    EXPECT_EQ(std::pair(int(scroll().Pos), Tops(w, rows + 1)), std::pair(0, tops));
    while (g.RowCount() < k.capacity) Click(w, add);
    Click(w, add);
    if (w.findChild<QPushButton*>("Insert")) Click(w, "Insert");
    const int fullMax = k.baseMax + step * (k.capacity - rows), refusals = rows == 6 ? 1 : 2;
    EXPECT_EQ(std::tuple(g.RowCount(), g.ScrollBar()->maximum(), int(scroll().Max)),
              std::tuple(k.capacity, fullMax, fullMax));
    EXPECT_EQ(prog.messages.titles + prog.messages.texts,
              QStringList(refusals, "Wexa_Kelvara") + QStringList(refusals, k.full));
  }
}

TEST(GridWindow, FileOpenGrowsTheGridAndTheNextFileShrinksIt) {
  for (const GridKind& k : std::span(kKinds, 3)) {
    SCOPED_TRACE(k.code);
    Program prog;
    QWidget& w = *prog.window->editors().Ensure(k.form);  // hidden while the files are read
    ControlGrid& g = GridOf(w);
    const double top0 = g.RowTop(0);
    g.ScrollBar()->setValue(600);
    for (int n : {25, 1, 30}) {
      SCOPED_TRACE(n);
      prog.OpenWith(k.code, n, k.line);
      const int rows = std::max(20, n);
      ASSERT_EQ(g.RowCount(), rows);
      EXPECT_EQ(std::tuple(g.ScrollBar()->maximum(), g.ScrollBar()->value(), g.RowTop(rows - 1)),
                std::tuple(k.baseMax + 300 * (rows - 20), 0, top0 + 19 * 240 + k.gap * (rows - 20)));
      if (n == 25) { EXPECT_EQ(RowText(w, 24), k.shown); }
      if (n < 20) { EXPECT_EQ(CellText(w, n, "Text4"), ""); }  // the rows of the file before are gone
    }
    EXPECT_EQ(prog.messages.texts, QStringList());
  }
}

// One notch of the wheel over a cell without the focus scrolls the grid by the bar's own
// wheel step and changes nothing in the row: not a line type, not an option, not a text.
TEST(GridWindow, TheWheelScrollsTheGridAndNeverChangesACellWithoutTheFocus) {
  const std::pair<Form, const char*> cases[] = {
      {Form::Gird, "Combo1"}, {Form::Gird, "List1"}, {Form::Bent, "Combo2"}, {Form::Bent, "List1"}, {Form::Dead, "Text3"}};
  for (const auto& [form, name] : cases) {
    SCOPED_TRACE(name + std::to_string(int(form)));
    Program prog;
    prog.Open(test::Slurp(KV_TEST_DATA "/bridge_english.dat"));
    QWidget& w = *prog.window->editors().Show(form);
    Activate(w);
    ControlGrid& g = GridOf(w);
    g.Cell(0, g.ColumnIndex(name))->clearFocus();
    const std::string before = RowText(w, 0), saved = test::Bytes(prog.project());
    const double top0 = g.RowTop(0);
    Wheel(g.Cell(0, name));
    const QScrollBar* bar = g.ScrollBar();
    const int moved = std::min(QApplication::wheelScrollLines() * bar->singleStep(), bar->pageStep());
    EXPECT_EQ(std::tuple(RowText(w, 0), bar->value(), int(ScrollOf(prog.project(), form).Pos), g.RowTop(0)),
              std::tuple(before, moved, moved, top0 - moved));
    EXPECT_EQ(test::Bytes(prog.project()), saved);
  }
}

// Tab from the last row inside the frame to the row below it scrolls the grid, through
// VScroll1 in SmallChange steps, until that row shows whole; focus in a row above the frame
// scrolls it back.
TEST(GridWindow, KeyboardFocusInARowOutsideTheFrameScrollsItIntoView) {
  for (const GridKind& k : kKinds) {
    SCOPED_TRACE(int(k.form));
    Program prog;
    QWidget& w = *prog.window->editors().Show(k.form);
    Activate(w);
    Click(w, k.add);
    ControlGrid& g = GridOf(w);
    const int frameBottom = g.Frame()->height();
    auto whole = [&](int row) {
      QWidget* c = g.Cell(row, 0);
      return c->y() >= 0 && c->y() + c->height() <= frameBottom;
    };
    int last = 0;
    while (whole(last + 1)) ++last;
    ASSERT_FALSE(whole(last + 1));
    const int lastColumn = int(g.Columns().size()) - 1;
    g.Cell(last, lastColumn)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    const QWidget* focus = QApplication::focusWidget();
    const QScrollBar* bar = g.ScrollBar();
    EXPECT_EQ(std::tuple(focus ? focus->property("Index").toInt() : -1, whole(last + 1), bar->value() % bar->singleStep()),
              std::tuple(last + 1, true, 0));
    EXPECT_EQ(int(ScrollOf(prog.project(), k.form).Pos), bar->value());
    EXPECT_GT(bar->value(), 0);
    g.ScrollBar()->setValue(bar->maximum());
    g.Cell(0, 0)->setFocus();
    EXPECT_EQ(std::pair(whole(0), bar->value() % bar->singleStep()), std::pair(true, 0));
  }
}

// Cells show the start of their text after File Open, Insert Row and Delete Row, even where a
// row takes over the very text it held; the drop-downs open wide enough for their items.
TEST(GridWindow, CellsShowTheStartOfTheirTextAndDropDownsOpenWide) {
  for (const GridKind& k : std::span(kKinds, 3)) {
    SCOPED_TRACE(k.code);
    Program prog;
    QWidget& w = *prog.window->editors().Show(k.form);
    Activate(w);
    prog.OpenWith(k.code, 25, [](int) {
      return std::string("06  8500000R123015501  25000ABUT 4 LONGER TEXT");  // every row alike
    });
    ControlGrid& g = GridOf(w);
    QStringList notAtStart;
    auto check = [&](const char* when) {
      for (QLineEdit* e : g.Frame()->findChildren<QLineEdit*>())
        if (e->cursorPosition() != 0 && !e->hasFocus()) notAtStart << QString("%1 %2 row %3").arg(when, e->objectName(), e->property("Index").toString());
    };
    check("open");
    g.Cell(1, 0)->setFocus(), Click(w, "Insert"), check("insert");
    g.Cell(1, 0)->setFocus(), Click(w, "Delete"), check("delete");
    EXPECT_EQ(notAtStart, QStringList());
    for (QComboBox* c : g.Frame()->findChildren<QComboBox*>()) {
      // Opened as a designer opens it, with a click on its arrow (the list is made as it opens).
      const QRect typing = c->lineEdit() ? c->lineEdit()->geometry() : QRect();
      if (c->isEnabled())
        QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(c->width() - 3, c->height() / 2));
      else
        c->showPopup();
      c->hidePopup();
      if (c->lineEdit()) {
        EXPECT_EQ(c->lineEdit()->geometry(), typing) << c->objectName().toStdString();
      }
      EXPECT_GE(c->view()->minimumWidth(), c->view()->sizeHintForColumn(0)) << c->objectName().toStdString();
      // In the menu look (items drawn as menu entries), not as a plain list.
      EXPECT_FALSE(c->itemDelegate()->inherits("QStyledItemDelegate")) << c->objectName().toStdString();
    }
    // And again after a change of style (a desktop's theme), which restyles the lists.
    if (QComboBox* first = g.Frame()->findChild<QComboBox*>(); first && first->isEnabled()) {
      QEvent restyled(QEvent::StyleChange);
      QApplication::sendEvent(first, &restyled);
      QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(first->width() - 3, first->height() / 2));
      first->hidePopup();
      EXPECT_FALSE(first->itemDelegate()->inherits("QStyledItemDelegate"));
    }
  }
}

TEST(GridWindow, TypedRowsAreSavedInTheirColumns) {
  using Entry = std::tuple<int, const char*, const char*>;  // row, cell, "#i,j" picks items i and j, else typed
  const struct { Form form; const char* code; std::vector<Entry> entered; std::vector<std::string> saved; short metric = 0; } cases[] = {
      {Form::Gird, "05",
       {{0, "Combo1", "#3"}, {0, "Text1", "12.5"}, {0, "Combo3", "#1"}, {0, "Text2", "14.5"}, {0, "Combo2", "#2"},
        {0, "Text3", "-0.125"}, {0, "Text4", "G1 TEST"}, {0, "Text13", "5"}, {0, "Text16", "E"}, {0, "List1", "#0,4"},
        // Typed text in a drop-down chooses nothing: the row is written with line type code 0.
        {1, "Combo1", "#0"}, {1, "Combo1", "x"}, {1, "Text4", "G2"}},
       {"053  1250002  1450003   -1250G1 TEST             X 5 E  X",
        "05         0                 G2                          "}},
      {Form::Bent, "06",
       {{1, "Text1", "280"}, {1, "Combo1", "#5"}, {1, "Text7", "R"}, {1, "Text2", "12\xB0 30' 15.50\""},
        {1, "Combo2", "#1"}, {1, "Text3", "2.5"}, {1, "Text4", "ABUT 4"}, {1, "Text5", "D"}, {1, "Text6", "4"},
        {1, "Text8", "S4"}, {1, "List1", "#1,2,3"}, {1, "List1", "#2,3"}},
       {"06 28000006R123015501  25000ABUT 4      XXD4S4"}},
      {Form::Dead, "07",
       {{0, "Text1", "A"}, {0, "Text2", "1"}, {0, "Text3", "0"}, {0, "Text4", "0.125"}, {0, "Text5", "0.25"},
        {0, "Text6", "0.375"}, {0, "Text7", "0.5"}, {0, "Text8", "0.55"}, {0, "Text9", "0.5"}, {0, "Text10", "0.375"},
        {0, "Text11", "0.25"}, {0, "Text12", "0.125"}, {0, "Text13", "0"}, {1, "Text14", "m"}},
       {"07A1            0000  0125  0250  0375  0500  0550  0500  0375  0250  0125  0000", "07  m" + std::string(75, ' ')}},
      // The units cell takes one character: "mm" would write the row with 2 decimals and read it back with 4.
      {Form::Dead, "07", {{0, "Text14", "mm"}, {0, "Text3", "0.0125"}}, {"07  m          00125" + std::string(60, ' ')}, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    Program prog;
    prog.project().MetricUnits = c.metric;
    QWidget& w = *prog.window->editors().Ensure(c.form);
    Activate(w);
    for (const auto& [row, name, text] : c.entered) {
      QWidget* cell = GridOf(w).Cell(row, name);
      const QString s = QString::fromLatin1(text);
      if (!s.startsWith('#')) cell->setFocus(), QTest::keyClicks(cell, s);
      else if (auto* list = qobject_cast<QListWidget*>(cell); !list) Pick(cell, s.mid(1).toInt());
      else
        for (int i = 0; i < list->count(); ++i) list->item(i)->setSelected(s.mid(1).split(',').contains(QString::number(i)));
    }
    EXPECT_EQ(Saved(prog.project(), c.code), c.saved);
  }
}

TEST(GirderLineEditor, LineTypeSetsOffsetEntriesAndTerminalCellsAndDeleteMovesThem) {
  Project p;
  GirderLine w{p};
  Activate(w);
  auto cell = [&w](int row, const char* name) { return w.Grid().Cell(row, name); };
  auto fixed = [&](const char* c) {
    const QFontMetrics m(cell(0, c)->font());
    return m.horizontalAdvance("ii") == m.horizontalAdvance("WW");
  };
  EXPECT_EQ(std::tuple(cell(0, "Text13")->font().family(), fixed("Text13"), fixed("Text4")),
            std::tuple(QString("Courier New"), true, false));
  EXPECT_EQ(qobject_cast<QListWidget*>(cell(0, "List1"))->selectionMode(), QAbstractItemView::ExtendedSelection);
  const std::tuple<int, const char*, const char*> steps[] = {
      {1, "Segmented||(Offset Type)|7.5~|(Offset Type)~|||||", "Normal from base,,,"},
      {4, "Offset Varies||(Offset Type)|7.5~|(Offset Type)~|||||",
       "Fr HC at Nom. CS,Fr HC at Level CS,Fr Pivot at Nom. CS,Fr Pivot at Level CS"},
      {3, "Flared Girder Line||(Offset Type)|7.5|(Offset Type)|||||", kOffsetTypes},
      {0, "Parallel to Horiz.||(Offset Type)|7.5~|(Offset Type)~|||||", kOffsetTypes}};
  Type(cell(2, "Text2"), "7.5");
  for (const auto& [type, row, entries] : steps) {
    SCOPED_TRACE(type);
    Pick(cell(2, "Combo3"), 0);
    Pick(cell(2, "Combo1"), type);
    EXPECT_EQ(std::tuple(RowText(w, 2), ItemsOf(cell(2, "Combo3")).join(','), p.GirderLine.rows[2].Combo3, RowText(w, 1)),
              std::tuple(std::string(row), QString(entries), -1, std::string(kEmptyRow)));  // row 1 stays as it was
  }
  // A flared line moved up onto a segmented row keeps its terminal cells and initial type.
  for (auto [row, name, index] : {std::tuple{0, "Combo1", 1}, {1, "Combo1", 3}, {1, "Combo3", 2}, {1, "Combo2", 1}})
    Pick(cell(row, name), index);
  Type(cell(1, "Text2"), "14.5");
  cell(0, "Text1")->setFocus(), Click(w, "Delete");
  EXPECT_EQ(std::tuple(RowText(w, 0), ItemsOf(cell(0, "Combo3")).join(','), RowText(w, 1)),  // row 1: row 2's
            std::tuple(std::string("Flared Girder Line||Bent from HCL|14.5|Norm. from LOL|||||"), QString(kOffsetTypes),
                       std::string("Parallel to Horiz.||(Offset Type)|7.5~|(Offset Type)~|||||")));
}

TEST(BentLineEditor, TypedComboTextIsKeptButOnlyAPickIsWritten) {
  // Picked with the keyboard, then typed over (nullptr: not); the project's index and text, the code on file.
  const struct { const char* combo; int pick; const char* typed; int index; const char* text; int column; char code; }
  cases[] = {
      {"Combo1", 2, "Pier axis", -1, "Pier axis", 11, ' '}, {"Combo2", 3, "Radial", -1, "Radial", 21, ' '},
      {"Combo1", 5, nullptr, 5, "Normal Offset", 11, '6'},  {"Combo2", 4, nullptr, 4, "Ahead Tangent", 21, '4'}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.combo) + " " + c.text);
    Program prog;
    auto& w = *dynamic_cast<BentLine*>(prog.window->editors().Ensure(Form::Bent));
    Activate(w);
    QTest::keyClicks(w.grid().Cell(0, "Text4"), "PIER 1");
    auto* box = qobject_cast<QComboBox*>(w.grid().Cell(0, c.combo));
    Pick(box, c.pick);
    if (c.typed != nullptr) box->lineEdit()->selectAll(), QTest::keyClicks(box, c.typed);
    const BentRow& r = prog.project().BentLine.rows[0];
    const bool first = c.combo[5] == '1';
    const auto saved = Saved(prog.project(), "06");
    EXPECT_EQ(std::tuple(first ? r.Combo1 : r.Combo2, first ? r.Combo1Text : r.Combo2Text, saved.size(),
                         saved.at(0)[c.column - 1]), std::tuple(c.index, std::string(c.text), 1u, c.code));
    w.AddRecord_Click();  // a row added afterwards shows row 0's text with nothing chosen
    EXPECT_EQ(RowText(w, 20), first ? "|(" + std::string(c.text) + ")|||(Skew Type)||||||"
                                    : "|(Distance Type)|||(" + std::string(c.text) + ")||||||");
  }
}

// In the tab order; what is typed there.
struct Field { const char *name, *label, *typed; };
const Field kFields[] = {{"CrossSlope", "Nominal Cross-Slope:", "0.02"}, {"SuperRate", "Super Rate (e):", "0.06"},
    {"PivotOffset", "Pivot Offset from Profile Line (-Left):", "-6.5"}, {"InRunOut", "Run-Out:", "50"},
    {"InTransLength", "Transition Length:", "120"}, {"InTransPer", "Percent of Transition:", "67"},
    {"OutRunout", "Run-Out:", "40"}, {"OutTransLength", "Transition Length:", "110.5"},
    {"OutTransPer", "Percent of Transition:", "70"}, {"MaxTransVC", "Transition Vertical curve Maximum Length:", "50"},
    {"CrownWidth", "Width:", "24"}, {"CrownHeight", "Height:", "0.25"}, {"CrownLeft", "Left Slope:", "0.02"},
    {"CrownRight", "Right Slope:", "-0.02"}};

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
  EXPECT_EQ(ItemsOf(crown).join(',') + " " + QString::number(crown->selectedItems().size()), "A,B,C,P 0");
  // Six rows 240 twips apart inside Frame1, VScroll1 as a new window has it.
  ASSERT_EQ(w.findChildren<QLineEdit*>("OverSta").size() + w.findChildren<QLineEdit*>("OverRight").size(), 12);
  for (int i = 0; i < 6; ++i)
    for (const char* name : {"OverSta", "OverLeft", "OverRight"}) {
      order << QString("%1(%2)").arg(name).arg(i);
      EXPECT_EQ(std::pair(w.Grid().Cell(i, name)->parentWidget(), w.Grid().Cell(i, name)->y()),
                (std::pair<QWidget*, int>(w.findChild<QFrame*>("Frame1"), Py(w, 60 + 240 * i)))) << name << i;
    }
  EXPECT_EQ(ScrollValues(w.findChild<QScrollBar*>("VScroll1")), QList<int>({0, 1000, 10, 50, 0}));
  order << "AddOverRecord" << "Command4";
  EXPECT_EQ(w.findChild<QPushButton*>("AddOverRecord")->text() + "/" + w.findChild<QPushButton*>("Command4")->text(),
            "Add New Override/Hide");
  auto named = [](QWidget* x) {  // a grid cell as "name(row)"
    return x->objectName() + (x->property("Index").isValid() ? "(" + x->property("Index").toString() + ")" : "");
  };
  QStringList chain;
  for (QWidget* x = w.nextInFocusChain(); x != &w; x = x->nextInFocusChain())
    if (order.contains(named(x))) chain << named(x);
  EXPECT_EQ(chain, order);
  crown->setCurrentRow(1), crown->setCurrentRow(3);  // one crown type at a time
  EXPECT_EQ(std::pair(int(crown->selectedItems().size()), int(p.CrossTrans.CrownType)), std::pair(1, 3));
  for (const Field& f : kFields) QTest::keyClicks(w.findChild<QLineEdit*>(f.name), f.typed);
  // Row 1 has no right slope, row 2 no station.
  const char* rows[][3] = {{"105+25.50", "-0.02", "0.04"}, {"110+00", "0.03", ""}, {"", "0.01", "0.01"}};
  for (int i = 0; i < 9; ++i) QTest::keyClicks(w.Grid().Cell(i / 3, i % 3), rows[i / 3][i % 3]);
  // The fields in the columns of the first line, one blank gap after the vertical curve length.
  EXPECT_EQ(Saved(p, "03"),
            std::vector<std::string>({"03P002000600  -65000 500012000 6700 400011050 7000500      240000 025000200-0200",
                                      "03  1052550-020000400", "03  110000000300     "}));
}

TEST(CrossTransEditor, OpenFillsTheHiddenWindowAndGrowsOrShrinksTheGrid) {
  Program prog;
  Project eight;  // eight overrides
  CrossTransData& t = eight.CrossTrans;
  t.CrownType = 2, t.CrossSlope = "0.025", t.OutRunout = "30";
  ASSERT_TRUE(AddOverRecord(t) && AddOverRecord(t));
  for (int i = 0; i < 8; ++i)
    t.rows[i].OverSta = std::to_string(101 + i) + "+00.00", t.rows[i].OverLeft = "-0.0" + std::to_string(i + 1);
  auto& w = *dynamic_cast<CrossTrans*>(prog.window->editors().Ensure(Form::Cross));  // hidden
  prog.Open(testing::FileBytes(eight));
  auto field = [&w](const char* name) { return w.findChild<QLineEdit*>(name)->text(); };
  const QString crown = QString::number(w.findChild<QListWidget*>("CrownType")->currentRow());
  EXPECT_EQ(QStringList({field("CrossSlope"), field("OutRunout"), field("SuperRate"), crown, w.isVisible() ? "shown" : ""}),
            QStringList({"0.025", "30", "", "2", ""}));
  auto grid = [&w](int row) {  // the rows, the scroll maximum and a row's cells
    return std::tuple(w.findChildren<QLineEdit*>("OverSta").size() + w.findChildren<QLineEdit*>("OverRight").size(),
                      w.findChild<QScrollBar*>("VScroll1")->maximum(), RowText(w, row));
  };
  EXPECT_EQ(grid(7), std::tuple(16, 1500, "108+00.00|-0.08|"));
  EXPECT_EQ(w.Grid().RowTop(7) - w.Grid().RowTop(5), 2 * 240);  // the same pitch as the first six
  QTest::keyClicks(w.Grid().Cell(7, 2), "0.5");
  EXPECT_EQ(prog.project().CrossTrans.rows[7].OverRight, "0.5");
  prog.Open(testing::FileBytes(Project{}));  // no overrides
  EXPECT_EQ(grid(0), std::tuple(12, 1000, "||"));
  for (const QString& text : prog.messages.texts) EXPECT_FALSE(text.startsWith("Warning: (03)")) << text.toStdString();
}

}  // namespace
}  // namespace kv
