#include "views/column_view.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

namespace kv {
namespace {

constexpr int kRulerColumns = 80;
const QColor kHighlight(255, 214, 90, 200);
const QColor kFindingTint(230, 40, 40, 70);
const QColor kFindingEdge(200, 0, 0);
const QColor kBeyondTint(255, 238, 238);
const QColor kFindingText(176, 0, 0);

QString Latin(std::string_view s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

// Columns of a finding that show in the text: what the value took, or the blanks.
int FindingSpan(const Finding& f) { return f.kind == FindingKind::TooWide ? f.used : f.width; }

}  // namespace

ColumnText::ColumnText(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName(QStringLiteral("ColumnText"));
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setStyleHint(QFont::TypeWriter);
  setFont(fixed);
  viewport()->setFont(fixed);
  viewport()->setCursor(Qt::PointingHandCursor);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

int ColumnText::CharWidth() const { return std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('0'))); }
int ColumnText::LineHeight() const { return fontMetrics().height(); }
int ColumnText::RulerHeight() const { return 2 * LineHeight() + 4; }

int ColumnText::Gutter() const {
  const int lines = map_ ? int(map_->lines.size()) : 0;
  const int digits = std::max(3, int(QString::number(lines).size()));
  return (digits + 1) * CharWidth() + 4;
}

int ColumnText::Columns() const {
  int widest = kRulerColumns;
  if (map_)
    for (const std::string& l : map_->lines) widest = std::max(widest, int(l.size()));
  return widest;
}

int ColumnText::ColumnX(int column) const {
  return Gutter() + (column - 1) * CharWidth() - horizontalScrollBar()->value();
}

QSize ColumnText::sizeHint() const {
  const int frame = 2 * frameWidth();
  // Room for a few columns past 80, where a line that grew shows.
  return {Gutter() + (kRulerColumns + 6) * CharWidth() + verticalScrollBar()->sizeHint().width() + frame,
          RulerHeight() + 24 * LineHeight() + frame};
}

void ColumnText::SetMap(std::shared_ptr<const ColumnMap> map) {
  map_ = std::move(map);
  UpdateScrollBars();
  viewport()->update();
}

void ColumnText::SetHighlight(std::vector<FieldPlace> places) {
  highlight_ = std::move(places);
  if (!highlight_.empty()) {
    const int line = highlight_.front().line;
    const int rows = std::max(1, (viewport()->height() - RulerHeight()) / LineHeight());
    QScrollBar* v = verticalScrollBar();
    if (line < v->value())
      v->setValue(line);
    else if (line >= v->value() + rows)
      v->setValue(line - rows + 1);
  }
  viewport()->update();
}

std::pair<int, int> ColumnText::LineColumnAt(const QPoint& p) const {
  if (!map_ || p.y() < RulerHeight() || p.x() < Gutter()) return {-1, -1};
  const int line = verticalScrollBar()->value() + (p.y() - RulerHeight()) / LineHeight();
  if (line >= int(map_->lines.size())) return {-1, -1};
  return {line, (p.x() - Gutter() + horizontalScrollBar()->value()) / CharWidth() + 1};
}

QPoint ColumnText::PointOf(int line, int column) const {
  return {ColumnX(column) + CharWidth() / 2,
          RulerHeight() + (line - verticalScrollBar()->value()) * LineHeight() + LineHeight() / 2};
}

void ColumnText::UpdateScrollBars() {
  const int lines = map_ ? int(map_->lines.size()) : 0;
  const int rows = std::max(1, (viewport()->height() - RulerHeight()) / LineHeight());
  verticalScrollBar()->setRange(0, std::max(0, lines - rows));
  verticalScrollBar()->setPageStep(rows);
  const int content = Gutter() + (Columns() + 2) * CharWidth();
  horizontalScrollBar()->setRange(0, std::max(0, content - viewport()->width()));
  horizontalScrollBar()->setPageStep(viewport()->width());
  horizontalScrollBar()->setSingleStep(CharWidth());
}

void ColumnText::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void ColumnText::scrollContentsBy(int, int) { viewport()->update(); }

void ColumnText::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const auto [line, column] = LineColumnAt(event->position().toPoint());
  if (line >= 0) emit Clicked(line, column);
}

void ColumnText::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  const QPalette pal = palette();
  const int cw = CharWidth(), lh = LineHeight(), ascent = fontMetrics().ascent();
  const int top = RulerHeight(), gutter = Gutter();
  const int w = viewport()->width(), h = viewport()->height();
  const int first = verticalScrollBar()->value();
  const int lines = map_ ? int(map_->lines.size()) : 0;
  const int last = std::min(lines, first + (h - top) / lh + 2);
  auto rowY = [&](int line) { return top + (line - first) * lh; };
  auto span = [&](int line, int column, int width, const QColor& c) {
    if (line >= first && line < last) p.fillRect(ColumnX(column), rowY(line), std::max(width, 1) * cw, lh, c);
  };

  p.fillRect(0, top, w, h - top, pal.color(QPalette::Base));
  // Everything right of column 80 is more than the engine reads of a line.
  p.fillRect(QRect(QPoint(ColumnX(kRulerColumns + 1), top), QPoint(w, h)), kBeyondTint);
  // The focused field's own columns; a finding over them shows through.
  for (const FieldPlace& hp : highlight_) span(hp.line, hp.first, hp.width, kHighlight);
  std::vector<bool> flagged(std::size_t(std::max(lines, 0)), false);
  if (map_)
    for (const Finding& f : map_->findings)
      if (f.kind != FindingKind::RowLeftOut && f.line < lines) {
        flagged[std::size_t(f.line)] = true;
        if (f.line < first || f.line >= last) continue;
        const QRect r(ColumnX(f.first), rowY(f.line), std::max(FindingSpan(f), 1) * cw, lh);
        p.fillRect(r, kFindingTint);
        p.setPen(kFindingEdge);
        p.drawRect(r.adjusted(0, 0, -1, -1));
      }

  p.setPen(pal.color(QPalette::Text));
  for (int i = first; i < last; ++i) p.drawText(ColumnX(1), rowY(i) + ascent, Latin(map_->lines[std::size_t(i)]));

  // Line numbers, over text scrolled to the left.
  p.fillRect(0, top, gutter, h - top, pal.color(QPalette::Window));
  for (int i = first; i < last; ++i) {
    p.setPen(flagged[std::size_t(i)] ? kFindingText : pal.color(QPalette::PlaceholderText));
    p.drawText(QRect(0, rowY(i), gutter - cw / 2 - 2, lh), Qt::AlignRight | Qt::AlignVCenter, QString::number(i + 1));
  }

  // The ruler: tens numbered, fives and tens ticked, the highlighted columns marked.
  p.fillRect(0, 0, w, top, pal.color(QPalette::Button));
  for (const FieldPlace& hp : highlight_)
    p.fillRect(ColumnX(hp.first), 0, std::max(hp.width, 1) * cw, top, kHighlight);
  p.setPen(pal.color(QPalette::ButtonText));
  const int columns = Columns();
  for (int c = 10; c <= columns; c += 10) {
    const QString n = QString::number(c);
    p.drawText(ColumnX(c - int(n.size()) + 1), 2 + ascent, n);
  }
  QString ticks;
  for (int c = 1; c <= columns; ++c) ticks += c % 10 == 0 ? QLatin1Char('|') : c % 5 == 0 ? QLatin1Char('+') : QLatin1Char('.');
  p.drawText(ColumnX(1), 2 + lh + ascent, ticks);
  p.fillRect(0, 0, gutter, top, pal.color(QPalette::Button));
  p.setPen(pal.color(QPalette::Mid));
  p.drawLine(0, top - 1, w, top - 1);
  const int edge = ColumnX(kRulerColumns + 1) - 1;
  p.drawLine(edge, 0, edge, h);
}

ColumnView::ColumnView(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("ColumnView"));
  setWindowTitle(QStringLiteral("Columns"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(4);
  Text = new ColumnText(this);
  layout->addWidget(Text, 1);
  lblFindings = new QLabel(this);
  lblFindings->setObjectName(QStringLiteral("lblFindings"));
  layout->addWidget(lblFindings);
  lstFindings = new QListWidget(this);
  lstFindings->setObjectName(QStringLiteral("lstFindings"));
  lstFindings->setAccessibleName(QStringLiteral("Findings"));
  lstFindings->setMaximumHeight(lstFindings->fontMetrics().height() * 6 + 8);
  layout->addWidget(lstFindings);
  lblStatus = new QLabel(this);
  lblStatus->setObjectName(QStringLiteral("lblStatus"));
  lblStatus->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  lblStatus->setContentsMargins(4, 1, 4, 1);
  lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(lblStatus);

  connect(Text, &ColumnText::Clicked, this, [this](int line, int column) {
    if (!map_) return;
    if (const FieldPlace* at = map_->At(line, column))
      emit FieldChosen(Latin(at->window), at->row, Latin(at->field));
  });
  connect(lstFindings, &QListWidget::itemClicked, this, &ColumnView::ChooseFinding);
  connect(lstFindings, &QListWidget::itemActivated, this, &ColumnView::ChooseFinding);
  resize(sizeHint());
}

void ColumnView::ChooseFinding(QListWidgetItem* item) {
  emit FieldChosen(item->data(Qt::UserRole).toString(), item->data(Qt::UserRole + 1).toInt(),
                   item->data(Qt::UserRole + 2).toString());
}

void ColumnView::ShowMap(std::shared_ptr<const ColumnMap> map) {
  map_ = std::move(map);
  Text->SetMap(map_);
  QStringList texts;
  for (const Finding& f : map_->findings)
    texts << Latin(FindingPlaceText(f) + ": " + DescribeFinding(f));
  if (texts != shownFindings_) {
    shownFindings_ = texts;
    lstFindings->clear();
    for (int i = 0; i < texts.size(); ++i) {
      const Finding& f = map_->findings[std::size_t(i)];
      auto* item = new QListWidgetItem(texts[i], lstFindings);
      item->setData(Qt::UserRole, QString::fromStdString(f.window));
      item->setData(Qt::UserRole + 1, f.row);
      item->setData(Qt::UserRole + 2, QString::fromStdString(f.field));
    }
  }
  lblFindings->setText(texts.isEmpty()        ? QStringLiteral("No findings: every value fits its columns and every row is written.")
                       : texts.size() == 1 ? QStringLiteral("1 finding, in file order:")
                                           : QStringLiteral("%1 findings, in file order:").arg(texts.size()));
  ShowStatus();
}

void ColumnView::ShowFocus(const std::string& window, int row, const std::string& field) {
  if (window.empty()) return;
  focusWindow_ = window, focusRow_ = row, focusField_ = field;
  ShowStatus();
}

void ColumnView::ShowStatus() {
  if (!map_ || focusWindow_.empty()) return;
  const std::vector<const FieldPlace*> places = map_->Find(focusWindow_, focusRow_, focusField_);
  std::vector<FieldPlace> highlight;
  for (const FieldPlace* p : places) highlight.push_back(*p);
  Text->SetHighlight(std::move(highlight));
  std::string status = FieldPlaceText(*map_, places);
  if (places.empty()) {
    status = focusWindow_ + " " + focusField_;
    if (focusRow_ >= 0) status += " row " + std::to_string(focusRow_ + 1);
    status += ": not written";
  }
  for (const Finding* f : map_->FindingsOf(focusWindow_, focusRow_, focusField_)) {
    if (f->kind == FindingKind::TooWide)
      status += "; \"" + f->text + "\" needs " + std::to_string(f->used) + " columns";
    else if (f->kind == FindingKind::NotANumber)
      status += "; \"" + f->text + "\" is not a number, written as blanks";
    else
      status += "; " + f->text;
  }
  lblStatus->setText(Latin(status));
}

void ColumnView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  emit VisibilityChanged(true);
}

void ColumnView::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  emit VisibilityChanged(false);
}

}  // namespace kv
