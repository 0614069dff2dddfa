// Entry point of the window tests: an offscreen application, a private
// registry folder, and the program folder set to where the build placed the
// templates and supplied files.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/core/Platform.h"
#include "platform/qt/QtText.h"
#include "platform/qt/Registry.h"
#include "support/TempDir.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  tavrel::testing::TempDir registry;
  tavrel::SetRegistryFolder(registry.Path());
  tavrel::setProgramFolder(tavrel::pathFromQString(QCoreApplication::applicationDirPath()));
  return RUN_ALL_TESTS();
}
