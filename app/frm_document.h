// The listing window: the one child window of the main window, holding the text area
// `Output` in which a run's listing is shown, selected, copied and printed.
#pragma once

#include <QPlainTextEdit>
#include <QWidget>

namespace kv {

inline constexpr int kOutputStartLimit = 65000;

// The text area. Typing and pasting stop at MaxLength characters (0: no limit); text
// set by the program is not cut.
class ListingText : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit ListingText(QWidget* parent = nullptr);

  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int characters) { maxLength_ = characters; }
  int Length() const { return document()->characterCount() - 1; }
  // The selection as plain text with "\n" between lines; empty when nothing is selected.
  QString SelectedText() const;

 protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // Characters that may still be inserted in place of the selection.
  int Room() const;

  int maxLength_ = kOutputStartLimit;
};

class frmDocument : public QWidget {
  Q_OBJECT

 public:
  explicit frmDocument(QWidget* parent = nullptr);
  ListingText* Output() const { return output_; }

 private:
  ListingText* output_;
};

}  // namespace kv
