#pragma once
// Reading a data file that a user names (a calendar file, the law): only a regular file, and
// only up to a size no honest file reaches, so that /dev/zero, a FIFO or a huge file is refused
// at once instead of read forever or held in memory.

#include <cstddef>
#include <filesystem>
#include <string>
#include <variant>

namespace velunta::detail {

// 1 MB: a calendar file of every day of 800 years is about 11 KB.
inline constexpr std::size_t kLargestDataFile = 1024 * 1024;

// Returns the file's bytes, or why it cannot be read as one line ("not a regular file", "larger
// than 1 MB; accepted: at most 1 MB", the system's reason). Never blocks on a FIFO or a device.
std::variant<std::string, std::string> ReadSmallFile(const std::filesystem::path& path,
                                                     std::size_t most = kLargestDataFile);

}  // namespace velunta::detail
