// Scripted seams for the main window: dialogs answer from a list, everything that
// would leave the process is recorded instead.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "../test_support.h"
#include "app/editor_window.h"
#include "app/frm_document.h"
#include "app/frm_main.h"
#include "app/settings.h"
#include "inputfile/input_file.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace kv::testing {

class FakeDialogs : public FileDialogs {
 public:
  QString OpenFileName(QWidget*, const QString& t, const QString& f, const QString& n) override {
    return Answer(QStringList{"open", t, f, n});
  }
  QString SaveFileName(QWidget*, const QString& t, const QString& f, const QString& n) override {
    return Answer(QStringList{"save", t, f, n});
  }
  QString NewFileName(QWidget*, const QString& t, const QString& f, const QString& n) override {
    return Answer(QStringList{"new", t, f, n});
  }
  QStringList answers;               // empty text: cancelled
  std::vector<QStringList> calls;    // kind, title, filter, file name

 private:
  QString Answer(QStringList call) {
    calls.push_back(std::move(call));
    return answers.isEmpty() ? QString() : answers.takeFirst();
  }
};

class FakeMessages : public MessageBoxes {
 public:
  void Show(QWidget*, const QString& title, const QString& text, MessageIcon icon) override {
    titles.append(title), texts.append(text), icons.push_back(icon);
    if (onShow) onShow();
  }
  // Answers from `answers` in turn (No once they run out); the question is kept in texts.
  bool Ask(QWidget*, const QString& title, const QString& text) override {
    titles.append(title), texts.append(text), icons.push_back(MessageIcon::None);
    return !answers.empty() && answers.takeFirst();
  }
  QStringList titles, texts;
  std::vector<MessageIcon> icons;
  QList<bool> answers;
  std::function<void()> onShow;  // what a test looks at while the box is up
};

class FakePrinter : public Printer {
 public:
  void SetFont(const QString& f, double p) override { font = f + QStringLiteral(" %1").arg(p); }
  void SetLandscape(bool l) override { landscape = l; }
  std::optional<int> ShowPrintDialog(QWidget*) override { return ++dialogs, copies; }
  void PrintJob(const QString& text) override { jobs.append(text); }
  // A picture is painted on an image of a landscape page, kept for the test to look at.
  void PrintPicture(const std::function<void(QPainter&, const QRectF&)>& paint) override {
    QImage page(1056, 816, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    paint(painter, QRectF(page.rect()));
    painter.end();
    pictures.push_back(page);
  }
  std::optional<int> copies = 1;  // what the print dialog answers
  QString font;
  bool landscape = false;
  int dialogs = 0;
  QStringList jobs;
  std::vector<QImage> pictures;
};

class FakeClipboard : public Clipboard {
 public:
  void SetText(const QString& t) override { text = t, ++sets; }
  QString Text() const override { return text; }
  QString text = QStringLiteral("held before");
  int sets = 0;
};

// A clock of its own time: a wait's step runs when Elapse has moved the time past its
// end, steps due together in the order they were asked for.
class FakeClock : public Clock {
 public:
  QDateTime Now() const override { return now; }
  void After(int ms, QObject* context, std::function<void()> then) override {
    pending.push_back({elapsed + ms, serial++, QPointer<QObject>(context), context != nullptr, std::move(then)});
  }
  // Runs every step due within `ms` from now, in time order (steps they ask for too).
  void Elapse(int ms) {
    const long long end = elapsed + ms;
    for (;;) {
      auto next = std::min_element(pending.begin(), pending.end(), [](const Step& a, const Step& b) {
        return a.due != b.due ? a.due < b.due : a.serial < b.serial;
      });
      if (next == pending.end() || next->due > end) break;
      Step step = std::move(*next);
      pending.erase(next);
      elapsed = step.due;
      if (!step.hadContext || step.context) step.then();
    }
    elapsed = end;
  }
  QDateTime now{QDate(2024, 3, 9), QTime(14, 5, 7)};

 private:
  struct Step {
    long long due, serial;
    QPointer<QObject> context;
    bool hadContext;
    std::function<void()> then;
  };
  std::vector<Step> pending;
  long long elapsed = 0, serial = 0;
};

// An editor that counts its refreshes and notes when it is destroyed.
class FakeEditor : public EditorWindow {
 public:
  FakeEditor(Project& p, QStringList* destroyedNames) : EditorWindow(p), destroyed(destroyedNames) {}
  ~FakeEditor() override { destroyed->append(objectName()); }
  void Refresh() override { ++refreshes; }
  int refreshes = 0;
  QStringList* destroyed;
};

// Every seam faked, settings in a file of their own; with editors, a fake per form.
struct Shell {
  explicit Shell(bool withEditors = false) {
    EditorFactories f;
    if (withEditors) f.fill([this](Project& p) { return new FakeEditor(p, &destroyed); });
    Make(f);
  }
  explicit Shell(EditorFactories f) { Make(f); }
  void Make(const EditorFactories& f) {
    settings = std::make_unique<QSettings>(dir.filePath("settings.ini"), QSettings::IniFormat);
    window = std::make_unique<frmMain>(
        Platform{&dialogs, &messages, &printer, &clipboard, nullptr, &clock, settings.get()}, f);
  }
  QString Path(const QString& name) const { return dir.filePath(name); }
  QAction* Action(const QString& name) const { return window->findChild<QAction*>(name); }
  EditorWindow* Editor(Form f) const { return window->editors().Window(f); }

  QTemporaryDir dir;
  FakeDialogs dialogs;
  FakeMessages messages;
  FakePrinter printer;
  FakeClipboard clipboard;
  FakeClock clock;
  std::unique_ptr<QSettings> settings;
  QStringList destroyed;
  std::unique_ptr<frmMain> window;
};

// The shell with the program's own editors.
struct RealShell : Shell {
  RealShell() : Shell(DefaultEditorFactories()) {}
};

// A project as Save writes it.
inline std::string FileBytes(const Project& p) { return test::Bytes(p); }

// The file read into a fresh project; messages gets what File Open shows after it:
// the warnings in order, then the lines not read.
inline Project ReadFresh(const QString& path, QStringList* messages = nullptr) {
  Project p;
  const ReadReport r = ReadInputFile(QFile::encodeName(path).toStdString(), p, [messages](const std::string& w) {
    if (messages != nullptr) messages->append(QString::fromLatin1(w));
  });
  if (messages != nullptr && r.unreadCount > 0) messages->append(QString::fromLatin1(UnreadLinesMessage(r)));
  return p;
}

inline std::string Slurp(const QString& path) { return test::Slurp(QFile::encodeName(path).toStdString()); }

// The named widgets in the order Tab visits them.
inline QStringList TabOrder(QWidget& w, const QStringList& names) {
  QStringList chain;
  for (QWidget* x = w.nextInFocusChain(); x != &w; x = x->nextInFocusChain())
    if (names.contains(x->objectName())) chain << x->objectName();
  return chain;
}

inline QStringList LabelTexts(const QWidget& w) {
  QStringList texts;
  for (const QLabel* l : w.findChildren<QLabel*>()) texts << l->text();
  return texts;
}

}  // namespace kv::testing
