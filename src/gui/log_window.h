// The window TLogWindow, the inspection log of the current gear: the part
// entry, the filtered table of records (newest first) with the voiding of a
// record, the run chart of the measured values against the limits and the
// figures under it. A thin view over the log page of the window model.
#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <optional>
#include <unordered_map>

#include "ui/log_page.h"
#include "ui/log_window.h"
#include "ui/window_model.h"

class QChart;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace silvarone::gui {

// The records of the log page as the table shows them: a row's texts are
// made when the view asks for them, so that a gear of a hundred thousand
// records opens with the rows on the screen only.
class LogTableModel : public QAbstractTableModel {
 public:
  explicit LogTableModel(LogPage& page, QObject* parent = nullptr)
      : QAbstractTableModel(parent), page_(page) {}
  // The page's records anew, with the headings in `language`.
  void Reset(Language language);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  const LogTableRow* RowAt(int row) const;

  LogPage& page_;
  Language language_ = kGerman;
  std::vector<std::string> headings_;
  mutable std::unordered_map<int, LogTableRow> rows_;  // the rows made so far
};

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
  QTableView* table() const { return table_; }

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
  QTableView* table_ = nullptr;
  LogTableModel* tableModel_ = nullptr;
  QChart* chart_ = nullptr;
  QLabel* figures_ = nullptr;
  std::optional<LogGear> shownGear_;
  Language shownLanguage_ = kGerman;
};

}  // namespace silvarone::gui
