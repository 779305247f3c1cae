// Table-driven tests run each row as a test of its own, named after the row,
// so that a failure says which gear or case it was.
#pragma once

#include <ostream>
#include <string>

namespace silvarone::testing {

// Name generator for INSTANTIATE_TEST_SUITE_P: the row's `name` member
// (letters, digits and '_' only, unique within the table).
inline constexpr auto RowName = [](const auto& info) { return std::string(info.param.name); };

}  // namespace silvarone::testing

// Failure messages show a row by its name rather than as the bytes of the
// row. Stands where the row's type is declared, so that the test framework
// finds the printer beside the type.
#define SILVARONE_PRINT_ROW_NAME(Row)                                \
  [[maybe_unused]] void PrintTo(const Row& row, std::ostream* out) { \
    *out << row.name;                                                \
  }
