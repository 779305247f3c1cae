// Norlath Measurement: test dimensions for the inspection of involute
// cylindrical gears. `silvarone report ...` prints the calculation report;
// until the window exists, the program without arguments does the same for
// the stored settings.
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "platform/file_system.h"

int main(int argc, char** argv) {
  // A full disk or a file-size limit is reported, not a reason to die.
  silvarone::platform::ReportFileSizeLimitAsError();
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return silvarone::RunCommandLine(arguments, std::cout, std::cerr);
}
