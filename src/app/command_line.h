// The command line: a report of the stored settings or of a project file,
// as text or as JSON, without the window.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace silvarone {

// Runs `silvarone <arguments>` (without the program name). Returns the exit
// status: 0 done, 2 a usage or input error (one line on `err`).
int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace silvarone
