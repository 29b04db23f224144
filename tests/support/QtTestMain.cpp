// main() of the Qt test programs: a QApplication on the offscreen platform unless the
// caller chose another, so that tests run without a display. gtest_discover_tests runs the
// programs at build time without ctest's environment, hence the default here.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
