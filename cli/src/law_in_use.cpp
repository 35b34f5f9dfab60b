#include "law_in_use.h"

#include <velunta/law_file.h>

#include "usage_error.h"

namespace velunta::cli {

const Law& UseLawOf(const std::string& file) {
  // A run starts from the built-in law, so that a refused file, or a run without one in the
  // same process (the tests), never answers by an earlier run's law.
  UseLaw(BuiltInLaw());
  if (file.empty()) return BuiltInLaw();
  auto law = ReadLawFile(file);
  if (!law) throw UsageError("bad law file: " + law.error().ToString());
  UseLaw(**law);
  return **law;
}

std::string LawLine(const Law& law) {
  std::string line = "law: ";
  line.append(law.Source()).append(", version ").append(law.Version());
  return line;
}

}  // namespace velunta::cli
