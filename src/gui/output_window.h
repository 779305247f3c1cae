// The report window TOutputWindow: the calculation report of the moment
// (with the page of the gear's inspection log when it has records),
// read-only in a fixed-pitch font, printed, previewed or saved as PDF.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/log_report.h"
#include "ui/window_model.h"

class QPlainTextEdit;
class QPrinter;

namespace silvarone::gui {

class OutputWindow : public QDialog {
  Q_OBJECT

 public:
  explicit OutputWindow(WindowModel& model, QWidget* parent = nullptr);
  OutputWindow(const OutputWindow&) = delete;
  OutputWindow& operator=(const OutputWindow&) = delete;

  // Captions and report in the language of the moment, built anew; the
  // window does this every time it becomes active.
  void Rebuild();
  const std::vector<std::string>& lines() const { return lines_; }

  // "Drucken": the print dialog, then the report with its margins.
  void Print();
  // "Vorschau": the pages as they will be printed.
  void Preview();
  // "Als PDF speichern": a file dialog, then the same pages into the file.
  void SaveAsPdf();

  // Shows the print dialog on the printer; true when the user confirmed it.
  std::function<bool(QPrinter&)> choosePrinter;

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Printed(int result, const QPrinter& printer);
  // The log's run chart for the page after the text; null without records.
  const LogChart* Chart() const { return chart_ ? &*chart_ : nullptr; }

  WindowModel& model_;
  QPlainTextEdit* view_;
  std::vector<std::string> lines_;
  std::optional<LogChart> chart_;
};

}  // namespace silvarone::gui
