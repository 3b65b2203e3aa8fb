// Every text a user must read fits its box: in every window, each label and heading, each
// button, check box and option button, each item of a list and of a drop-down, measured in
// the control's own font against its content rectangle. The same test runs again at a
// scale factor of 2 (ctest's ".scale2" tests).

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QHelpEvent>
#include <QPalette>
#include <QRegularExpression>
#include <cmath>
#include <QLineEdit>
#include <QStyleOptionButton>
#include <QToolTip>

#include "app/control_grid.h"
#include "app/editor_widgets.h"
#include "app/help.h"
#include "runs/post_dialogs.h"
#include "runs/runs.h"
#include "shell_fakes.h"

namespace kv {
namespace {

QString Plain(QString text) { return text.remove(QRegularExpression("&(?!&)")); }

// What is missing, "" when the text fits: "12 px wide", "3 px high".
QString Missing(int needW, int haveW, int needH, int haveH) {
  QStringList out;
  if (needW > haveW) out << QString("%1 px wide").arg(needW - haveW);
  if (needH > haveH) out << QString("%1 px high").arg(needH - haveH);
  return out.join(", ");
}

QString LabelMissing(const QLabel& l) {
  const QRect r = l.contentsRect().adjusted(l.margin(), l.margin(), -l.margin(), -l.margin());
  const QFontMetrics m(l.font());
  const QString text = Plain(l.text());
  if (!l.wordWrap()) return Missing(m.horizontalAdvance(text), r.width(), m.height(), r.height());
  // Wrapped: every word fits a line, and all the lines fit the height.
  int widest = 0;
  for (const QString& word : text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
    widest = std::max(widest, m.horizontalAdvance(word));
  const int high = m.boundingRect(r, int(l.alignment()) | Qt::TextWordWrap, text).height();
  return Missing(widest, r.width(), high, r.height());
}

QString ButtonMissing(QAbstractButton& b) {
  const QFontMetrics m(b.font());
  const QString text = Plain(b.text());
  QStyleOptionButton o;
  o.initFrom(&b);
  o.text = b.text();
  QStyle::SubElement contents = qobject_cast<QPushButton*>(&b)   ? QStyle::SE_PushButtonContents
                                : qobject_cast<QRadioButton*>(&b) ? QStyle::SE_RadioButtonContents
                                                                   : QStyle::SE_CheckBoxContents;
  const QRect r = b.style()->subElementRect(contents, &o, &b);
  if (dynamic_cast<WrapCheckBox*>(&b) != nullptr) {  // wraps inside its width
    const int high = m.boundingRect(QRect(0, 0, r.width(), 10000), Qt::TextWordWrap, text).height();
    return Missing(0, 0, high, b.height());
  }
  return Missing(m.horizontalAdvance(text), r.width(), m.height(), r.height());
}

// Each item of a list that neither scrolls sideways nor wraps fits the viewport less the
// text margins the style draws it with (where it would elide the text), and a one-line
// list's item its height.
QString ListMissing(QListWidget& l) {
  const QFontMetrics m(l.font());
  int wide = 0;
  if (l.horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff && !l.wordWrap())
    for (int i = 0; i < l.count(); ++i) wide = std::max(wide, m.horizontalAdvance(l.item(i)->text()));
  const QVariant own = l.property("kvTextMargin");  // a delegate that draws closer to the edges
  const int margin = own.isValid() ? own.toInt() : l.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &l) + 1;
  return Missing(wide, wide == 0 ? 0 : l.viewport()->width() - 2 * margin, m.height(), l.viewport()->height());
}

// A drop-down opens wide enough for its longest item (a grid's list is made as it opens).
QString ComboMissing(QComboBox& c) {
  c.showPopup();
  c.hidePopup();
  const QFontMetrics m(c.view()->font());
  int wide = 0;
  for (int i = 0; i < c.count(); ++i) wide = std::max(wide, m.horizontalAdvance(c.itemText(i)));
  return Missing(wide, std::max(c.view()->minimumWidth(), c.width()) - 8, 0, 0);
}

QString NameOf(const QWidget& w) {
  QString name = w.objectName().isEmpty() ? QString(w.metaObject()->className()) : w.objectName();
  const QVariant row = w.property("Index");
  return row.isValid() ? name + "(" + row.toString() + ")" : name;
}

// Every window a user can reach: the main window, each editor, each dialog, the help
// window, and each window of the View menu's own entries.
void OpenEverything(testing::RealShell& s) {
  InstallRuns(*s.window);
  InstallHelp(*s.window);
  s.window->show();
  s.window->mnuFileOpen_Click();  // the sample's texts in every field
  for (int f = 0; f < kFormCount; ++f) s.window->OpenEditor(Form(f));
  ShowPostDialog<Camber>(*s.window), ShowPostDialog<Stick>(*s.window), ShowPostDialog<ProjectCoord>(*s.window);
  ShowHelpContents(*s.window);
  for (QAction* a : s.window->findChild<QMenu*>("mnuView")->actions())
    if (a->isCheckable() && !a->isChecked()) a->trigger();
  ShowAbout(*s.window);
}

TEST(Legibility, EveryTextFitsItsBox) {
  testing::RealShell s;
  s.dialogs.answers = {KV_TEST_DATA "/bridge_english.dat"};
  OpenEverything(s);
  QApplication::processEvents();
  QStringList cut;
  int measured = 0;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (!top->isVisible()) continue;
    for (QWidget* w : top->findChildren<QWidget*>()) {
      if (w->window() != top || !w->isVisibleTo(top)) continue;  // a window of its own is measured as one
      QString missing;
      if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty() && l->pixmap().isNull() && !Qt::mightBeRichText(l->text()))
        missing = LabelMissing(*l);
      else if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty() && !b->inherits("QToolButton"))
        missing = ButtonMissing(*b);
      else if (auto* list = qobject_cast<QListWidget*>(w))
        missing = ListMissing(*list);
      else if (auto* c = qobject_cast<QComboBox*>(w))
        missing = ComboMissing(*c);
      else
        continue;
      ++measured;
      if (!missing.isEmpty()) cut << QString("%1 / %2: %3").arg(top->objectName(), NameOf(*w), missing);
    }
  }
  EXPECT_GT(measured, 300);
  EXPECT_EQ(cut, QStringList()) << cut.size() << " texts cut";
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// A screen reader names each field by its label; a text longer than its box shows whole in
// the box's tip.
TEST(Legibility, FieldsAreNamedByTheirLabelsAndLongTextsShowWholeInTheirTips) {
  testing::RealShell s;
  s.dialogs.answers = {KV_TEST_DATA "/bridge_english.dat"};
  OpenEverything(s);
  QStringList unnamed, names;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (!top->isVisible() || top == s.window.get()) continue;
    for (QWidget* w : top->findChildren<QWidget*>()) {
      const bool field = qobject_cast<QListWidget*>(w) || qobject_cast<QComboBox*>(w) ||
                         (qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w->parentWidget()));
      if (!field || w->window() != top || w->property("Index").isValid() || top->objectName() == "frmHelp") continue;
      if (w->accessibleName().isEmpty()) unnamed << top->objectName() + "/" + w->objectName();
      names << top->objectName() + "/" + w->objectName() + "=" + w->accessibleName();
    }
  }
  EXPECT_EQ(unnamed, QStringList());
  for (const char* expected : {"Horizontal/PIStation=PI Station", "RefLine/StaOn=Station is on",
                               "CrossTrans/CrownType=Crown Type", "Camber/GirderSelect=Girder selection list",
                               "ProjectCoord/NorthOff=Northing Offset", "Stick/cmbOutType=Select Output Type"})
    EXPECT_TRUE(names.contains(expected)) << expected << "\n" << names.join("\n").toStdString();

  // Grid cells by their column and row, for the rows a window shows.
  auto cellName = [&](Form f, const char* column, int row) {
    const ControlGrid& g = *s.Editor(f)->findChild<ControlGrid*>();
    return g.Cell(row, g.ColumnIndex(column))->accessibleName();
  };
  EXPECT_EQ((QStringList{cellName(Form::Gird, "Text4", 2), cellName(Form::Gird, "Combo3", 0),
                         cellName(Form::Bent, "List1", 0), cellName(Form::Dead, "Text14", 1),
                         cellName(Form::Cross, "OverSta", 0)}),
            (QStringList{"Description, row 3", "Initial Offset Type, row 1", "Options, row 1", "Units, row 2",
                         "Station, row 1"}));

  auto* box = s.Editor(Form::Horiz)->findChild<QLineEdit*>("PIStation");
  const QString longText = "12345+67.8901 and a great deal more than the box can show";
  box->setText(longText);
  QHelpEvent hover(QEvent::ToolTip, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(box, &hover);
  EXPECT_EQ(QToolTip::text(), longText);
  QToolTip::hideText();
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// WCAG's contrast ratio of two colours.
double Contrast(const QColor& a, const QColor& b) {
  auto lum = [](const QColor& c) {
    auto ch = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * ch(c.redF()) + 0.7152 * ch(c.greenF()) + 0.0722 * ch(c.blueF());
  };
  const double x = lum(a), y = lum(b);
  return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

// The help reads in a light and a dark palette: every text colour of the style sheet
// stands out from the page and from the shaded boxes it sits on (4.5:1, as for body text).
TEST(Legibility, HelpColoursFollowThePalette) {
  QPalette dark;
  dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e)), dark.setColor(QPalette::Text, QColor(0xe8, 0xe8, 0xe8));
  dark.setColor(QPalette::Link, QColor(0x7a, 0xb8, 0xff));
  for (const QPalette& p : {QPalette(Qt::white), dark}) {
    const QString css = HelpStyleSheet("body { color: #1a1a1a; }", p);
    auto last = [&](const QString& selector, const QString& property) {  // the last rule wins
      const QRegularExpression rule(QRegularExpression::escape(selector) + " \\{[^}]*(?<![-a-z])" + property + ": (#[0-9a-f]{6})");
      QString found;
      for (auto it = rule.globalMatch(css); it.hasNext();) found = it.next().captured(1);
      return QColor(found);
    };
    const QColor base = last("body", "background-color");
    EXPECT_EQ(base, p.color(QPalette::Base));
    for (const auto& [selector, on] : {std::pair{"body", "body"}, {"h1, h2", "body"}, {"code", "body"}, {".msg", "body"},
                                       {"p.nav", "body"}, {"body", "th"}, {"body", "p.note"}, {"body", "p.warn"}}) {
      const QColor fg = last(selector, "color"), bg = QString(on) == "body" ? base : last(on, "background-color");
      EXPECT_GE(Contrast(fg, bg), 4.5) << selector << " on " << on << " in a " << (base.lightness() > 128 ? "light" : "dark")
                                       << " palette";
    }
  }
}

}  // namespace
}  // namespace kv
