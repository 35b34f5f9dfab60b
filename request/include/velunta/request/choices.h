#pragma once
// Every word a choice takes, once: the command's option transformers, the server's parameters,
// its API document and the command's completion all read these tables, so the words and the
// "accepted:" texts cannot drift apart.

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <string_view>

#include <velunta/business_days.h>
#include <velunta/records/day_source.h>
#include <velunta/records/day_writer.h>

#include <velunta/request/refusal.h>

namespace velunta::request {

// Which rules answer: the law calendar (the days off Japan observes) or the module's table.
enum class Rules : std::uint8_t { law, classic };

// How the law calendar labels its holidays: as the law names them, or as the Cabinet Office's
// published list does.
enum class Labels : std::uint8_t { law, official };

template <class T>
struct Word {
  std::string_view word;
  T value;
};

inline constexpr Word<Rules> kRules[] = {{"law", Rules::law}, {"classic", Rules::classic}};
inline constexpr Word<Labels> kLabels[] = {{"law", Labels::law}, {"official", Labels::official}};
inline constexpr Word<records::Lang> kLangs[] = {{"ja", records::Lang::ja},
                                                 {"en", records::Lang::en}};
// The command writes text too; the server answers one day in JSON or CSV, a list also in ICS.
inline constexpr Word<records::Format> kCommandFormats[] = {{"text", records::Format::text},
                                                            {"csv", records::Format::csv},
                                                            {"json", records::Format::json},
                                                            {"ics", records::Format::ics}};
inline constexpr Word<records::Format> kDayFormats[] = {{"json", records::Format::json},
                                                        {"csv", records::Format::csv}};
inline constexpr Word<records::Format> kListFormats[] = {
    {"json", records::Format::json}, {"csv", records::Format::csv}, {"ics", records::Format::ics}};
inline constexpr Word<Roll> kConventions[] = {{"following", Roll::following},
                                              {"preceding", Roll::preceding},
                                              {"modified-following", Roll::modifiedFollowing},
                                              {"modified-preceding", Roll::modifiedPreceding}};
// The server's flags; the command's flags take these words after '=' too (CLI11 reads them).
inline constexpr Word<bool> kTruths[] = {
    {"true", true}, {"false", false}, {"1", true}, {"0", false}};

// Returns the words of a table alone, for those who need no values: WordsOf<kRules>() ->
// {"law", "classic"}.
template <auto& table>
constexpr auto WordsOf() {
  std::array<std::string_view, std::size(table)> words{};
  for (std::size_t i = 0; i < words.size(); ++i) words[i] = table[i].word;
  return words;
}

// Returns the words of a table as an "accepted:" text: "law, classic".
template <class T>
std::string Accepted(std::span<const Word<T>> words) {
  std::string text;
  for (const auto& word : words) {
    if (!text.empty()) text += ", ";
    text += word.word;
  }
  return text;
}

template <class T, std::size_t N>
std::string Accepted(const Word<T> (&words)[N]) {
  return Accepted(std::span<const Word<T>>(words));
}

// Returns the value of a word, or the refusal "unknown value" naming the words.
template <class T>
Reading<T> Choose(std::string_view text, std::span<const Word<T>> words) {
  for (const auto& word : words) {
    if (text == word.word) return word.value;
  }
  return Refusal{"unknown value", std::string(text), "", Accepted(words)};
}

template <class T, std::size_t N>
Reading<T> Choose(std::string_view text, const Word<T> (&words)[N]) {
  return Choose(text, std::span<const Word<T>>(words));
}

// Returns the word itself when it is one of `words`, else the refusal "unknown value" naming
// them: for those who hold only a table's words (WordsOf).
Reading<std::string_view> ChooseWord(std::string_view text,
                                     std::span<const std::string_view> words);

// Returns the source of days the rules and labels choose. `spelling` is how the caller writes an
// option ("--" for the command, "" for the server), for the refusal of labels=official with the
// classic rules, whose labels are the module's own.
Reading<const records::DaySource*> SourceFor(Rules rules, Labels labels, std::string_view spelling);

}  // namespace velunta::request
