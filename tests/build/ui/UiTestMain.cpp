#include "BatchRunner.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// The window tests need a QApplication on the offscreen platform. Like the
// workbench, this program also runs a build's batch file when asked to.
int main(int argc, char** argv) {
  if (const auto status = RunBatchCommandLine(argc, argv)) return *status;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
