#include "app/editor_widgets.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QButtonGroup>
#include <climits>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QToolTip>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "app/editor_window.h"
#include "app/settings.h"

namespace kv {

namespace {

QString Latin(const std::string& s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }
std::string Bytes(const QString& s) { return s.toLatin1().toStdString(); }

// Sets both buttons as the fields say, even to neither selected.
void SetPair(QButtonGroup* group, QRadioButton* a, bool on1, QRadioButton* b, bool on2) {
  group->setExclusive(false);
  a->setChecked(on1);
  b->setChecked(on2 && !on1);
  group->setExclusive(true);
}

// Wheel input for a control that does not have the focus is dropped, so a turn of the
// wheel over a list or drop-down never changes a choice behind the user's back.
class WheelGuard : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Wheel) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    // An item view gets its wheel through its viewport, a typed drop-down through its line edit.
    if (w != nullptr && w->property("kvWheelPart").toBool()) w = w->parentWidget();
    return w != nullptr && !HasFocusIn(w);
  }
};

}  // namespace

// A text box or drop-down whose text is wider than the box shows the whole text in its
// tip, above whatever tip it has of its own.
class WholeTextTips : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (w == nullptr) return false;
    QString text;
    int room = 0;
    if (auto* edit = qobject_cast<QLineEdit*>(w); edit && !qobject_cast<QComboBox*>(w->parentWidget())) {
      text = edit->text(), room = edit->contentsRect().width() - 4;
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
      text = combo->currentText(), room = combo->width() - combo->iconSize().width() - 24;
    } else {
      return false;
    }
    if (text.isEmpty() || w->fontMetrics().horizontalAdvance(text) <= room) return false;
    const QString own = w->toolTip();
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                       own.isEmpty() || own == text ? text : text + "\n\n" + own, w);
    return true;
  }
};

void ShowWholeTextsInTips() {
  static WholeTextTips* tips = new WholeTextTips(qApp);
  qApp->installEventFilter(tips);
}

void NameFieldsByTheirLabels(QWidget* window) {
  auto inWindow = [window](const QWidget* w) { return QRect(w->mapTo(window, QPoint()), w->size()); };
  QList<QLabel*> labels;
  for (QLabel* l : window->findChildren<QLabel*>())
    if (!l->text().trimmed().isEmpty() && l->buddy() == nullptr) labels << l;
  for (QWidget* field : window->findChildren<QWidget*>()) {
    const bool takesInput = qobject_cast<QListWidget*>(field) || qobject_cast<QComboBox*>(field) ||
                            qobject_cast<QPlainTextEdit*>(field) ||
                            (qobject_cast<QLineEdit*>(field) && !qobject_cast<QComboBox*>(field->parentWidget()));
    if (!takesInput || !field->accessibleName().isEmpty() || field->property("Index").isValid()) continue;
    const QRect f = inWindow(field);
    QLabel* best = nullptr;
    int bestGap = INT_MAX;
    for (QLabel* l : labels) {
      QRect r = inWindow(l);
      // Where its text ends: a left-aligned label's box may reach under the field.
      if ((l->alignment() & Qt::AlignLeft) && !l->wordWrap())
        r.setWidth(std::min(r.width(), l->fontMetrics().horizontalAdvance(l->text()) + 2 * l->margin()));
      // Before the field on its line, or else just above it.
      const bool before = r.top() <= f.bottom() && r.bottom() >= f.top() && r.right() <= f.left() + 4;
      const bool above = r.bottom() <= f.top() + 2 && r.left() < f.right() && r.right() > f.left();
      const int gap = before ? f.left() - r.right() : above ? 10000 + f.top() - r.bottom() : INT_MAX;
      if (gap < bestGap) best = l, bestGap = gap;
    }
    if (best == nullptr) continue;
    QString name;  // the label's text without its mnemonic marks ("&&" is a "&")
    const QString text = best->text();
    for (qsizetype i = 0; i < text.size(); ++i)
      if (text[i] != QLatin1Char('&') || (i + 1 < text.size() && text[i + 1] == QLatin1Char('&'))) name += text[i];
    name = name.simplified();
    if (name.endsWith(QLatin1Char(':'))) name.chop(1);
    best->setBuddy(field);
    field->setAccessibleName(name);
    labels.removeOne(best);
  }
}

bool HasFocusIn(const QWidget* w) {
  const QWidget* focus = QApplication::focusWidget();
  return focus != nullptr && (focus == w || w->isAncestorOf(focus));
}

void TakeWheelOnlyWithFocus(QWidget* w) {
  static WheelGuard* guard = new WheelGuard(qApp);
  // A turn of the wheel must not hand it the focus first.
  if (w->focusPolicy() == Qt::WheelFocus) w->setFocusPolicy(Qt::StrongFocus);
  w->installEventFilter(guard);
  QWidget* part = nullptr;
  if (auto* view = qobject_cast<QAbstractScrollArea*>(w)) part = view->viewport();
  if (auto* combo = qobject_cast<QComboBox*>(w)) part = combo->lineEdit();
  if (part != nullptr) part->setProperty("kvWheelPart", true), part->installEventFilter(guard);
}

int SelectedRow(const QListWidget* list) {
  const QList<QListWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? -1 : list->row(selected.constFirst());
}

QLineEdit* FieldBinder::Text(QWidget* parent, const char* name, std::string* field) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  QObject::connect(box, &QLineEdit::textChanged, box, [this, box, field](const QString& t) {
    if (loading_) return;
    *field = Bytes(t);
    EditorWindow::NoteEdit(box);
  });
  loaders_.push_back([box, field] {
    box->setText(Latin(*field));
    box->setCursorPosition(0);  // the start of a text longer than the box
  });
  return box;
}

QPlainTextEdit* FieldBinder::MultiText(QWidget* parent, const char* name, std::string* field) {
  auto* box = new QPlainTextEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setTabChangesFocus(true);
  QObject::connect(box, &QPlainTextEdit::textChanged, box, [this, box, field] {
    if (loading_) return;
    QString t = box->toPlainText();
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    *field = Bytes(t);
    EditorWindow::NoteEdit(box);
  });
  loaders_.push_back([box, field] {
    QString t = Latin(*field);
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    box->setPlainText(t);
  });
  return box;
}

QCheckBox* FieldBinder::Check(QWidget* parent, const char* name, const char* text, bool* field) {
  auto* box = new WrapCheckBox(QString::fromLatin1(text), parent);
  box->setObjectName(QString::fromLatin1(name));
  QObject::connect(box, &QCheckBox::toggled, box, [this, box, field](bool on) {
    if (loading_) return;
    *field = on;
    EditorWindow::NoteEdit(box);
  });
  loaders_.push_back([box, field] { box->setChecked(*field); });
  return box;
}

QListWidget* FieldBinder::List(QWidget* parent, const char* name,
                               const std::vector<const char*>& items, int* field) {
  auto* list = new QListWidget(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  for (const char* item : items) list->addItem(QString::fromLatin1(item));
  // What the list shows selected is what is held: a Ctrl+click on the chosen item, or
  // a click below the items, leaves none selected.
  QObject::connect(list, &QListWidget::itemSelectionChanged, list, [this, list, field] {
    if (loading_) return;
    *field = SelectedRow(list);
    EditorWindow::NoteEdit(list);
  });
  TakeWheelOnlyWithFocus(list);
  loaders_.push_back([list, field] {
    const int row = (*field >= 0 && *field < list->count()) ? *field : -1;
    list->setCurrentRow(row);
    if (row < 0) list->clearSelection();
    else list->scrollToItem(list->item(row), QAbstractItemView::PositionAtTop);
  });
  list->setCurrentRow(-1);
  return list;
}

std::pair<QRadioButton*, QRadioButton*> FieldBinder::Options(
    QWidget* parent, const char* name1, const char* text1, bool* field1, const char* name2,
    const char* text2, bool* field2, std::function<void(bool)> onPick) {
  auto* a = new QRadioButton(QString::fromLatin1(text1), parent);
  auto* b = new QRadioButton(QString::fromLatin1(text2), parent);
  a->setObjectName(QString::fromLatin1(name1));
  b->setObjectName(QString::fromLatin1(name2));
  auto* group = new QButtonGroup(parent);
  group->addButton(a);
  group->addButton(b);
  auto pick = [this, a, field1, field2, onPick](bool first) {
    if (loading_) return;
    *field1 = first;
    *field2 = !first;
    if (onPick) onPick(first);
    EditorWindow::NoteEdit(a);
  };
  QObject::connect(a, &QRadioButton::toggled, a, [pick](bool on) { if (on) pick(true); });
  QObject::connect(b, &QRadioButton::toggled, b, [pick](bool on) { if (on) pick(false); });
  loaders_.push_back([group, a, b, field1, field2] { SetPair(group, a, *field1, b, *field2); });
  return {a, b};
}

void FieldBinder::Load() {
  loading_ = true;
  for (auto& load : loaders_) load();
  loading_ = false;
}

QLabel* MakeLabel(QWidget* parent, const char* text) {
  return new QLabel(QString::fromLatin1(text), parent);
}

QPushButton* MakeHideButton(EditorWindow* window, const char* name) {
  auto* button = new QPushButton(QStringLiteral("Hide"), window);
  button->setObjectName(QString::fromLatin1(name));
  QObject::connect(button, &QPushButton::clicked, window, &EditorWindow::HideEditor);
  return button;
}

void AddHideRow(EditorWindow* window, QGridLayout* grid, int row, int columns) {
  auto* hide = new QHBoxLayout;
  hide->addStretch();
  hide->addWidget(MakeHideButton(window, "Command2"));
  hide->addStretch();
  grid->addLayout(hide, row, 0, 1, columns);
}

void PlaceTwips(QWidget* w, int left, int top, int width, int height) {
  const double dx = w->logicalDpiX(), dy = w->logicalDpiY();
  w->setGeometry(TwipsToPixels(left, dx), TwipsToPixels(top, dy), TwipsToPixels(width, dx),
                 TwipsToPixels(height, dy));
}

void WrapCheckBox::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionButton opt;
  initStyleOption(&opt);
  const QString text = opt.text;
  opt.text.clear();
  const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, this);
  QStyleOptionButton box = opt;
  box.rect = indicator;
  box.rect.moveTop(2);
  p.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);
  const int x = indicator.right() + 5;
  QRect textRect(x, 0, width() - x, height());
  p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                           QPalette::WindowText));
  p.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = p.boundingRect(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

bool WrapCheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }

}  // namespace kv
