#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// The window tests need a QApplication; they run on the offscreen platform, also when the
// test list is read at build time.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
