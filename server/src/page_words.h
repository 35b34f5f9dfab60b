#pragma once
// Every word the year page shows, in Japanese and in English: the page's layout reads them from
// here, so the two languages cannot differ in what they say.

#include <array>
#include <string_view>

#include <velunta/records/date_texts.h>

namespace velunta::server {

struct PageWords {
  std::string_view lang;         // the html element's lang
  std::string_view titleBefore;  // the title around the year: "2026年の祝日と休日"
  std::string_view titleAfter;
  std::string_view yearSuffix;               // "2025年" in the year links, "2025" in English
  std::array<std::string_view, 7> weekdays;  // column heads, Sunday first
  std::array<std::string_view, 12> months;   // captions
  std::string_view daySuffix;                // "6日（水）" or "6 (Wed)": after the day number
  std::string_view yearLabel;
  std::string_view show;
  std::string_view dateLabel;
  std::string_view lookUp;
  std::string_view isHoliday;  // the looked-up date's answer: "…は振替休日です。"
  std::string_view isSunday;
  std::string_view isNoDayOff;
  std::string_view predictedNote;  // why a day is predicted
  std::string_view predictedMark;  // after a predicted day's name: "（予測）"
  std::string_view legendTitle;
  std::string_view legendOff;
  std::string_view legendSunday;
  std::string_view legendSaturday;
  std::string_view legendPredicted;
  std::string_view legendToday;
  std::string_view legendPicked;
  std::string_view namesTitle;  // the days off listed under a month, for screen readers
  std::string_view feedTitle;
  std::string_view feedLead;
  std::string_view feedJapanese;
  std::string_view feedEnglish;
  std::string_view feedWebcal;  // the webcal:// link's words
  std::string_view feedHttp;    // the http(s):// link's words
  std::string_view feedUnconfigured;
  std::string_view error;          // before the refusal's own words
  std::string_view otherLanguage;  // the link to the page in the other language
  std::string_view otherLang;      // its lang
  std::string_view api;
  std::string_view navLabel;
};

// Returns the words of a language.
const PageWords& WordsOf(records::Lang lang) noexcept;

}  // namespace velunta::server
