// Everything the window program hands to the world outside the process goes through
// these small interfaces, so the tests can script them. The real ones, built on Qt,
// are made by MakeQtPlatform (qt_platform.h).
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QObject;
class QPainter;
class QRectF;
class QSettings;
class QWidget;

namespace kv {

// Open and save dialogs. Filters come in the program's "description|pattern|..."
// form; an empty title means the dialog's own. The empty text means cancelled.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& filter,
                               const QString& fileName) = 0;
  virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& filter,
                               const QString& fileName) = 0;
  // An open dialog that also takes the name of a file that does not exist yet.
  virtual QString NewFileName(QWidget* parent, const QString& title, const QString& filter,
                              const QString& fileName) = 0;
};

enum class MessageIcon { None, Information };

// A message box with an OK button; returns when the user has closed it. Ask shows
// one with Yes and No buttons and tells whether Yes was chosen.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void Show(QWidget* parent, const QString& title, const QString& text,
                    MessageIcon icon = MessageIcon::None) = 0;
  virtual bool Ask(QWidget* parent, const QString& title, const QString& text) = 0;
};

// The printer the listing goes to. Each PrintJob is one print job of its own.
class Printer {
 public:
  virtual ~Printer() = default;
  virtual void SetFont(const QString& family, double points) = 0;
  virtual void SetLandscape(bool landscape) = 0;
  // The print dialog: the number of copies chosen, or nothing when cancelled.
  virtual std::optional<int> ShowPrintDialog(QWidget* parent) = 0;
  virtual void PrintJob(const QString& text) = 0;
  // One print job of a picture: `paint` draws it with the painter on the page, in a
  // rectangle measured in pixels of a 96-dpi screen.
  virtual void PrintPicture(const std::function<void(QPainter& painter, const QRectF& page)>& paint) = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void SetText(const QString& text) = 0;
  virtual QString Text() const = 0;
};

enum class WindowStyle { Hidden, MaximizedFocus, NormalFocus };

// Starts a program and returns at once; false when it could not be started.
class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  virtual bool Start(const QString& program, const QStringList& arguments, WindowStyle style) = 0;
};

// The time of day for the status bar, and the fixed waits of the runs. A wait is a
// timer, not a nested event loop: `then` runs once `milliseconds` have passed, with
// window events (and other runs) going on meanwhile; it is dropped when `context`
// is gone by then. So each run goes on at its own time.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual QDateTime Now() const = 0;
  virtual void After(int milliseconds, QObject* context, std::function<void()> then) = 0;
};

// The seams frmMain works through; none of them is owned by it.
struct Platform {
  FileDialogs* dialogs = nullptr;
  MessageBoxes* messages = nullptr;
  Printer* printer = nullptr;
  Clipboard* clipboard = nullptr;
  ProgramStarter* starter = nullptr;
  Clock* clock = nullptr;
  QSettings* settings = nullptr;  // the per-user store, or a test's own file
};

}  // namespace kv
