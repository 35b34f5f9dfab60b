#pragma once
// UTF-8 as text from outside arrives: well-formed or not.

#include <cstddef>
#include <string>
#include <string_view>

#include <velunta/runtime_export.h>

namespace velunta::runtime {

// Returns the length (1..4) of the well-formed UTF-8 sequence that starts `text`, or 0 when it
// starts with no such sequence: a stray continuation byte, an overlong form, a surrogate, a code
// point above U+10FFFF or a sequence cut short. Example: "日本" -> 3; "\xC0\xAF" -> 0.
VELUNTA_RUNTIME_EXPORT std::size_t Utf8SequenceLength(std::string_view text) noexcept;

// Returns whether the whole text is well-formed UTF-8 (an empty text is).
VELUNTA_RUNTIME_EXPORT bool IsUtf8(std::string_view text) noexcept;

// Returns text as a one-line message may repeat it: each character that could break the line or
// the terminal (a control character, a line or paragraph separator, a C1 control) or that is no
// UTF-8 is written as an escape, \n, \r, \t, \0, \a, \b, \v, \f or \xNN a byte; a character
// that shows nothing (a byte-order mark, a zero-width space, a bidirectional control) as \uNNNN;
// after mostCharacters characters the text is cut with "…".
// Examples: "a\nb" -> "a\\nb" (a backslash and an n); "\x1b[31m" -> "\\x1b[31m"; "日本" -> "日本";
// "\uFEFF2026" -> "\\ufeff2026".
VELUNTA_RUNTIME_EXPORT std::string EscapedOnOneLine(std::string_view text,
                                                    std::size_t mostCharacters);

// Returns "'text'" as the command's and the server's messages quote what was typed: escaped as
// above and cut after 64 characters. Example: "a\rb" -> "'a\\rb'".
VELUNTA_RUNTIME_EXPORT std::string Quoted(std::string_view text);

}  // namespace velunta::runtime
