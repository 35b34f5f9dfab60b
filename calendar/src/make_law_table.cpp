// Writes the built-in law (law_table.inc) from the law file, for law_data.cpp to compile in:
//   velunta_make_law_table calendar/data/law.toml <build>/law_table.inc
// The file is only read here; that it makes a law the engine accepts is proved by the tests,
// which load it through MakeLaw and compare it with the built-in law row by row.

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>

#include "law_toml.h"
#include "small_file.h"

namespace {

// Returns a C++ string literal of UTF-8 text.
std::string Literal(std::string_view text) {
  std::string literal = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') literal += '\\';
    literal += c;
  }
  literal += '"';
  return literal;
}

std::string DateExpression(std::chrono::year_month_day date) {
  std::ostringstream out;
  out << "year{" << static_cast<int>(date.year()) << "} / " << static_cast<unsigned>(date.month())
      << " / " << static_cast<unsigned>(date.day());
  return out.str();
}

std::string_view RuleName(velunta::LawDayRule rule) {
  switch (rule) {
    case velunta::LawDayRule::fixedDay:
      return "LawDayRule::fixedDay";
    case velunta::LawDayRule::nthMonday:
      return "LawDayRule::nthMonday";
    case velunta::LawDayRule::equinox:
      return "LawDayRule::equinox";
  }
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: velunta_make_law_table LAW.toml OUTPUT.inc\n";
    return 2;
  }
  auto bytes = velunta::detail::ReadSmallFile(argv[1]);
  if (bytes.index() == 1) {
    std::cerr << argv[1] << ": cannot read the file: " << std::get<1>(bytes) << '\n';
    return 1;
  }
  auto parsed = velunta::detail::ParseLawText(std::get<0>(bytes), argv[1]);
  if (parsed.index() == 1) {
    const auto& error = std::get<1>(parsed);
    std::cerr << error.file << ':' << error.line << ": " << error.message << '\n';
    return 1;
  }
  auto law = std::get<0>(std::move(parsed)).description;
  std::stable_sort(law.rows.begin(), law.rows.end(),
                   [](const auto& a, const auto& b) { return a.month < b.month; });

  std::ostringstream out;
  out << "// Written by velunta_make_law_table from law.toml: edit that file, not this one.\n"
      << "constexpr std::string_view kBuiltInVersion = " << Literal(law.version) << ";\n"
      << "constexpr int kBuiltInLastAnnouncedEquinoxYear = " << law.lastAnnouncedEquinoxYear
      << ";\n"
      << "constexpr RuleDates kBuiltInDates{" << DateExpression(law.substituteFrom) << ", "
      << DateExpression(law.substituteNextFreeDay) << ", " << DateExpression(law.citizensFrom)
      << ", " << DateExpression(law.citizensAnyWeekday) << "};\n"
      << "constexpr Rule kBuiltInRules[] = {\n";
  for (const auto& row : law.rows) {
    out << "    {" << row.month << ", " << RuleName(row.rule) << ", " << row.value << ", "
        << row.first << ", " << row.last << ", "
        << (row.kind == velunta::HolidayKind::specialAct ? "S" : "N") << ", " << Literal(row.name)
        << ", " << Literal(row.listName) << ", " << Literal(row.nameEn) << "},\n";
  }
  out << "};\n";

  std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
  file << out.str();
  file.close();
  if (!file) {
    std::cerr << argv[2] << ": cannot write the file\n";
    return 1;
  }
  return 0;
}
