// velunta serve and new law data: SIGHUP switches every answer to the files as they are now, a
// bad file keeps the data in use, and the feed's validators follow the data's version.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "http_client.h"
#include "serve_process.h"

namespace velunta::server::testing {
namespace {

std::string LawText() {
  std::ifstream in(VELUNTA_LAW_FILE, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A special-act day on 2027-06-01 in data of 2027-02-01.
std::string NewerLaw() {
  std::string text = LawText();
  const std::string version = "version = \"2026-12-08\"";
  text.replace(text.find(version), version.size(), "version = \"2027-02-01\"");
  return text +
         "\n[[holiday]]\nname = \"臨時休日\"\nname_en = \"Extra Holiday\"\n"
         "kind = \"special-act\"\nmonth = 6\nday = 1\nfirst = 2027\nlast = 2027\n";
}

class LawFile {
 public:
  LawFile()
      : path_(std::filesystem::temp_directory_path() /
              ("velunta-reload-" + std::to_string(::getpid()) + ".toml")) {
    Write(LawText());
  }
  ~LawFile() { std::filesystem::remove(path_); }
  void Write(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }
  std::string Path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

TEST(Reload, SighupSwitchesToTheFilesAsTheyAreNow) {
  const LawFile law;
  ServeProcess serve({"--law", law.Path(), "--calendar", "banks"});
  ASSERT_NE(serve.Port(), 0) << serve.StartText();
  const auto day = [&] { return Fetch(serve.Port(), "/v1/days/2027-06-01").body; };
  const auto business = [&] {
    return Fetch(serve.Port(), "/v1/business/is?date=2027-06-01&calendar=banks").body;
  };
  const Reply feedBefore = Fetch(serve.Port(), "/calendar.ics");
  ASSERT_EQ(feedBefore.status, 200);
  EXPECT_EQ(day().find("臨時休日"), std::string::npos);
  EXPECT_NE(business().find("\"business_day\": true"), std::string::npos) << business();

  // A bad file: one line in the log, and the data in use answers on.
  law.Write(NewerLaw() + "\nbad key = 1\n");
  serve.Signal(SIGHUP);
  const std::string refused = serve.ReadError(std::chrono::seconds(3), "reload refused");
  EXPECT_NE(refused.find("velunta serve: reload refused, answering with the data in use: " +
                         law.Path() + ":"),
            std::string::npos)
      << refused;
  EXPECT_EQ(day().find("臨時休日"), std::string::npos);

  law.Write(NewerLaw());
  serve.Signal(SIGHUP);
  const std::string reloaded = serve.ReadError(std::chrono::seconds(3), "reloaded");
  EXPECT_NE(reloaded.find("velunta serve: reloaded: law " + law.Path() + ", version 2027-02-01"),
            std::string::npos)
      << reloaded;
  EXPECT_NE(day().find("臨時休日"), std::string::npos) << day();
  // The calendar was made again under the new law.
  EXPECT_NE(business().find("\"business_day\": false"), std::string::npos) << business();
  const Reply feedAfter = Fetch(serve.Port(), "/calendar.ics");
  EXPECT_NE(feedAfter.Header("ETag"), feedBefore.Header("ETag"));
  EXPECT_EQ(feedAfter.Header("Last-Modified"), "Sun, 31 Jan 2027 15:00:00 GMT");
  // A client holding the old tag gets the new feed, not 304.
  EXPECT_EQ(
      Fetch(serve.Port(), "/calendar.ics", "GET", {{"If-None-Match", feedBefore.Header("ETag")}})
          .status,
      200);

  serve.Signal(SIGTERM);
  EXPECT_EQ(serve.Wait(std::chrono::seconds(5)), 0);
}

}  // namespace
}  // namespace velunta::server::testing
