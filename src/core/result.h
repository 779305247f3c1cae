// The one way a function that can fail says so: it gives a Result, the
// value or the Problem that kept it from being made. A Problem holds facts
// (which problem, the file, a reason, a limit); the window words them in the
// language of the moment (ui/texts), so no layer below the window writes a
// message. Only the numbered messages of the input and the project
// operations keep their numbers.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

#include "platform/file_system.h"

namespace silvarone {

enum class ProblemKind {
  kCannotRead,         // path; reason and limit
  kCannotWrite,        // path
  kNoTableFile,        // path: a table file that cannot be opened
  kTableFormat,        // path; detail: the line and what the table reader found there
  kNoDocumentList,     // path: the help document list is missing
  kEmptyDocumentList,  // path: the help document list holds nothing
  kFolderNotStorable,  // path: a folder the settings cannot hold; detail: the folder kept
  kBallListFull,       // the instrument's ball sequence holds the most balls it may
};

struct Problem {
  ProblemKind kind = ProblemKind::kCannotRead;
  std::string path{};
  std::string detail{};
  platform::ReadFailure reason = platform::ReadFailure::kError;
  std::size_t limit = 0;

  bool operator==(const Problem&) const = default;
};

// E is what a failure holds: a Problem for what the window words, or the
// command line's own one-line message.
template <typename T, typename E = Problem>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}        // NOLINT: a value is a success
  Result(E problem) : problem_(std::move(problem)) {}  // NOLINT: so is a problem a failure

  bool has_value() const { return value_.has_value(); }
  explicit operator bool() const { return has_value(); }
  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }
  // The problem of a failure (only then).
  const E& problem() const { return *problem_; }

  bool operator==(const Result& other) const = default;
  friend bool operator==(const Result& result, const T& value) {
    return result.has_value() && *result == value;
  }

 private:
  std::optional<T> value_;
  std::optional<E> problem_;
};

// The result of an operation that makes no value.
template <typename E>
class [[nodiscard]] Result<void, E> {
 public:
  Result() = default;
  Result(E problem) : problem_(std::move(problem)) {}  // NOLINT: a failure

  bool has_value() const { return !problem_.has_value(); }
  explicit operator bool() const { return has_value(); }
  const E& problem() const { return *problem_; }

 private:
  std::optional<E> problem_;
};

}  // namespace silvarone
