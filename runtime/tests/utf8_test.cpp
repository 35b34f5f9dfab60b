// Well-formed UTF-8 and the malformed forms that must not pass for it.

#include <gtest/gtest.h>

#include <string>

#include <velunta/runtime/utf8.h>

namespace velunta::runtime {
namespace {

TEST(Utf8, SequenceLengths) {
  const struct {
    const char* name;
    std::string text;
    std::size_t length;
  } kCases[] = {
      {"ASCII", "a", 1},
      {"two bytes", "\xC3\xA9", 2},
      {"three bytes", "日", 3},
      {"four bytes", "\xF0\x9F\x8E\x8C", 4},
      {"empty", "", 0},
      {"stray continuation", "\x80", 0},
      {"overlong slash", "\xC0\xAF", 0},
      {"overlong three", "\xE0\x80\xAF", 0},
      {"surrogate", "\xED\xA0\x80", 0},
      {"above U+10FFFF", "\xF4\x90\x80\x80", 0},
      {"cut short", "\xE6\x97", 0},
      {"bad continuation", "\xE6\x41\x41", 0},
      {"largest", "\xF4\x8F\xBF\xBF", 4},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Utf8SequenceLength(row.text), row.length);
    EXPECT_EQ(IsUtf8(row.text), row.text.empty() || row.length == row.text.size());
  }
  EXPECT_TRUE(IsUtf8("令和8年5月6日"));
  EXPECT_FALSE(IsUtf8("令和\xFF"));
}

}  // namespace
}  // namespace velunta::runtime
