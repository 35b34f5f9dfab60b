// The page in a real browser: headless Chromium loads /?year=2026 from the server, and its DOM
// shows 2026-05-06 marked 振替休日. The screenshot is kept among the build's test outputs.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>
#include <velunta/server/handler.h>
#include <velunta/server/http_server.h>

namespace velunta::server {
namespace {

std::string Chromium() {
  for (const char* path : {"/usr/bin/chromium", "/usr/bin/chromium-browser"}) {
    if (std::filesystem::exists(path)) return path;
  }
  return "";
}

std::string Output(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    ::pclose(pipe);
  }
  return out;
}

TEST(Browser, HeadlessChromiumShowsTheYear) {
  const auto chromium = Chromium();
  if (chromium.empty()) GTEST_SKIP() << "chromium is not installed (scripts/setup.sh installs it)";
  const Handler handler({});
  Server server(handler, {.port = 0, .log = [](std::string_view) {}});
  std::thread runner([&] { server.Run(); });

  const auto profile =
      std::filesystem::temp_directory_path() / ("velunta-chromium-" + std::to_string(::getpid()));
  const std::string url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/?year=2026";
  const std::string flags =
      " --headless --no-sandbox --disable-gpu --disable-background-networking "
      "--disable-component-update --disable-sync --no-first-run "
      "--user-data-dir=" +
      profile.string() + " ";
  const auto dom = Output(chromium + flags + "--dump-dom '" + url + "' 2>/dev/null");
  const std::string screenshot = std::string(VELUNTA_TEST_OUTPUT_DIR) + "/page-2026.png";
  std::filesystem::remove(screenshot);
  Output(chromium + flags + "--window-size=412,2600 --screenshot=" + screenshot + " '" + url +
         "' 2>/dev/null");
  server.Stop();
  runner.join();
  std::filesystem::remove_all(profile);

  EXPECT_NE(dom.find("<html lang=\"ja\">"), std::string::npos) << dom.substr(0, 300);
  EXPECT_NE(dom.find("<td class=\"off\" title=\"振替休日\"><time datetime=\"2026-05-06\">6</time>"
                     "</td>"),
            std::string::npos);
  EXPECT_NE(dom.find("<time datetime=\"2026-05-06\">6日（水）</time> 振替休日</li>"),
            std::string::npos);
  EXPECT_GT(std::filesystem::exists(screenshot) ? std::filesystem::file_size(screenshot) : 0U,
            10'000U);
}

}  // namespace
}  // namespace velunta::server
