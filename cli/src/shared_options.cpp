#include "shared_options.h"

#include <velunta/request/queries.h>
#include <velunta/version.h>

#include <map>
#include <string>

#include "arguments.h"
#include "usage_error.h"

namespace velunta::cli {

const records::DaySource& SharedOptions::Source() const noexcept {
  // Check() refused the one pair SourceFor refuses; the law calendar answers should it differ.
  const auto source = request::SourceFor(rules, labels, "--");
  return source.has_value() ? **source : records::LawSource();
}

void SharedOptions::Check() const {
  if (auto source = request::SourceFor(rules, labels, "--"); !source.has_value()) {
    Refuse(source.refusal());
  }
  if (byteOrderMark && format != records::Format::csv) {
    throw UsageError("--bom is for --format=csv only; accepted: --format=csv --bom");
  }
}

records::WriterOptions SharedOptions::Writer() const {
  return request::WriterFor(format, lang, VELUNTA_VERSION_STRING, byteOrderMark);
}

void AddSharedOptions(CLI::App& app, SharedOptions& options) {
  app.add_option("--rules", options.rules,
                 "law (default): the days off Japan observes; classic: the module's fixed table "
                 "(check, list, equinox)")
      ->transform(Choice(request::kRules))
      ->type_name(ChoiceNames(request::kRules));
  app.add_option("--lang", options.lang, "ja (default) or en: names and weekdays in text and ics")
      ->transform(Choice(request::kLangs))
      ->type_name(ChoiceNames(request::kLangs));
  app.add_option("--format", options.format, "text (default), csv, json; ics for list")
      ->transform(Choice(request::kCommandFormats))
      ->type_name(ChoiceNames(request::kCommandFormats));
  app.add_option("--labels", options.labels,
                 "law (default): holidays as the law names them; official: as the Cabinet "
                 "Office's list labels them (休日, 休日（祝日扱い）, ...)")
      ->transform(Choice(request::kLabels))
      ->type_name(ChoiceNames(request::kLabels));
  app.add_flag("--bom", options.byteOrderMark,
               "csv: start with a UTF-8 byte-order mark, for spreadsheets");
  app.add_option("--law", options.law,
                 "answer by this law file (TOML, as share/velunta/law.toml) instead of the "
                 "built-in law; VELUNTA_LAW=FILE does the same; velunta -V says which answers")
      ->type_name("FILE");
}

void RequireNoIcs(const SharedOptions& options, std::string_view command) {
  if (options.format == records::Format::ics) {
    throw UsageError("format not available for " + std::string(command) +
                     ": 'ics'; accepted: text, csv, json (ics is for list)");
  }
}

}  // namespace velunta::cli
