#include "request_framing.h"

#include <string>
#include <string_view>

#include <boost/beast/core/string.hpp>

#include <velunta/runtime/utf8.h>
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

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Returns true when a text, blanks around it aside, is `word` in any case.
bool IsWord(std::string_view text, std::string_view word) {
  const auto trimmed = Trimmed(text);
  return boost::beast::iequals(boost::beast::string_view(trimmed.data(), trimmed.size()),
                               boost::beast::string_view(word.data(), word.size()));
}

}  // namespace

std::optional<Response> RequestFraming::HeadRefusal(const RequestParser::value_type& head) {
  std::string codings;
  std::size_t encodings = 0;
  std::size_t hosts = 0;
  for (const auto& field : head) {
    const std::string_view value(field.value().data(), field.value().size());
    switch (field.name()) {
      case http::field::transfer_encoding:
        if (encodings++ != 0) codings += ", ";
        codings += Trimmed(value);
        break;
      case http::field::host:
        ++hosts;
        break;
      case http::field::expect:
        if (!IsWord(value, "100-continue")) {
          return ErrorResponse(417, "expectation not supported: " + runtime::Quoted(value) +
                                        "; accepted: Expect: 100-continue");
        }
        break;
      default:
        break;
    }
  }
  if (encodings != 0) {
    if (!IsWord(codings, "chunked")) {
      return ErrorResponse(501, "transfer coding not implemented: " + runtime::Quoted(codings) +
                                    "; accepted: Transfer-Encoding: chunked alone");
    }
    if (head.count(http::field::content_length) != 0) {
      return ErrorResponse(400, "both Transfer-Encoding and Content-Length; accepted: one");
    }
  }
  if (hosts > 1) return ErrorResponse(400, "Host given twice; accepted: one Host header");
  if (hosts == 0 && head.version() >= 11) {
    return ErrorResponse(400, "no Host header; accepted: an HTTP/1.1 request with one Host");
  }
  return std::nullopt;
}

bool RequestFraming::ExpectsContinue(const RequestParser::value_type& head) {
  return head.count(http::field::expect) != 0;
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
