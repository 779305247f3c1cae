// The gear tables of the batch: the batch reads, computes and writes 100,000
// gears a second on two cores, so reading and writing the table may take only
// a small part of that. 100,000 generated rows of 10 columns, as an ERP
// export would hold them.
#include <benchmark/benchmark.h>

#include <istream>
#include <streambuf>
#include <string>
#include <vector>

#include "storage/gear_table.h"

namespace {

using namespace silvarone;

constexpr std::size_t kRows = 100000;

// The table in memory, read through a stream without copying it.
class MemoryStream : public std::streambuf {
 public:
  explicit MemoryStream(const std::string& bytes) {
    char* begin = const_cast<char*>(bytes.data());
    setg(begin, begin, begin + bytes.size());
  }
};

const std::vector<std::string>& Columns() {
  static const std::vector<std::string> columns = {"id",
                                                   "m_n",
                                                   "z",
                                                   "alpha_n",
                                                   "beta",
                                                   "x",
                                                   "b_w",
                                                   "deviation_source",
                                                   "deviation_series",
                                                   "tolerance_series"};
  return columns;
}

std::vector<std::string> Values(std::size_t i) {
  const int z = static_cast<int>(i % 150) + 7;
  return {"Rad " + std::to_string(i),
          i % 3 == 0 ? "2.5" : "3",
          std::to_string(i % 5 == 0 ? -z : z),
          "20",
          i % 2 == 0 ? "0" : "12.5",
          "0." + std::to_string(i % 10),
          "20",
          "DIN",
          "d",
          "25"};
}

const std::string& CsvTable() {
  static const std::string table = [] {
    std::string out;
    AppendCsvHeader(out, Columns(), ',');
    for (std::size_t i = 0; i < kRows; ++i)
      AppendCsvRow(out, Values(i), ',');
    return out;
  }();
  return table;
}

const std::string& JsonTable() {
  static const std::string table = [] {
    std::string out;
    for (std::size_t i = 0; i < kRows; ++i)
      AppendJsonLine(out, Columns(), Values(i));
    return out;
  }();
  return table;
}

void BM_ReadCsv(benchmark::State& state) {
  const std::string& input = CsvTable();
  TableRow row;
  for (auto _ : state) {
    MemoryStream bytes(input);
    std::istream in(&bytes);
    TableReader reader(in);
    std::size_t cells = 0;
    while (reader.Next(row))
      cells += row.cells.size();
    benchmark::DoNotOptimize(cells);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kRows));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}
BENCHMARK(BM_ReadCsv)->Unit(benchmark::kMillisecond);

void BM_ReadAndWriteCsv(benchmark::State& state) {
  const std::string& input = CsvTable();
  TableRow row;
  std::vector<std::string> values;
  std::string out;
  for (auto _ : state) {
    MemoryStream bytes(input);
    std::istream in(&bytes);
    TableReader reader(in);
    out.clear();
    reader.ReadHeader();
    AppendCsvHeader(out, reader.columns(), reader.separator());
    while (reader.Next(row)) {
      values.resize(row.cells.size());
      for (std::size_t i = 0; i < row.cells.size(); ++i)
        values[i].assign(row.cells[i].second);
      AppendCsvRow(out, values, reader.separator());
    }
    benchmark::DoNotOptimize(out.data());
  }
  if (out != input) state.SkipWithError("the table written differs from the table read");
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kRows));
}
BENCHMARK(BM_ReadAndWriteCsv)->Unit(benchmark::kMillisecond);

void BM_ReadAndWriteJsonLines(benchmark::State& state) {
  const std::string& input = JsonTable();
  TableRow row;
  std::vector<std::string> names;
  std::vector<std::string> values;
  std::string out;
  for (auto _ : state) {
    MemoryStream bytes(input);
    std::istream in(&bytes);
    TableReader reader(in);
    out.clear();
    while (reader.Next(row)) {
      names.resize(row.cells.size());
      values.resize(row.cells.size());
      for (std::size_t i = 0; i < row.cells.size(); ++i) {
        names[i].assign(row.cells[i].first);
        values[i].assign(row.cells[i].second);
      }
      AppendJsonLine(out, names, values);
    }
    benchmark::DoNotOptimize(out.data());
  }
  if (out != input) state.SkipWithError("the table written differs from the table read");
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kRows));
}
BENCHMARK(BM_ReadAndWriteJsonLines)->Unit(benchmark::kMillisecond);

}  // namespace
