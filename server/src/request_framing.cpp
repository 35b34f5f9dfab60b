#include "request_framing.h"

#include <string>

#include <boost/beast/http/error.hpp>

namespace velunta::server {

namespace http = boost::beast::http;

RequestFraming::RequestFraming(FramingLimits limits)
    : limits_(limits),
      buffer_(limits.head),
      onChunk_([this](std::uint64_t, boost::beast::string_view extensions,
                      boost::beast::error_code& ec) {
        extensionBytes_ += extensions.size();
        if (extensionBytes_ > limits_.chunkExtensions) ec = http::error::buffer_overflow;
      }) {}

RequestParser& RequestFraming::Next() {
  parser_.emplace();
  parser_->header_limit(static_cast<std::uint32_t>(limits_.head));
  parser_->body_limit(limits_.body);
  parser_->on_chunk_header(onChunk_);
  extensionBytes_ = 0;
  return *parser_;
}

std::optional<Response> RequestFraming::Refusal(boost::beast::error_code ec) const {
  const auto bytes = [](std::size_t n) { return std::to_string(n) + " bytes in all"; };
  if (ec == http::error::header_limit) {
    return ErrorResponse(431, "request line or headers too long; accepted: " + bytes(limits_.head));
  }
  if (ec == http::error::buffer_overflow) {
    return ErrorResponse(
        431, "chunk extensions or trailer too long; accepted: " + bytes(limits_.chunkExtensions) +
                 " of extensions, a trailer of " + bytes(limits_.head));
  }
  if (ec == http::error::body_limit) {
    return ErrorResponse(413, "request body too long; accepted: none for GET");
  }
  if (ec.category() == make_error_code(http::error::bad_target).category() &&
      ec != http::error::end_of_stream && ec != http::error::partial_message) {
    return ErrorResponse(400, "not an HTTP/1.1 request: " + ec.message());
  }
  return std::nullopt;
}

Request ToRequest(const RequestParser::value_type& message) {
  Request request;
  request.method = std::string(message.method_string());
  request.target = std::string(message.target());
  for (const auto& field : message) {
    std::string name(field.name_string());
    for (auto& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    request.headers.emplace_back(std::move(name), std::string(field.value()));
  }
  return request;
}

}  // namespace velunta::server
