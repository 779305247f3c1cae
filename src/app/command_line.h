// The command line: a report of the stored settings or of a project file,
// as text or as JSON, without the window; the measurement drawing as a
// picture; the program's help and version.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "ui/drawing_window.h"
#include "ui/log_report.h"

namespace silvarone {

// Exit statuses of the command line. When several apply, the highest wins.
inline constexpr int kExitDone = 0;
inline constexpr int kExitUsage = 2;        // usage or input error, one line on `err`
inline constexpr int kExitDataRefused = 3;  // the calculation page refused the gear: no report
inline constexpr int kExitSaveFailed = 4;   // --save could not write the settings file
inline constexpr int kExitOutputFailed =
    5;  // the report, its PDF or a picture could not be written

// Writes the report's lines as a PDF file through the program's one writer;
// why it could not be written, or kNone. The window layer supplies it, so the
// command line needs no Qt.
// The log's run chart (when the gear has records) goes on a page after the
// text, the measurement drawing on the last page.
using ReportPdfWriter = std::function<platform::WriteFailure(
    const std::vector<std::string>& lines, const DrawingView& drawing, const LogChart* chart,
    const std::string& path)>;

// Writes the measurement drawing as an SVG or PNG picture (by the name)
// through the program's one writer; why it could not be written, or kNone.
using DrawingPictureWriter =
    std::function<platform::WriteFailure(const DrawingView& drawing, const std::string& path)>;

class WindowModel;
class TerminalPresenter;

// Opens the project file as the window's file dialog would; false, with one
// line on `err`, when it is no project file or cannot be read.
bool OpenProjectFile(WindowModel& model, TerminalPresenter& presenter, const std::string& file,
                     std::ostream& err);

// Runs `silvarone <arguments>` (without the program name) and returns the
// exit status.
int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const ReportPdfWriter& writePdf = {},
                   const DrawingPictureWriter& writeDrawing = {});

}  // namespace silvarone
