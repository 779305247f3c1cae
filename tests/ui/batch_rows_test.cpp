// A batch row writes only the texts it puts out; the rest wait until read.
// Held against the window's way (every text written when its value is
// stored), over generated rows of every kind, the two must give every row
// the same results, status and message, to the last character.
#include "ui/batch_rows.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model_fixture.h"

namespace silvarone {
namespace {

// A row of a parts list: random gears of both kinds, every input mode and
// tolerance source, given balls and tooth counts, the odd spelling a
// spreadsheet writes, and values the window refuses.
BatchCells GeneratedRow(std::mt19937& random) {
  const auto pick = [&](std::vector<std::string> choices) {
    return choices[std::uniform_int_distribution<std::size_t>(0, choices.size() - 1)(random)];
  };
  const auto number = [&](double low, double high, int decimals) {
    const double v = std::uniform_real_distribution<double>(low, high)(random);
    return FormatFixed(v, 15, decimals);
  };
  const bool internal = random() % 5 == 0;
  const int z = static_cast<int>(random() % 140) + (internal ? 40 : 5);
  BatchCells cells = {{"m_n", pick({"1", "1.25", "2", "2,5", "3", "4.5", "8", "+3", "0"})},
                      {"z", std::to_string(internal ? -z : z)},
                      {"alpha_n", pick({"20", "20", "15", "17.5", "25", ""})},
                      {"beta", pick({"0", "0", "", number(1, 30, 3), "12,5"})},
                      {"x", number(internal ? -0.3 : -0.5, internal ? 0.3 : 0.8, 3)},
                      {"b_w", pick({"20", "45", "8", ""})}};
  switch (random() % 4) {
    case 0:
      cells.push_back({"A_sne", pick({"-25", "-60", "-110"})});
      cells.push_back({"T_sn", pick({"15", "40", "80"})});
      break;
    case 1:
      cells.push_back({"deviation_source", "DIN"});
      cells.push_back({"deviation_series", pick({"cd", "d", "e", "f"})});
      cells.push_back({"tolerance_series", pick({"24", "25", "26", "27"})});
      break;
    case 2:
      cells.push_back({"deviation_source", "PROD"});
      break;
    default:
      break;  // the settings' tolerance
  }
  const std::string sign = internal ? "-" : "";
  switch (random() % 6) {
    case 0:
      cells.push_back({"mode", "wk"});
      cells.push_back({"k_given", sign + pick({"2", "3", "5"})});
      cells.push_back({"Wk_given", sign + number(5, 60, 3)});
      cells.push_back({"Wke_given", sign + number(5, 60, 3)});
      cells.push_back({"Wki_given", sign + number(5, 60, 3)});
      break;
    case 1:
      cells.push_back({"mode", "mdk"});
      cells.push_back({"DM_given", pick({"3", "3.5", "5"})});
      cells.push_back({"Mdk_given", sign + number(20, 400, 3)});
      cells.push_back({"Mdke_given", sign + number(20, 400, 3)});
      cells.push_back({"Mdki_given", sign + number(20, 400, 3)});
      break;
    case 2:
      cells.push_back({"mode", "xe"});
      cells.push_back({"Xe_given", number(-0.2, 0.4, 3)});
      cells.push_back({"Xee_given", number(-0.2, 0.4, 3)});
      cells.push_back({"Xei_given", number(-0.3, 0.3, 3)});
      break;
    default:
      break;  // the standard mode
  }
  if (random() % 3 == 0) cells.push_back({"D_M", pick({"2.5", "3.5", "6", "12"})});
  if (random() % 3 == 0) cells.push_back({"k_M", sign + pick({"2", "4", "7"})});
  if (random() % 4 == 0) cells.push_back({"range", pick({"175", "200", "225"})});
  return cells;
}

class BatchTexts : public Window, public ::testing::WithParamInterface<int> {};

TEST_P(BatchTexts, DeferredTextsGiveWhatTheWindowsWayGives) {
  Start();
  BatchConfiguration configuration{.gear = model.gear(),
                                   .tolerance = model.workspace().tolerance,
                                   .instrument = model.workspace().instrument,
                                   .language = model.language()};
  // The decimals of computed values and of tooth counts as the settings give them.
  configuration.gear.state.Nachkommastellenzahl_1 = GetParam();
  configuration.gear.state.Nachkommastellenzahl_3 = GetParam() == 4 ? 1 : 0;
  // The calculator keeps a reference to its configuration.
  BatchConfiguration windowsWay = configuration;
  windowsWay.deferTexts = false;
  BatchCalculator deferred(configuration);
  BatchCalculator written(windowsWay);
  std::mt19937 random(20261209u + static_cast<unsigned>(GetParam()));
  int computed = 0;
  for (int row = 0; row < 1500; ++row) {
    const BatchCells cells = GeneratedRow(random);
    const BatchResult a = deferred.Calculate(cells);
    const BatchResult b = written.Calculate(cells);
    ASSERT_EQ(a.values, b.values) << "row " << row;
    ASSERT_EQ(a.status, b.status) << "row " << row;
    ASSERT_EQ(a.message, b.message) << "row " << row;
    computed += a.status == BatchStatus::kComputed;
  }
  // The table is worth its rows only when most of them compute.
  EXPECT_GT(computed, 500);
}

INSTANTIATE_TEST_SUITE_P(Decimals, BatchTexts, ::testing::Values(3, 1, 4));

}  // namespace
}  // namespace silvarone
