// The command line: a report of the stored settings or of a project file,
// as text or as JSON, without the window.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace silvarone {

// Writes the report's lines as a PDF file; false when the file could not be
// written. The window layer supplies it, so the command line needs no Qt.
using ReportPdfWriter =
    std::function<bool(const std::vector<std::string>& lines, const std::string& path)>;

// Runs `silvarone <arguments>` (without the program name). Returns the exit
// status: 0 done, 2 a usage or input error (one line on `err`), 5 the PDF
// file of --pdf could not be written.
int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const ReportPdfWriter& writePdf = {});

}  // namespace silvarone
