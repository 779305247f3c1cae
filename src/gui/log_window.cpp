#include "gui/log_window.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "gui/run_chart.h"
#include "gui/widgets.h"
#include "gui/window_texts.h"
#include "platform/locations.h"
#include "ui/log_report.h"
#include "ui/log_texts.h"
#include "ui/log_window.h"

namespace silvarone::gui {
namespace {

template <typename T>
T* Named(QWidget* parent, const char* name) {
  auto* widget = new T(parent);
  widget->setObjectName(name);
  return widget;
}

QPushButton* Button(QWidget* parent, const char* name) {
  auto* button = Named<QPushButton>(parent, name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

void LogTableModel::Reset(Language language) {
  beginResetModel();
  language_ = language;
  headings_ = LogTableHeadings(language);
  rows_.clear();
  endResetModel();
}

int LogTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0
                          : static_cast<int>(std::min<std::size_t>(page_.RecordCount(), INT_MAX));
}

int LogTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

const LogTableRow* LogTableModel::RowAt(int row) const {
  if (const auto made = rows_.find(row); made != rows_.end()) return &made->second;
  const LogEntry* entry = page_.RecordAt(static_cast<std::size_t>(row));
  if (entry == nullptr) return nullptr;
  // The rows of a few screens; scrolling far makes them anew.
  if (rows_.size() > 2000) rows_.clear();
  return &rows_.emplace(row, LogTableRowOf(*entry, language_)).first->second;
}

QVariant LogTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const LogTableRow* row = RowAt(index.row());
  const auto column = static_cast<std::size_t>(index.column());
  if (row == nullptr || column >= row->cells.size()) return {};
  switch (role) {
    case Qt::DisplayRole:
      return ToQString(row->cells[column]);
    case Qt::UserRole:
      return QVariant::fromValue<qlonglong>(row->id);
    case Qt::FontRole:
      if (row->isVoid) {
        // A void record stays in the table, struck through and grey.
        QFont font;
        font.setStrikeOut(column + 1 != row->cells.size());
        font.setItalic(true);
        return font;
      }
      return {};
    case Qt::ForegroundRole:
      return row->isVoid ? QVariant(QColor(Qt::gray)) : QVariant();
    default:
      return {};
  }
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      static_cast<std::size_t>(section) >= headings_.size()) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  return ToQString(headings_[static_cast<std::size_t>(section)]);
}

LogWindow::LogWindow(WindowModel& model, std::string path, QWidget* parent)
    : QDialog(parent), model_(model), page_(model, std::move(path), [] {
        return LogContext{LogMomentNow(), platform::LoginName()};
      }) {
  setObjectName("TLogWindow");
  setModal(false);
  auto* top = new QHBoxLayout;
  top->addWidget(BuildEntry(), 1);
  top->addWidget(BuildFilter(), 1);
  table_ = Named<QTableView>(this, "LogTable");
  tableModel_ = new LogTableModel(page_, table_);
  table_->setModel(tableModel_);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->verticalHeader()->setVisible(false);
  table_->horizontalHeader()->setStretchLastSection(true);
  // Column widths from the first rows, not from a thousand of a large log.
  table_->horizontalHeader()->setResizeContentsPrecision(100);
  chart_ = NewRunChart();
  chart_->setObjectName("RunChart");
  auto* chartView = new QChartView(chart_, this);
  chartView->setObjectName("RunChartView");
  chartView->setRenderHint(QPainter::Antialiasing);
  chartView->setMinimumHeight(260);
  figures_ = Named<QLabel>(this, "FiguresLabel");
  figures_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* exportCsv = Button(this, "ExportButton");
  connect(exportCsv, &QPushButton::clicked, this, &LogWindow::ExportCsv);
  auto* close = Button(this, "CloseButton");
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(figures_, 1);
  bottom->addWidget(exportCsv);
  bottom->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(verdict_);
  layout->addWidget(table_, 1);
  layout->addWidget(BuildVoid());
  layout->addWidget(chartView, 1);
  layout->addLayout(bottom);
  resize(1100, 860);
  Refresh();
}

QWidget* LogWindow::BuildEntry() {
  auto* group = Named<QGroupBox>(this, "EntryGroup");
  serial_ = Named<QLineEdit>(group, "SerialEdit");
  measured_ = Named<QLineEdit>(group, "MeasuredEdit");
  dimension_ = Named<QComboBox>(group, "DimensionBox");
  verdict_ = Named<QLabel>(this, "VerdictLabel");
  verdict_->setWordWrap(true);
  auto* record = Button(group, "RecordButton");
  auto* grid = new QGridLayout(group);
  grid->addWidget(Named<QLabel>(group, "SerialLabel"), 0, 0);
  grid->addWidget(serial_, 0, 1);
  grid->addWidget(Named<QLabel>(group, "DimensionLabel"), 1, 0);
  grid->addWidget(dimension_, 1, 1);
  grid->addWidget(Named<QLabel>(group, "MeasuredLabel"), 2, 0);
  grid->addWidget(measured_, 2, 1);
  grid->addWidget(record, 2, 2);
  grid->setColumnStretch(1, 1);
  connect(measured_, &QLineEdit::returnPressed, this, &LogWindow::RecordPart);
  connect(record, &QPushButton::clicked, this, &LogWindow::RecordPart);
  return group;
}

QWidget* LogWindow::BuildFilter() {
  auto* group = Named<QGroupBox>(this, "FilterGroup");
  from_ = Named<QLineEdit>(group, "FromEdit");
  to_ = Named<QLineEdit>(group, "ToEdit");
  serialPart_ = Named<QLineEdit>(group, "SerialPartEdit");
  auto* apply = Button(group, "FilterButton");
  auto* grid = new QGridLayout(group);
  grid->addWidget(Named<QLabel>(group, "FromLabel"), 0, 0);
  grid->addWidget(from_, 0, 1);
  grid->addWidget(Named<QLabel>(group, "ToLabel"), 1, 0);
  grid->addWidget(to_, 1, 1);
  grid->addWidget(Named<QLabel>(group, "SerialPartLabel"), 2, 0);
  grid->addWidget(serialPart_, 2, 1);
  grid->addWidget(apply, 2, 2);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(3, 1);
  for (QLineEdit* edit : {from_, to_, serialPart_})
    connect(edit, &QLineEdit::returnPressed, this, &LogWindow::ApplyFilter);
  connect(apply, &QPushButton::clicked, this, &LogWindow::ApplyFilter);
  return group;
}

QWidget* LogWindow::BuildVoid() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  reason_ = Named<QLineEdit>(row, "VoidReasonEdit");
  auto* button = Button(row, "VoidButton");
  layout->addWidget(Named<QLabel>(row, "VoidReasonLabel"));
  layout->addWidget(reason_, 1);
  layout->addWidget(button);
  connect(reason_, &QLineEdit::returnPressed, this, &LogWindow::VoidSelected);
  connect(button, &QPushButton::clicked, this, &LogWindow::VoidSelected);
  return row;
}

void LogWindow::Refresh() {
  const Language language = model_.language();
  // Every action of the main window repaints; the texts change only with
  // the language, the records only with the gear.
  if (!shownGear_ || shownLanguage_ != language) {
    ApplyTexts(this, LogWindowTexts(language));
    const int chosen = std::max(dimension_->currentIndex(), 0);
    dimension_->clear();
    for (const std::string& choice : LogDimensionChoices(language))
      dimension_->addItem(ToQString(choice));
    dimension_->setCurrentIndex(chosen);
  }
  const LogGear gear = LogGearOf(model_);
  if (shownGear_ && *shownGear_ == gear && shownLanguage_ == language) return;
  shownGear_ = gear;
  shownLanguage_ = language;
  page_.Refresh();
  ShowRecords();
}

void LogWindow::RecordPart() {
  const bool done = page_.Record({ToStdString(measured_->text()),
                                  LogDimensionOfChoice(dimension_->currentIndex()),
                                  ToStdString(serial_->text())});
  if (done) {
    measured_->clear();
    verdict_->setText(ToQString(LogRecordedLine(*page_.lastRecorded(), model_.language())));
    ShowRecords();
  } else {
    Tell(false);
  }
}

void LogWindow::ApplyFilter() {
  const bool done = page_.SetFilter(
      {ToStdString(from_->text()), ToStdString(to_->text()), ToStdString(serialPart_->text())});
  Tell(done);
  if (done) ShowRecords();
}

void LogWindow::VoidSelected() {
  const QModelIndex current = table_->currentIndex();
  if (!current.isValid()) return;
  const QVariant id = tableModel_->data(tableModel_->index(current.row(), 0), Qt::UserRole);
  if (!id.isValid()) return;
  const bool done = page_.Void(id.toLongLong(), ToStdString(reason_->text()));
  Tell(done);
  if (done) {
    reason_->clear();
    ShowRecords();
  }
}

void LogWindow::Tell(bool done) {
  verdict_->setText(done ? QString() : ToQString(page_.problem()));
}

void LogWindow::ShowRecords() {
  ShowTable();
  ShowChart();
  figures_->setText(ToQString(LogFiguresText(page_.statistics(), model_.language())));
}

void LogWindow::ShowTable() {
  tableModel_->Reset(model_.language());
  table_->resizeColumnsToContents();
}

void LogWindow::ShowChart() {
  ShowRunChart(*chart_, page_.series(), page_.outside(), model_.language());
}

void LogWindow::ExportCsv() {
  // The records as the table shows them, with the filter of the moment.
  ExportLogCsv(model_, page_.ShownRecords());
}

}  // namespace silvarone::gui
