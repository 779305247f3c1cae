// The result fields of the calculation page belong together column by
// column: the nominal, upper and lower column of the comparison table and the
// nominal, upper and lower test dimension are one gear state each, the one of
// the xE in that column. A field showing another field's record (the upper
// test dimension in the lower one's place, say) breaks that.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "core/check_dimension.h"
#include "core/modes.h"
#include "core/text.h"
#include "core/text_file.h"
#include "project_load_cases.h"
#include "ui/model_fixture.h"

namespace silvarone {
namespace {

double Value(const std::string& text) {
  return std::stod(std::string(Trim(text)));
}

struct ModeCase {
  std::size_t gear;
  CalculationModeKind mode;
};

std::string ModeCaseName(const ::testing::TestParamInfo<ModeCase>& info) {
  static constexpr const char* kModes[] = {"Standard", "WkGiven", "MdkGiven", "XeGiven"};
  return std::string(testing::ConfiguredGears()[info.param.gear].name) + "_" +
         kModes[info.param.mode];
}

std::vector<ModeCase> EveryGearAndMode() {
  std::vector<ModeCase> cases;
  for (std::size_t gear = 0; gear < testing::ConfiguredGears().size(); ++gear) {
    for (int mode = kModeStandard; mode <= kModeGivenProfileShift; ++mode) {
      cases.push_back({gear, static_cast<CalculationModeKind>(mode)});
    }
  }
  return cases;
}

class ResultFields : public Window, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ResultFields, EachColumnIsTheGearOfItsProfileShift) {
  Start(Utf8ToCp1252(testing::ConfiguredGears()[GetParam().gear].configuration));
  // Six decimals, so that a column's xE text stands for its gear to 1e-6.
  model.SetDecimalPlaces(1, 6);
  model.SelectInputMode(GetParam().mode);
  model.ChangePage(Page::kCalculation);
  ASSERT_EQ(model.page(), Page::kCalculation);
  model.RunCheckDimension();

  const double k = Value(Text("Edit104"));  // the given tooth count of the Wk row
  const double D = Value(Text("Edit204"));  // the given ball of the MdK row
  const char* testDimension[] = {"Q_plus_D_M", "Edit2", "Edit3"};
  // Wk and MdK of the gear cut with each column's xE.
  double exactWk[3], exactMdk[3];
  for (int j = 0; j < 3; ++j) {
    const double xE = Value(Text("Edit30" + std::to_string(j)));
    Gear probe = model.gear();
    TGear Wk, Wke, Wki, Mdk, Mdke, Mdki;
    SpanFromXe(probe, Wk, Wke, Wki, {}, xE, k);
    BallDimensionFromXe(probe, Mdk, Mdke, Mdki, {}, D, xE);
    exactWk[j] = Wk.value;
    exactMdk[j] = Mdk.value;
    // The test dimensions are computed for the column's xE itself.
    TGear shift;
    shift.value = xE;
    const double q = CheckDimensionFor(probe, BallFormOf(probe), shift);
    EXPECT_NEAR(Value(Text(testDimension[j])), TestDimension(probe, q), 1e-5) << testDimension[j];
  }
  // The nominal column is that gear; the limits are first-order (deviation
  // factor) values, a few micrometres off the exact gear but nearer to their
  // own column's gear than to any other column's.
  EXPECT_NEAR(Value(Text("Edit100")), exactWk[0], 1e-5);
  EXPECT_NEAR(Value(Text("Edit200")), exactMdk[0], 1e-5);
  for (const auto& [row, exact] : {std::pair{"Edit10", exactWk}, std::pair{"Edit20", exactMdk}}) {
    for (int j = 0; j < 3; ++j) {
      const double shown = Value(Text(row + std::to_string(j)));
      for (int other = 0; other < 3; ++other) {
        if (other == j) continue;
        EXPECT_LT(std::fabs(shown - exact[j]), std::fabs(shown - exact[other]))
            << row << j << " is nearer to column " << other;
      }
    }
  }
  // Q itself is the check dimension of the drawing's profile shift.
  Gear probe = model.gear();
  EXPECT_NEAR(Value(Text("Kontrollmass")), CheckDimensionFor(probe, BallFormOf(probe), probe.rec.x),
              1e-6);
}

INSTANTIATE_TEST_SUITE_P(EveryGearAndMode, ResultFields, ::testing::ValuesIn(EveryGearAndMode()),
                         ModeCaseName);

}  // namespace
}  // namespace silvarone
