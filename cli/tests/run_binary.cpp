#include "run_binary.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace velunta::cli::testing {
namespace {

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& overrides) {
  std::vector<std::string> merged;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('='));
    bool replaced = false;
    for (const auto& o : overrides) replaced = replaced || o.substr(0, o.find('=')) == name;
    if (!replaced) merged.push_back(text);
  }
  merged.insert(merged.end(), overrides.begin(), overrides.end());
  return merged;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (auto& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

void Check(int result, const char* what) {
  if (result != 0) throw std::runtime_error(std::string(what) + ": " + std::strerror(result));
}

}  // namespace

namespace {

Outcome Spawn(const std::string& program, const std::vector<std::string>& args,
              const std::vector<std::string>& env, const std::string* input,
              const RunOptions& options = {}) {
  int outPipe[2] = {-1, -1};
  int errPipe[2];
  if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  posix_spawn_file_actions_t actions;
  Check(posix_spawn_file_actions_init(&actions), "file actions");
  if (options.output == Output::kFull) {
    Check(posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/full", O_WRONLY, 0),
          "stdout");
  } else {
    Check(posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO), "dup2 stdout");
  }
  if (options.output != Output::kPipe) {
    // Nothing reads the child's standard output: not this end, and for kClosedPipe no one.
    close(outPipe[0]);
    outPipe[0] = -1;
  }
  Check(posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO), "dup2 stderr");
  int inPipe[2] = {-1, -1};
  if (input != nullptr) {
    // The whole input fits the pipe's buffer, so it is written before the child reads.
    if (input->size() > 65536 || pipe2(inPipe, O_CLOEXEC) != 0) {
      throw std::runtime_error("cannot pipe the input");
    }
    Check(posix_spawn_file_actions_adddup2(&actions, inPipe[0], STDIN_FILENO), "dup2 stdin");
  } else {
    Check(posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0),
          "stdin");
  }
  // This process may ignore SIGPIPE (see below); a shell starts its commands with the default.
  posix_spawnattr_t attributes;
  Check(posix_spawnattr_init(&attributes), "spawn attributes");
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  Check(posix_spawnattr_setsigdefault(&attributes, &defaults), "signal defaults");
  Check(posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF), "spawn flags");

  std::vector<std::string> argvTexts{program};
  argvTexts.insert(argvTexts.end(), args.begin(), args.end());
  auto envTexts = MergedEnvironment(env);
  auto argv = Pointers(argvTexts);
  auto envp = Pointers(envTexts);

  pid_t pid = 0;
  const int spawned =
      posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  close(outPipe[1]);
  close(errPipe[1]);
  if (input != nullptr) {
    close(inPipe[0]);
    std::signal(SIGPIPE, SIG_IGN);  // a child that refuses its arguments may never read
    const ssize_t written = write(inPipe[1], input->data(), input->size());
    close(inPipe[1]);
    if (written != static_cast<ssize_t>(input->size())) throw std::runtime_error("short write");
  }
  if (spawned != 0) {
    if (outPipe[0] >= 0) close(outPipe[0]);
    close(errPipe[0]);
    Check(spawned, ("posix_spawn " + program).c_str());
  }

  // Read both pipes as they fill, so a long answer cannot block the child on a full pipe.
  Outcome outcome;
  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  std::string* sinks[2] = {&outcome.out, &outcome.err};
  int open = outPipe[0] >= 0 ? 2 : 1;
  const auto deadline = std::chrono::steady_clock::now() + options.limit;
  bool killed = false;
  while (open > 0) {
    int wait = -1;
    if (options.limit.count() > 0 && !killed) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      wait = static_cast<int>(std::max<std::int64_t>(0, left.count()));
    }
    const int ready = poll(fds, 2, wait);
    if (ready < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (ready == 0) {
      // Past the limit: its pipes close once it is gone.
      kill(pid, SIGKILL);
      killed = true;
      continue;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[65536];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  int wstatus = 0;
  while (waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
  }
  outcome.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
  return outcome;
}

}  // namespace

Outcome RunVelunta(const std::vector<std::string>& args, const std::vector<std::string>& env) {
  return Spawn(VELUNTA_BINARY, args, env, nullptr);
}

Outcome RunVeluntaWithInput(const std::vector<std::string>& args, const std::string& input) {
  return Spawn(VELUNTA_BINARY, args, {}, &input);
}

Outcome RunVeluntaWith(const std::vector<std::string>& args, const RunOptions& options) {
  return Spawn(VELUNTA_BINARY, args, {}, nullptr, options);
}

Outcome RunShell(const std::string& script, const std::vector<std::string>& env) {
  auto withBinary = env;
  withBinary.push_back("VELUNTA=" VELUNTA_BINARY);
  RunOptions options;
  options.limit = std::chrono::seconds(30);
  return Spawn("/bin/sh", {"-c", script}, withBinary, nullptr, options);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace velunta::cli::testing
