// One row of the batch, computed as the window computes a project with the
// row's gear: a standard row (DIN tolerances, the recommended ball and tooth
// count) and a row with a back-calculation. The whole run (reading, threads,
// writing) is timed as a process; see the notes of the batch.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "silent_presenter.h"
#include "ui/batch_rows.h"
#include "ui/window_model.h"

namespace {

using namespace silvarone;

BatchConfiguration Configuration() {
  Silent presenter;
  WindowModel model(presenter);
  model.Start({.settingsDirectory =
                   (std::filesystem::temp_directory_path() / "silvarone-batch-bench/").string(),
               .programDirectory = std::string(SILVARONE_DATA_DIR) + "/",
               .checkPdfViewer = false,
               .inMemory = true});
  return {.gear = model.gear(),
          .tolerance = model.workspace().tolerance,
          .instrument = model.workspace().instrument,
          .language = model.language()};
}

void BM_BatchRow(benchmark::State& state) {
  const BatchConfiguration configuration = Configuration();
  BatchCalculator calculator(configuration);
  // Gears in turn, as a parts list has them: the solvers' kept answers of
  // one gear do not serve the next.
  std::vector<BatchCells> rows;
  for (int z = 31; z < 47; ++z) {
    rows.push_back({{"m_n", "2.5"},
                    {"z", std::to_string(z)},
                    {"beta", "15"},
                    {"x", "0.2"},
                    {"b_w", "30"},
                    {"deviation_source", "DIN"}});
  }
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(calculator.Calculate(rows[next]));
    next = (next + 1) % rows.size();
  }
}
BENCHMARK(BM_BatchRow)->Unit(benchmark::kMicrosecond);

void BM_BatchRowWithBackCalculation(benchmark::State& state) {
  const BatchConfiguration configuration = Configuration();
  BatchCalculator calculator(configuration);
  // A measured test dimension between the upper and lower test dimensions
  // of this gear (28.446 and 28.407 mm with the default settings).
  const BatchCells row = {
      {"m_n", "2"}, {"z", "30"}, {"D_M", "3.5"}, {"k_M", "4"}, {"Q_measured", "28.43"}};
  for (auto _ : state)
    benchmark::DoNotOptimize(calculator.Calculate(row));
}
BENCHMARK(BM_BatchRowWithBackCalculation)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
