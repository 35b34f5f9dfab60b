#pragma once
// A bit for each day of 1600-01-01..2399-12-31 with rank (set bits before a day) and select (the
// day with a given rank) in constant time: a count of set bits before each 64-day word, then the
// bits of one word.

#include <array>
#include <bit>
#include <chrono>
#include <cstdint>

#include <velunta/calendar.h>

namespace velunta::detail {

inline constexpr std::chrono::sys_days kFirstDay{kFirstDate};
inline constexpr int kDayCount =
    static_cast<int>((std::chrono::sys_days{kLastDate} - kFirstDay).count()) + 1;  // 292,194
inline constexpr int kWordCount = (kDayCount + 63) / 64;                           // 4,566

// Returns the index of a day counted from 1600-01-01; outside 0..kDayCount - 1 for other years.
constexpr int IndexOf(std::chrono::sys_days day) noexcept {
  return static_cast<int>((day - kFirstDay).count());
}

constexpr bool IsIndex(int index) noexcept {
  return static_cast<unsigned>(index) < static_cast<unsigned>(kDayCount);
}

// The set bits of a word, by halves, nibbles and bytes: the baseline x86-64 target has no
// population-count instruction and std::popcount would call a library routine.
constexpr int PopCount(std::uint64_t x) noexcept {
  x -= (x >> 1) & 0x5555555555555555U;
  x = (x & 0x3333333333333333U) + ((x >> 2) & 0x3333333333333333U);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FU;
  return static_cast<int>((x * 0x0101010101010101U) >> 56);
}

// Returns the position of the set bit of `x` with `rank` set bits below it; rank < PopCount(x).
constexpr int SelectInWord(std::uint64_t x, int rank) noexcept {
  int position = 0;
  for (int inByte = PopCount(x & 0xFF); rank >= inByte; inByte = PopCount(x & 0xFF)) {
    rank -= inByte;
    x >>= 8;
    position += 8;
  }
  for (; rank > 0; --rank) x &= x - 1;  // at most 7 steps
  return position + std::countr_zero(x);
}

class DayBits {
 public:
  bool Test(int index) const noexcept {
    return (words_[static_cast<unsigned>(index) >> 6] >> (index & 63) & 1U) != 0;
  }
  void Set(int index) noexcept { words_[static_cast<unsigned>(index) >> 6] |= Bit(index); }
  void Clear(int index) noexcept { words_[static_cast<unsigned>(index) >> 6] &= ~Bit(index); }

  // Ors `bits` (bit j: day index + j; fewer than 32 bits) into the days from `index` on.
  void SetRun(int index, std::uint32_t bits, unsigned length) noexcept {
    const auto word = static_cast<unsigned>(index) >> 6;
    const auto shift = static_cast<unsigned>(index & 63);
    words_[word] |= std::uint64_t{bits} << shift;
    if (shift + length > 64) words_[word + 1] |= std::uint64_t{bits} >> (64 - shift);
  }

  // Counts the set bits before each word; call after the last change, before Rank or Select.
  void Count() noexcept {
    for (std::size_t w = 0; w < words_.size(); ++w) {
      before_[w + 1] = before_[w] + static_cast<std::uint32_t>(PopCount(words_[w]));
    }
  }

  // Returns the number of set bits of the days before `index`, 0 <= index <= kDayCount.
  int Rank(int index) const noexcept {
    const auto word = static_cast<unsigned>(index) >> 6;
    const std::uint64_t below = (std::uint64_t{1} << (index & 63)) - 1;
    return static_cast<int>(before_[word]) + PopCount(words_[word] & below);
  }
  // Returns the number of set bits before a word, 0 <= word <= kWordCount.
  int RankOfWord(int word) const noexcept {
    return static_cast<int>(before_[static_cast<unsigned>(word)]);
  }
  int Total() const noexcept { return RankOfWord(kWordCount); }

  // Returns the index of the set bit with `rank` set bits before it, searching the words lo..hi
  // known to hold it; 0 <= rank < Total().
  int Select(int rank, int lo, int hi) const noexcept {
    const auto r = static_cast<std::uint32_t>(rank);
    while (lo < hi) {  // the last word whose count before it is <= rank
      const int mid = (lo + hi + 1) / 2;
      if (before_[static_cast<unsigned>(mid)] <= r) {
        lo = mid;
      } else {
        hi = mid - 1;
      }
    }
    const auto word = static_cast<unsigned>(lo);
    return lo * 64 + SelectInWord(words_[word], static_cast<int>(r - before_[word]));
  }

 private:
  static std::uint64_t Bit(int index) noexcept { return std::uint64_t{1} << (index & 63); }

  std::array<std::uint64_t, kWordCount> words_{};
  std::array<std::uint32_t, kWordCount + 1> before_{};
};

}  // namespace velunta::detail
