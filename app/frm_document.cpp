#include "app/frm_document.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <algorithm>
#include <climits>

#include "app/listing_print.h"

namespace kv {

ListingText::ListingText(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName(QStringLiteral("Output"));
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFont(FixedPitchFont(QStringLiteral("Courier New"), 7.5));
  setPlainText(QStringLiteral("Geometry Output Display"));
}

QString ListingText::SelectedText() const {
  QString text = textCursor().selectedText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return text;
}

int ListingText::Room() const {
  if (maxLength_ <= 0) return INT_MAX;
  const QTextCursor c = textCursor();
  const int selected = c.selectionEnd() - c.selectionStart();
  return std::max(0, maxLength_ - (Length() - selected));
}

bool ListingText::event(QEvent* e) {
  // Ctrl+C belongs to "&Copy from Output", which copies even an empty selection.
  if (e->type() == QEvent::ShortcutOverride &&
      static_cast<QKeyEvent*>(e)->matches(QKeySequence::Copy)) {
    e->ignore();
    return true;
  }
  return QPlainTextEdit::event(e);
}

void ListingText::keyPressEvent(QKeyEvent* e) {
  const QString text = e->text();
  const bool inserts = !text.isEmpty() && !isReadOnly() &&
                       (text.at(0).isPrint() || text.at(0) == QLatin1Char('\r') ||
                        text.at(0) == QLatin1Char('\t')) &&
                       !(e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
  if (inserts && Room() < text.size()) {
    e->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(e);
}

void ListingText::inputMethodEvent(QInputMethodEvent* e) {
  if (!e->commitString().isEmpty() && Room() < e->commitString().size()) {
    QInputMethodEvent cut(e->preeditString(), e->attributes());
    cut.setCommitString(e->commitString().left(Room()), e->replacementStart(),
                        e->replacementLength());
    QPlainTextEdit::inputMethodEvent(&cut);
    return;
  }
  QPlainTextEdit::inputMethodEvent(e);
}

void ListingText::insertFromMimeData(const QMimeData* source) {
  if (source == nullptr || !source->hasText()) return;
  const QString text = source->text();
  const int room = Room();
  if (room >= text.size()) {
    QPlainTextEdit::insertFromMimeData(source);
    return;
  }
  QTextCursor c = textCursor();
  c.insertText(text.left(room));
  setTextCursor(c);
}

frmDocument::frmDocument(QWidget* parent) : QWidget(parent), output_(new ListingText(this)) {
  setObjectName(QStringLiteral("frmDocument"));
  setWindowTitle(QStringLiteral("Listing"));
  // The main window's layout sizes Output; resizing this window leaves it as it is.
  output_->move(0, 0);
}

}  // namespace kv
