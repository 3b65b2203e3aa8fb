// Start-up: the main window at its stored position, then the program's folder. A file
// named on the command line (the desktop entry passes one) is opened as File Open does.
#include <QApplication>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/command_line.h"
#include "app/editor_widgets.h"
#include "app/frm_main.h"
#include "app/interface_font.h"
#include "app/qt_platform.h"
#include "app/recovery.h"
#include "inputfile/process_heap.h"
#include "kv_version.h"
// Runs.
#include "runs/runs.h"
// Help and About.
#include "app/help.h"

int main(int argc, char** argv) {
  // Answered before any window system is needed, so they work on a bare terminal.
  const kv::CommandLine line = kv::ParseCommandLine(argc, argv);
  switch (line.action) {
    case kv::CommandLine::Action::Version:
      std::printf("wexa-kelvara %s\n", KV_VERSION);
      return 0;
    case kv::CommandLine::Action::Help:
      std::fputs(kv::kUsage, stdout);
      return 0;
    case kv::CommandLine::Action::Error:
      std::fprintf(stderr, "wexa-kelvara: %s\n%s", line.error.c_str(), kv::kUsage);
      return 2;
    case kv::CommandLine::Action::Run:
      break;
  }
  kv::KeepFreedHeap();
  QApplication app(argc, argv);
  kv::UseInterfaceFont();
  kv::ShowWholeTextsInTips();
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kv::kDesktopFileName));
  kv::QtPlatform platform;
  kv::frmMain window(platform.Get());
  // Runs: geometry and the post-processors.
  kv::InstallRuns(window);
  // Help and About.
  kv::InstallHelp(window);
  window.show();
  window.RecordProgramFolder();
  if (!line.file.empty()) window.OpenFile(QString::fromLocal8Bit(line.file.c_str()));
  // A project left unsaved by a run that did not end normally is offered back.
  (new kv::RecoveryCopy(window))->OfferLeftCopy();
  return app.exec();
}
