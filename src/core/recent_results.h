#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace silvarone {

// The last results of a pure function of up to four numbers (an iterative
// solver, an angle of the gear's geometry), each with all of its arguments:
// an argument list met again, bit for bit, gives the stored result without
// computing. Slots are chosen by the first argument's bits; a newer argument
// list replaces an older one in its slot.
template <std::size_t Size>
class RecentResults {
  static_assert(Size > 0 && (Size & (Size - 1)) == 0, "a power of two");

 public:
  // The arguments; unused ones are 0.
  using Key = std::array<double, 4>;
  struct Solution {
    double value = 0.0;
    long iterations = 0;  // of a solver
  };

  bool Find(const Key& key, Solution& solution) const {
    const Slot& slot = slots_[SlotOf(key)];
    if (!slot.used || std::memcmp(slot.key.data(), key.data(), sizeof(Key)) != 0) return false;
    solution = slot.solution;
    return true;
  }

  void Keep(const Key& key, const Solution& solution) {
    slots_[SlotOf(key)] = {key, solution, true};
  }

  // The value of compute() for these arguments, kept or computed now.
  template <typename Compute>
  double Of(const Key& key, Compute compute) {
    Solution solution;
    if (!Find(key, solution)) {
      solution.value = compute();
      Keep(key, solution);
    }
    return solution.value;
  }

 private:
  struct Slot {
    Key key{};
    Solution solution;
    bool used = false;
  };

  static std::size_t SlotOf(const Key& key) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(key[0]) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(bits >> 32) & (Size - 1);
  }

  std::array<Slot, Size> slots_{};
};

}  // namespace silvarone
