// The record set, its name table, the gear-type limits and the validation pass.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/gear.h"

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

TEST(Records, GearTypeLimitsFollowTheToothCount) {
  struct Case {
    std::string z;
    int external;
    double dimMin, dimMax, countMin, countMax;
  };
  const std::vector<Case> cases = {
      {"20", 1, -0.000001, 1000000, -0.000001, 2000},
      {"-20", 0, -1000000, 0.000001, -2000, 0.000001},
      {"", 0, -1000000, 0.000001, -2000, 0.000001},
      {"0", 0, -1000000, 0.000001, -2000, 0.000001},  // zero teeth is no valid count
  };
  for (const Case& c : cases) {
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
}

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
  const char* what;
  std::vector<std::pair<std::string, std::string>> texts;  // record name -> text
  int code;
};

TEST(ValidateInputs, ReturnsTheCodeOfTheLastFailingRecord) {
  const std::vector<ValidateCase> cases = {
      {"valid gear", {}, 0},
      {"module not a number", {{"m_n", "abc"}}, 1},
      {"zero teeth", {{"z", "0"}, {"k_given", "0"}}, 2},
      {"pressure angle above 45", {{"alpha_n", "45.5"}}, 3},
      {"face width below 5", {{"b_w", "1"}}, 12},
      {"later failure wins", {{"m_n", "abc"}, {"b_w", "1"}}, 12},
      {"not entered is skipped", {{"m_n", "-"}, {"b_w", ""}}, 0},
      {"internal gear, positive Wk", {{"z", "-34"}, {"k_given", "-10"}, {"Wk_given", "45.2"}}, 16},
      {"internal gear, negative Wk", {{"z", "-34"}, {"k_given", "-10"}, {"Wk_given", "-45.2"}}, 0},
      {"external gear, negative MdK", {{"Mdki_given", "-50"}}, 21},
      {"internal gear, default k", {{"z", "-34"}, {"k_given", ""}, {"k_M", ""}}, 25},
      {"step size above 1", {{"smallStepSize", "1.5"}}, 29},
      {"range not a number", {{"Messbereichswert", "2x"}}, 9},
  };
  for (const ValidateCase& c : cases) {
    Gear gear;
    FillValidGear(gear);
    for (const auto& [name, text] : c.texts)
      FindRecord(gear.rec, name)->text = text;
    EXPECT_EQ(ValidateInputs(gear), c.code) << c.what;
  }
}

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
