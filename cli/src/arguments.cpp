#include "arguments.h"

#include "usage_error.h"

namespace velunta::cli {

using namespace std::chrono;
using request::DateStyle;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

void Refuse(const request::Refusal& refusal, std::string_view option) {
  throw UsageError(request::Worded(refusal, option));
}

year_month_day ReadDateWord(std::string_view text, const records::DaySource& source,
                            year_month_day today) {
  return Checked(request::Date(text, source, DateStyle::slash, today));
}

std::vector<year_month_day> ReadDates(std::span<const std::string> texts,
                                      const records::DaySource& source, year_month_day today,
                                      std::istream& in) {
  std::vector<year_month_day> dates;
  bool stdinRead = false;
  for (const auto& text : texts) {
    if (text != "-") {
      dates.push_back(ReadDateWord(text, source, today));
      continue;
    }
    if (stdinRead) throw UsageError("standard input given twice: '-'; accepted: one '-'");
    stdinRead = true;
    std::string line;
    for (std::size_t number = 1; std::getline(in, line); ++number) {
      // Notepad and Excel start a UTF-8 file with a byte-order mark, as --bom does.
      if (number == 1 && line.starts_with(kByteOrderMark)) line.erase(0, kByteOrderMark.size());
      const auto first = line.find_first_not_of(" \t\r");
      if (first == std::string::npos) continue;  // a blank line
      const auto last = line.find_last_not_of(" \t\r");
      const std::string_view date = std::string_view(line).substr(first, last - first + 1);
      auto read = request::Date(date, source, DateStyle::slash, today);
      if (!read.has_value()) {
        throw UsageError("line " + std::to_string(number) +
                         " of standard input: " + request::Worded(read.refusal()));
      }
      dates.push_back(*read);
    }
    if (in.bad()) throw UsageError("cannot read standard input");
  }
  return dates;
}

std::string StandardInputHelp() {
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(kQuietInputBound);
  std::string help =
      "No DATE: today in Japan. A DATE of - reads one date a line from standard input (blank "
      "lines and a leading byte-order mark skipped). Dates piped in without - are refused with "
      "status 2, whenever they arrive; a closed input (cron's, </dev/null) or a terminal means "
      "today, and an input left open and silent for ";
  help.append(std::to_string(seconds.count()))
      .append(" seconds (ssh) is answered for today with a line on stderr saying so.");
  return help;
}

std::vector<year_month_day> DatesOrToday(std::span<const std::string> texts,
                                         const records::DaySource& source, const Environment& env,
                                         std::string_view command) {
  if (!texts.empty()) return ReadDates(texts, source, env.today, env.in);
  const InputState input = env.inputState == nullptr ? InputState::nothing : env.inputState();
  if (input == InputState::dates) {
    // Never answer for today when dates were piped in: they were meant to be read.
    std::string message = "dates on standard input are read only when a DATE is '-'; accepted: ";
    message.append(command).append(" - to read them, ");
    message.append(command).append(" </dev/null for today");
    throw UsageError(message);
  }
  if (input == InputState::silent) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(kQuietInputBound);
    env.err << "velunta: nothing arrived on standard input in " << seconds.count()
            << " s; the answer is about today in Japan, " << records::IsoDate(env.today)
            << " (give a DATE, or '-' to read dates)" << std::endl;
  }
  return {env.today};
}

year_month_day ReadRangeEnd(std::string_view text, const records::DaySource& source,
                            year_month_day today, RangeEnd end) {
  return Checked(request::RangeEndDate(text, source, end, DateStyle::slash, today));
}

void RequireInOrder(year_month_day first, year_month_day last, std::string_view firstText,
                    std::string_view lastText) {
  if (auto refusal = request::OutOfOrder(first, last, firstText, lastText, "FROM", "TO")) {
    Refuse(*refusal);
  }
}

}  // namespace velunta::cli
