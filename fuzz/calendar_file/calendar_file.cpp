// The calendar-file reader with arbitrary text: a file is either entirely accepted, and then a
// calendar is made from it, or refused with one line that names the file and a line of it.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <velunta/calendar_file.h>

#include "../common/fuzz_check.h"

namespace {

using velunta::fuzz::Escaped;
using velunta::fuzz::Require;

constexpr std::string_view kName = "fuzz.toml";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto options = velunta::ReadCalendarOptions(text, kName);
  const auto calendar = velunta::ReadCalendar(text, kName);
  Require(options.has_value() == calendar.has_value(),
          "what the reader accepts makes a calendar, and only that", Escaped(text));
  if (options.has_value()) return 0;

  const auto& error = options.error();
  const std::string line = error.ToString();
  const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
  Require(error.file == kName, "the error names the file", line);
  Require(error.line >= 1 && error.line <= lines, "the error names a line of the file",
          line + " of " + std::to_string(lines));
  Require(line.starts_with(std::string(kName) + ":" + std::to_string(error.line) + ": "),
          "the message starts FILE:LINE:", line);
  Require(std::none_of(line.begin(), line.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20; }),
          "the message is one line without control characters", Escaped(line));
  Require(calendar.error() == error, "both readers give the same error", line);
  return 0;
}
