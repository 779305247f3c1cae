#include "device/tolerance_tables.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "core/text.h"
#include "core/text_file.h"
#include "device/table_text.h"

namespace silvarone {
namespace {

// The content of one table file as the format defines it.
struct TableFile {
  int tableLines = 0;
  bool header = false;  // the first table line starts with "0"
  std::vector<std::string> names;
  std::vector<SeriesTable::Row> rows;  // only when there are exactly 12 table lines
};

std::string FileName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// What the table reader found wrong at a place of the file.
Problem FormatProblem(const std::string& path, std::string what) {
  return {.kind = ProblemKind::kTableFormat, .path = path, .detail = std::move(what)};
}

Result<void> ReadTableFile(const std::string& path, int columns, TableFile& file) {
  const auto lines = ReadTextLines(path);
  if (!lines) return Problem{.kind = ProblemKind::kNoTableFile, .path = path};
  std::vector<std::pair<int, std::vector<std::string>>> table;  // line number, fields
  for (std::size_t i = 0; i < lines->size(); ++i) {
    const std::string& line = (*lines)[i];
    if (line == " " || !IsDataLine(line)) continue;
    table.emplace_back(static_cast<int>(i + 1), SplitFields(line, ":; ", 20));
  }
  file.tableLines = static_cast<int>(table.size());
  if (table.empty()) return {};

  const auto& [headerLine, header] = table.front();
  file.header = !header.empty() && header.front() == "0";
  if (file.header) {
    if (header.size() < static_cast<std::size_t>(3 + columns)) {
      return FormatProblem(path, "\"" + FileName(path) + "\", line " + std::to_string(headerLine) +
                                     ": " +
                                     std::to_string(header.size() > 3 ? header.size() - 3 : 0) +
                                     " series names, " + std::to_string(columns) + " expected.");
    }
    file.names.assign(header.begin() + 3, header.begin() + 3 + columns);
  }
  if (file.tableLines != 1 + kTableRowCount) return {};

  for (std::size_t r = 1; r < table.size(); ++r) {
    const auto& [lineNumber, fields] = table[r];
    const std::string where = "\"" + FileName(path) + "\", line " + std::to_string(lineNumber);
    if (fields.size() < static_cast<std::size_t>(3 + columns)) {
      return FormatProblem(path, where + ": " + std::to_string(fields.size()) + " fields, " +
                                     std::to_string(3 + columns) + " expected.");
    }
    SeriesTable::Row row;
    for (int f = 0; f < 3 + columns; ++f) {
      const auto value = ParseInteger(fields[static_cast<std::size_t>(f)]);
      if (!value) {
        return FormatProblem(path, where + ": '" + fields[static_cast<std::size_t>(f)] +
                                       "' is not a valid integer value.");
      }
      if (f == 0) {
        row.number = *value;
      } else if (f == 1) {
        row.from = *value;
      } else if (f == 2) {
        row.to = *value;
      } else {
        row.values.push_back(*value);
      }
    }
    file.rows.push_back(std::move(row));
  }
  return {};
}

int ColumnOf(const SeriesTable& table, const std::string& name) {
  const auto it = std::find(table.names.begin(), table.names.end(), name);
  return it == table.names.end() ? -1 : static_cast<int>(it - table.names.begin());
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

void SetDeviation(TGear& record, double value) {
  record.value = value;
  record.status = kStatusValid;
  FormatParameter(record, 15, 0);
}

// Keeps the previous values in view but marks them as not usable.
LookupStatus Invalidate(Gear& gear, ToleranceState& state, LookupStatus why) {
  for (TGear* record : {&gear.rec.A_sne, &gear.rec.T_sn, &gear.rec.A_sni}) {
    record->status = kStatusNotANumber;
  }
  state.lookup = why;
  return why;
}

}  // namespace

Result<void> ReadTablePair(const std::string& deviationPath, const std::string& tolerancePath,
                           TablePair& pair) {
  TableFile deviation;
  TableFile tolerance;
  if (auto read = ReadTableFile(deviationPath, kDeviationSeriesCount, deviation); !read)
    return read;
  if (auto read = ReadTableFile(tolerancePath, kToleranceSeriesCount, tolerance); !read)
    return read;
  if (deviation.tableLines == 0 || tolerance.tableLines == 0) return {};
  if (deviation.header) pair.deviation.names = deviation.names;
  if (deviation.tableLines == 1 + kTableRowCount) {
    pair.deviation.rows = deviation.rows;
    if (tolerance.header) pair.tolerance.names = tolerance.names;
    if (tolerance.tableLines == 1 + kTableRowCount) pair.tolerance.rows = tolerance.rows;
  }
  return {};
}

bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("/\\:\0", 4)) == std::string::npos;
}

Result<void> LoadToleranceTables(Gear& gear, ToleranceState& state, const std::string& datFolder) {
  const auto inDat = [&](const std::string& name) {
    return (std::filesystem::path(datFolder) / name).string();
  };
  // Typed deviations do not depend on any table.
  ParseParameter(gear.rec.A_sne_manual, {.normalise = true});
  ParseParameter(gear.rec.T_sn_manual, {.normalise = true});
  state.activeCopyOf = -1;
  if (auto din = ReadTablePair(inDat(kDinDeviationFile), inDat(kDinToleranceFile), state.active);
      !din) {
    return din;
  }
  state.din = state.active;
  if (state.customerDeviationFile.empty()) state.customerDeviationFile = kCustomerDeviationFile;
  if (state.customerToleranceFile.empty()) state.customerToleranceFile = kCustomerToleranceFile;
  for (const std::string* name : {&state.customerDeviationFile, &state.customerToleranceFile}) {
    if (!IsPlainFileName(*name)) return Problem{.kind = ProblemKind::kNoTableFile, .path = *name};
  }
  if (auto customer = ReadTablePair(inDat(state.customerDeviationFile),
                                    inDat(state.customerToleranceFile), state.active);
      !customer) {
    return customer;
  }
  state.customer = state.active;
  return {};
}

LookupStatus LookupDeviations(Gear& gear, ToleranceState& state, const std::string& deviation,
                              const std::string& tolerance, double d) {
  const double D = std::fabs(d);
  const SeriesTable& devTable = state.active.deviation;
  const SeriesTable& tolTable = state.active.tolerance;
  const auto row =
      std::find_if(devTable.rows.begin(), devTable.rows.end(),
                   [&](const SeriesTable::Row& r) { return r.from <= D && D <= r.to; });
  if (row == devTable.rows.end()) return Invalidate(gear, state, LookupStatus::kNoRow);
  const int devColumn = ColumnOf(devTable, deviation);
  if (devColumn < 0 || static_cast<std::size_t>(devColumn) >= row->values.size()) {
    return Invalidate(gear, state, LookupStatus::kNoDeviationSeries);
  }
  const auto rowIndex = static_cast<std::size_t>(row - devTable.rows.begin());
  const int tolColumn = ColumnOf(tolTable, tolerance);
  if (rowIndex >= tolTable.rows.size() || tolColumn < 0 ||
      static_cast<std::size_t>(tolColumn) >= tolTable.rows[rowIndex].values.size() ||
      !(tolTable.rows[rowIndex].from <= D && D <= tolTable.rows[rowIndex].to)) {
    return Invalidate(gear, state, LookupStatus::kNoToleranceSeries);
  }
  const double upper = row->values[static_cast<std::size_t>(devColumn)];
  const double width = tolTable.rows[rowIndex].values[static_cast<std::size_t>(tolColumn)];
  SetDeviation(gear.rec.A_sne, upper);
  SetDeviation(gear.rec.T_sn, width);
  SetDeviation(gear.rec.A_sni, upper - width);
  state.lookup = LookupStatus::kValid;
  return state.lookup;
}

void ChangeToleranceSource(Gear& gear, ToleranceState& state, int item) {
  state.source = (item == kSourceCustomer || item == kSourceManual) ? item : kSourceDin;
  if (state.source == kSourceDin) {
    if (state.activeCopyOf != kSourceDin) state.active = state.din;
    state.activeCopyOf = kSourceDin;
    state.activeDeviation = state.deviationDin;
    state.activeTolerance = state.toleranceDin;
  } else if (state.source == kSourceCustomer) {
    if (state.activeCopyOf != kSourceCustomer) state.active = state.customer;
    state.activeCopyOf = kSourceCustomer;
    // Stored production series that this customer table lacks fall back to
    // its first columns.
    if (!Contains(state.customer.deviation.names, state.deviationProd) ||
        !Contains(state.customer.tolerance.names, state.toleranceProd)) {
      const auto& devNames = state.customer.deviation.names;
      const auto& tolNames = state.customer.tolerance.names;
      state.deviationProd = devNames.empty() ? "" : devNames.front();
      state.toleranceProd = tolNames.empty() ? "" : tolNames.front();
    }
    state.activeDeviation = state.deviationProd;
    state.activeTolerance = state.toleranceProd;
  }
  if (state.source == kSourceManual) {
    const TGear& upper = gear.rec.A_sne_manual;
    const TGear& width = gear.rec.T_sn_manual;
    if (upper.status != kStatusValid || width.status != kStatusValid) {
      Invalidate(gear, state, LookupStatus::kNoManualValue);
      return;
    }
    SetDeviation(gear.rec.A_sne, upper.value);
    SetDeviation(gear.rec.T_sn, width.value);
    SetDeviation(gear.rec.A_sni, upper.value - width.value);
    state.lookup = LookupStatus::kValid;
    return;
  }
  LookupDeviations(gear, state, state.activeDeviation, state.activeTolerance, gear.rec.d.value);
}

void ChangeDeviationSeries(Gear& gear, ToleranceState& state, const std::string& name) {
  if (state.source == kSourceManual) return;
  state.activeDeviation = name;
  (state.source == kSourceDin ? state.deviationDin : state.deviationProd) = name;
  LookupDeviations(gear, state, state.activeDeviation, state.activeTolerance, gear.rec.d.value);
}

void ChangeToleranceSeries(Gear& gear, ToleranceState& state, const std::string& name) {
  if (state.source == kSourceManual) return;
  state.activeTolerance = name;
  (state.source == kSourceDin ? state.toleranceDin : state.toleranceProd) = name;
  LookupDeviations(gear, state, state.activeDeviation, state.activeTolerance, gear.rec.d.value);
}

std::vector<std::string> DeviationSeriesNames(const ToleranceState& state) {
  if (state.source == kSourceManual) return {" "};
  return state.active.deviation.names;
}

std::vector<std::string> ToleranceSeriesNames(const ToleranceState& state) {
  if (state.source == kSourceManual) return {" "};
  return state.active.tolerance.names;
}

int SeriesNameIndex(const std::vector<std::string>& names, const std::string& name) {
  const auto it = std::find(names.begin(), names.end(), Trim(name, " "));
  return it == names.end() ? 0 : static_cast<int>(it - names.begin());
}

}  // namespace silvarone
