// The inspection log: any bytes as the database file. Opening, querying,
// recording and voiding never crash or hang; what opens answers its queries
// newest first, and a record it accepted is found again.
#include "storage/part_log.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz_support.h"

namespace {

using namespace silvarone;

bool NewestFirst(const std::vector<LogEntry>& entries) {
  for (std::size_t i = 1; i < entries.size(); ++i) {
    if (entries[i].id >= entries[i - 1].id) return false;
  }
  return true;
}

void RecordAndVoid(InspectionLog& log) {
  LogEntry entry;
  entry.recordedUtc = "2026-12-09T07:00:00Z";
  entry.gear = {"ZR-1", 2, 20, 20, 0, 0};
  entry.measured = "40.1";
  entry.serial = "fuzz";
  const auto id = log.Record(entry);
  if (!id) return;
  const auto found = log.Query({.gear = entry.gear, .serialPart = "fuzz"});
  if (found) {
    FUZZ_CHECK(!found->empty() && found->front().id == *id);
    FUZZ_CHECK(found->front().measured == "40.1");
  }
  (void)log.Void(*id, "fuzz", "2026-12-09T07:00:01Z");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input input(data, size);
  const std::uint8_t options = input.Byte();
  const std::string path = fuzz::WriteFile("log.sqlite", input.Rest());
  std::remove((path + "-wal").c_str());
  std::remove((path + "-shm").c_str());
  auto log = InspectionLog::Open(
      path,
      {.busyTimeoutMs = 0, .readOnly = (options & 1) != 0, .checkStructure = (options & 2) != 0});
  if (!log) return 0;
  const auto all = log->Query({});
  if (all) FUZZ_CHECK(NewestFirst(*all));
  const auto some = log->Query({.fromDate = "2026-01-01", .serialPart = "1"});
  if (some) FUZZ_CHECK(NewestFirst(*some));
  if ((options & 1) == 0 && (options & 4) != 0) RecordAndVoid(*log);
  return 0;
}
