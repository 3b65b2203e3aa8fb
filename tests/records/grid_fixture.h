// The program with its own editors, and what the grid windows' tests share.
#pragma once

#include <QtTest>
#include <QtWidgets>
#include <utility>

#include "../app/shell_fakes.h"
#include "app/control_grid.h"
#include "app/settings.h"

namespace kv {

struct Program : testing::Shell {
  Program() : Shell(DefaultEditorFactories()) {}
  Project& project() { return window->project(); }
  // The English sample with its `code` lines replaced by `lines`, read by File Open.
  void OpenWith(const char* code, const std::vector<std::string>& lines) {
    QFile in(QStringLiteral(KV_TEST_DATA "/bridge_english.dat")), f(Path("open.dat"));
    EXPECT_TRUE(in.open(QIODevice::ReadOnly) && f.open(QIODevice::WriteOnly));
    bool placed = false;
    for (const QByteArray& l : in.readAll().split('\n')) {
      if (!l.startsWith(code)) f.write(l.isEmpty() ? l : l + "\n");
      else if (!std::exchange(placed, true))
        for (const std::string& d : lines) f.write(QByteArray::fromStdString(d) + "\r\n");
    }
    f.close();
    dialogs.answers = {f.fileName()};
    window->mnuFileOpen_Click();
  }
};
inline std::vector<std::string> Saved(const Project& p, const char* code) {  // the `code` lines as Save writes them
  std::vector<std::string> out;
  for (const std::string& l : WriteProjectLines(p).lines)
    if (l.rfind(code, 0) == 0) out.push_back(l);
  return out;
}

// `fn` on the table a row grid window shows; each has rows and its scroll values.
template <class F>
decltype(auto) WithTable(Project& p, Form f, F fn) {
  return f == Form::Gird ? fn(p.GirderLine) : f == Form::Bent ? fn(p.BentLine) : fn(p.DeadLoad);
}
inline GridScroll& ScrollOf(Project& p, Form f) {
  return f == Form::Cross ? p.CrossTrans.scroll : WithTable(p, f, [](auto& t) -> GridScroll& { return t.scroll; });
}
inline ControlGrid& GridOf(const QWidget& w) { return *w.findChild<ControlGrid*>(); }
inline int Px(const QWidget& w, double twips) { return TwipsToPixels(twips, w.logicalDpiX()); }
inline int Py(const QWidget& w, double twips) { return TwipsToPixels(twips, w.logicalDpiY()); }
inline void Activate(QWidget& w) { w.show(), QApplication::setActiveWindow(&w); }
inline void Type(QWidget* cell, const char* text) { cell->setFocus(), QTest::keyClicks(cell, text); }
inline void Pick(QWidget* combo, int index) {  // as the user picks with the keyboard
  auto* c = qobject_cast<QComboBox*>(combo);
  c->setFocus();
  while (c->currentIndex() != index) QTest::keyClick(c, c->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
}
inline void Click(QWidget& w, const char* button) {  // on a shown window with the mouse, taking the focus from the cell
  auto* b = w.findChild<QPushButton*>(button);
  b->isVisible() ? QTest::mouseClick(b, Qt::LeftButton) : b->click();
}
inline QStringList ItemsOf(QWidget* w) {
  QStringList out;
  if (auto* c = qobject_cast<QComboBox*>(w))
    for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
  if (auto* l = qobject_cast<QListWidget*>(w))
    for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
  return out;
}
inline QList<int> ScrollValues(const QScrollBar* b) {
  return {b->minimum(), b->maximum(), b->singleStep(), b->pageStep(), b->value()};
}
// A row as the user sees it, cell by cell: the text, a drop-down with nothing chosen as
// "(shown text)", a disabled cell marked "~".
inline std::string RowText(const QWidget& w, int row) {
  const ControlGrid& g = GridOf(w);
  QStringList cells;
  for (int c = 0; c < int(g.Columns().size()); ++c) {
    QString s = g.CellText(row, c);
    if (auto* b = qobject_cast<QComboBox*>(g.Cell(row, c)); b && b->currentIndex() < 0) s = "(" + b->currentText() + ")";
    cells << s + (g.Cell(row, c)->isEnabled() ? "" : "~");
  }
  return cells.join('|').toStdString();
}
inline std::string CellText(const QWidget& w, int row, const char* name) {
  return GridOf(w).CellText(row, GridOf(w).ColumnIndex(name)).toStdString();
}
inline std::vector<int> Tops(const QWidget& w, int rows) {  // every cell's top, row by row
  const ControlGrid& g = GridOf(w);
  std::vector<int> out;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < int(g.Columns().size()); ++c) out.push_back(g.Cell(r, c)->y());
  return out;
}
// The window's labels in order against "text@left,top|..." in twips ("text" alone: not placed).
inline void ExpectLabels(const QWidget& w, const QString& wanted) {
  const auto labels = w.findChildren<QLabel*>();
  QStringList expected, actual;
  for (const QString& s : wanted.split('|')) {
    const QStringList at = s.split(QRegularExpression("[@,]"));
    const bool placed = at.size() == 3;
    expected << at[0] + (placed ? QString("@%1,%2").arg(Px(w, at[1].toInt())).arg(Py(w, at[2].toInt())) : "");
    const QLabel* l = labels.value(int(actual.size()));
    actual << (l ? l->text() + (placed ? QString("@%1,%2").arg(l->x()).arg(l->y()) : "") : "(none)");
  }
  EXPECT_EQ(actual, expected);
  EXPECT_EQ(labels.size(), expected.size()) << "labels in all";
}

}  // namespace kv
