// Text on the printer, page after page: the report's printing, its preview
// and its PDF file all put their pages on paper through PrintString, so the
// three agree line for line.
#pragma once

#include <QFont>
#include <functional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "ui/drawing_window.h"
#include "ui/log_report.h"
#include "ui/secondary_windows.h"

class QPainter;
class QPrinter;
class QRect;

namespace silvarone::gui {

// A header or footer routine: the painter, the page number (from 1), the
// continue flag (cleared: the job stops after this step) and its band of the
// page (from the left to the right margin; the header above the top margin,
// the footer below the bottom margin).
using PrintBand = std::function<void(QPainter& painter, int page, bool& goOn, const QRect& band)>;

enum class PrintResult {
  kStopped = 0,      // a header or footer routine cleared the continue flag
  kDone = 1,         // every line printed (or discarded, when asked)
  kMarginsTooLarge,  // no area between the margins that holds a line; nothing printed
  kPrinterFailed,    // the printer (or the PDF file) refused the job
};

// Prints `lines` as they are, without wrapping or clipping, in `font` at
// x = left margin, one line step (vertical resolution / lines per inch,
// rounded) below the other, from the top margin down to the bottom margin
// less the height of "Äy"; a line kReportPageBreak starts a new page (unless
// the page is still empty). The margins are inches from the paper's edges,
// but never closer to them than the printable area. `discard` cancels the
// job at its end.
PrintResult PrintString(QPrinter& printer, const std::vector<std::string>& lines, const QFont& font,
                        bool discard, const PrintLayout& layout, const PrintBand& header = {},
                        const PrintBand& footer = {});

// The report's font: Courier New at 8 points where it exists, else the
// system's fixed-pitch font at 8 points.
QFont ReportFont();

// The report on the printer with the report's margins and 6 lines per inch;
// with a chart, the log's run chart on a page after the text (whose last
// page lists the log); with a drawing, the measurement drawn to scale on the
// last page.
PrintResult PrintReport(QPrinter& printer, const std::vector<std::string>& lines,
                        const DrawingView* drawing = nullptr, const LogChart* chart = nullptr);

// The report as a PDF file (A4, 600 dots per inch), written whole or not at
// all through platform::ReplaceFileAtomically: an existing file is replaced
// only by a complete one, keeps its permissions and links, and a target that
// is no regular file is refused. `failure` (when given) tells why the file
// could not be written.
PrintResult WriteReportPdf(const std::vector<std::string>& lines, const std::string& path,
                           platform::WriteFailure* failure = nullptr,
                           const DrawingView* drawing = nullptr, const LogChart* chart = nullptr);

}  // namespace silvarone::gui
