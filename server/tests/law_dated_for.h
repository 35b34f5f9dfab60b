#pragma once
// The built-in law data under another version, in use for one test: the dates and tags that
// follow the data's version are then known.

#include <string>
#include <variant>

#include <velunta/law.h>

namespace velunta::server {

class LawDatedFor {
 public:
  explicit LawDatedFor(const std::string& version) {
    auto data = BuiltInLaw().Describe();
    data.version = version;
    UseLaw(*std::get<0>(MakeLaw(std::move(data), "test")));
  }
  ~LawDatedFor() { UseLaw(BuiltInLaw()); }
  LawDatedFor(const LawDatedFor&) = delete;
  LawDatedFor& operator=(const LawDatedFor&) = delete;
};

}  // namespace velunta::server
