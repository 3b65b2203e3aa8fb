// The bare main window as a program of its own, for the start-up script: it shows the
// window and runs until it is ended.
#include <QApplication>

#include "bare_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  auto w = BareWindow(false);
  w->show();
  return app.exec();
}
