#include <velunta/records/ics_text.h>

namespace velunta::records {
namespace {

constexpr std::size_t kMaxLineOctets = 75;  // without the CRLF

constexpr bool IsUtf8Continuation(char c) noexcept {
  return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

constexpr bool IsAsciiAlnum(char c) noexcept {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

std::string EscapeText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' || c == ';' || c == ',') {
      escaped += '\\';
      escaped += c;
    } else if (c == '\n') {
      escaped += "\\n";
    } else if (c == '\r') {
      // a CR alone is a line break too; one before a LF is part of it
      if (i + 1 >= text.size() || text[i + 1] != '\n') escaped += "\\n";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string FoldLine(std::string_view line) {
  std::string folded;
  folded.reserve(line.size() + line.size() / 64 * 3 + 2);
  std::size_t limit = kMaxLineOctets;  // the first line; continuations lose one to the space
  while (line.size() > limit) {
    std::size_t cut = limit;
    while (cut > 0 && IsUtf8Continuation(line[cut])) --cut;
    folded.append(line.substr(0, cut));
    folded += "\r\n ";
    line.remove_prefix(cut);
    limit = kMaxLineOctets - 1;
  }
  folded.append(line);
  folded += "\r\n";
  return folded;
}

std::string EventUid(const DayRecord& day) {
  std::string slug;
  const std::string_view name = day.nameEn.empty() ? std::string_view("sunday") : day.nameEn;
  for (char c : name) {
    if (IsAsciiAlnum(c)) {
      slug += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    } else if (c != '\'' && !slug.empty() && slug.back() != '-') {
      slug += '-';
    }
  }
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  return CompactDate(day.date) + "-" + slug + "@velunta";
}

}  // namespace velunta::records
