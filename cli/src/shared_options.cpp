#include "shared_options.h"

#include <velunta/version.h>

#include <map>
#include <string>

#include "arguments.h"
#include "usage_error.h"

namespace velunta::cli {

const records::DaySource& SharedOptions::Source() const noexcept {
  if (rules == Rules::classic) return records::ClassicSource();
  return records::LawSource(labels == Labels::official ? LabelStyle::officialList
                                                       : LabelStyle::official);
}

void SharedOptions::Check() const {
  if (labels == Labels::official && rules == Rules::classic) {
    throw UsageError(
        "labels not available with --rules=classic: 'official'; accepted: --labels=official "
        "with the law calendar (the module names its holidays its own way)");
  }
  if (byteOrderMark && format != records::Format::csv) {
    throw UsageError("--bom is for --format=csv only; accepted: --format=csv --bom");
  }
}

records::WriterOptions SharedOptions::Writer() const {
  return {format, lang,
          std::string("-//Velunta//velunta ") + VELUNTA_VERSION_STRING +
              (lang == records::Lang::en ? "//EN" : "//JA"),
          byteOrderMark};
}

void AddSharedOptions(CLI::App& app, SharedOptions& options) {
  app.add_option("--rules", options.rules,
                 "law (default): the days off Japan observes; classic: the module's fixed table "
                 "(check, list, equinox)")
      ->transform(Choice<Rules>({{"law", Rules::law}, {"classic", Rules::classic}}, "law, classic"))
      ->type_name("law|classic");
  app.add_option("--lang", options.lang, "ja (default) or en: names and weekdays in text and ics")
      ->transform(
          Choice<records::Lang>({{"ja", records::Lang::ja}, {"en", records::Lang::en}}, "ja, en"))
      ->type_name("ja|en");
  app.add_option("--format", options.format, "text (default), csv, json; ics for list")
      ->transform(Choice<records::Format>({{"text", records::Format::text},
                                           {"csv", records::Format::csv},
                                           {"json", records::Format::json},
                                           {"ics", records::Format::ics}},
                                          "text, csv, json, ics"))
      ->type_name("text|csv|json|ics");
  app.add_option("--labels", options.labels,
                 "law (default): holidays as the law names them; official: as the Cabinet "
                 "Office's list labels them (休日, 休日（祝日扱い）, ...)")
      ->transform(
          Choice<Labels>({{"law", Labels::law}, {"official", Labels::official}}, "law, official"))
      ->type_name("law|official");
  app.add_flag("--bom", options.byteOrderMark,
               "csv: start with a UTF-8 byte-order mark, for spreadsheets");
}

void RequireNoIcs(const SharedOptions& options, std::string_view command) {
  if (options.format == records::Format::ics) {
    throw UsageError("format not available for " + std::string(command) +
                     ": 'ics'; accepted: text, csv, json (ics is for list)");
  }
}

}  // namespace velunta::cli
