#include "gui/output_window.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/print_string.h"
#include "gui/widgets.h"
#include "gui/window_texts.h"
#include "report/report.h"
#include "ui/log_report.h"

namespace silvarone::gui {

OutputWindow::OutputWindow(WindowModel& model, QWidget* parent) : QDialog(parent), model_(model) {
  setObjectName("TOutputWindow");
  view_ = new QPlainTextEdit(this);
  view_->setObjectName("ReportView");
  view_->setReadOnly(true);
  view_->setLineWrapMode(QPlainTextEdit::NoWrap);
  view_->setFont(ReportFont());
  auto* buttons = new QHBoxLayout;
  const auto button = [&](const char* name, void (OutputWindow::*action)()) {
    auto* b = new QPushButton(this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, action);
    buttons->addWidget(b);
    return b;
  };
  button("PrintButton", &OutputWindow::Print);
  button("PreviewButton", &OutputWindow::Preview);
  button("PdfButton", &OutputWindow::SaveAsPdf);
  buttons->addStretch(1);
  button("CloseButton", &OutputWindow::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_, 1);
  layout->addLayout(buttons);

  choosePrinter = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    return dialog.exec() == QDialog::Accepted;
  };
  // A rule line of the report and a little more, and half a page of lines.
  const QFontMetrics metrics(view_->font());
  resize(metrics.horizontalAdvance(QString(100, 'x')) + 40, metrics.lineSpacing() * 50);
  Rebuild();
}

void OutputWindow::Rebuild() {
  ApplyTexts(this, OutputWindowTexts(model_.language()));
  ReportPages pages = BuildReportPages(model_);
  chart_ = std::move(pages.chart);
  if (pages.lines == lines_) return;  // the same report keeps its scroll position
  lines_ = std::move(pages.lines);
  QStringList text;
  for (const std::string& line : lines_) {
    // A new page of the print shows as a blank line.
    text << (line == kReportPageBreak ? QString() : ToQString(line));
  }
  view_->setPlainText(text.join('\n'));
}

void OutputWindow::showEvent(QShowEvent* event) {
  Rebuild();
  QDialog::showEvent(event);
}

void OutputWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Rebuild();
  QDialog::changeEvent(event);
}

void OutputWindow::Printed(int result, const QPrinter& printer) {
  switch (static_cast<PrintResult>(result)) {
    case PrintResult::kMarginsTooLarge:
      model_.ReportOutputFailed(OutputFailure::kMarginsTooLarge, "");
      break;
    case PrintResult::kPrinterFailed:
      // Printing into a file names the file.
      if (!printer.outputFileName().isEmpty()) {
        model_.ReportOutputFailed(OutputFailure::kFileNotWritten,
                                  ToStdString(printer.outputFileName()));
      } else {
        model_.ReportOutputFailed(OutputFailure::kPrinterFailed,
                                  ToStdString(printer.printerName()));
      }
      break;
    case PrintResult::kDone:
    case PrintResult::kStopped:
      break;
  }
}

void OutputWindow::Print() {
  Rebuild();
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(windowTitle());
  if (!choosePrinter || !choosePrinter(printer)) return;  // cancelled: nothing is printed
  const DrawingView drawing = model_.drawingView();
  Printed(static_cast<int>(PrintReport(printer, lines_, &drawing, Chart())), printer);
}

void OutputWindow::Preview() {
  Rebuild();
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(windowTitle());
  QPrintPreviewDialog dialog(&printer, this);
  dialog.setWindowTitle(windowTitle());
  PrintResult result = PrintResult::kDone;
  const DrawingView drawing = model_.drawingView();
  connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
          [&](QPrinter* target) { result = PrintReport(*target, lines_, &drawing, Chart()); });
  dialog.resize(size().width() + 200, size().height() + 100);
  dialog.exec();
  Printed(static_cast<int>(result), printer);
}

void OutputWindow::SaveAsPdf() {
  Rebuild();
  const std::optional<std::string> path = model_.ChooseReportPdf();
  if (!path) return;
  const DrawingView drawing = model_.drawingView();
  if (WriteReportPdf(lines_, *path, nullptr, &drawing, Chart()) != PrintResult::kDone) {
    model_.ReportOutputFailed(OutputFailure::kFileNotWritten, *path);
  }
}

}  // namespace silvarone::gui
