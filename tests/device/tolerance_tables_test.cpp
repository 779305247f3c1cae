// DIN 3967 and production tables: the file format, the lookup and the choice
// of source and series.
#include "device/tolerance_tables.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "file_fixture.h"
#include "row_name.h"

namespace silvarone {
namespace {

using testing::ShippedData;
using Tables = testing::TempFolder;

// What a refused read tells: the file and what the reader found there.
std::string Said(const Result<void>& read) {
  return read ? "" : read.problem().path + ": " + read.problem().detail;
}

// Loads the shipped tables into a gear with reference diameter d.
struct Loaded {
  Gear gear;
  ToleranceState state;
  explicit Loaded(double d) {
    gear.rec.d.value = d;
    const auto loaded = LoadToleranceTables(gear, state, ShippedData("dat"));
    EXPECT_TRUE(loaded) << Said(loaded);
  }
};

TEST(ToleranceTables, ShippedFilesLoadAndLookUp) {
  Loaded loaded(40.0);
  const ToleranceState& s = loaded.state;
  ASSERT_EQ(s.din.deviation.names.size(), 11u);
  ASSERT_EQ(s.din.tolerance.names.size(), 10u);
  EXPECT_EQ(s.din.deviation.names.front(), "a");
  EXPECT_EQ(s.din.tolerance.names.back(), "30");
  EXPECT_EQ(s.customer.deviation.names[6], "d*");
  EXPECT_EQ(s.customer.tolerance.names[4], "25*");
  EXPECT_EQ(s.din.deviation.rows.size(), 11u);
  EXPECT_EQ(s.customer.tolerance.rows.size(), 11u);

  // d = 40 mm, series d and 25 (DIN 3967, row 10..50): -44 and 30.
  ChangeToleranceSource(loaded.gear, loaded.state, kSourceDin);
  EXPECT_TRUE(loaded.state.Valid());
  EXPECT_EQ(loaded.gear.rec.A_sne.value, -44.0);
  EXPECT_EQ(loaded.gear.rec.T_sn.value, 30.0);
  EXPECT_EQ(loaded.gear.rec.A_sni.value, -74.0);
  EXPECT_EQ(loaded.gear.rec.A_sni.text, "-74");
  EXPECT_EQ(SeriesNameIndex(DeviationSeriesNames(loaded.state), loaded.state.activeDeviation), 6);
  EXPECT_EQ(SeriesNameIndex(ToleranceSeriesNames(loaded.state), loaded.state.activeTolerance), 4);
}

struct LookupCase {
  const char* name;
  double d;
  std::string deviation, tolerance;
  LookupStatus status;
  double A_sne, T_sn;
};

SILVARONE_PRINT_ROW_NAME(LookupCase)

class ToleranceLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(ToleranceLookup, LookupRows) {
  const LookupCase& c = GetParam();
  Loaded loaded(c.d);
  ChangeToleranceSource(loaded.gear, loaded.state, kSourceDin);
  GearRecords& r = loaded.gear.rec;
  // The previous values of the gear, in view when the lookup has none.
  r.A_sne.value = -7;
  r.A_sne.text = "-7";
  EXPECT_EQ(LookupDeviations(loaded.gear, loaded.state, c.deviation, c.tolerance, c.d), c.status)
      << c.d << " " << c.deviation << " " << c.tolerance;
  if (c.status == LookupStatus::kValid) {
    EXPECT_EQ(r.A_sne.value, c.A_sne) << c.d;
    EXPECT_EQ(r.T_sn.value, c.T_sn) << c.d;
    EXPECT_EQ(r.A_sni.value, c.A_sne - c.T_sn) << c.d;
    EXPECT_EQ(r.A_sne.status, kStatusValid);
  } else {
    EXPECT_FALSE(loaded.state.Valid());
    EXPECT_EQ(r.A_sne.value, -7.0);
    EXPECT_EQ(r.A_sne.text, "-7");
    for (const TGear* record : {&r.A_sne, &r.T_sn, &r.A_sni}) {
      EXPECT_EQ(record->status, kStatusNotANumber) << c.d;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    ToleranceTables, ToleranceLookup,
    ::testing::Values(
        // shared bound: the first row
        LookupCase{"d10_SharedBound", 10.0, "d", "25", LookupStatus::kValid, -33, 20},
        LookupCase{"d10p001", 10.001, "d", "25", LookupStatus::kValid, -44, 30},
        // internal gear: |d|
        LookupCase{"InternalGear_d40", -40.0, "d", "25", LookupStatus::kValid, -44, 30},
        LookupCase{"d0_a21", 0.0, "a", "21", LookupStatus::kValid, -100, 3},
        LookupCase{"d10000_h30", 10000.0, "h", "30", LookupStatus::kValid, 0, 2500},
        LookupCase{"d10000p5_NoRow", 10000.5, "d", "25", LookupStatus::kNoRow, 0, 0},
        LookupCase{"UnknownDeviationSeries", 40.0, "dd", "25", LookupStatus::kNoDeviationSeries, 0,
                   0},
        LookupCase{"UnknownToleranceSeries", 40.0, "d", "31", LookupStatus::kNoToleranceSeries, 0,
                   0},
        // names match exactly
        LookupCase{"SeriesNameWithABlank", 40.0, " d", "25", LookupStatus::kNoDeviationSeries, 0,
                   0}),
    testing::RowName);

TEST(ToleranceTables, SourceChangesKeepTheStoredSeries) {
  Loaded loaded(40.0);
  ToleranceState& s = loaded.state;
  Gear& gear = loaded.gear;
  s.deviationDin = "e";
  s.toleranceDin = "27";
  ChangeToleranceSource(gear, s, kSourceDin);
  EXPECT_EQ(gear.rec.A_sne.value, -30.0);  // e, 10..50
  EXPECT_EQ(gear.rec.T_sn.value, 80.0);    // 27, 10..50

  gear.rec.A_sne_manual.text = "-20";
  gear.rec.T_sn_manual.text = "15";
  ParseParameter(gear.rec.A_sne_manual, {.normalise = true});
  ParseParameter(gear.rec.T_sn_manual, {.normalise = true});
  ChangeToleranceSource(gear, s, kSourceManual);
  EXPECT_EQ(DeviationSeriesNames(s), std::vector<std::string>{" "});
  EXPECT_EQ(ToleranceSeriesNames(s), std::vector<std::string>{" "});
  EXPECT_EQ(gear.rec.A_sni.value, -35.0);
  EXPECT_EQ(gear.rec.A_sni.text, "-35");

  ChangeToleranceSource(gear, s, kSourceDin);
  EXPECT_EQ(s.activeDeviation, "e");
  EXPECT_EQ(s.activeTolerance, "27");
  EXPECT_EQ(DeviationSeriesNames(s).size(), 11u);
  EXPECT_EQ(SeriesNameIndex(DeviationSeriesNames(s), s.activeDeviation), 7);

  ChangeToleranceSource(gear, s, kSourceCustomer);
  EXPECT_EQ(s.activeDeviation, "d*");
  EXPECT_EQ(s.activeTolerance, "25*");
  // Customer example: DIN 3967 at 80 %: -44 * 0.8 = -35.2 -> -35, 30 * 0.8 = 24.
  EXPECT_EQ(gear.rec.A_sne.value, -35.0);
  EXPECT_EQ(gear.rec.T_sn.value, 24.0);
  // Back and forth: each source looks up in its own table again.
  for (int source : {kSourceDin, kSourceDin, kSourceCustomer, kSourceCustomer}) {
    ChangeToleranceSource(gear, s, source);
    EXPECT_EQ(gear.rec.A_sne.value, source == kSourceDin ? -30.0 : -35.0) << source;
    EXPECT_EQ(gear.rec.T_sn.value, source == kSourceDin ? 80.0 : 24.0) << source;
  }

  // Series change stores the name for the current source only.
  ChangeDeviationSeries(gear, s, "a*");
  EXPECT_EQ(s.deviationProd, "a*");
  EXPECT_EQ(s.deviationDin, "e");
  ChangeToleranceSeries(gear, s, "21*");
  EXPECT_EQ(s.toleranceProd, "21*");
  EXPECT_EQ(SeriesNameIndex({"a", "b"}, " b "), 1);
  EXPECT_EQ(SeriesNameIndex({"a", "b"}, "c"), 0);  // not listed: the first
}

TEST(ToleranceTables, ManualEntryWithoutValidNumbersIsMarked) {
  Loaded loaded(40.0);
  loaded.gear.rec.A_sne_manual.text = "abc";
  ParseParameter(loaded.gear.rec.A_sne_manual, {.normalise = true});
  ChangeToleranceSource(loaded.gear, loaded.state, kSourceManual);
  EXPECT_EQ(loaded.state.lookup, LookupStatus::kNoManualValue);
}

TEST(ToleranceTables, CustomerTableWithoutTheStoredNamesFallsBackToItsFirstColumns) {
  Loaded loaded(40.0);
  loaded.state.deviationProd = "d*";
  loaded.state.toleranceProd = "99*";  // not in the customer tolerance table
  ChangeToleranceSource(loaded.gear, loaded.state, kSourceCustomer);
  EXPECT_EQ(loaded.state.deviationProd, "a*");
  EXPECT_EQ(loaded.state.toleranceProd, "21*");
  EXPECT_EQ(SeriesNameIndex(DeviationSeriesNames(loaded.state), loaded.state.deviationProd), 0);
}

// A table file in the shipped layout with `rows` data rows and an optional
// replacement for one field.
std::string TableText(int columns, int rows, const std::string& header0 = "0",
                      const std::string& badField = "") {
  std::string text = "// test table\r\n" + header0 + " von bis";
  for (int c = 0; c < columns; ++c)
    text += " s" + std::to_string(c);
  text += "\r\n";
  for (int r = 1; r <= rows; ++r) {
    text += std::to_string(r) + ";" + std::to_string((r - 1) * 10) + ":" + std::to_string(r * 10);
    for (int c = 0; c < columns; ++c) {
      text += (r == 5 && c == 3 && !badField.empty()) ? " " + badField
                                                      : "  " + std::to_string(-r * 100 - c);
    }
    text += "\r\n";
  }
  return text;
}

TEST_F(Tables, FileFormat) {
  TablePair pair;
  const auto dev = Write("dev.dat", TableText(11, 11));
  const auto tol = Write("tol.dat", TableText(10, 11));
  const auto read = ReadTablePair(dev, tol, pair);
  ASSERT_TRUE(read) << Said(read);
  ASSERT_EQ(pair.deviation.rows.size(), 11u);
  EXPECT_EQ(pair.deviation.names[3], "s3");
  EXPECT_EQ(pair.deviation.rows[4].from, 40.0);  // "5;40:50" splits at ';' and ':'
  EXPECT_EQ(pair.deviation.rows[4].values[3], -503.0);
  EXPECT_EQ(pair.tolerance.rows[10].values[9], -1109.0);
}

struct BadFileCase {
  const char* name;
  std::string deviation;
  std::string errorPart;  // empty: no error
  bool namesTaken;
  bool rowsTaken;
};

SILVARONE_PRINT_ROW_NAME(BadFileCase)

std::vector<BadFileCase> BadFileCases() {
  const std::string hugeLine = "5 a b " + std::string(1 << 20, 'x');
  std::string manyLines;
  for (int i = 0; i < 10000; ++i)
    manyLines += "1 2 3 4 5 6 7 8 9 10 11 12 13 14\n";
  return {
      {"NotAnInteger", TableText(11, 11, "0", "-4x"), "dev.dat\", line 7: '-4x'", false, false},
      {"Overflow", TableText(11, 11, "0", "99999999999"), "'99999999999' is not a valid", false,
       false},
      {"Decimal", TableText(11, 11, "0", "1.5"), "'1.5'", false, false},
      {"TooFewNames", "0 von bis a b c\n", "3 series names, 11 expected", false, false},
      {"TenRows", TableText(11, 10), "", true, false},
      {"HeaderNot0", TableText(11, 11, "7"), "", false, true},
      {"Empty", "", "", false, false},
      {"Binary", std::string("\x00\x01\xFF\xFE\x80\x00\x0D", 7), "", false, false},
      {"HugeLine", hugeLine, "", false, false},
      {"TenThousandLines", manyLines, "", false, false},
  };
}

class BadTableFile : public Tables, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(BadTableFile, ChangesNothing) {
  const BadFileCase& c = GetParam();
  TablePair pair;
  pair.deviation.names = {"old"};
  pair.tolerance.names = {"old"};
  const auto dev = Write("dev.dat", c.deviation);
  const auto tol = Write("tol.dat", TableText(10, 11));
  const auto read = ReadTablePair(dev, tol, pair);
  const std::string error = Said(read);
  EXPECT_EQ(read.has_value(), c.errorPart.empty()) << c.name << ": " << error;
  if (!c.errorPart.empty()) {
    EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
  }
  EXPECT_EQ(pair.deviation.names.size() == 11, c.namesTaken) << c.name;
  EXPECT_EQ(pair.deviation.rows.size() == 11, c.rowsTaken) << c.name;
  // The tolerance table is taken only with a complete deviation table.
  EXPECT_EQ(pair.tolerance.rows.size() == 11, c.rowsTaken) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Tables, BadTableFile, ::testing::ValuesIn(BadFileCases()),
                         testing::RowName);

TEST_F(Tables, MissingFileStopsTheLoading) {
  Gear gear;
  ToleranceState state;
  Write("DeviationTable_DIN3967.dat", TableText(11, 11));
  const auto missing = LoadToleranceTables(gear, state, folder_.string());
  EXPECT_FALSE(missing);
  EXPECT_NE(Said(missing).find("ToleranceTable_DIN3967.dat"), std::string::npos) << Said(missing);
  EXPECT_TRUE(state.din.deviation.rows.empty());  // nothing half taken

  // Customer names left empty in the settings take the default files.
  Write("ToleranceTable_DIN3967.dat", TableText(10, 11));
  Write("DeviationTable_customer.dat", TableText(11, 11));
  Write("ToleranceTable_customer.dat", TableText(10, 11));
  state.customerDeviationFile.clear();
  const auto loaded = LoadToleranceTables(gear, state, folder_.string());
  EXPECT_TRUE(loaded) << Said(loaded);
  EXPECT_EQ(state.customerDeviationFile, "DeviationTable_customer.dat");
  EXPECT_EQ(state.customer.deviation.rows.size(), 11u);
}

}  // namespace
}  // namespace silvarone

namespace silvarone {
namespace {

TEST_F(Tables, CustomerFileNamesArePlainNamesInTheDataFolder) {
  std::filesystem::create_directory(folder_ / "dat");
  for (const char* name : {"DeviationTable_DIN3967.dat", "DeviationTable_customer.dat"})
    Write(std::string("dat/") + name, TableText(11, 11));
  for (const char* name : {"ToleranceTable_DIN3967.dat", "ToleranceTable_customer.dat"})
    Write(std::string("dat/") + name, TableText(10, 11));
  // A complete table outside the data folder, with other values.
  const std::string outside = Write("outside.dat", TableText(11, 11, "0", "-4"));
  std::filesystem::create_directory(folder_ / "dat" / "sub");
  Write("dat/sub/x.dat", TableText(11, 11));
  for (const std::string& name :
       {std::string("."), std::string(".."), outside, std::string("../outside.dat"),
        std::string("sub/x.dat"), std::string("/dev/zero")}) {
    Gear gear;
    ToleranceState state;
    state.customer.deviation.names = {"previous"};
    state.customerDeviationFile = name;
    const auto loaded = LoadToleranceTables(gear, state, Path("dat"));
    ASSERT_FALSE(loaded) << name;
    EXPECT_EQ(loaded.problem(), (Problem{.kind = ProblemKind::kNoTableFile, .path = name}));
    EXPECT_EQ(state.customer.deviation.names, std::vector<std::string>{"previous"}) << name;
  }
}

}  // namespace
}  // namespace silvarone
