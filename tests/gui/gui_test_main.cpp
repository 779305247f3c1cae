// The window tests run inside one QApplication (offscreen, set per test).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // ctest sets the platform per test; listing the tests at build time needs it too.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
