// The rows of the batch: one gear per row of a parts list, computed as the
// window computes a project with that gear's data. A row's columns are given
// by name; the gear, the tolerance tables, the instrument and the decimals
// of a started window model serve for every column a row leaves out. Each
// thread keeps its own BatchCalculator (its own Gear); the configuration it
// was made from is shared and never changed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "device/back_calculation.h"
#include "device/instrument.h"
#include "device/tolerance_tables.h"
#include "storage/settings.h"

namespace silvarone {

// The names of the columns a row may give, and of the results it gets, in
// their order.
const std::vector<std::string_view>& BatchInputColumns();
const std::vector<std::string_view>& BatchResultColumns();

// The first column name of a header that is no input column, or a name
// given twice; nothing when the header is sound.
std::optional<std::string> RefusedColumn(const std::vector<std::string>& columns);

using BatchCells = std::vector<std::pair<std::string, std::string>>;

// What became of a row. kComputed and kBackCalculationFailed carry results;
// the others leave every result empty.
enum class BatchStatus {
  kComputed,
  kRefused,                // a value the window refuses: the numbered message
  kMissingColumn,          // a required column is missing or empty
  kUnknownValue,           // a mode or deviation source the batch does not know
  kUnknownSeries,          // a series the tolerance table does not have
  kBackCalculationFailed,  // the measured test dimension gave no profile shift
  kMalformedRow,           // the reader could not make a row of the input
};

struct BatchResult {
  std::vector<std::string> values;  // in the order of BatchResultColumns()
  BatchStatus status = BatchStatus::kComputed;
  int messageNumber = 0;  // with kRefused: the window's message number
  std::string message;    // in the language of the batch
};

// The status column's text: "ok", the message number, or the status's name.
std::string StatusText(const BatchResult& result);

// The configuration every row starts from: taken once from a started model.
struct BatchConfiguration {
  Gear gear;
  ToleranceState tolerance;
  InstrumentState instrument;
  Language language = kGerman;
  // Rows without a back-calculation write only the texts they put out (see
  // DeferredTexts); off, every text is written as the window writes it.
  bool deferTexts = true;
};

class BatchCalculator {
 public:
  explicit BatchCalculator(const BatchConfiguration& configuration);
  BatchCalculator(const BatchCalculator&) = delete;
  BatchCalculator& operator=(const BatchCalculator&) = delete;

  BatchResult Calculate(const BatchCells& cells);
  // A row the reader could not make; `problem` says why (in English).
  BatchResult Malformed(const std::string& problem) const;

 private:
  std::optional<BatchResult> TakeCells(const BatchCells& cells);
  std::optional<BatchResult> TakeTolerance(const BatchCells& cells);
  std::optional<BatchResult> CheckInputs();
  BatchResult Results(const RangeDisplay& range, const std::string& ball);
  BatchResult Refusal(BatchStatus status, int number, const std::string& message) const;

  const BatchConfiguration& configuration_;
  Gear gear_;
  ToleranceState tolerance_;
  BackCalculation search_;
};

}  // namespace silvarone
