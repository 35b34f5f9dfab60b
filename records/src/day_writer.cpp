#include <velunta/records/day_writer.h>

#include <array>
#include <cstdio>

#include <velunta/records/ics_text.h>

namespace velunta::records {
namespace {

using namespace std::chrono;

constexpr std::array<std::string_view, 8> kDayColumns = {
    "date", "weekday", "name", "name_en", "kind", "day_off", "predicted", "business_day"};

class TextDayWriter final : public DayWriter {
 public:
  TextDayWriter(Lang lang, std::ostream& out) : lang_(lang), out_(out) {}
  void Begin() override {}
  void Day(const DayRecord& day) override { out_ << DayLine(day, lang_) << '\n'; }
  void End() override {}

 private:
  Lang lang_;
  std::ostream& out_;
};

class TableDayWriter final : public DayWriter {
 public:
  explicit TableDayWriter(std::unique_ptr<TableWriter> table) : table_(std::move(table)) {}
  void Begin() override { table_->Begin(kDayColumns); }
  void Day(const DayRecord& day) override {
    const auto cells = DayCells(day);
    table_->Row(cells);
  }
  void End() override { table_->End(); }

 private:
  std::unique_ptr<TableWriter> table_;
};

// The stamp of an event is the instant its day begins in Japan, in UTC (2026-05-06 ->
// 20260505T150000Z). What the file says about a day depends only on the day and the rules, never
// on when the file was written; a stamp taken from the data makes the output byte-for-byte the
// same on every run and machine, so it can be diffed, cached and re-imported without every event
// looking revised.
std::string Stamp(year_month_day date) {
  const sys_seconds start = sys_days{date} - velunta::kJstOffset;
  const auto day = floor<days>(start);
  const year_month_day ymd{day};
  const hh_mm_ss time{start - day};
  char text[64];
  std::snprintf(text, sizeof text, "%04d%02u%02uT%02d%02d%02dZ", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

// A plain Sunday of the window's list has no name of its own; the calendar names it anyway.
std::string_view NameOf(const DayRecord& day, Lang lang) {
  if (day.name.empty() && day.kind == DayKind::sunday) {
    return lang == Lang::en ? kSundayNameEn : kSundayName;
  }
  return lang == Lang::en ? day.nameEn : day.name;
}

std::string Description(const DayRecord& day) {
  std::string text = std::string(NameOf(day, Lang::ja)) + ", " +
                     std::string(NameOf(day, Lang::en)) + "; " + std::string(KindId(day.kind));
  if (day.predicted) text += "\n予測: 春分・秋分の日は前年2月の官報で確定します (predicted)";
  return text;
}

class IcsDayWriter final : public DayWriter {
 public:
  IcsDayWriter(const WriterOptions& options, std::ostream& out, std::string_view refresh = {})
      : lang_(options.lang), productId_(options.productId), refresh_(refresh), out_(out) {}

  void Begin() override {
    const bool en = lang_ == Lang::en;
    out_ << FoldLine("BEGIN:VCALENDAR") << FoldLine("VERSION:2.0")
         << FoldLine("PRODID:" + productId_) << FoldLine("CALSCALE:GREGORIAN")
         << FoldLine(std::string("X-WR-CALNAME:") + (en ? "Holidays in Japan" : "日本の祝日"));
    if (!refresh_.empty()) {
      out_ << FoldLine("REFRESH-INTERVAL;VALUE=DURATION:" + refresh_)
           << FoldLine("X-PUBLISHED-TTL:" + refresh_);
    }
  }

  void Day(const DayRecord& day) override {
    const auto next = year_month_day{sys_days{day.date} + days{1}};
    std::string event = FoldLine("BEGIN:VEVENT");
    event += FoldLine("UID:" + EventUid(day));
    event += FoldLine("DTSTAMP:" + Stamp(day.date));
    event += FoldLine("DTSTART;VALUE=DATE:" + CompactDate(day.date));
    event += FoldLine("DTEND;VALUE=DATE:" + CompactDate(next));
    event += FoldLine("SUMMARY:" + EscapeText(NameOf(day, lang_)));
    event += FoldLine("DESCRIPTION:" + EscapeText(Description(day)));
    event += FoldLine("CATEGORIES:" + EscapeText(KindId(day.kind)));
    if (day.predicted) event += FoldLine("STATUS:TENTATIVE");
    event += FoldLine("TRANSP:TRANSPARENT");
    event += FoldLine("END:VEVENT");
    out_ << event;
  }

  void End() override { out_ << FoldLine("END:VCALENDAR"); }

 private:
  Lang lang_;
  std::string productId_;
  std::string refresh_;  // empty: a file, not a feed
  std::ostream& out_;
};

}  // namespace

std::unique_ptr<DayWriter> MakeDayWriter(const WriterOptions& options, std::ostream& out) {
  switch (options.format) {
    case Format::text:
      return std::make_unique<TextDayWriter>(options.lang, out);
    case Format::ics:
      return std::make_unique<IcsDayWriter>(options, out);
    case Format::csv:
    case Format::json:
      break;
  }
  return std::make_unique<TableDayWriter>(
      MakeTableWriter(options.format, out, options.byteOrderMark));
}

std::unique_ptr<DayWriter> MakeFeedWriter(const WriterOptions& options,
                                          std::string_view refreshInterval, std::ostream& out) {
  return std::make_unique<IcsDayWriter>(options, out, refreshInterval);
}

std::span<const std::string_view> DayColumns() noexcept {
  return kDayColumns;
}

std::vector<Cell> DayCells(const DayRecord& day) {
  std::vector<Cell> cells{IsoDate(day.date), WeekdayText(day.date, Lang::en), day.name,
                          day.nameEn,        std::string(KindId(day.kind)),   day.dayOff,
                          day.predicted};
  if (day.businessDay) {
    cells.emplace_back(*day.businessDay);
  } else {
    cells.emplace_back(std::monostate{});
  }
  return cells;
}

}  // namespace velunta::records
