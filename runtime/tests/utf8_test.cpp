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

TEST(Utf8, EscapedOnOneLine) {
  const struct {
    const char* name;
    std::string text;
    std::size_t most;
    std::string escaped;
  } kCases[] = {
      {"plain", "2026/05/06", 64, "2026/05/06"},
      {"Japanese kept", "令和8年5月6日", 64, "令和8年5月6日"},
      {"line feed", "a\nb", 64, "a\\nb"},
      {"carriage return and escape", "\r\x1b[31m", 64, "\\r\\x1b[31m"},
      {"NUL", std::string("a\0b", 3), 64, "a\\0b"},
      {"delete", "a\x7f", 64, "a\\x7f"},
      {"line separator, each byte", "a\u2028b", 64, "a\\xe2\\x80\\xa8b"},
      {"paragraph separator", "\u2029", 64, "\\xe2\\x80\\xa9"},
      {"C1 control NEL", "\xC2\x85", 64, "\\xc2\\x85"},
      {"no-break space kept", "\xC2\xA0", 64, "\xC2\xA0"},
      {"byte-order mark named", "\uFEFF2026", 64, "\\ufeff2026"},
      {"zero-width space named", "a\u200Bb", 64, "a\\u200bb"},
      {"right-to-left override named", "\u202Eabc", 64, "\\u202eabc"},
      {"soft hyphen named", "a\u00ADb", 64, "a\\u00adb"},
      {"tag character named", "\U000E0041", 64, "\\U000e0041"},
      {"ideographic space kept", "\u3000", 64, "\u3000"},
      {"stray byte",
       "a\xFF"
       "b",
       64, "a\\xffb"},
      {"cut short sequence", "\xE6\x97", 64, "\\xe6\\x97"},
      {"cut after the characters", "日本国民", 2, "日本…"},
      {"an escape counts as one character", "\n\n\n", 2, "\\n\\n…"},
      {"nothing cut at the limit", "abc", 3, "abc"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(EscapedOnOneLine(row.text, row.most), row.escaped);
  }
}

// Every byte pair: the result is well-formed UTF-8 with no byte that breaks a line.
TEST(Utf8, EscapedOnOneLineNeverBreaksALine) {
  for (unsigned a = 0; a < 256; ++a) {
    for (unsigned b = 0; b < 256; ++b) {
      const char text[] = {static_cast<char>(a), static_cast<char>(b), '\xA8'};
      const std::string escaped = EscapedOnOneLine(std::string_view(text, 3), 64);
      ASSERT_TRUE(IsUtf8(escaped)) << a << " " << b;
      for (const char c : escaped) {
        const auto byte = static_cast<unsigned char>(c);
        ASSERT_TRUE(byte >= 0x20 && byte != 0x7F) << a << " " << b;
      }
      ASSERT_EQ(escaped.find("\u2028"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace velunta::runtime
