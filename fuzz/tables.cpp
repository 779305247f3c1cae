// The tolerance table reader and the lookups. A pair of files is taken as
// the format allows, or refused with an error and nothing changed; taken
// tables have their 11 rows of the right width; a lookup either gives
// A_sni = A_sne - T_sn from the tables or marks the deviations invalid.
#include "device/tolerance_tables.h"
#include "fuzz_support.h"

namespace {

using namespace silvarone;

bool Same(const SeriesTable& a, const SeriesTable& b) {
  if (a.names != b.names || a.rows.size() != b.rows.size()) return false;
  for (std::size_t i = 0; i < a.rows.size(); ++i) {
    if (a.rows[i].from != b.rows[i].from || a.rows[i].to != b.rows[i].to ||
        a.rows[i].values != b.rows[i].values) {
      return false;
    }
  }
  return true;
}

void CheckShape(const SeriesTable& table, std::size_t columns, const SeriesTable& before) {
  FUZZ_CHECK(table.names == before.names || table.names.size() == columns);
  FUZZ_CHECK(table.rows.empty() || table.rows.size() == static_cast<std::size_t>(kTableRowCount));
  for (const auto& row : table.rows)
    FUZZ_CHECK(row.values.size() == columns);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input input(data, size);
  const std::uint8_t deviationPick = input.Byte();
  const std::uint8_t tolerancePick = input.Byte();
  const double d = static_cast<double>(static_cast<std::int8_t>(input.Byte())) * 3.7;
  const std::string customerName = input.Text();
  const std::string deviation = input.LongText();
  const std::string tolerance = input.Rest();

  TablePair pair;
  pair.deviation.names = {"before"};
  pair.tolerance.rows.resize(2);
  const TablePair before = pair;
  const auto taken = ReadTablePair(fuzz::WriteFile("dev.dat", deviation),
                                   fuzz::WriteFile("tol.dat", tolerance), pair);
  if (!taken) {
    FUZZ_CHECK(!taken.problem().path.empty());
    FUZZ_CHECK(Same(pair.deviation, before.deviation) && Same(pair.tolerance, before.tolerance));
    return 0;
  }
  CheckShape(pair.deviation, kDeviationSeriesCount, before.deviation);
  if (pair.tolerance.rows.size() != before.tolerance.rows.size()) {
    CheckShape(pair.tolerance, kToleranceSeriesCount, before.tolerance);
  }

  Gear gear;
  ToleranceState state;
  state.active = pair;
  const auto name = [](const SeriesTable& table, std::uint8_t pick) {
    return table.names.empty() ? std::string("x") : table.names[pick % table.names.size()];
  };
  const LookupStatus status = LookupDeviations(gear, state, name(pair.deviation, deviationPick),
                                               name(pair.tolerance, tolerancePick), d);
  const GearRecords& r = gear.rec;
  if (status == LookupStatus::kValid) {
    FUZZ_CHECK(r.A_sne.status == kStatusValid && r.T_sn.status == kStatusValid);
    FUZZ_CHECK(r.A_sni.value == r.A_sne.value - r.T_sn.value);
  } else {
    FUZZ_CHECK(r.A_sne.status != kStatusValid && !state.Valid());
  }

  // A customer file name from a settings file: a plain name in the data
  // folder, or refused with the customer tables as they were.
  state.customerDeviationFile = customerName;
  state.customer.deviation.names = {"customer"};
  const auto loaded = LoadToleranceTables(gear, state, SILVARONE_DATA_DIR "/dat");
  if (!IsPlainFileName(customerName) && !customerName.empty()) FUZZ_CHECK(!loaded);
  if (!loaded) {
    FUZZ_CHECK(loaded.problem().kind == ProblemKind::kNoTableFile ||
               loaded.problem().kind == ProblemKind::kTableFormat);
    FUZZ_CHECK(state.customer.deviation.names == std::vector<std::string>{"customer"});
  }
  return 0;
}
