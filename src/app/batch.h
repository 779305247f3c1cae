// `silvarone batch`: the test dimensions of many gears at once. Reads a gear
// table (CSV or JSON lines) from a file or standard input and writes one
// result row per gear, in input order, computed on several threads.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace silvarone {

// `arguments` begins with "batch". Returns the exit status.
int RunBatch(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
             std::ostream& err);

}  // namespace silvarone
