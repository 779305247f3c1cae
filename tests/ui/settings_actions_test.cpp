// What an action sets is in the settings file at once, under its own key,
// and shown as its decimals say; and the calculation page refuses what it
// cannot compute with.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "device/series.h"
#include "device/tolerance_tables.h"
#include "ui/model_fixture.h"

namespace silvarone {
namespace {

TEST_F(Window, EveryChoiceIsStoredAtOnceUnderItsOwnKey) {
  struct Case {
    const char* what;
    std::function<void()> action;
    const char* key;  // in "common configuration" or "data"
    const char* section;
    const char* stored;
  };
  const std::vector<Case> cases = {
      {"typed deviations", [this] { model.SelectToleranceSource(kSourceManual); }, "Mode",
       "common configuration", "1"},
      {"typed deviations", [] {}, "Quelle Abmass", "common configuration", "2"},
      {"table deviations", [this] { model.SelectToleranceSource(kSourceCustomer); }, "Mode",
       "common configuration", "0"},
      {"second decimals", [this] { model.SetDecimalPlaces(2, 5); }, "Nachkommastellenzahl_2",
       "common configuration", "5"},
      {"second decimals", [] {}, "Nachkommastellenzahl_1", "common configuration", "3"},
      {"typed ball",
       [this] {
         model.SelectBall(kBallManual);
         Enter("D_M_Edit", "4.25");
       },
       "Messkugeldurchmesser D_M manual", "data", "4.25"},
      {"typed tooth count",
       [this] {
         model.SelectToothCount(1);
         Enter("k_M_Edit", "-7");
       },
       "Messzaehnezahl k_M manual", "data", "-7"},
  };
  Start();
  model.ChangePage(Page::kCalculation);
  for (const Case& c : cases) {
    c.action();
    EXPECT_EQ(Stored(c.section, c.key), c.stored) << c.what;
  }
}

TEST_F(Window, TypedToothCountShowsTheDecimalsOfCounts) {
  // Counts have their own decimals (0 by default), computed values 3.
  Start();
  model.ChangePage(Page::kCalculation);
  model.SelectToothCount(1);
  ASSERT_TRUE(Enter("k_M_Edit", "-7"));
  EXPECT_EQ(Text("k_M_Edit"), "-7");
  EXPECT_EQ(Text("Used_k_M"), "-7");
  model.SetDecimalPlaces(3, 1);
  ASSERT_TRUE(Enter("k_M_Edit", "-8"));
  EXPECT_EQ(Text("k_M_Edit"), "-8.0");
}

TEST_F(Window, DeviationsTheTablesCannotGiveBlockTheCalculationPage) {
  // A stored deviation series the DIN table does not have: no A_sne, and the
  // page says so as field 13.
  Start("[common configuration]\r\nAbmassreihe DIN=zz\r\n");
  model.ChangePage(Page::kCalculation);
  EXPECT_EQ(model.page(), Page::kDrawing1);
  const auto texts = presenter.TakeTexts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_NE(texts[0].find("Abmass A_sne (13)"), std::string::npos) << texts[0];
  // Typed deviations need no table.
  model.SelectToleranceSource(kSourceManual);
  model.ChangePage(Page::kCalculation);
  EXPECT_EQ(model.page(), Page::kCalculation);
}

}  // namespace
}  // namespace silvarone
