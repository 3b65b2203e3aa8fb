// Start-up: the main window at its stored position, then the program's folder. No
// file is opened and no editor shown.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "app/frm_main.h"
#include "app/qt_platform.h"
#include "app/recovery.h"
#include "kv_version.h"
// Runs.
#include "runs/runs.h"
// Help and About.
#include "app/help.h"

int main(int argc, char** argv) {
  // Answered before any window system is needed, so they work on a bare terminal.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("wexa-kelvara %s\n", KV_VERSION);
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0) {
      std::printf(
          "Usage: wexa-kelvara [--version] [--help]\n"
          "Editor for bridge geometry input files (*.dat). The engines and the help\n"
          "document are looked for in the program's folder.\n");
      return 0;
    }
  }
  QApplication app(argc, argv);
  kv::QtPlatform platform;
  kv::frmMain window(platform.Get());
  // Runs: geometry and the post-processors.
  kv::InstallRuns(window);
  // Help and About.
  kv::InstallHelp(window);
  window.show();
  window.RecordProgramFolder();
  // A project left unsaved by a run that did not end normally is offered back.
  (new kv::RecoveryCopy(window))->OfferLeftCopy();
  return app.exec();
}
