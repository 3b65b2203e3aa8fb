// Start-up: the main window at its stored position, then the program's folder. No
// file is opened and no editor shown.
#include <QApplication>

#include "app/frm_main.h"
#include "app/qt_platform.h"
// Runs.
#include "runs/runs.h"
// Help and About.

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  kv::QtPlatform platform;
  kv::frmMain window(platform.Get());
  // Runs: geometry and the post-processors.
  kv::InstallRuns(window);
  // Help and About.
  window.show();
  window.RecordProgramFolder();
  return app.exec();
}
