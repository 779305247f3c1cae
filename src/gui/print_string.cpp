#include "gui/print_string.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "gui/widgets.h"
#include "platform/file_system.h"

namespace silvarone::gui {
namespace {

namespace fs = std::filesystem;

int Round(double value) {
  return static_cast<int>(std::lround(value));
}

}  // namespace

PrintResult PrintString(QPrinter& printer, const std::vector<std::string>& lines, const QFont& font,
                        bool discard, const PrintLayout& layout, const PrintBand& header,
                        const PrintBand& footer) {
  // The paper and its printable area in printer pixels; the painter's origin
  // is the printable area's top left corner.
  const int xResolution = printer.logicalDpiX();
  const int yResolution = printer.logicalDpiY();
  const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
  const QRect printable = printer.pageRect(QPrinter::DevicePixel).toRect();
  const int xOffset = printable.left() - paper.left();
  const int yOffset = printable.top() - paper.top();
  int left = std::max(Round(xResolution * layout.left), xOffset);
  int top = std::max(Round(yResolution * layout.top), yOffset);
  int right =
      std::min(paper.width() - Round(xResolution * layout.right), printable.width() + xOffset);
  int bottom =
      std::min(paper.height() - Round(yResolution * layout.bottom), printable.height() + yOffset);
  const int lineStep = std::max(1, Round(yResolution / layout.linesPerInch));
  const int textHeight = QFontMetrics(font, &printer).size(Qt::TextSingleLine, "Äy").height();
  // An area that cannot take one line would fill pages without end.
  if (left >= right || top >= bottom || top > bottom - textHeight || !(layout.linesPerInch > 0)) {
    return PrintResult::kMarginsTooLarge;
  }
  left -= xOffset;
  right -= xOffset;
  top -= yOffset;
  bottom -= yOffset;

  QPainter painter;
  if (!painter.begin(&printer)) return PrintResult::kPrinterFailed;
  painter.setFont(font);
  const int ascent = painter.fontMetrics().ascent();
  const QRect headerBand(QPoint(left, 0), QPoint(right, top));
  const QRect footerBand(QPoint(left, bottom), QPoint(right, printable.height()));
  bool goOn = true;
  bool failed = false;
  int page = 1;
  std::size_t next = 0;
  while (next < lines.size() && goOn) {
    if (header) {
      header(painter, page, goOn, headerBand);
      painter.setFont(font);
    }
    if (goOn) {
      for (int y = top; next < lines.size() && y <= bottom - textHeight; y += lineStep) {
        painter.drawText(QPoint(left, y + ascent), Q(lines[next++]));
      }
    }
    if (footer) {
      footer(painter, page, goOn, footerBand);
      painter.setFont(font);
    }
    if (next < lines.size() && goOn) {
      ++page;
      if (!printer.newPage()) {
        failed = true;
        break;
      }
    }
  }
  if (!goOn || discard || failed) printer.abort();
  painter.end();
  if (failed || (!discard && goOn && printer.printerState() == QPrinter::Error)) {
    return PrintResult::kPrinterFailed;
  }
  return goOn ? PrintResult::kDone : PrintResult::kStopped;
}

QFont ReportFont() {
  QFont font = QFontDatabase::hasFamily("Courier New") ? QFont("Courier New") : FixedPitchFont();
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSize(8);
  return font;
}

PrintResult PrintReport(QPrinter& printer, const std::vector<std::string>& lines) {
  return PrintString(printer, lines, ReportFont(), false, kReportLayout);
}

PrintResult WriteReportPdf(const std::vector<std::string>& lines, const std::string& path) {
  // Written beside the target and renamed over it once it is whole.
  const fs::path target(path);
  fs::path partial = target;
  partial.replace_filename("." + target.filename().string() + ".silvarone-" +
                           std::to_string(platform::ProcessId()));
  PrintResult result;
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(partial.string()));
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::A4));
    // A file has no unprintable border: the report's margins count from the edge.
    printer.setFullPage(true);
    printer.setDocName(QString::fromStdString(target.stem().string()));
    result = PrintReport(printer, lines);
  }
  std::error_code error;
  if (result == PrintResult::kDone) {
    fs::rename(partial, target, error);
    if (!error) return result;
    result = PrintResult::kPrinterFailed;
  }
  fs::remove(partial, error);
  return result;
}

}  // namespace silvarone::gui
