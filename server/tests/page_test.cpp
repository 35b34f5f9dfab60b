// The year page as people meet it: predicted days marked, today and a looked-up date marked,
// refusals shown as the page, unknown parameters ignored, English, the feed's links from the
// public URL (and what the command says of a bad one), asked of the handler and of velunta serve.

#include <string>

#include <gtest/gtest.h>
#include <velunta/server/handler.h>

#include "http_client.h"
#include "run_binary.h"
#include "serve_process.h"

namespace velunta::server {
namespace {

using namespace std::chrono;

// Today is 2026-05-06 in Japan (03:00 UTC is noon there).
Handler At2026May6(std::string publicUrl = "") {
  return Handler({.now = [] { return sys_seconds{sys_days{2026y / May / 6} + hours{3}}; },
                  .publicUrl = std::move(publicUrl)});
}

TEST(Page, MarksAndWordsEachQuestion) {
  const struct {
    const char* name;
    const char* target;
    int status;
    std::vector<const char*> present;
    std::vector<const char*> absent;
  } kCases[] = {
      {"this year, today marked",
       "/",
       200,
       {"<html lang=\"ja\">", "<h1>2026年の祝日と休日</h1>",
        "<td class=\"off today\" aria-current=\"date\" title=\"振替休日\"><time "
        "datetime=\"2026-05-06\">6</time></td>",
        "<li><time datetime=\"2026-05-06\">6日（水）</time> 振替休日</li>", "<main>",
        "<link rel=\"icon\" href=\"data:image/svg+xml,", "@media print"},
       {"class=\"error\"", "picked\" title", "picked\"><time"}},
      {"another year: no today",
       "/?year=2025",
       200,
       {"<h1>2025年の祝日と休日</h1>", "href=\"/?year=2024\"", "href=\"/?year=2026\""},
       {"aria-current"}},
      {"predicted days and their legend",
       "/?year=2030",
       200,
       {"<td class=\"off predicted\" title=\"春分の日（予測）\"><time "
        "datetime=\"2030-03-20\">20</time><span class=\"mark\" aria-hidden=\"true\">*</span>",
        "<li><time datetime=\"2030-03-20\">20日（水）</time> 春分の日（予測）</li>",
        "予測（春分・秋分の日が未発表）"},
       {}},
      {"announced days are not predicted",
       "/?year=2027",
       200,
       {"<td class=\"off\" title=\"春分の日\">"},
       {"春分の日（予測）"}},
      {"a date looked up",
       "/?date=2032-09-21",
       200,
       {"<h1>2032年", "class=\"off predicted picked\"",
        "<strong>2032-09-21（火）</strong>は国民の休日（予測）です。", "value=\"2032-09-21\""},
       {}},
      {"a date that is no day off", "/?date=2026-05-07", 200, {"休日ではありません。"}, {}},
      {"English",
       "/?year=2026&lang=en",
       200,
       {"<html lang=\"en\">", "<h1>Holidays and days off in Japan, 2026</h1>",
        "<caption id=\"m5\">May</caption>", "<th scope=\"col\">Sun</th>",
        "<li><time datetime=\"2026-05-06\">6 (Wed)</time> Substitute Holiday</li>",
        "href=\"/?year=2027&amp;lang=en\"", "<input type=\"hidden\" name=\"lang\" value=\"en\">",
        "href=\"/?year=2026\" lang=\"ja\" hreflang=\"ja\">日本語</a>"},
       {"振替休日"}},
      {"English, a date",
       "/?date=2030-03-20&lang=en",
       200,
       {"<strong>2030-03-20 (Wed)</strong>: Vernal Equinox Day (predicted)."},
       {}},
      {"unknown parameters ignored",
       "/?year=2026&utm_source=mail&utm_medium=x",
       200,
       {"<h1>2026年"},
       {"class=\"error\""}},
      {"empty fields as a form sends them", "/?year=&date=", 200, {"<h1>2026年"}, {}},
      {"a bad year: the page and why",
       "/?year=20x6",
       400,
       {"<html lang=\"ja\">", "<p class=\"error\" role=\"alert\"><strong>入力を読めませんでした。",
        "not a year for year: &#39;20x6&#39;", "<h1>2026年"},
       {"{\"error\""}},
      {"a year beyond the calendar, in English",
       "/?year=2400&lang=en",
       400,
       {"<html lang=\"en\">", "The request could not be read.", "year"},
       {}},
      {"an unknown language: the page in Japanese",
       "/?lang=fr",
       400,
       {"<html lang=\"ja\">", "accepted: ja, en"},
       {}},
      {"an impossible date",
       "/?date=2026-02-30",
       400,
       {"2026-02-30"},
       {"picked\" title", "picked\"><time"}},
  };
  const auto handler = At2026May6();
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const auto answer = handler.Handle({"GET", row.target, {}});
    EXPECT_EQ(answer.status, row.status);
    ASSERT_NE(answer.Header("Content-Type"), nullptr);
    EXPECT_EQ(*answer.Header("Content-Type"), "text/html; charset=utf-8");
    for (const char* piece : row.present) {
      EXPECT_NE(answer.body.find(piece), std::string::npos) << piece;
    }
    for (const char* piece : row.absent) {
      EXPECT_EQ(answer.body.find(piece), std::string::npos) << piece;
    }
  }
}

TEST(Page, FeedLinksComeFromThePublicUrlNeverFromHost) {
  const struct {
    const char* name;
    const char* publicUrl;
    std::vector<const char*> present;
  } kCases[] = {
      {"no public URL: paths and how to configure",
       "",
       {"<a href=\"/calendar.ics\"><code>/calendar.ics</code></a>", "<a href=\"/calendar.en.ics\">",
        "--public-url"}},
      {"https",
       "https://days.example.jp/",
       {"<a href=\"webcal://days.example.jp/calendar.ics\">",
        "<a href=\"https://days.example.jp/calendar.ics\"><code>https://days.example.jp/"
        "calendar.ics</code></a>",
        "<a href=\"webcal://days.example.jp/calendar.en.ics\">"}},
      {"http with a port and a path",
       "http://192.0.2.1:8080/holidays",
       {"<a href=\"webcal://192.0.2.1:8080/holidays/calendar.ics\">",
        "<a href=\"http://192.0.2.1:8080/holidays/calendar.ics\">"}},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const auto handler = At2026May6(row.publicUrl);
    const auto answer = handler.Handle({"GET", "/?year=2026", {{"host", "attacker.example"}}});
    ASSERT_EQ(answer.status, 200);
    for (const char* piece : row.present) {
      EXPECT_NE(answer.body.find(piece), std::string::npos) << piece;
    }
    EXPECT_EQ(answer.body.find("attacker.example"), std::string::npos);
  }
}

TEST(PublicUrl, AcceptsAbsoluteHttpAddressesOnly) {
  const struct {
    const char* url;
    bool accepted;
  } kCases[] = {
      {"https://days.example.jp", true},
      {"https://days.example.jp/", true},
      {"http://127.0.0.1:8080/holidays/", true},
      {"https://[2001:db8::1]:8443/", true},
      {"https://[::1]", true},
      {"days.example.jp", false},
      {"ftp://days.example.jp/", false},
      {"https://", false},
      {"https:///calendar", false},
      {"https://days.example.jp:0/", false},
      {"https://days.example.jp:65536/", false},
      {"https://days.example.jp:/", false},
      {"https://user@days.example.jp/", false},
      {"https://days.example.jp/?utm=1", false},
      {"https://days.example.jp/#top", false},
      {"https://days example.jp/", false},
      {"https://days.example.jp/a\"b", false},
      {"https://days.example.jp/a<b", false},
      {"HTTPS://days.example.jp/", false},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.url);
    EXPECT_EQ(IsPublicUrl(row.url), row.accepted);
  }
  EXPECT_THROW(Handler({.publicUrl = "days.example.jp"}), std::invalid_argument);
}

// The command: a good --public-url reaches the page and the document; a bad one is refused
// before listening, in the command's voice.
TEST(PublicUrl, ServeTakesItOrRefusesIt) {
  testing::ServeProcess serve({"--public-url", "https://days.example.jp/"});
  ASSERT_NE(serve.Port(), 0) << serve.StartText();
  const auto page = testing::Fetch(serve.Port(), "/?year=2026&utm_source=feed");
  EXPECT_EQ(page.status, 200);
  EXPECT_NE(page.body.find("href=\"webcal://days.example.jp/calendar.ics\""), std::string::npos);
  const auto document = testing::Fetch(serve.Port(), "/openapi.json");
  EXPECT_NE(document.body.find("\"url\": \"https://days.example.jp\""), std::string::npos);
  const auto refused = testing::Fetch(serve.Port(), "/?year=abc&lang=en");
  EXPECT_EQ(refused.status, 400);
  EXPECT_EQ(refused.Header("Content-Type"), "text/html; charset=utf-8");
  EXPECT_NE(refused.body.find("The request could not be read."), std::string::npos);

  for (const char* bad : {"ftp://days.example.jp/", "days.example.jp", "https://x/?a=1"}) {
    SCOPED_TRACE(bad);
    const auto outcome = cli::testing::RunVelunta({"serve", "--port", "0", "--public-url", bad});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(outcome.out.empty());
    EXPECT_NE(outcome.err.find("not a public URL"), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << outcome.err;
  }
}

}  // namespace
}  // namespace velunta::server
