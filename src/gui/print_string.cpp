#include "gui/print_string.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>

#include "gui/drawing_painter.h"
#include "gui/run_chart.h"
#include "gui/widgets.h"
#include "platform/file_system.h"
#include "report/report.h"

namespace silvarone::gui {
namespace {

namespace fs = std::filesystem;

int Round(double value) {
  return static_cast<int>(std::lround(value));
}

// What the line layout needs of the paper: the paper and its printable
// area in device pixels, the resolution, and the device's page handling. A
// printer and a PDF written into memory both give it.
struct Sheets {
  QPaintDevice& device;
  int xResolution;
  int yResolution;
  QRect paper;
  QRect printable;
  std::function<bool()> newPage;
  std::function<void()> abort;
  std::function<bool()> failed;
};

// Where the lines go on a sheet, in the painter's coordinates (its origin is
// the printable area's top left corner).
struct LineArea {
  int left;
  int top;
  int right;
  int bottom;
  int lineStep;
  int textHeight;
};

// The margins of `layout`, never closer to the paper's edges than the
// printable area; nothing when the area cannot take one line, which would
// fill pages without end.
std::optional<LineArea> LineAreaOf(const Sheets& sheets, const QFont& font,
                                   const PrintLayout& layout) {
  const int xResolution = sheets.xResolution;
  const int yResolution = sheets.yResolution;
  const QRect& paper = sheets.paper;
  const QRect& printable = sheets.printable;
  const int xOffset = printable.left() - paper.left();
  const int yOffset = printable.top() - paper.top();
  const int left = std::max(Round(xResolution * layout.left), xOffset);
  const int top = std::max(Round(yResolution * layout.top), yOffset);
  const int right =
      std::min(paper.width() - Round(xResolution * layout.right), printable.width() + xOffset);
  const int bottom =
      std::min(paper.height() - Round(yResolution * layout.bottom), printable.height() + yOffset);
  const int lineStep = std::max(1, Round(yResolution / layout.linesPerInch));
  const int textHeight = QFontMetrics(font, &sheets.device).size(Qt::TextSingleLine, "Äy").height();
  if (left >= right || top >= bottom || top > bottom - textHeight || !(layout.linesPerInch > 0)) {
    return std::nullopt;
  }
  return LineArea{.left = left - xOffset,
                  .top = top - yOffset,
                  .right = right - xOffset,
                  .bottom = bottom - yOffset,
                  .lineStep = lineStep,
                  .textHeight = textHeight};
}

// A page after the text (the measurement drawing, the log's run chart),
// painted into the area between the margins.
using ClosingPage = std::function<void(QPainter&, const QRect&)>;

// The lines of one page from `next` on; a page break line ends the page
// unless it stands at its top.
void PrintPage(QPainter& painter, const LineArea& area, const std::vector<std::string>& lines,
               std::size_t& next) {
  const int ascent = painter.fontMetrics().ascent();
  int y = area.top;
  while (next < lines.size() && y <= area.bottom - area.textHeight) {
    const std::string& line = lines[next++];
    if (line == kReportPageBreak) {
      if (y > area.top) break;
      continue;
    }
    painter.drawText(QPoint(area.left, y + ascent), ToQString(line));
    y += area.lineStep;
  }
}

PrintResult PrintOnSheets(Sheets& sheets, const std::vector<std::string>& lines, const QFont& font,
                          bool discard, const PrintLayout& layout, const PrintBand& header,
                          const PrintBand& footer, const std::vector<ClosingPage>& closing = {}) {
  const std::optional<LineArea> area = LineAreaOf(sheets, font, layout);
  if (!area) return PrintResult::kMarginsTooLarge;
  const int left = area->left;
  const int top = area->top;
  const int right = area->right;
  const int bottom = area->bottom;

  QPainter painter;
  if (!painter.begin(&sheets.device)) return PrintResult::kPrinterFailed;
  painter.setFont(font);
  const QRect headerBand(QPoint(left, 0), QPoint(right, top));
  const QRect footerBand(QPoint(left, bottom), QPoint(right, sheets.printable.height()));
  bool goOn = true;
  bool failed = false;
  int page = 1;
  std::size_t next = 0;
  while (next < lines.size() && goOn) {
    if (header) {
      header(painter, page, goOn, headerBand);
      painter.setFont(font);
    }
    if (goOn) PrintPage(painter, *area, lines, next);
    if (footer) {
      footer(painter, page, goOn, footerBand);
      painter.setFont(font);
    }
    if (next < lines.size() && goOn) {
      ++page;
      if (!sheets.newPage()) {
        failed = true;
        break;
      }
    }
  }
  for (const ClosingPage& closingPage : closing) {
    if (!closingPage || !goOn || failed) continue;
    if (sheets.newPage()) {
      painter.setFont(font);
      closingPage(painter, QRect(QPoint(left, top), QPoint(right, bottom)));
    } else {
      failed = true;
    }
  }
  if (!goOn || discard || failed) sheets.abort();
  painter.end();
  if (failed || (!discard && goOn && sheets.failed())) {
    return PrintResult::kPrinterFailed;
  }
  return goOn ? PrintResult::kDone : PrintResult::kStopped;
}

// The printer's paper, printable area and page handling.
Sheets PrinterSheets(QPrinter& printer) {
  return Sheets{printer,
                printer.logicalDpiX(),
                printer.logicalDpiY(),
                printer.paperRect(QPrinter::DevicePixel).toRect(),
                printer.pageRect(QPrinter::DevicePixel).toRect(),
                [&printer] { return printer.newPage(); },
                [&printer] { printer.abort(); },
                [&printer] { return printer.printerState() == QPrinter::Error; }};
}

// The drawing on its own page: as wide as the text, as high as it is wide.
ClosingPage DrawingPage(const DrawingView* drawing) {
  if (drawing == nullptr) return {};
  return [drawing](QPainter& painter, const QRect& area) {
    QFont font = painter.font();
    font.setPointSize(9);
    painter.setFont(font);
    const int side = std::min(area.width(), area.height());
    PaintMeasurement(painter, *drawing, QRectF(area.left(), area.top(), side, side),
                     StartRegion(*drawing));
  };
}

// The run chart of the log on its own page, as wide as the text.
ClosingPage ChartPage(const LogChart* chart) {
  if (chart == nullptr) return {};
  return [chart](QPainter& painter, const QRect& area) { PaintRunChart(painter, area, *chart); };
}

}  // namespace

PrintResult PrintString(QPrinter& printer, const std::vector<std::string>& lines, const QFont& font,
                        bool discard, const PrintLayout& layout, const PrintBand& header,
                        const PrintBand& footer) {
  Sheets sheets = PrinterSheets(printer);
  return PrintOnSheets(sheets, lines, font, discard, layout, header, footer);
}

QFont ReportFont() {
  QFont font = QFontDatabase::hasFamily("Courier New") ? QFont("Courier New") : FixedPitchFont();
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSize(8);
  return font;
}

PrintResult PrintReport(QPrinter& printer, const std::vector<std::string>& lines,
                        const DrawingView* drawing, const LogChart* chart) {
  Sheets sheets = PrinterSheets(printer);
  return PrintOnSheets(sheets, lines, ReportFont(), false, kReportLayout, {}, {},
                       {ChartPage(chart), DrawingPage(drawing)});
}

PrintResult WriteReportPdf(const std::vector<std::string>& lines, const std::string& path,
                           platform::WriteFailure* failure, const DrawingView* drawing,
                           const LogChart* chart) {
  // The pages are made in memory and handed whole to the program's one
  // writer, which checks every write: a full disk never leaves a cut PDF.
  QByteArray bytes;
  PrintResult result;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(600);
    // A file has no unprintable border: the report's margins count from the edge.
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    pdf.setTitle(QString::fromStdString(fs::path(path).stem().string()));
    pdf.setCreator(QCoreApplication::applicationName());
    const QRect page = pdf.pageLayout().fullRectPixels(pdf.resolution());
    // All of the page is printable; a buffer in memory never fails.
    Sheets sheets{pdf, pdf.resolution(), pdf.resolution(), page, page, {}, {}, {}};
    sheets.newPage = [&] { return pdf.newPage(); };
    sheets.abort = [] {};
    sheets.failed = [] { return false; };
    result = PrintOnSheets(sheets, lines, ReportFont(), false, kReportLayout, {}, {},
                           {ChartPage(chart), DrawingPage(drawing)});
  }
  platform::WriteFailure written = platform::WriteFailure::kError;
  if (result == PrintResult::kDone) {
    written = platform::ReplaceFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (written != platform::WriteFailure::kNone) result = PrintResult::kPrinterFailed;
  }
  if (failure != nullptr) *failure = written;
  return result;
}

}  // namespace silvarone::gui
