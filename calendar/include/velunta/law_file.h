#pragma once
// The law file (target velunta::calendar_file, which reads TOML with toml++): the format of
// calendar/data/law.toml, which the build compiles in and which installs as
// share/velunta/law.toml, with its format described in its own comments. A newer copy is read
// here and, once entirely right, made a Law:
//
//   auto law = velunta::ReadLawFile("/etc/velunta/law.toml");
//   if (!law) { std::cerr << law.error().ToString() << '\n'; return 2; }
//   velunta::UseLaw(**law);
//   // law.toml:57: no such day: month 2, day 30
//
// A file that is not entirely right (no TOML, an unknown key, a value of the wrong type, a
// missing key, anything MakeLaw refuses) is an error naming the file and the line; nothing is
// made and the law in use stays as it was.

#include <filesystem>
#include <string_view>

#include <velunta/calendar_file.h>
#include <velunta/calendar_file_export.h>
#include <velunta/law.h>

namespace velunta {

// Returns the description of a law file's text once CheckLaw finds nothing wrong with it, without
// making a law (a checker's, or a fuzzer's, way to read many files). Never throws.
VELUNTA_CALENDAR_FILE_EXPORT CalendarFileResult<LawDescription> ReadLawDescription(
    std::string_view text, std::string_view fileName);

// Returns the law of a law file's text; `fileName` names the file in errors and becomes the
// law's Source(). Never throws.
VELUNTA_CALENDAR_FILE_EXPORT CalendarFileResult<const Law*> ReadLaw(std::string_view text,
                                                                    std::string_view fileName);

// Returns the law of the file at `path` (a regular file of at most 1 MB); a file that cannot be
// read is an error on line 0.
VELUNTA_CALENDAR_FILE_EXPORT CalendarFileResult<const Law*> ReadLawFile(
    const std::filesystem::path& path);

}  // namespace velunta
