#include <velunta/request/installed_data.h>

#include <algorithm>
#include <system_error>

namespace velunta::request {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kCalendarSuffix = ".toml";

bool IsCalendarName(std::string_view word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
  });
}

}  // namespace

fs::path InstalledDataFolder() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (!error) {
    const fs::path beside = program.parent_path().parent_path() / "share" / "velunta";
    if (fs::is_directory(beside, error)) return beside;
  }
  return fs::path(VELUNTA_INSTALLED_DATA_DIR);
}

std::vector<std::string> InstalledCalendarNames() {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(InstalledDataFolder() / "calendars", error)) {
    const fs::path& path = entry.path();
    if (path.extension() != kCalendarSuffix) continue;
    std::string name = path.stem().string();
    if (IsCalendarName(name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

fs::path CalendarFileFor(std::string_view nameOrPath) {
  if (IsCalendarName(nameOrPath)) {
    std::string file(nameOrPath);
    file += kCalendarSuffix;
    fs::path installed = InstalledDataFolder() / "calendars" / file;
    std::error_code error;
    if (fs::is_regular_file(installed, error)) return installed;
  }
  return fs::path(nameOrPath);
}

}  // namespace velunta::request
