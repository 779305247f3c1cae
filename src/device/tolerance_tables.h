// Tooth thickness deviations and tolerances: the DIN 3967 tables, the
// customer's production tables and manual entry. A_sne (upper deviation) and
// T_sn (tolerance) come from the tables by series name and reference diameter;
// A_sni = A_sne - T_sn. All in micrometres.
#pragma once

#include <string>
#include <vector>

#include "core/gear.h"
#include "core/result.h"

namespace silvarone {

inline constexpr int kDeviationSeriesCount = 11;
inline constexpr int kToleranceSeriesCount = 10;
inline constexpr int kTableRowCount = 11;

inline constexpr const char* kDinDeviationFile = "DeviationTable_DIN3967.dat";
inline constexpr const char* kDinToleranceFile = "ToleranceTable_DIN3967.dat";
inline constexpr const char* kCustomerDeviationFile = "DeviationTable_customer.dat";
inline constexpr const char* kCustomerToleranceFile = "ToleranceTable_customer.dat";

// One table: series names in column order and rows of reference diameter
// ranges (inclusive) with one value per series. Rows are empty until a file
// with a complete table has been read.
struct SeriesTable {
  struct Row {
    double number = 0.0;
    double from = 0.0;
    double to = 0.0;
    std::vector<double> values;
  };
  std::vector<std::string> names;
  std::vector<Row> rows;
};

struct TablePair {
  SeriesTable deviation;  // A_sne
  SeriesTable tolerance;  // T_sn
};

// Reads a deviation and a tolerance file into `pair`. Either the files are
// taken as the format allows or, on an error, nothing changes and the
// problem names the file (and the line).
Result<void> ReadTablePair(const std::string& deviationPath, const std::string& tolerancePath,
                           TablePair& pair);

enum ToleranceSource : int { kSourceDin = 0, kSourceCustomer = 1, kSourceManual = 2 };

// Why the deviations in effect are not valid.
enum class LookupStatus {
  kValid,
  kNoRow,              // |d| lies outside every diameter range
  kNoDeviationSeries,  // the deviation series is not in the table
  kNoToleranceSeries,  // the tolerance series is not in the table, or its row differs
  kNoManualValue,      // manual entry without valid numbers
};

struct ToleranceState {
  TablePair din;
  TablePair customer;
  TablePair active;
  // The source (kSourceDin, kSourceCustomer) whose pair `active` holds an
  // unchanged copy of, -1 for none: choosing the source in use again (every
  // row of a batch) copies no table. Whoever writes din, customer or active
  // directly sets it to -1.
  int activeCopyOf = -1;

  int source = kSourceDin;
  std::string deviationDin = "d";
  std::string deviationProd = "d*";
  std::string toleranceDin = "25";
  std::string toleranceProd = "25*";
  std::string customerDeviationFile = kCustomerDeviationFile;
  std::string customerToleranceFile = kCustomerToleranceFile;
  // The series in effect (of the DIN or the production table).
  std::string activeDeviation;
  std::string activeTolerance;

  // Validity of A_sne, T_sn and A_sni in effect. When not valid the records
  // keep their previous values with status 1, and nothing may be computed
  // from them.
  LookupStatus lookup = LookupStatus::kNoRow;
  bool Valid() const { return lookup == LookupStatus::kValid; }
};

// A plain file name inside the data folder: no folder parts, no "." or "..",
// nothing absolute. Names from settings and projects must be such names.
bool IsPlainFileName(const std::string& name);

// Parses the manual entries, then loads the DIN pair and the customer pair
// (default names for empty settings) from `datFolder`. Stops at the first
// file that fails (a customer name that is no plain file name fails too);
// the pairs not yet read keep their contents.
Result<void> LoadToleranceTables(Gear& gear, ToleranceState& state, const std::string& datFolder);

// A_sne, T_sn and A_sni for the series names and reference diameter d from
// the active pair.
LookupStatus LookupDeviations(Gear& gear, ToleranceState& state, const std::string& deviation,
                              const std::string& tolerance, double d);

// The radio group of the sources: DIN 3967, production deviations, manual.
void ChangeToleranceSource(Gear& gear, ToleranceState& state, int item);
// A series chosen by name in one of the two lists; nothing while the
// deviations are typed by hand.
void ChangeDeviationSeries(Gear& gear, ToleranceState& state, const std::string& name);
void ChangeToleranceSeries(Gear& gear, ToleranceState& state, const std::string& name);

// The names the series lists offer: the active table's series, or one blank
// entry while the deviations are typed by hand.
std::vector<std::string> DeviationSeriesNames(const ToleranceState& state);
std::vector<std::string> ToleranceSeriesNames(const ToleranceState& state);
// Index of the series name in the list (blanks around it ignored), or 0 (the
// first entry) when the list lacks it.
int SeriesNameIndex(const std::vector<std::string>& names, const std::string& name);

}  // namespace silvarone
