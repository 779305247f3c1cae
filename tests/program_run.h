// The built program run as a user runs it, on a settings folder of its own
// and without a display, for the tests of its command line.
#pragma once

#include <string>
#include <utility>

#include "file_fixture.h"
#include "pdf_text.h"

namespace silvarone::testing {

using Outcome = std::pair<std::string, int>;  // standard output, exit status

class ProgramFolder : public TempFolder {
 protected:
  // Standard error goes to Path("err").
  Outcome Silvarone(const std::string& arguments) {
    std::string out = Shell(
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM SILVARONE_HOME='" + Path("home") +
        "' '" SILVARONE_EXECUTABLE "' " + arguments + " 2>'" + Path("err") + "'; echo \" $?\"");
    const std::size_t status = out.rfind(' ');
    return {out.substr(0, status), std::stoi(out.substr(status))};
  }
  const std::string example =
      std::string(SILVARONE_DATA_DIR) + "/../docs/manual/examples/stirnrad_m2_z20.tvp";
};

}  // namespace silvarone::testing
