// The window tests run inside one QApplication (offscreen, set per test).
#include <gtest/gtest.h>

#include <QApplication>

#ifdef __SANITIZE_ADDRESS__
// Qt's JPEG plugin loads libjpeg, whose thread-local data then lives in a
// heap block. The leak check of GCC 12's sanitizer guesses that block's
// extent from the bytes in front of it whenever the block starts 16 bytes
// into a page, reads a bogus range and dies at exit, so a test passes or
// fails with the heap layout. The block stays reachable through the
// thread's own table of TLS blocks, so tracking it separately adds nothing.
extern "C" const char* __asan_default_options() {
  return "intercept_tls_get_addr=0";
}
#endif

int main(int argc, char** argv) {
  // ctest sets the platform per test; listing the tests at build time needs it too.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
