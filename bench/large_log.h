// A large log for the benchmarks: the first record made by the program, the
// rest copied from it in one transaction by SQLite itself (recording them one
// by one would flush the disk each time).
#pragma once

#include <sqlite3.h>

#include <string>

namespace silvarone::bench {

// Copies record 1 of the log `file` until it holds `records`; `measured` is
// the SQL of each copy's measured value over its number i (1, 2, ...), and
// `then` runs afterwards (empty: nothing).
inline void CopyFirstRecord(const std::string& file, int records, const std::string& measured,
                            const std::string& then = "") {
  sqlite3* db = nullptr;
  sqlite3_open(file.c_str(), &db);
  const std::string copy =
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
      std::to_string(records - 1) +
      ") INSERT INTO inspection (recorded_utc, utc_offset_minutes, project_file, "
      "project_name, drawing, m_n, z, alpha_n, beta, x, dimension, measured, nominal, "
      "upper_limit, lower_limit, verdict, back_calculation, x_e, user_name, serial) "
      "SELECT recorded_utc, utc_offset_minutes, project_file, project_name, drawing, m_n, z, "
      "alpha_n, beta, x, dimension, " +
      measured +
      ", nominal, upper_limit, lower_limit, verdict, back_calculation, x_e, user_name, "
      "'S-' || i FROM inspection, n WHERE id = 1";
  sqlite3_exec(db, copy.c_str(), nullptr, nullptr, nullptr);
  if (!then.empty()) sqlite3_exec(db, then.c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

}  // namespace silvarone::bench
