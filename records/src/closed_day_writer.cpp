#include <velunta/records/closed_day_writer.h>

#include <string>

namespace velunta::records {
namespace {

constexpr std::string_view kColumns[] = {"date",    "weekday",   "name",    "name_en",   "kind",
                                         "day_off", "predicted", "reasons", "reasons_ja"};

// Returns the reasons joined: ids with ";" (holiday;weekend), or the labels of a language with
// "・" / ", ".
std::string Joined(const ClosedReasons& reasons, std::string_view (*text)(ClosedReason),
                   std::string_view separator) {
  std::string joined;
  for (const auto reason : reasons.List()) {
    if (!joined.empty()) joined += separator;
    joined += text(reason);
  }
  return joined;
}

// Returns the reasons as their ids or labels, in the order of ClosedReason: a list cell.
Texts Listed(const ClosedReasons& reasons, std::string_view (*text)(ClosedReason)) {
  Texts listed;
  for (const auto reason : reasons.List()) listed.emplace_back(text(reason));
  return listed;
}

std::string ClosedLine(const DayRecord& day, const ClosedDay& closed, Lang lang) {
  std::string line = DayLine(day, lang);
  line += lang == Lang::en ? " [" : " 【";
  line += lang == Lang::en ? Joined(closed.reasons, ClosedReasonNameEn, ", ")
                           : Joined(closed.reasons, ClosedReasonName, "・");
  line += lang == Lang::en ? "]" : "】";
  return line;
}

}  // namespace

std::span<const std::string_view> ClosedDayColumns() noexcept {
  return kColumns;
}

void WriteClosedDays(std::span<const ClosedDay> days, const DaySource& source,
                     const WriterOptions& options, std::ostream& out) {
  if (options.format == Format::csv || options.format == Format::json) {
    const auto table = MakeTableWriter(options.format, out, options.byteOrderMark);
    table->Begin(kColumns);
    for (const auto& closed : days) {
      const auto day = source.Day(closed.date);
      const Cell cells[] = {IsoDate(day.date),
                            WeekdayText(day.date, Lang::en),
                            day.name,
                            day.nameEn,
                            std::string(KindId(day.kind)),
                            day.dayOff,
                            day.predicted,
                            Listed(closed.reasons, ClosedReasonId),
                            Listed(closed.reasons, ClosedReasonName)};
      table->Row(cells);
    }
    table->End();
    return;
  }
  if (options.format == Format::ics) {
    // A calendar program shows each closed day as an event named by its holiday or its reasons.
    const auto writer = MakeDayWriter(options, out);
    writer->Begin();
    for (const auto& closed : days) {
      auto day = source.Day(closed.date);
      if (!IsHolidayKind(day.kind)) {
        day.name = Joined(closed.reasons, ClosedReasonName, "・");
        day.nameEn = Joined(closed.reasons, ClosedReasonNameEn, ", ");
      }
      day.dayOff = true;
      day.businessDay = false;
      writer->Day(day);
    }
    writer->End();
    return;
  }
  for (const auto& closed : days)
    out << ClosedLine(source.Day(closed.date), closed, options.lang) << '\n';
}

}  // namespace velunta::records
