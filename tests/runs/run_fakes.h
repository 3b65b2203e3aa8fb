// A starter and a clock that write what happens into one log, so a test sees the
// order of starts and waits; each can act when called (write an engine's file, start
// another run during a wait).
#pragma once

#include <QFile>
#include <functional>
#include <map>

#include "../app/shell_fakes.h"
#include "runs/runs.h"

namespace kv::testing {

inline const char* StyleName(WindowStyle s) {
  switch (s) {
    case WindowStyle::Hidden: return "hidden";
    case WindowStyle::MaximizedFocus: return "maximized";
    case WindowStyle::NormalFocus: return "normal";
  }
  return "?";
}

class LogStarter : public ProgramStarter {
 public:
  explicit LogStarter(QStringList& log) : log_(log) {}
  bool Start(const QString& program, const QStringList& args, WindowStyle style) override {
    log_.append(QStringLiteral("start %1 %2").arg(StyleName(style), QuotedCommandLine(program, args)));
    const QString name = program.section(QLatin1Char('/'), -1);
    if (auto it = onStart.find(name); it != onStart.end()) it->second(args);
    return !refuse;
  }
  // By program name without folder: what the program would do.
  std::map<QString, std::function<void(const QStringList&)>> onStart;
  bool refuse = false;

 private:
  QStringList& log_;
};

class LogClock : public FakeClock {
 public:
  explicit LogClock(QStringList& log) : log_(log) {}
  void Wait(int ms) override {
    log_.append(QStringLiteral("wait %1").arg(ms));
    if (!duringWait.empty()) {
      auto f = std::move(duringWait.front());
      duringWait.erase(duringWait.begin());
      f();
    }
  }
  std::vector<std::function<void()>> duringWait;  // one per wait, in order

 private:
  QStringList& log_;
};

class LogMessages : public MessageBoxes {
 public:
  explicit LogMessages(QStringList& log) : log_(log) {}
  void Show(QWidget*, const QString& title, const QString& text, MessageIcon) override {
    log_.append(QStringLiteral("message %1: %2").arg(title, text));
  }

 private:
  QStringList& log_;
};

inline void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write(bytes);
}

// A main window with every seam scripted, the program folder "/geo".
struct RunShell {
  RunShell() {
    settings = std::make_unique<QSettings>(dir.filePath("settings.ini"), QSettings::IniFormat);
    window = std::make_unique<frmMain>(Platform{&dialogs, &messages, &printer, &clipboard,
                                                &starter, &clock, settings.get()},
                                       EditorFactories{});
    window->ProgramFolder = QStringLiteral("/geo");
    InstallRuns(*window);
  }
  QString Path(const QString& name) const { return dir.filePath(name); }

  QTemporaryDir dir;
  QStringList log;
  FakeDialogs dialogs;
  LogMessages messages{log};
  FakePrinter printer;
  FakeClipboard clipboard;
  LogStarter starter{log};
  LogClock clock{log};
  std::unique_ptr<QSettings> settings;
  std::unique_ptr<frmMain> window;
};

}  // namespace kv::testing
