// `silvarone log add` and `silvarone log export`: the inspection log from
// the command line. `add` runs the window model as the report does (start on
// the stored settings without writing them, the project file, the
// calculation page), makes the part's record as the window would and adds
// it to the log in the settings folder; `export` prints a gear's records as
// CSV or JSON.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace silvarone {

// A logged part outside its limits.
inline constexpr int kExitOutsideLimits = 6;

// `arguments` begins with "log". Returns the exit status.
int RunLog(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace silvarone
