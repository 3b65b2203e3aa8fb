#include "app/field_marks.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

#include "app/control_grid.h"
#include "app/editor_registry.h"
#include "app/editor_window.h"
#include "inputfile/column_map.h"

namespace kv {
namespace {

constexpr const char* kFrameName = "kvMarkFrame";

// A red frame drawn over the field, inside its box; clicks and keys go to the field.
class MarkFrame : public QWidget {
 public:
  explicit MarkFrame(QWidget* field) : QWidget(field) {
    setObjectName(QString::fromLatin1(kFrameName));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(field->rect());
    field->installEventFilter(this);
    show();
    raise();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == parent() && event->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
    return false;
  }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(QPen(QColor(0xd0, 0x10, 0x10), 2));
    p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
  }
};

MarkFrame* FrameOf(const QWidget* w) {
  return w->findChild<MarkFrame*>(QString::fromLatin1(kFrameName), Qt::FindDirectChildrenOnly);
}

void ShowTip(QWidget* w) {
  const QString mark = w->property("kvMarkTip").toString();
  const QString plain = w->property("kvPlainTip").toString();
  w->setToolTip(mark.isEmpty() ? plain : plain.isEmpty() ? mark : mark + "\n\n" + plain);
}

QString Latin(const std::string& s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

}  // namespace

QWidget* FormField(QWidget* window, const QString& name) {
  for (QWidget* w : window->findChildren<QWidget*>(name))
    if (!w->property("Index").isValid()) return w;
  return nullptr;
}

void SetFieldMark(QWidget* w, const QString& tip) {
  if (w == nullptr) return;
  if (!w->property("kvMarked").toBool()) {
    if (tip.isEmpty()) return;
    w->setProperty("kvPlainTip", w->toolTip());
    w->setProperty("kvMarked", true);
  }
  if (tip.isEmpty()) {
    delete FrameOf(w);
    w->setProperty("kvMarked", false);
    w->setProperty("kvMarkTip", QVariant());
    ShowTip(w);
    return;
  }
  if (FrameOf(w) == nullptr) new MarkFrame(w);
  w->setProperty("kvMarkTip", tip);
  ShowTip(w);
}

bool HasFieldMark(const QWidget* w) { return w != nullptr && FrameOf(w) != nullptr; }

void SetPlainToolTip(QWidget* w, const QString& tip) {
  w->setProperty("kvPlainTip", tip);
  ShowTip(w);
}

QString FindingTip(const Finding& f) {
  const QString where = QString::fromStdString(FindingPlaceText(f));
  switch (f.kind) {
    case FindingKind::TooWide:
      return QStringLiteral("\"%1\" needs %2 columns; the field has %3 (%4). Every field after it on "
                            "the line moves.")
          .arg(Latin(f.text))
          .arg(f.used)
          .arg(f.width)
          .arg(where);
    case FindingKind::NotANumber:
      return QStringLiteral("\"%1\" is not a number: Save writes %2 blanks (%3).")
          .arg(Latin(f.text))
          .arg(f.width)
          .arg(where);
    case FindingKind::RowLeftOut:
      return QStringLiteral("This row is not saved: %1.").arg(Latin(f.text));
  }
  return where;
}

void EditorMarks::Apply(const std::vector<Finding>& findings, EditorRegistry& editors) {
  std::map<Key, QString> wanted;
  for (const Finding& f : findings) {
    QString& tip = wanted[{f.window, f.row, f.field}];
    tip += (tip.isEmpty() ? "" : "\n") + FindingTip(f);
  }
  for (int i = 0; i < kFormCount; ++i) {
    EditorWindow* w = editors.Window(static_cast<Form>(i));
    if (w == nullptr) continue;
    const std::string name = kEditorWindowNames[i];
    ControlGrid* grid = w->findChild<ControlGrid*>();
    auto mark = [&](const Key& key, const QString& tip) {
      const auto& [window, row, field] = key;
      if (window != name) return;
      if (row < 0)
        SetFieldMark(FormField(w, Latin(field)), tip);
      else if (grid != nullptr && field.empty())
        grid->SetRowMark(row, tip);
      else if (grid != nullptr)
        grid->SetCellMark(row, grid->ColumnIndex(Latin(field)), tip);
    };
    for (const auto& [key, tip] : shown_)
      if (wanted.count(key) == 0) mark(key, QString());
    for (const auto& [key, tip] : wanted) mark(key, tip);
  }
  shown_ = std::move(wanted);
}

}  // namespace kv
