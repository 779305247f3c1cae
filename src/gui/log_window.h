// The window TLogWindow, the inspection log of the current gear: the part
// entry, the filtered table of records (newest first) with the voiding of a
// record, the run chart of the measured values against the limits and the
// figures under it. A thin view over the log page of the window model.
#pragma once

#include <QDialog>
#include <optional>

#include "ui/log_page.h"
#include "ui/window_model.h"

class QChart;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace silvarone::gui {

class LogWindow : public QDialog {
  Q_OBJECT

 public:
  // `path`: the log's database file.
  LogWindow(WindowModel& model, std::string path, QWidget* parent = nullptr);
  LogWindow(const LogWindow&) = delete;
  LogWindow& operator=(const LogWindow&) = delete;

  // Captions in the language of the moment; the records again when the gear
  // or the language changed since the last time.
  void Refresh();
  const LogPage& page() const { return page_; }
  QChart* chart() const { return chart_; }
  QTableWidget* table() const { return table_; }

  // Enter in the part entry.
  void RecordPart();
  void ApplyFilter();
  // "Ungültig machen": the selected record, with the reason typed beside.
  void VoidSelected();
  // "CSV exportieren…": the records the table shows into a file the user chooses.
  void ExportCsv();

 private:
  QWidget* BuildEntry();
  QWidget* BuildFilter();
  QWidget* BuildVoid();
  void ShowRecords();
  void ShowTable();
  void ShowChart();
  void Tell(bool done);

  WindowModel& model_;
  LogPage page_;
  QLineEdit* serial_ = nullptr;
  QLineEdit* measured_ = nullptr;
  QComboBox* dimension_ = nullptr;
  QLabel* verdict_ = nullptr;
  QLineEdit* from_ = nullptr;
  QLineEdit* to_ = nullptr;
  QLineEdit* serialPart_ = nullptr;
  QLineEdit* reason_ = nullptr;
  QTableWidget* table_ = nullptr;
  QChart* chart_ = nullptr;
  QLabel* figures_ = nullptr;
  std::optional<LogGear> shownGear_;
  Language shownLanguage_ = kGerman;
};

}  // namespace silvarone::gui
