#pragma once
// Typed values taken one after another from the fuzzer's bytes. When the bytes run out every
// value reads as zero, so each input, however short, is a complete request.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace velunta::fuzz {

class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) noexcept
      : at_(reinterpret_cast<const char*>(data)), left_(size) {}

  // Returns the next sizeof(T) bytes as a T (host byte order), zero-filled past the end.
  template <class T>
  requires std::is_integral_v<T> T Take()
  noexcept {
    std::make_unsigned_t<T> bits = 0;
    const std::size_t n = left_ < sizeof bits ? left_ : sizeof bits;
    if (n != 0) std::memcpy(&bits, at_, n);  // data may be null for an empty input
    at_ += n;
    left_ -= n;
    return static_cast<T>(bits);
  }

  bool TakeBool() noexcept { return (Take<std::uint8_t>() & 1U) != 0; }

  // Returns the next up to `size` bytes as a text.
  std::string_view TakeText(std::size_t size) noexcept {
    const std::size_t n = left_ < size ? left_ : size;
    const std::string_view text(at_, n);
    at_ += n;
    left_ -= n;
    return text;
  }

  // Returns a text whose length is read from one byte first (at most 255 bytes).
  std::string_view TakeShortText() noexcept { return TakeText(Take<std::uint8_t>()); }

  // Returns every byte left.
  std::string_view TakeRest() noexcept { return TakeText(left_); }

  bool Empty() const noexcept { return left_ == 0; }

 private:
  const char* at_;
  std::size_t left_;
};

}  // namespace velunta::fuzz
