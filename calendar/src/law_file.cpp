// The law file: its TOML read with the line of every value, then made a law by MakeLaw, whose
// problem is reported at the line of the value it names.

#include <velunta/law_file.h>

#include "law_toml.h"
#include "small_file.h"
#include "toml_reading.h"

namespace velunta {

CalendarFileResult<LawDescription> ReadLawDescription(std::string_view text,
                                                      std::string_view fileName) {
  auto parsed = detail::ParseLawText(text, fileName);
  if (parsed.index() == 1) return std::get<1>(std::move(parsed));
  auto& [description, lines] = std::get<0>(parsed);
  if (auto problem = CheckLaw(description)) {
    return CalendarFileError{std::string(fileName), lines.LineOf(*problem),
                             detail::OneLine(problem->message)};
  }
  return std::move(description);
}

CalendarFileResult<const Law*> ReadLaw(std::string_view text, std::string_view fileName) {
  auto description = ReadLawDescription(text, fileName);
  if (!description) return description.error();
  auto law = MakeLaw(std::move(description).value(), std::string(fileName));
  // Checked above: MakeLaw refuses nothing CheckLaw passed.
  if (law.index() == 1)
    return CalendarFileError{std::string(fileName), 0, std::get<1>(law).message};
  return std::get<0>(law);
}

CalendarFileResult<const Law*> ReadLawFile(const std::filesystem::path& path) {
  auto bytes = detail::ReadSmallFile(path);
  if (bytes.index() == 1) {
    return CalendarFileError{path.string(), 0, "cannot read the file: " + std::get<1>(bytes)};
  }
  return ReadLaw(std::get<0>(bytes), path.string());
}

}  // namespace velunta
