#include "json_text.h"

#include <sstream>

#include <velunta/records/closed_day_writer.h>
#include <velunta/records/day_source.h>
#include <velunta/records/day_writer.h>
#include <velunta/records/table_writer.h>

namespace velunta::js {

std::string DaysJson(std::span<const records::DayRecord> days) {
  std::ostringstream out;
  const auto writer = records::MakeDayWriter({.format = records::Format::json}, out);
  writer->Begin();
  for (const auto& day : days) writer->Day(day);
  writer->End();
  return std::move(out).str();
}

std::string ClosedDaysJson(std::span<const ClosedDay> days) {
  std::ostringstream out;
  records::WriteClosedDays(days, records::LawSource(), {.format = records::Format::json}, out);
  return std::move(out).str();
}

std::string EquinoxesJson(const records::YearEquinoxRecords& equinoxes) {
  std::ostringstream out;
  const auto table = records::MakeJsonWriter(out);
  table->Begin(records::EquinoxColumns());
  for (const auto* equinox : {&equinoxes.vernal, &equinoxes.autumnal}) {
    table->Row(records::EquinoxCells(*equinox));
  }
  table->End();
  return std::move(out).str();
}

}  // namespace velunta::js
