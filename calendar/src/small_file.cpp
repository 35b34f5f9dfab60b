#include "small_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace velunta::detail {
namespace {

std::string SizeText(std::size_t bytes) {
  return bytes % (1024 * 1024) == 0 ? std::to_string(bytes / (1024 * 1024)) + " MB"
                                    : std::to_string(bytes) + " bytes";
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::variant<std::string, std::string> ReadSmallFile(const std::filesystem::path& path,
                                                     std::size_t most) {
  using Result = std::variant<std::string, std::string>;
  const auto failed = [] { return Result(std::in_place_index<1>, std::strerror(errno)); };
  // O_NONBLOCK: opening a FIFO with no writer would otherwise wait for one. The type is asked of
  // the open file, not of the name, so that nothing can be swapped in between.
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) return failed();
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) return failed();
  if (S_ISDIR(status.st_mode)) return Result(std::in_place_index<1>, "it is a directory");
  if (!S_ISREG(status.st_mode)) return Result(std::in_place_index<1>, "not a regular file");
  const auto tooLarge = [&] {
    return Result(std::in_place_index<1>,
                  "larger than " + SizeText(most) + "; accepted: at most " + SizeText(most));
  };
  if (static_cast<std::size_t>(status.st_size) > most) return tooLarge();
  // The size is read again as the bytes come: a file that grows, or one the kernel reports as
  // empty (under /proc), still stops at the limit.
  std::string bytes;
  char chunk[16384];
  for (;;) {
    const auto n = ::read(file.get(), chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return failed();
    if (n == 0) break;
    if (bytes.size() + static_cast<std::size_t>(n) > most) return tooLarge();
    bytes.append(chunk, static_cast<std::size_t>(n));
  }
  return Result(std::in_place_index<0>, std::move(bytes));
}

}  // namespace velunta::detail
