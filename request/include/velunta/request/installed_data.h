#pragma once
// The data installed beside the program (share/velunta): the law file and the calendars users
// ask for by name (banks, government, tse).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velunta::request {

// Returns the folder of the installed data: <prefix>/share/velunta for a program installed as
// <prefix>/bin/velunta (or run from a build tree, whose share/velunta the build fills), found
// from the running program's place so that a tree installed under any prefix finds its own;
// else the prefix the build was configured with.
std::filesystem::path InstalledDataFolder();

// Returns the names of the installed calendars, sorted: "banks", "government", "tse".
std::vector<std::string> InstalledCalendarNames();

// Returns the file a --calendar argument means: the installed calendar of that name when it is
// one ("banks" -> .../share/velunta/calendars/banks.toml), else the argument as a path.
std::filesystem::path CalendarFileFor(std::string_view nameOrPath);

}  // namespace velunta::request
