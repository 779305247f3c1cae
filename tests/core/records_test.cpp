// The record set, its name table, the gear-type limits and the validation pass.
#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "core/gear.h"
#include "row_name.h"

namespace silvarone {
namespace {

TEST(Records, InitialValuesAndLimits) {
  Gear gear;
  const GearRecords& r = gear.rec;
  EXPECT_EQ(r.x.value, -3.0);  // the minimum, not the "not set" marker
  EXPECT_EQ(r.x.minimum, -3.0);
  EXPECT_EQ(r.m_n.value, kNotSet);
  EXPECT_EQ(r.m_n.status, kStatusNeverParsed);
  EXPECT_EQ(r.Wk_given.value, kGivenDimensionUnset);
  EXPECT_EQ(r.Mdki_given.value, kGivenDimensionUnset);
  EXPECT_EQ(r.smallStepSize.value, -1.0);
  EXPECT_EQ(r.bigStepSize.minimum, -10.0);
  EXPECT_EQ(r.b_w.minimum, 5.0);
  EXPECT_EQ(r.b_w.maximum, 3000.0);
  EXPECT_EQ(r.M_dk.value, 0.0);  // results without a row start at zero
  EXPECT_TRUE(r.m_n.text.empty());
}

TEST(Records, NameTableReachesEveryMemberOnce) {
  Gear gear;
  std::set<std::string_view> names;
  std::set<const TGear*> members;
  for (const RecordInfo& info : RecordTable()) {
    EXPECT_TRUE(names.insert(info.name).second) << info.name;
    EXPECT_TRUE(members.insert(&(gear.rec.*info.member)).second) << info.name;
    EXPECT_EQ(FindRecord(gear.rec, info.name), &(gear.rec.*info.member));
  }
  EXPECT_EQ(members.size() * sizeof(TGear), sizeof(GearRecords));
  for (const char* name : {"m_n", "d_b", "W_k", "Wk_mode", "xEe", "D_M_recommended", "Q", "Mdki_xE",
                           "A_upper_mode", "_e_Nan", "Messbereichswert"}) {
    EXPECT_NE(FindRecord(gear.rec, name), nullptr) << name;
  }
  EXPECT_EQ(FindRecord(gear.rec, "m_N"), nullptr);
  EXPECT_EQ(FindRecord(gear.rec, ""), nullptr);
}

struct LimitsCase {
  const char* name;
  std::string z;
  int external;
  double dimMin, dimMax, countMin, countMax;
};

SILVARONE_PRINT_ROW_NAME(LimitsCase)

class GearTypeLimits : public ::testing::TestWithParam<LimitsCase> {};

TEST_P(GearTypeLimits, FollowTheToothCount) {
  const LimitsCase& c = GetParam();
  Gear gear;
  gear.rec.z.text = c.z;
  SetGearTypeLimits(gear);
  EXPECT_EQ(gear.state.ExternalGear, c.external) << c.z;
  for (const TGear* rec : {&gear.rec.Wk_given, &gear.rec.Wke_given, &gear.rec.Wki_given,
                           &gear.rec.Mdk_given, &gear.rec.Mdke_given, &gear.rec.Mdki_given}) {
    EXPECT_EQ(rec->minimum, c.dimMin) << c.z;
    EXPECT_EQ(rec->maximum, c.dimMax) << c.z;
  }
  for (const TGear* rec : {&gear.rec.k_given, &gear.rec.k_M_manual}) {
    EXPECT_EQ(rec->minimum, c.countMin) << c.z;
    EXPECT_EQ(rec->maximum, c.countMax) << c.z;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Records, GearTypeLimits,
    ::testing::Values(LimitsCase{"External_z20", "20", 1, -0.000001, 1000000, -0.000001, 2000},
                      LimitsCase{"Internal_z20", "-20", 0, -1000000, 0.000001, -2000, 0.000001},
                      LimitsCase{"NoToothCount", "", 0, -1000000, 0.000001, -2000, 0.000001},
                      // zero teeth is no valid count
                      LimitsCase{"ZeroTeeth", "0", 0, -1000000, 0.000001, -2000, 0.000001}),
    testing::RowName);

// A complete, valid external spur gear as the settings file would store it.
void FillValidGear(Gear& gear) {
  GearRecords& r = gear.rec;
  r.m_n.text = "2";
  r.z.text = "20";
  r.alpha_n.text = "20";
  r.beta.text = "0";
  r.x.text = "0";
  r.b_w.text = "20";
  r.k_M.text = "3";
  r.D_M.text = "3.5";
  r.Messbereichswert.text = "200,000";
  r.D_distance.text = "45,000";
  r.k_given.text = "3";
  r.DM_given.text = "3.5";
}

struct ValidateCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> texts;  // record name -> text
  int code;
};

SILVARONE_PRINT_ROW_NAME(ValidateCase)

std::vector<ValidateCase> ValidateCases() {
  return {
      {"ValidGear", {}, 0},
      {"ModuleNotANumber", {{"m_n", "abc"}}, 1},
      {"ModuleZero", {{"m_n", "0"}}, 1},
      {"ZeroTeeth", {{"z", "0"}, {"k_given", "0"}}, 2},
      {"PressureAngleAbove45", {{"alpha_n", "45.5"}}, 3},
      {"FaceWidthBelow5", {{"b_w", "1"}}, 12},
      {"LaterFailureWins", {{"m_n", "abc"}, {"b_w", "1"}}, 12},
      {"NotEnteredIsSkipped", {{"m_n", "-"}, {"b_w", ""}}, 0},
      {"InternalGear_PositiveWk", {{"z", "-34"}, {"k_given", "-10"}, {"Wk_given", "45.2"}}, 16},
      {"InternalGear_NegativeWk", {{"z", "-34"}, {"k_given", "-10"}, {"Wk_given", "-45.2"}}, 0},
      {"ExternalGear_NegativeMdK", {{"Mdki_given", "-50"}}, 21},
      {"InternalGear_DefaultK", {{"z", "-34"}, {"k_given", ""}, {"k_M", ""}}, 25},
      {"StepSizeAbove1", {{"smallStepSize", "1.5"}}, 29},
      {"RangeNotANumber", {{"Messbereichswert", "2x"}}, 9},
  };
}

class Validation : public ::testing::TestWithParam<ValidateCase> {};

TEST_P(Validation, ReturnsTheCodeOfTheLastFailingRecord) {
  const ValidateCase& c = GetParam();
  Gear gear;
  FillValidGear(gear);
  for (const auto& [name, text] : c.texts)
    FindRecord(gear.rec, name)->text = text;
  EXPECT_EQ(ValidateInputs(gear), c.code) << c.name;
}

INSTANTIATE_TEST_SUITE_P(ValidateInputs, Validation, ::testing::ValuesIn(ValidateCases()),
                         testing::RowName);

TEST(ValidateInputs, AllTextsEmpty) {
  // Without a tooth count the gear counts as internal, and the default
  // tooth count "10" of the given span measurement fails its limits.
  Gear gear;
  EXPECT_EQ(ValidateInputs(gear), 25);
  EXPECT_EQ(gear.rec.k_given.text, "10");
  EXPECT_EQ(gear.rec.DM_given.text, "10");
  EXPECT_EQ(gear.rec.DM_given.value, 10.0);
  EXPECT_EQ(gear.rec.m_n.value, kNotSet);
  EXPECT_EQ(gear.rec.m_n.status, kStatusNeverParsed);
  EXPECT_EQ(gear.rec.x.value, -3.0);
}

TEST(ValidateInputs, SpecialSteps) {
  Gear gear;
  FillValidGear(gear);
  gear.rec.Messbereichswert.text = "200";
  gear.rec.k_given.text = "";
  gear.rec.k_M.text = "5";
  gear.rec.DM_given.text = "-";
  gear.rec.m_n.text = "2,5";
  EXPECT_EQ(ValidateInputs(gear), 0);
  EXPECT_EQ(gear.state.rangeStart, 175.0);
  EXPECT_EQ(gear.state.rangeEnd, 200.0);
  EXPECT_EQ(gear.rec.k_given.text, "5");
  EXPECT_EQ(gear.rec.DM_given.text, "3.5");  // the ball in use
  EXPECT_EQ(gear.rec.m_n.text, "2.5");       // normalised

  gear.rec.k_given.text = "";
  gear.rec.k_M.text = "";
  EXPECT_EQ(ValidateInputs(gear), 0);
  EXPECT_EQ(gear.rec.k_given.text, "10");
}

TEST(ValidateInputs, FailedRecordKeepsItsConvertedValue) {
  Gear gear;
  FillValidGear(gear);
  gear.rec.alpha_n.text = "50";
  EXPECT_EQ(ValidateInputs(gear), 3);
  EXPECT_EQ(gear.rec.alpha_n.value, 50.0);
  EXPECT_EQ(gear.rec.alpha_n.status, kStatusAboveMaximum);
  EXPECT_EQ(gear.rec.m_n.status, kStatusValid);
}

}  // namespace
}  // namespace silvarone
