// The window tests need a QApplication before any widget exists.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/editor_widgets.h"
#include "app/interface_font.h"

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  kv::UseInterfaceFont();  // as the program does
  kv::ShowWholeTextsInTips();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
