// Norlath Measurement: test dimensions for the inspection of involute
// cylindrical gears. Until the window exists the program names itself.
#include <cstdio>

#ifndef SILVARONE_VERSION
#define SILVARONE_VERSION "0.0.0"
#endif

int main() {
  std::printf("Norlath Measurement %s\n", SILVARONE_VERSION);
  return 0;
}
