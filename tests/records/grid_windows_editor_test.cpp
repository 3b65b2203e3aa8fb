// What the three row-grid windows share: their cells, buttons and headings, Add, Insert
// and Delete Row, scrolling, the full table, File Open and the saved columns.
#include <gtest/gtest.h>

#include <span>

#include "grid_fixture.h"
#include "records/bents/bent_table.h"
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
      {"Text13", kL, 7560, 492}, {"Text16", kL, 8040, 252},
      {"List1", "QListWidget", 8400, 1692,
       "Girder lines Parallel,Layout line is a chord,Camber cutting diagram,Type 4 constant offset,Suppress listing", 255}},
     kEmptyRow, {120, 720, 10452, 4932}, {10080, 0, 255, 4812}, {0, 3000, 100, 300, 0},
     {{"AddRecord", "Add New Row", 1440, 5760, 1452}, {"Delete", "Delete Row", 3720, 5760, 1452},
      {"Insert", "Insert Row", 5640, 5760, 1452}, {"Command3", "Hide", 7800, 5760, 1452}},
     "Line Type@120,360|Offset Distance@2520,120|Initial@2040,360|Terminal@3960,360|Elevation Shift@5520,120|"
     "Description@6360,360|X-Type Frac. Points@7560,0|DL Char.@8040,240|Options@8520,360", false},
    {Form::Bent, "Bent Line Data", "BentLine", {11325, 6450}, 120,
     {{"Text1", kL, 0, 852},
      {"Combo1", kC, 840, 1572,
       "Horiz. Control,Layout Line,Back Tangent,Ahead Tangent,Normal to Ref.,Normal Offset,Seg. Chord Length"},
      {"Text7", kL, 2400, 252}, {"Text2", kL, 2640, 1092},
      {"Combo2", kC, 3720, 1332, "Default,Horiz. Control,Layout Line,Back Tangent,Ahead Tangent"},
      {"Text3", kL, 5040, 612}, {"Text4", kL, 5640, 1212}, {"Text5", kL, 6840, 612}, {"Text6", kL, 7440, 492},
      {"Text8", kL, 7920, 612},
      {"List1", "QListWidget", 8520, 1692, "Break Girder Lines,Flared Girder Offsets,Chord Layout Line,Suppress Listing"}},
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
    EXPECT_EQ(w.windowTitle() + " " + w.objectName(), QString(L.title) + " " + L.name);
    EXPECT_EQ(w.size(), QSize(Px(w, L.size.width()), Py(w, L.size.height())));
    ControlGrid& g = GridOf(w);
    ASSERT_EQ(std::pair(g.RowCount(), g.Columns().size()), std::pair(20, L.cols.size()));
    for (int c = 0; c < int(L.cols.size()); ++c) {
      const Col& k = L.cols[c];
      for (int row : {0, 19}) {
        SCOPED_TRACE(std::string(k.name) + " row " + std::to_string(row));
        QWidget* x = g.Cell(row, c);
        EXPECT_EQ(QString("%1 %2 %3 %4").arg(x->objectName(), x->property("Index").toString(),
                                             x->parentWidget()->objectName(), ItemsOf(x).join(',')),
                  QString("%1 %2 Frame1 %3").arg(k.name).arg(row).arg(k.items));
        EXPECT_TRUE(x->inherits(k.kind));
        EXPECT_EQ(x->geometry(), rect({k.left, L.rowTop + 240 * row, k.width, k.height}));
      }
    }
    EXPECT_EQ(RowText(w, 7), L.newRow);
    EXPECT_EQ(g.Frame()->objectName() + " " + g.ScrollBar()->objectName(), "Frame1 VScroll1");
    EXPECT_EQ(g.Frame()->geometry(), rect(L.frame));
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
      if (L.centred && c >= 0)
        EXPECT_NEAR(l->geometry().center().x(), g.Frame()->x() + Px(w, L.cols[c].left + L.cols[c].width / 2), 3);
    }
    if (L.centred)  // the common heading over the tenth points' numbers
      EXPECT_LT(w.findChild<QLabel*>("DeflectionsHeading")->geometry().bottom(), w.findChild<QLabel*>("Text3Heading")->y());
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

TEST(GridWindow, AddInsertDeleteActOnTheRowThatLastLostFocus) {
  // The focus row (-1: no cell had the focus); where rows 0, 1, 19 and the last come from (-1: emptied).
  const struct { const char* button; int focusRow; std::array<int, 4> from; } cases[] = {
      {"AddRecord", -1, {0, 1, 19, -1}}, {"Insert", -1, {-1, 0, 18, 19}}, {"Insert", 1, {0, -1, 18, 19}},
      {"Insert", 19, {0, 1, -1, 19}},    {"Delete", -1, {1, 2, -1, -1}},  {"Delete", 1, {0, 2, -1, -1}},
      {"Delete", 19, {0, 1, -1, -1}}};
  for (const GridKind& k : std::span(kKinds, 3))
    for (const auto& c : cases) {
      SCOPED_TRACE(std::to_string(int(k.form)) + " " + c.button + " " + std::to_string(c.focusRow));
      Program prog;
      Project& p = prog.project();
      auto& w = *prog.window->editors().Ensure(k.form);
      for (int i = 0; i < 20; ++i) {
        WithTable(p, k.form, [i](auto& t) { return t.rows[i].Text4 = "D" + std::to_string(i); });
        SelectBentSkewType(p.BentLine.rows[i], i % 5), ChooseGirderLineType(p.GirderLine.rows[i], i % 5);
      }
      p.BentLine.rows[0].List1 = {true, false, false, true}, p.DeadLoad.rows[1].Text13 = "0.5";
      w.Refresh();
      std::vector<std::string> before;
      for (int i = 0; i < 20; ++i) before.push_back(RowText(w, i));
      Activate(w);
      if (c.focusRow >= 0) GridOf(w).Cell(c.focusRow, 1)->setFocus();
      Click(w, c.button);  // the cell loses the focus to the button, then the button acts
      const int n = GridOf(w).RowCount(), max = k.baseMax + (c.button[0] == 'I' ? 600 : c.button[0] == 'A' ? 300 : 0);
      ASSERT_EQ(n, c.button[0] == 'D' ? 20 : 21);
      EXPECT_EQ(WithTable(p, k.form, [](auto& t) { return int(t.rows.size()); }), n);
      EXPECT_EQ(std::pair(GridOf(w).ScrollBar()->maximum(), WithTable(p, k.form, [](auto& t) { return int(t.scroll.Max); })),
                std::pair(max, max));
      const int shown[] = {0, 1, 19, n - 1};
      for (int j = 0; j < 4; ++j) {
        const std::string text = c.from[j] < 0 ? "" : "D" + std::to_string(c.from[j]);
        EXPECT_EQ(CellText(w, shown[j], "Text4"), text) << shown[j];
        EXPECT_EQ(WithTable(p, k.form, [&](auto& t) { return t.rows[shown[j]].Text4; }), text) << shown[j];
        if (c.from[j] >= 0) EXPECT_EQ(RowText(w, shown[j]), before[c.from[j]]) << shown[j];  // the whole row moves
      }
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
    EXPECT_EQ(std::pair(g.ScrollBar()->maximum(), int(scroll().Max)), std::pair(k.baseMax + step, k.baseMax + step));
    EXPECT_EQ(g.RowTop(rows), g.RowTop(rows - 1) + k.gap);
    EXPECT_EQ(RowText(w, rows), k.appended);
    for (int c = 0; c < int(g.Columns().size()); ++c) EXPECT_EQ(g.Cell(rows, c)->property("Index").toInt(), rows);
    const std::vector<int> tops = Tops(w, rows + 1);
    g.ScrollBar()->setValue(300);
    EXPECT_EQ(scroll().Pos, 300);
    EXPECT_EQ(g.RowTop(0), top0 - 300);
    EXPECT_EQ(g.Cell(2, int(g.Columns().size()) - 1)->y(), Py(w, top0 + 480 - 300));
    Click(w, add);  // appended while scrolled, in line with the scrolled rows
    EXPECT_EQ(g.RowTop(rows + 1), g.RowTop(rows) + k.gap);
    g.ScrollBar()->setValue(0);
    EXPECT_EQ(scroll().Pos, 0);
    EXPECT_EQ(Tops(w, rows + 1), tops);
    while (g.RowCount() < k.capacity) Click(w, add);
    EXPECT_EQ(prog.messages.texts, QStringList());
    Click(w, add);
    if (w.findChild<QPushButton*>("Insert")) Click(w, "Insert");
    const int fullMax = k.baseMax + step * (k.capacity - rows), refusals = rows == 6 ? 1 : 2;
    EXPECT_EQ(g.RowCount(), k.capacity);
    EXPECT_EQ(std::pair(g.ScrollBar()->maximum(), int(scroll().Max)), std::pair(fullMax, fullMax));
    EXPECT_EQ(prog.messages.texts, QStringList(refusals, k.full));
    EXPECT_EQ(prog.messages.titles, QStringList(refusals, "Wexa_Kelvara"));
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
      std::vector<std::string> file;
      for (int i = 0; i < n; ++i) file.push_back(k.line(i));
      prog.OpenWith(k.code, file);
      const int rows = std::max(20, n);
      ASSERT_EQ(g.RowCount(), rows);
      EXPECT_EQ(g.ScrollBar()->maximum(), k.baseMax + 300 * (rows - 20));
      EXPECT_EQ(g.ScrollBar()->value(), 0);
      EXPECT_EQ(g.RowTop(rows - 1), top0 + 19 * 240 + k.gap * (rows - 20));
      if (n == 25) EXPECT_EQ(RowText(w, 24), k.shown);
      if (n < 20) EXPECT_EQ(CellText(w, n, "Text4"), "");  // the rows of the file before are gone
    }
    EXPECT_EQ(prog.messages.texts, QStringList());
  }
}

TEST(GridWindow, TypedRowsAreSavedInTheirColumns) {
  using Entry = std::tuple<int, const char*, const char*>;  // row, cell, "#i,j" picks items i and j, else typed
  const struct { Form form; const char* code; std::vector<Entry> entered; std::vector<std::string> saved; } cases[] = {
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
       {"07A1            0000  0125  0250  0375  0500  0550  0500  0375  0250  0125  0000", "07  m" + std::string(75, ' ')}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    Program prog;
    QWidget& w = *prog.window->editors().Ensure(c.form);
    Activate(w);
    for (const auto& [row, name, text] : c.entered) {
      QWidget* cell = GridOf(w).Cell(row, name);
      const QString s = QString::fromLatin1(text);
      auto* list = qobject_cast<QListWidget*>(cell);
      if (auto* box = qobject_cast<QLineEdit*>(cell)) box->clear();
      if (!s.startsWith('#')) cell->setFocus(), QTest::keyClicks(cell, s);
      else if (!list) Pick(cell, s.mid(1).toInt());
      else
        for (int i = 0; i < list->count(); ++i) list->item(i)->setSelected(s.mid(1).split(',').contains(QString::number(i)));
    }
    EXPECT_EQ(Saved(prog.project(), c.code), c.saved);
  }
}

}  // namespace
}  // namespace kv
