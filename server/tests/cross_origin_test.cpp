// A page of another origin calls the API in headless Chromium: its script fetches a day, reads
// the ETag the server exposes, and fetches again with If-None-Match, which the browser sends only
// after a preflight the server allows. The page writes what it saw into its DOM.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>

#include <gtest/gtest.h>
#include <velunta/server/handler.h>
#include <velunta/server/http_server.h>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

namespace velunta::server {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

// Serves one HTML page to every GET on a loopback port of its own: the other origin.
class PageOrigin {
 public:
  explicit PageOrigin(std::string html)
      : html_(std::move(html)), acceptor_(context_, {asio::ip::make_address("127.0.0.1"), 0}) {
    Accept();
    runner_ = std::thread([this] { context_.run(); });
  }
  ~PageOrigin() {
    asio::post(context_, [this] { context_.stop(); });
    runner_.join();
  }
  unsigned short Port() const { return acceptor_.local_endpoint().port(); }

 private:
  void Accept() {
    acceptor_.async_accept([this](beast::error_code ec, tcp::socket socket) {
      if (ec) return;
      // Small and local: answered synchronously, one connection at a time.
      beast::tcp_stream stream(std::move(socket));
      stream.expires_after(std::chrono::seconds(5));
      beast::flat_buffer buffer;
      http::request<http::empty_body> request;
      http::read(stream, buffer, request, ec);
      if (!ec) {
        http::response<http::string_body> response(http::status::ok, 11);
        response.set(http::field::content_type, "text/html; charset=utf-8");
        response.body() = html_;
        response.prepare_payload();
        response.keep_alive(false);
        http::write(stream, response, ec);
      }
      stream.socket().shutdown(tcp::socket::shutdown_both, ec);
      Accept();
    });
  }

  std::string html_;
  asio::io_context context_;
  tcp::acceptor acceptor_;
  std::thread runner_;
};

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

TEST(CrossOrigin, APageOfAnotherOriginFetchesWithIfNoneMatch) {
  if (!std::filesystem::exists("/usr/bin/chromium")) {
    GTEST_SKIP() << "chromium is not installed (scripts/setup.sh test installs it)";
  }
  const Handler handler({});
  Server server(handler, {.port = 0, .log = [](std::string_view) {}});
  std::thread runner([&] { server.Run(); });
  const std::string api = "http://127.0.0.1:" + std::to_string(server.Port());
  PageOrigin origin(
      "<!DOCTYPE html><html><body><pre id=\"out\">waiting</pre><script>\n"
      "(async () => {\n"
      "  const lines = [];\n"
      "  try {\n"
      "    const url = '" +
      api +
      "/v1/days/2026-05-06';\n"
      "    const first = await fetch(url, {cache: 'no-store'});\n"
      "    const tag = first.headers.get('ETag');\n"
      "    lines.push('first ' + first.status + ' tag ' + (tag ? 'seen' : 'hidden') +\n"
      "               ' body ' + ((await first.text()).includes('振替休日') ? 'read' : "
      "'unread'));\n"
      "    const again = await fetch(url, {headers: {'If-None-Match': tag}});\n"
      "    lines.push('again ' + again.status);\n"
      "  } catch (e) {\n"
      "    lines.push('failed ' + e);\n"
      "  }\n"
      "  document.getElementById('out').textContent = lines.join(';');\n"
      "})();\n"
      "</script></body></html>");

  const auto profile =
      std::filesystem::temp_directory_path() / ("velunta-cors-" + std::to_string(::getpid()));
  const std::string page = "http://127.0.0.1:" + std::to_string(origin.Port()) + "/";
  const auto dom = Output(
      "timeout 60 /usr/bin/chromium --headless=new --no-sandbox --disable-gpu "
      "--disable-background-networking --disable-component-update --disable-sync "
      "--no-first-run --virtual-time-budget=10000 --user-data-dir=" +
      profile.string() + " --dump-dom '" + page + "' 2>/dev/null");
  server.Stop();
  runner.join();
  std::filesystem::remove_all(profile);

  EXPECT_NE(dom.find("first 200 tag seen body read;again 304"), std::string::npos) << dom;
}

}  // namespace
}  // namespace velunta::server
