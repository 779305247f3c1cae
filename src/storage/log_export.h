// The records of the inspection log as the exports write them: one list of
// columns for the CSV and the JSON export, and the CSV text itself, which
// the log window's export and `silvarone log export --csv` share, so that
// both write the same bytes for the same records.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "storage/part_log.h"

namespace silvarone {

// A record's value in one column: nothing (JSON null, an empty CSV field),
// a text, a whole number or a number.
using LogExportValue = std::variant<std::monostate, std::string, std::int64_t, double>;

struct LogExportColumn {
  const char* name;
  LogExportValue (*value)(const LogEntry&);
};

// The columns in the order of the export, from "id" to "voided_utc".
const std::vector<LogExportColumn>& LogExportColumns();

// The records as CSV after RFC 4180: one header row of the column names,
// CRLF after every row, ',' between fields, a field that holds ',', '"', CR
// or LF in double quotes with its quotes doubled, texts in UTF-8 as the log
// keeps them, numbers with a decimal point in their shortest form.
std::string LogCsv(const std::vector<LogEntry>& entries);

}  // namespace silvarone
