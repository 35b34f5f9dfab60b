#include "http_client.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <boost/asio/connect.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

namespace velunta::server::testing {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;

std::string Reply::Header(const std::string& name) const {
  for (const auto& [key, value] : headers) {
    if (beast::iequals(key, name)) return value;
  }
  return "";
}

Reply Fetch(unsigned short port, const std::string& target, const std::string& method,
            const std::vector<std::pair<std::string, std::string>>& headers) {
  asio::io_context context;
  beast::tcp_stream stream(context);
  stream.expires_after(std::chrono::seconds(5));
  beast::error_code ec;
  stream.connect(asio::ip::tcp::endpoint(asio::ip::make_address("127.0.0.1"), port), ec);
  if (ec) return {};
  http::request<http::empty_body> request(http::string_to_verb(method), target, 11);
  request.method_string(method);
  request.set(http::field::host, "127.0.0.1:" + std::to_string(port));
  for (const auto& [name, value] : headers) request.set(name, value);
  http::write(stream, request, ec);
  if (ec) return {};
  beast::flat_buffer buffer;
  http::response_parser<http::string_body> parser;
  parser.body_limit(64 * 1024 * 1024);
  parser.skip(method == "HEAD");
  http::read(stream, buffer, parser, ec);
  if (ec) return {};
  Reply reply;
  const auto& response = parser.get();
  reply.status = static_cast<int>(response.result_int());
  for (const auto& field : response) {
    reply.headers.emplace_back(std::string(field.name_string()), std::string(field.value()));
  }
  reply.body = response.body();
  return reply;
}

RawConnection::RawConnection(unsigned short port, int receiveBuffer) {
  fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
  if (receiveBuffer > 0) {
    ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    closed_ = true;
  }
  const int one = 1;
  ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

RawConnection::~RawConnection() {
  if (fd_ >= 0) ::close(fd_);
}

bool RawConnection::Send(const std::string& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const auto n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) {
      closed_ = true;
      return false;
    }
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

std::string RawConnection::Receive(std::size_t most, std::chrono::milliseconds wait) {
  pollfd ready{fd_, POLLIN, 0};
  if (::poll(&ready, 1, static_cast<int>(wait.count())) <= 0) return "";
  std::string bytes(most, '\0');
  const auto n = ::recv(fd_, bytes.data(), most, 0);
  if (n <= 0) {
    closed_ = true;
    return "";
  }
  bytes.resize(static_cast<std::size_t>(n));
  return bytes;
}

std::string RawConnection::ReceiveAll(std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  std::string all;
  while (!closed_ && std::chrono::steady_clock::now() < deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    all += Receive(64 * 1024, std::max(left, std::chrono::milliseconds(1)));
  }
  return all;
}

int StatusOf(const std::string& raw) {
  if (raw.size() < 12 || raw.compare(0, 9, "HTTP/1.1 ") != 0) return 0;
  return std::stoi(raw.substr(9, 3));
}

}  // namespace velunta::server::testing
