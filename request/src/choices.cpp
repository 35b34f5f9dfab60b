#include <velunta/request/choices.h>

namespace velunta::request {

Reading<std::string_view> ChooseWord(std::string_view text,
                                     std::span<const std::string_view> words) {
  std::string accepted;
  for (const auto word : words) {
    if (text == word) return word;
    if (!accepted.empty()) accepted += ", ";
    accepted += word;
  }
  return Refusal{"unknown value", std::string(text), "", accepted};
}

Reading<const records::DaySource*> SourceFor(Rules rules, Labels labels,
                                             std::string_view spelling) {
  if (rules == Rules::classic) {
    if (labels == Labels::official) {
      const std::string labelsOption = std::string(spelling) + "labels=official";
      return Refusal{
          "labels not available with " + std::string(spelling) + "rules=classic", "official", "",
          labelsOption + " with the law calendar (the module names its holidays its own way)"};
    }
    return &records::ClassicSource();
  }
  return &records::LawSource(labels == Labels::official ? LabelStyle::officialList
                                                        : LabelStyle::official);
}

}  // namespace velunta::request
