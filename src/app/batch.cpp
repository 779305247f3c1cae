#include "app/batch.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "app/command_line.h"
#include "app/terminal_presenter.h"
#include "platform/file_system.h"
#include "platform/locations.h"
#include "storage/gear_table.h"
#include "ui/batch_rows.h"
#include "ui/window_model.h"

namespace silvarone {
namespace {

namespace fs = std::filesystem;

constexpr const char* kBatchUsage =
    "usage: silvarone batch [IN] [--out FILE] [--format csv|jsonl] [--lang de|en] [--jobs N]";

constexpr const char* kBatchHelp = R"(
Computes the test dimensions of many gears at once, as the window computes a
project with each gear's data, and writes one result row per gear in the order
of the input.

IN is a gear table (no IN or "-": standard input): CSV with a header row
(RFC 4180; ',' or ';' as separator, recognised from the header; a UTF-8 BOM
and CRLF line ends are fine) or JSON lines (one object per line, recognised
from a first '{'). Columns, in any order:
  m_n, z                        required
  alpha_n, beta, x, b_w         the drawing data
  A_sne, T_sn                   deviations typed by hand, in micrometres, or
  deviation_source              DIN or PROD, with deviation_series and
                                tolerance_series (e.g. d and 25)
  mode                          standard, wk, mdk or xe, with the given values
                                Wk_given Wke_given Wki_given Mdk_given
                                Mdke_given Mdki_given Xe_given Xee_given
                                Xei_given
  k_given, DM_given             the teeth of W_k and the ball of M_dk in every
                                mode (else the settings', not k_span and D_M)
  D_M                           the instrument's ball (else the recommended)
  k_M                           the teeth for the instrument (else the recommended)
  range                         the instrument's range value
  Q_measured                    a measured test dimension: back-calculation
  id                            copied to the output unchanged
A column left out, or left empty, takes the value of the settings. A decimal
comma is read as a decimal point. A CSV header with a column that is not one of
these is refused; in JSON lines such a key refuses its row (malformed-row).
Unnamed columns at the end of a CSV header (a spreadsheet's formatted but
unused columns) are left out; a value under one refuses its row.

The output repeats the input columns, then d, d_b, k_span, W_k, Wke, Wki,
M_dk, MdKe, MdKi, xE, xEe, xEi, A_sne, T_sn, A_sni, D_M, k_M, Q, Q_plus_D_M,
Q_plus_D_M_upper, Q_plus_D_M_lower, in_range, xE_working, Wk_real, Mdk_real,
status and message. Numbers as the window shows them, with '.' as the decimal
separator. status is "ok", the number of the window's message that refused
the gear, or one of missing-column, unknown-value, unknown-series,
back-calculation-failed, malformed-row; message says why in the language of
the run. A refused row never stops the others.

Options:
  --out FILE            write the results to FILE (replaced only when complete)
  --format csv|jsonl    the kind of the output (default: that of the input)
  --lang de|en          the language of the messages (default: the settings')
  --jobs N              compute on N threads (default: the number of cores)
  -h, --help            this text

Exit status: 0 every row computed, 2 usage error, unreadable input or an
unknown column in the header, 3 some row refused, 5 the output could not be
written.
)";

struct BatchOptions {
  std::string input = "-";
  std::optional<std::string> out;
  std::optional<TableKind> format;
  std::optional<Language> language;
  unsigned jobs = 0;
  bool help = false;
};

Result<BatchOptions, std::string> ParseBatchOptions(const std::vector<std::string>& arguments) {
  BatchOptions options;
  bool inputGiven = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const auto value = [&]() -> const std::string* {
      return i + 1 < arguments.size() ? &arguments[++i] : nullptr;
    };
    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--out" || argument == "--format" || argument == "--lang" ||
               argument == "--jobs") {
      const std::string* text = value();
      if (text == nullptr) return "silvarone: " + argument + " needs a value";
      if (argument == "--out") {
        options.out = *text;
      } else if (argument == "--format") {
        if (*text != "csv" && *text != "jsonl")
          return "silvarone: --format takes csv or jsonl, not '" + *text + "'";
        options.format = *text == "csv" ? TableKind::kCsv : TableKind::kJsonLines;
      } else if (argument == "--lang") {
        if (*text != "de" && *text != "en")
          return "silvarone: --lang takes de or en, not '" + *text + "'";
        options.language = *text == "de" ? kGerman : kEnglish;
      } else {
        const bool digits =
            !text->empty() && text->size() <= 4 &&
            std::all_of(text->begin(), text->end(), [](char c) { return c >= '0' && c <= '9'; });
        const unsigned jobs = digits ? static_cast<unsigned>(std::stoul(*text)) : 0;
        if (jobs < 1 || jobs > 256)
          return "silvarone: --jobs takes a number from 1 to 256, not '" + *text + "'";
        options.jobs = jobs;
      }
    } else if (argument != "-" && !argument.empty() && argument[0] == '-') {
      return "silvarone: unknown option " + argument;
    } else if (!inputGiven) {
      options.input = argument;
      inputGiven = true;
    } else {
      return std::string("silvarone: more than one input given");
    }
  }
  return options;
}

// Where the result rows go: standard output, or a file that is replaced only
// once every row is in it.
class ResultSink {
 public:
  ResultSink(std::ostream& out, const std::optional<std::string>& path) : out_(out) {
    if (path) file_ = std::make_unique<platform::FileReplacement>(*path);
  }
  bool Write(const std::string& bytes) {
    if (file_) return file_->Append(bytes) == platform::WriteFailure::kNone;
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out_);
  }
  // What is written so far reaches standard output now; a file is complete
  // only at the end anyway.
  bool Flush() {
    if (file_) return true;
    out_.flush();
    return static_cast<bool>(out_);
  }
  platform::WriteFailure Finish() {
    if (file_) return file_->Commit();
    out_.flush();
    return out_ ? platform::WriteFailure::kNone : platform::WriteFailure::kError;
  }
  platform::WriteFailure failure() const {
    return file_ ? file_->failure() : platform::WriteFailure::kNone;
  }

 private:
  std::ostream& out_;
  std::unique_ptr<platform::FileReplacement> file_;
};

// How a row is written: the columns of the output and its kind.
struct Layout {
  TableKind kind = TableKind::kCsv;
  char separator = ',';
  // CSV: the input columns the output repeats (the header's, or for JSON
  // lines every input column).
  std::vector<std::string> inputColumns;
};

std::vector<std::string> ResultColumnNames() {
  std::vector<std::string> names;
  for (const std::string_view name : BatchResultColumns())
    names.emplace_back(name);
  return names;
}

// A JSON line's key that is no input column refuses that row.
std::optional<std::string> UnknownKey(const TableRow& row) {
  const std::vector<std::string_view>& known = BatchInputColumns();
  for (const auto& [name, text] : row.cells) {
    if (std::find(known.begin(), known.end(), name) == known.end()) return name;
  }
  return std::nullopt;
}

// A piece of the input, computed by one thread and written as one.
struct Chunk {
  std::vector<TableRow> rows;
  std::string output;
  std::size_t refused = 0;
};

void ComputeChunk(Chunk& chunk, BatchCalculator& calculator, const Layout& layout,
                  const std::vector<std::string>& resultNames) {
  chunk.output.clear();
  chunk.refused = 0;
  std::vector<std::string> values;
  std::vector<std::string> names;
  for (const TableRow& row : chunk.rows) {
    std::optional<std::string> unknown;
    if (!row.problem && layout.kind == TableKind::kJsonLines) unknown = UnknownKey(row);
    BatchResult result = row.problem ? calculator.Malformed(*row.problem)
                         : unknown   ? calculator.Malformed("unknown column " + *unknown)
                                     : calculator.Calculate(row.cells);
    if (result.status != BatchStatus::kComputed) ++chunk.refused;
    values.clear();
    if (layout.kind == TableKind::kCsv) {
      for (const std::string& column : layout.inputColumns) {
        const auto cell = std::find_if(row.cells.begin(), row.cells.end(),
                                       [&](const auto& c) { return c.first == column; });
        values.push_back(cell != row.cells.end() ? cell->second : std::string());
      }
    } else {
      // A JSON object names each key once: an input key that is also a
      // result (A_sne, D_M, ...) is given as the result.
      names.clear();
      for (const auto& [name, text] : row.cells) {
        if (std::find(resultNames.begin(), resultNames.end(), name) != resultNames.end()) continue;
        names.push_back(name);
        values.push_back(text);
      }
      names.insert(names.end(), resultNames.begin(), resultNames.end());
    }
    for (std::string& value : result.values)
      values.push_back(std::move(value));
    values.push_back(StatusText(result));
    values.push_back(std::move(result.message));
    if (layout.kind == TableKind::kCsv) {
      AppendCsvRow(chunk.output, values, layout.separator);
    } else {
      AppendJsonLine(chunk.output, names, values);
    }
  }
}

// Worker threads, each with its own calculator, computing chunks handed to
// them in any order; the caller collects the results in input order.
class ChunkPool {
 public:
  ChunkPool(unsigned threads, const BatchConfiguration& configuration, const Layout& layout)
      : layout_(layout), resultNames_(ResultColumnNames()) {
    for (unsigned i = 0; i < threads; ++i) {
      workers_.emplace_back([this, &configuration] {
        BatchCalculator calculator(configuration);
        for (;;) {
          Task task;
          {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
            if (tasks_.empty()) return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
          }
          ComputeChunk(*task.chunk, calculator, layout_, resultNames_);
          task.done.set_value();
        }
      });
    }
  }
  ~ChunkPool() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& worker : workers_)
      worker.join();
  }
  ChunkPool(const ChunkPool&) = delete;
  ChunkPool& operator=(const ChunkPool&) = delete;

  std::future<void> Submit(Chunk& chunk) {
    Task task{&chunk, {}};
    std::future<void> done = task.done.get_future();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      tasks_.push_back(std::move(task));
    }
    wake_.notify_one();
    return done;
  }

 private:
  struct Task {
    Chunk* chunk = nullptr;
    std::promise<void> done;
  };
  const Layout& layout_;
  const std::vector<std::string> resultNames_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Task> tasks_;
  bool stopping_ = false;
  std::vector<std::thread> workers_;
};

// The progress line on a terminal: rows done, rows per second and, for a
// file of known size, the time left.
class Progress {
 public:
  Progress(std::istream& in, std::uintmax_t size)
      : in_(in), size_(size), shown_(::isatty(STDERR_FILENO) == 1) {}
  void Update(std::size_t rows) {
    if (!shown_) return;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    if (seconds < 1.0 || seconds - last_ < 0.2) return;
    last_ = seconds;
    char line[128];
    const double rate = static_cast<double>(rows) / seconds;
    const std::streamoff position = in_.tellg();
    if (size_ > 0 && position > 0) {
      const double left =
          seconds * (static_cast<double>(size_) / static_cast<double>(position) - 1);
      std::snprintf(line, sizeof line, "\r%zu rows, %.0f rows/s, %.0f s left   ", rows, rate,
                    std::max(0.0, left));
    } else {
      std::snprintf(line, sizeof line, "\r%zu rows, %.0f rows/s   ", rows, rate);
    }
    std::fputs(line, stderr);
    written_ = true;
  }
  ~Progress() {
    if (written_) std::fputs("\n", stderr);
  }
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

 private:
  std::istream& in_;
  std::uintmax_t size_;
  bool shown_;
  bool written_ = false;
  double last_ = 0.0;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

constexpr std::size_t kChunkRows = 512;

// Reads the next chunk of rows; false when none is left. A chunk ends early
// when the input would keep it waiting (rows typed or piped in one by one):
// `waiting` then says that its rows are to be computed and written at once.
bool FillChunk(TableReader& reader, Chunk& chunk, bool& waiting) {
  chunk.rows.resize(kChunkRows);
  std::size_t n = 0;
  while (n < kChunkRows && (n == 0 || reader.InputAtHand()) && reader.Next(chunk.rows[n]))
    ++n;
  waiting = n > 0 && n < kChunkRows && !reader.InputAtHand();
  chunk.rows.resize(n);
  return n > 0;
}

// A chunk written before, to be filled again (its rows and output keep their
// storage, so a long run does not allocate them over and over), else a new one.
std::unique_ptr<Chunk> ReusedChunk(std::vector<std::unique_ptr<Chunk>>& spare) {
  if (spare.empty()) return std::make_unique<Chunk>();
  std::unique_ptr<Chunk> chunk = std::move(spare.back());
  spare.pop_back();
  return chunk;
}

// Reads, computes and writes every row; the number of rows refused, or
// nothing when the output failed.
std::optional<std::size_t> StreamRows(TableReader& reader, const BatchConfiguration& configuration,
                                      const Layout& layout, unsigned jobs, ResultSink& sink,
                                      Progress& progress) {
  std::size_t refused = 0;
  std::size_t rows = 0;
  bool written = true;
  const auto finish = [&](Chunk& chunk) {
    refused += chunk.refused;
    rows += chunk.rows.size();
    written = written && sink.Write(chunk.output);
    progress.Update(rows);
  };
  bool waiting = false;
  const auto fill = [&](Chunk& chunk) { return FillChunk(reader, chunk, waiting); };
  if (jobs <= 1) {
    BatchCalculator calculator(configuration);
    const std::vector<std::string> names = ResultColumnNames();
    Chunk chunk;
    while (written && fill(chunk)) {
      ComputeChunk(chunk, calculator, layout, names);
      finish(chunk);
      if (waiting) written = sink.Flush() && written;
    }
    return written ? std::optional(refused) : std::nullopt;
  }
  // Twice as many chunks in flight as threads keep every thread busy while
  // the reader and the writer wait their turn; memory stays bounded.
  ChunkPool pool(jobs, configuration, layout);
  std::deque<std::pair<std::unique_ptr<Chunk>, std::future<void>>> inFlight;
  std::vector<std::unique_ptr<Chunk>> spare;
  for (;;) {
    std::unique_ptr<Chunk> chunk = ReusedChunk(spare);
    const bool more = written && fill(*chunk);
    if (more) {
      std::future<void> done = pool.Submit(*chunk);
      inFlight.emplace_back(std::move(chunk), std::move(done));
    }
    while (!inFlight.empty() && (!more || waiting || inFlight.size() >= 2 * jobs)) {
      inFlight.front().second.wait();
      finish(*inFlight.front().first);
      spare.push_back(std::move(inFlight.front().first));
      inFlight.pop_front();
    }
    if (more && waiting) written = sink.Flush() && written;
    if (!more) break;
  }
  return written ? std::optional(refused) : std::nullopt;
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return fs::equivalent(a, b, error) && !error;
}

// The configuration of the settings, as the window starts with it.
std::optional<BatchConfiguration> StartConfiguration(const BatchOptions& options,
                                                     std::ostream& err) {
  TerminalPresenter presenter(err);
  WindowModel model(presenter);
  if (!model.Start({.settingsDirectory = platform::SettingsDirectory(),
                    .programDirectory = platform::ProgramDirectory(),
                    .checkPdfViewer = false,
                    .inMemory = true})) {
    return std::nullopt;
  }
  if (options.language) model.SwitchLanguage(*options.language);
  return BatchConfiguration{.gear = model.gear(),
                            .tolerance = model.workspace().tolerance,
                            .instrument = model.workspace().instrument,
                            .language = model.language()};
}

// Opens the input file (nothing for standard input) and refuses an output
// over it or in the place of a device: kExitDone or the status.
int OpenInput(const BatchOptions& options, std::ifstream& file, std::uintmax_t& size,
              std::ostream& err) {
  if (options.input != "-") {
    std::error_code error;
    if (fs::is_directory(options.input, error)) {
      err << "silvarone: the input '" << options.input << "' is a folder\n";
      return kExitUsage;
    }
    file.open(options.input, std::ios::binary);
    if (!file) {
      err << "silvarone: cannot read the input '" << options.input << "'\n";
      return kExitUsage;
    }
    if (fs::is_regular_file(options.input, error)) size = fs::file_size(options.input, error);
    if (error) size = 0;  // no estimate of the time left
  }
  if (options.out) {
    if (options.input != "-" && SameFile(options.input, *options.out)) {
      err << "silvarone: the output '" << *options.out << "' is the input being read\n";
      return kExitUsage;
    }
    if (const auto refused = platform::RefusedTarget(*options.out);
        refused != platform::WriteFailure::kNone) {
      err << "silvarone: cannot write '" << *options.out
          << "': " << platform::WriteFailureText(refused) << '\n';
      return kExitOutputFailed;
    }
  }
  return kExitDone;
}

// The header of a CSV input: refused when unreadable or when it names a
// column that is no input column. kExitDone or kExitUsage.
int CheckHeader(TableReader& reader, std::ostream& err) {
  reader.ReadHeader();
  if (reader.headerProblem()) {
    err << "silvarone: " << *reader.headerProblem() << '\n';
    return kExitUsage;
  }
  if (const auto refused = RefusedColumn(reader.columns());
      reader.kind() == TableKind::kCsv && refused) {
    err << "silvarone: unknown or repeated column '" << *refused << "'\n";
    return kExitUsage;
  }
  return kExitDone;
}

Layout LayoutOf(const BatchOptions& options, const TableReader& reader) {
  Layout layout;
  layout.kind = options.format.value_or(reader.kind());
  layout.separator = reader.kind() == TableKind::kCsv ? reader.separator() : ',';
  if (reader.kind() == TableKind::kCsv) {
    layout.inputColumns = reader.columns();
  } else {
    for (const std::string_view name : BatchInputColumns())
      layout.inputColumns.emplace_back(name);
  }
  return layout;
}

bool WriteHeader(const Layout& layout, ResultSink& sink) {
  if (layout.kind != TableKind::kCsv) return true;
  std::string header;
  std::vector<std::string> columns = layout.inputColumns;
  for (const std::string& name : ResultColumnNames())
    columns.push_back(name);
  AppendCsvHeader(header, columns, layout.separator);
  return sink.Write(header);
}

int CannotWrite(const BatchOptions& options, platform::WriteFailure failure, std::ostream& err) {
  err << "silvarone: cannot write the results"
      << (options.out ? " to '" + *options.out + "'" : std::string()) << ": "
      << platform::WriteFailureText(failure) << '\n';
  return kExitOutputFailed;
}

}  // namespace

int RunBatch(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
             std::ostream& err) {
  const Result<BatchOptions, std::string> parsed = ParseBatchOptions(arguments);
  if (!parsed) {
    err << parsed.problem() << '\n';
    return kExitUsage;
  }
  const BatchOptions& options = *parsed;
  if (options.help) {
    out << kBatchUsage << '\n' << kBatchHelp << std::flush;
    return out ? kExitDone : kExitOutputFailed;
  }
  std::ifstream file;
  std::uintmax_t size = 0;
  if (const int opened = OpenInput(options, file, size, err); opened != kExitDone) return opened;
  std::istream& input = options.input == "-" ? in : file;
  TableReader reader(input);
  if (const int checked = CheckHeader(reader, err); checked != kExitDone) return checked;
  const std::optional<BatchConfiguration> configuration = StartConfiguration(options, err);
  if (!configuration) return kExitUsage;

  const Layout layout = LayoutOf(options, reader);
  ResultSink sink(out, options.out);
  if (sink.failure() != platform::WriteFailure::kNone) {
    return CannotWrite(options, sink.failure(), err);
  }
  const unsigned jobs =
      options.jobs > 0 ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
  std::optional<std::size_t> refused;
  {
    Progress progress(input, size);
    if (WriteHeader(layout, sink)) {
      refused = StreamRows(reader, *configuration, layout, jobs, sink, progress);
    }
  }
  const platform::WriteFailure finished = sink.Finish();
  if (finished != platform::WriteFailure::kNone) return CannotWrite(options, finished, err);
  if (!refused) return CannotWrite(options, platform::WriteFailure::kError, err);
  return *refused > 0 ? kExitDataRefused : kExitDone;
}

}  // namespace silvarone
