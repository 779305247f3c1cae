#include "ui/batch_rows.h"

#include <algorithm>
#include <set>

#include "core/geometry.h"
#include "core/modes.h"
#include "device/page_sequence.h"
#include "ui/messages.h"
#include "ui/texts.h"

namespace silvarone {
namespace {

// The input columns that are records of the gear, by the record's name.
constexpr std::string_view kRecordColumns[] = {
    "m_n",      "z",         "alpha_n",   "beta",      "x",          "b_w",
    "Wk_given", "Wke_given", "Wki_given", "Mdk_given", "Mdke_given", "Mdki_given",
    "Xe_given", "Xee_given", "Xei_given", "k_given",   "DM_given"};

constexpr std::string_view kRequiredColumns[] = {"m_n", "z"};

// Columns that name the records they fill differently.
constexpr std::pair<std::string_view, std::string_view> kRenamedColumns[] = {
    {"range", "Messbereichswert"}};

// The results before the back-calculation's three, status and message.
constexpr std::size_t kBackCalculationColumn = 22;
constexpr std::size_t kValueColumns = 25;

const std::string* CellOf(const BatchCells& cells, std::string_view name) {
  for (const auto& [column, text] : cells) {
    if (column == name) return text.empty() ? nullptr : &text;
  }
  return nullptr;
}

std::optional<CalculationModeKind> ModeOf(const std::string& text) {
  if (text == "standard") return kModeStandard;
  if (text == "wk") return kModeGivenSpan;
  if (text == "mdk") return kModeGivenBallDimension;
  if (text == "xe") return kModeGivenProfileShift;
  return std::nullopt;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

const std::vector<std::string_view>& BatchInputColumns() {
  static const std::vector<std::string_view> columns = {"id",
                                                        "m_n",
                                                        "z",
                                                        "alpha_n",
                                                        "beta",
                                                        "x",
                                                        "b_w",
                                                        "A_sne",
                                                        "T_sn",
                                                        "deviation_source",
                                                        "deviation_series",
                                                        "tolerance_series",
                                                        "mode",
                                                        "Wk_given",
                                                        "Wke_given",
                                                        "Wki_given",
                                                        "Mdk_given",
                                                        "Mdke_given",
                                                        "Mdki_given",
                                                        "Xe_given",
                                                        "Xee_given",
                                                        "Xei_given",
                                                        "k_given",
                                                        "DM_given",
                                                        "D_M",
                                                        "k_M",
                                                        "range",
                                                        "Q_measured"};
  return columns;
}

const std::vector<std::string_view>& BatchResultColumns() {
  static const std::vector<std::string_view> columns = {"d",
                                                        "d_b",
                                                        "k_span",
                                                        "W_k",
                                                        "Wke",
                                                        "Wki",
                                                        "M_dk",
                                                        "MdKe",
                                                        "MdKi",
                                                        "xE",
                                                        "xEe",
                                                        "xEi",
                                                        "A_sne",
                                                        "T_sn",
                                                        "A_sni",
                                                        "D_M",
                                                        "k_M",
                                                        "Q",
                                                        "Q_plus_D_M",
                                                        "Q_plus_D_M_upper",
                                                        "Q_plus_D_M_lower",
                                                        "in_range",
                                                        "xE_working",
                                                        "Wk_real",
                                                        "Mdk_real",
                                                        "status",
                                                        "message"};
  return columns;
}

static_assert(kValueColumns + 2 == 27, "the result columns' values, status and message");

std::optional<std::string> RefusedColumn(const std::vector<std::string>& columns) {
  const std::vector<std::string_view>& known = BatchInputColumns();
  std::set<std::string> seen;
  for (const std::string& column : columns) {
    if (std::find(known.begin(), known.end(), column) == known.end()) return column;
    if (!seen.insert(column).second) return column;
  }
  return std::nullopt;
}

std::string StatusText(const BatchResult& result) {
  switch (result.status) {
    case BatchStatus::kComputed:
      return "ok";
    case BatchStatus::kRefused:
      return std::to_string(result.messageNumber);
    case BatchStatus::kMissingColumn:
      return "missing-column";
    case BatchStatus::kUnknownValue:
      return "unknown-value";
    case BatchStatus::kUnknownSeries:
      return "unknown-series";
    case BatchStatus::kBackCalculationFailed:
      return "back-calculation-failed";
    case BatchStatus::kMalformedRow:
      return "malformed-row";
  }
  return "";
}

BatchCalculator::BatchCalculator(const BatchConfiguration& configuration)
    : configuration_(configuration),
      gear_(configuration.gear),
      tolerance_(configuration.tolerance) {
  gear_.messages = nullptr;
  gear_.settingsChanged = nullptr;
}

BatchResult BatchCalculator::Refusal(BatchStatus status, int number,
                                     const std::string& message) const {
  BatchResult result;
  result.values.assign(kValueColumns, std::string());
  result.status = status;
  result.messageNumber = number;
  // The message box's line breaks become blanks: a row's message is one line.
  result.message.reserve(message.size());
  for (const char c : message) {
    const bool lineEnd = c == '\r' || c == '\n';
    if (!lineEnd) {
      result.message += c;
    } else if (result.message.empty() || result.message.back() != ' ') {
      result.message += ' ';
    }
  }
  return result;
}

BatchResult BatchCalculator::Malformed(const std::string& problem) const {
  return Refusal(BatchStatus::kMalformedRow, 0,
                 Text(TextId::kBatchMalformedRow, configuration_.language, {problem}));
}

BatchResult BatchCalculator::Calculate(const BatchCells& cells) {
  // Every row starts from the configuration, as a project loaded over any
  // earlier gear gives what a start with its data gives.
  gear_.rec = configuration_.gear.rec;
  gear_.state = configuration_.gear.state;
  const std::string* measured = CellOf(cells, "Q_measured");
  // Most of the 200 texts a calculation writes are never read; the
  // back-calculation keeps the window's way.
  std::optional<DeferredTexts> deferred;
  if (configuration_.deferTexts && measured == nullptr) deferred.emplace(gear_);
  if (auto refused = TakeCells(cells)) return *refused;
  if (auto refused = TakeTolerance(cells)) return *refused;
  if (auto refused = CheckInputs()) return *refused;
  const std::string* ball = CellOf(cells, "D_M");
  const std::string* teeth = CellOf(cells, "k_M");
  std::string ballInUse;
  const RangeDisplay range = CalculatePage(
      gear_, configuration_.instrument,
      {.ball =
           [ball, &ballInUse](const std::string& recommended) {
             ballInUse = ball ? *ball : recommended;
             return ballInUse;
           },
       .teeth = [teeth](const std::string& recommended) { return teeth ? *teeth : recommended; },
       .windowTexts = false});
  BatchResult result = Results(range, ballInUse);
  if (measured != nullptr) {
    const BackCalculationOutcome outcome = search_.Run(gear_, *measured);
    if (outcome != BackCalculationOutcome::kSucceeded) {
      result.status = BatchStatus::kBackCalculationFailed;
      result.message = Text(TextId::kBackCalculationFailed, configuration_.language);
    }
    result.values[kBackCalculationColumn] = search_.xEText;
    result.values[kBackCalculationColumn + 1] = search_.WkText;
    result.values[kBackCalculationColumn + 2] = search_.MdkText;
    search_.Discard();
  }
  return result;
}

std::optional<BatchResult> BatchCalculator::TakeCells(const BatchCells& cells) {
  const Language language = configuration_.language;
  for (const std::string_view name : kRequiredColumns) {
    if (CellOf(cells, name) == nullptr) {
      return Refusal(BatchStatus::kMissingColumn, 0,
                     Text(TextId::kBatchMissingColumn, language, {std::string(name)}));
    }
  }
  for (const std::string_view name : kRecordColumns) {
    if (const std::string* text = CellOf(cells, name)) FindRecord(gear_.rec, name)->text = *text;
  }
  // A given ball and tooth count are in use from the start, as a load takes
  // the typed ones, and are checked with the other inputs.
  if (const std::string* ball = CellOf(cells, "D_M")) gear_.rec.D_M.text = *ball;
  if (const std::string* teeth = CellOf(cells, "k_M")) gear_.rec.k_M.text = *teeth;
  for (const auto& [column, record] : kRenamedColumns) {
    if (const std::string* text = CellOf(cells, column))
      FindRecord(gear_.rec, record)->text = *text;
  }
  if (const std::string* mode = CellOf(cells, "mode")) {
    const std::optional<CalculationModeKind> kind = ModeOf(*mode);
    if (!kind) {
      return Refusal(BatchStatus::kUnknownValue, 0,
                     Text(TextId::kBatchUnknownValue, language, {"mode", *mode}));
    }
    gear_.state.CalculationMode = *kind;
  }
  return std::nullopt;
}

std::optional<BatchResult> BatchCalculator::TakeTolerance(const BatchCells& cells) {
  const Language language = configuration_.language;
  ToleranceState& t = tolerance_;
  const std::string* upper = CellOf(cells, "A_sne");
  const std::string* width = CellOf(cells, "T_sn");
  const std::string* source = CellOf(cells, "deviation_source");
  if (upper != nullptr || width != nullptr) {
    // Deviations typed by hand, in micrometres.
    if (upper == nullptr || width == nullptr) {
      return Refusal(BatchStatus::kMissingColumn, 0,
                     Text(TextId::kBatchMissingColumn, language, {upper ? "T_sn" : "A_sne"}));
    }
    gear_.rec.A_sne_manual.text = *upper;
    gear_.rec.T_sn_manual.text = *width;
    ParseParameter(gear_.rec.A_sne_manual, {.normalise = true});
    ParseParameter(gear_.rec.T_sn_manual, {.normalise = true});
    t.source = kSourceManual;
  } else if (source != nullptr) {
    if (*source != "DIN" && *source != "PROD") {
      return Refusal(BatchStatus::kUnknownValue, 0,
                     Text(TextId::kBatchUnknownValue, language, {"deviation_source", *source}));
    }
    t.source = *source == "DIN" ? kSourceDin : kSourceCustomer;
  } else {
    t.source = configuration_.tolerance.source;
  }
  const bool din = t.source == kSourceDin;
  const TablePair& tables = din ? t.din : t.customer;
  std::string& deviation = din ? t.deviationDin : t.deviationProd;
  std::string& tolerance = din ? t.toleranceDin : t.toleranceProd;
  deviation = din ? configuration_.tolerance.deviationDin : configuration_.tolerance.deviationProd;
  tolerance = din ? configuration_.tolerance.toleranceDin : configuration_.tolerance.toleranceProd;
  if (t.source == kSourceManual) return std::nullopt;
  const std::pair<const char*, std::string*> series[] = {{"deviation_series", &deviation},
                                                         {"tolerance_series", &tolerance}};
  const std::vector<std::string>* names[] = {&tables.deviation.names, &tables.tolerance.names};
  for (std::size_t i = 0; i < 2; ++i) {
    const std::string* given = CellOf(cells, series[i].first);
    if (given == nullptr) continue;
    if (!Contains(*names[i], *given)) {
      return Refusal(BatchStatus::kUnknownSeries, 0,
                     Text(TextId::kBatchUnknownSeries, language, {series[i].first, *given}));
    }
    *series[i].second = *given;
  }
  return std::nullopt;
}

std::optional<BatchResult> BatchCalculator::CheckInputs() {
  // The steps of a loaded project, then those of the turn to the
  // calculation page, with the same refusals.
  // The load converts every input before the gear type is known; only the
  // page's own check counts.
  ValidateInputs(gear_);
  DetermineHelicalGear(gear_);
  DetermineExternalGear(gear_);
  BasicGeometry(gear_, gear_.rec.x);
  ChangeToleranceSource(gear_, tolerance_, tolerance_.source);
  ReSignGivenValues(gear_);
  // A load computes the input mode of the settings; a row in another mode
  // keeps what that computed and the mode does not compute again (the span
  // tooth count of a given span or profile shift).
  const CalculationModeKind loaded = configuration_.gear.state.CalculationMode;
  if (gear_.state.CalculationMode != loaded) ModeCalculation(gear_, loaded);
  // The page's own lookup of the deviations would find what the load found:
  // nothing they depend on (the reference diameter, the series) changed since.
  int code = ValidateInputs(gear_);
  if (code == 0 && gear_.state.CalculationMode == kModeStandard && !tolerance_.Valid()) code = 13;
  if (code == 0) return std::nullopt;
  const Language language = configuration_.language;
  return Refusal(BatchStatus::kRefused, kMessageDataMissing,
                 NumberedMessageText(kMessageDataMissing, std::to_string(code),
                                     ConversionText(code, language), language));
}

BatchResult BatchCalculator::Results(const RangeDisplay& range, const std::string& ball) {
  const GearRecords& r = gear_.rec;
  const bool manual = tolerance_.source == kSourceManual;
  BatchResult result;
  std::vector<std::string>& v = result.values;
  v.reserve(BatchResultColumns().size() - 2);
  for (const TGear* record : {&r.d, &r.d_b, &r.k_span})
    v.push_back(ShownText(*record));
  for (const ComparisonRow& row : ComparisonTable(gear_)) {
    for (const TGear* record : row)
      v.push_back(ShownText(*record));
  }
  v.push_back(ShownText(manual ? r.A_sne_manual : r.A_sne));
  v.push_back(ShownText(manual ? r.T_sn_manual : r.T_sn));
  v.push_back(ShownText(r.A_sni));
  // The ball as it was chosen, as the window shows the ball in use.
  v.push_back(ball);
  for (const TGear* record :
       {&r.k_M, &r.Q, &r.Q_plus_D_M, &r.Q_plus_D_M_upper, &r.Q_plus_D_M_lower})
    v.push_back(ShownText(*record));
  v.push_back(!HasBall(gear_) ? "" : InMeasuringWindow(range) ? "true" : "false");
  v.resize(kValueColumns);
  return result;
}

}  // namespace silvarone
