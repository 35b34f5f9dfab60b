#include <velunta/request/refusal.h>

#include <velunta/runtime/utf8.h>

namespace velunta::request {

std::string Worded(const Refusal& refusal, std::string_view name) {
  std::string line = refusal.problem;
  if (!name.empty()) line.append(" for ").append(name);
  if (refusal.text) line.append(": ").append(runtime::Quoted(*refusal.text));
  line += refusal.note;
  if (!refusal.accepted.empty()) line.append("; accepted: ").append(refusal.accepted);
  return line;
}

}  // namespace velunta::request
