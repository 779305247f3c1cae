// Shared by the fuzz targets: a check that stops the run with a message (a
// finding for libFuzzer, a failure for the replay test), a reader of the
// fuzzer's bytes, and a private folder for the targets that need files.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (false)

namespace silvarone::fuzz {

// Takes the fuzzer's bytes piece by piece; past the end every piece is empty.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  std::uint8_t Byte() {
    if (rest_.empty()) return 0;
    const auto byte = static_cast<std::uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return byte;
  }
  // A text of up to 255 bytes, its length given by the byte before it.
  std::string Text() {
    const std::size_t length = std::min<std::size_t>(Byte(), rest_.size());
    std::string text(rest_.substr(0, length));
    rest_.remove_prefix(length);
    return text;
  }
  // A text of up to 65535 bytes, its length given by the two bytes before it.
  std::string LongText() {
    const std::size_t high = Byte();
    const std::size_t length = std::min<std::size_t>(high << 8 | Byte(), rest_.size());
    std::string text(rest_.substr(0, length));
    rest_.remove_prefix(length);
    return text;
  }
  std::string Rest() {
    std::string rest(rest_);
    rest_ = {};
    return rest;
  }
  bool Empty() const { return rest_.empty(); }

 private:
  std::string_view rest_;
};

// A folder of this process's own below the temporary folder, made once and
// removed at exit, ending in '/'.
const std::string& PrivateFolder();

// Writes the bytes to a file of that name in the private folder; its path.
std::string WriteFile(const std::string& name, std::string_view bytes);

}  // namespace silvarone::fuzz
