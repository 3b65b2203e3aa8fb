// The program with its own editors, and what the grid windows' tests share.
#pragma once

#include <QtTest>
#include <QtWidgets>
#include <utility>

#include "../app/shell_fakes.h"
#include "app/control_grid.h"
#include "app/settings.h"

namespace kv {

struct Program : testing::RealShell {
  Project& project() { return window->project(); }
  void Open(const std::string& bytes) {  // with File Open
    std::ofstream(Path("open.dat").toStdString(), std::ios::binary) << bytes;
    dialogs.answers = {Path("open.dat")};
    window->mnuFileOpen_Click();
  }
  // The English sample with its `code` lines replaced by `n` lines made by `line`.
  void OpenWith(const char* code, int n, std::string (*line)(int)) {
    std::string out;
    bool placed = false;
    for (const std::string& l : WriteProjectLines(testing::ReadFresh(KV_TEST_DATA "/bridge_english.dat")).lines)
      if (l.rfind(code, 0) != 0) out += l + "\r\n";
      else if (!std::exchange(placed, true))
        for (int i = 0; i < n; ++i) out += line(i) + "\r\n";
    Open(out);
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
// One notch of the wheel as the window system delivers it: to the widget under the pointer,
// spontaneous, so that it may take the focus and pass up to the parents as a real one does.
inline void Wheel(QWidget* over, int delta = -120) {
  QPoint at = over->rect().center();
  QWidget* target = over->childAt(at) ? over->childAt(at) : over;
  at = target->mapFrom(over, at);
  QWheelEvent e(at, target->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QSpontaneKeyEvent::setSpontaneous(&e);
  QApplication::sendEvent(target, &e);
}
inline void Type(QWidget* cell, const char* text) { cell->setFocus(), QTest::keyClicks(cell, text); }
inline void Pick(QWidget* combo, int index) {  // as the user picks with the keyboard
  auto* c = qobject_cast<QComboBox*>(combo);
  for (c->setFocus(); c->currentIndex() != index;) QTest::keyClick(c, c->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
}
inline void Click(QWidget& w, const char* button) {  // on a shown window with the mouse, taking the focus from the cell
  auto* b = w.findChild<QPushButton*>(button);
  b->isVisible() ? QTest::mouseClick(b, Qt::LeftButton) : b->click();
}
inline QStringList ItemsOf(QWidget* w) {  // a drop-down's or a list's
  auto* c = qobject_cast<QComboBox*>(w);
  const QAbstractItemView* v = c ? c->view() : qobject_cast<QAbstractItemView*>(w);
  QStringList out;
  for (int i = 0; v && i < v->model()->rowCount(); ++i) out << v->model()->index(i, 0).data().toString();
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
  for (int i = 0, n = int(g.Columns().size()); i < rows * n; ++i) out.push_back(g.Cell(i / n, i % n)->y());
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
  EXPECT_EQ(actual << QString("%1 in all").arg(labels.size()), expected << QString("%1 in all").arg(expected.size()));
}

}  // namespace kv
