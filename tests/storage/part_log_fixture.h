// Shared by the inspection log's tests: a sample record, a database of a
// few records, and a child process that may drop the administrator's rights
// (so that a read-only file is read-only to it).
#pragma once

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "file_fixture.h"
#include "storage/part_log.h"

namespace silvarone::testing {

inline LogGear SampleGear() {
  return {.drawing = "ZR-4711", .m_n = 2.5, .z = 31, .alpha_n = 20, .beta = 15, .x = 0.25};
}

// Record `number` of a run: its serial and measured value follow the number.
inline LogEntry SampleEntry(int number) {
  LogEntry e;
  e.recordedUtc = "2026-12-09T07:00:00Z";
  e.utcOffsetMinutes = 60;
  e.projectFile = "/home/pruef/Silvarone/projects/welle.tvp";
  e.projectName = "Welle 3";
  e.gear = SampleGear();
  e.dimension = LogDimension::kTest;
  e.measured = "97." + std::to_string(100 + number);
  e.nominal = "97.120";
  e.upper = "97.150";
  e.lower = "97.090";
  e.verdict = LogVerdict::kWithin;
  e.backCalculation = LogBackCalculation::kSucceeded;
  e.xE = "0.2400";
  e.user = "pruef";
  e.serial = "S-" + std::to_string(number);
  return e;
}

// Runs `action` in a child process, without the administrator's right to
// write any file when the test runs as root; its status, or -1 when it died.
inline int InChildWithoutRootRights(const std::function<int()>& action) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(99);
    ::_exit(action());
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The answer of one SQL statement run on the file by SQLite itself, past
// the program (the first column of the first row; "error: ..." on failure).
inline std::string RawSql(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  std::string answer;
  if (sqlite3_open(path.c_str(), &db) == SQLITE_OK) {
    auto first = [](void* out, int, char** values, char**) {
      auto* text = static_cast<std::string*>(out);
      if (text->empty() && values[0] != nullptr) *text = values[0];
      return 0;
    };
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), first, &answer, &error) != SQLITE_OK) {
      answer = std::string("error: ") + (error ? error : "");
      sqlite3_free(error);
    }
  }
  sqlite3_close(db);
  return answer;
}

}  // namespace silvarone::testing
