#include "content_coding.h"

#include <zlib.h>

#include <algorithm>
#include <new>
#include <optional>

namespace velunta::server {
namespace {

constexpr int kGzipWindowBits = 15 + 16;  // 32 KB window, gzip header and trailer
constexpr int kMemoryLevel = 8;           // zlib's default

std::string_view Trimmed(std::string_view text) noexcept {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool SameWord(std::string_view a, std::string_view b) noexcept {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
  });
}

// Returns whether a weight ("q=0.5") is above zero; a malformed one counts as absent (1).
bool Positive(std::string_view parameters) noexcept {
  while (!parameters.empty()) {
    const auto semicolon = parameters.find(';');
    const auto parameter = Trimmed(parameters.substr(0, semicolon));
    parameters =
        semicolon == std::string_view::npos ? std::string_view{} : parameters.substr(semicolon + 1);
    if (parameter.size() < 2 || (parameter[0] != 'q' && parameter[0] != 'Q') ||
        parameter[1] != '=') {
      continue;
    }
    // qvalue = ( "0" [ "." 0*3DIGIT ] ) / ( "1" [ "." 0*3("0") ] ): zero is "0" and zeros.
    const auto value = Trimmed(parameter.substr(2));
    if (value.empty() || value.front() != '0') return true;
    return value.find_first_not_of("0.") != std::string_view::npos;
  }
  return true;
}

}  // namespace

bool AcceptsGzip(std::string_view acceptEncoding) noexcept {
  std::optional<bool> gzip;
  std::optional<bool> any;
  while (!acceptEncoding.empty()) {
    const auto comma = acceptEncoding.find(',');
    const auto item = acceptEncoding.substr(0, comma);
    acceptEncoding =
        comma == std::string_view::npos ? std::string_view{} : acceptEncoding.substr(comma + 1);
    const auto semicolon = item.find(';');
    const auto coding = Trimmed(item.substr(0, semicolon));
    const bool positive =
        semicolon == std::string_view::npos || Positive(item.substr(semicolon + 1));
    if (SameWord(coding, "gzip") || SameWord(coding, "x-gzip")) {
      gzip = positive;
    } else if (coding == "*") {
      any = positive;
    }
  }
  return gzip.value_or(any.value_or(false));
}

std::string Gzipped(std::string_view data) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kGzipWindowBits, kMemoryLevel,
                   Z_DEFAULT_STRATEGY) != Z_OK) {
    throw std::bad_alloc();
  }
  std::string out(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  // deflateBound leaves room for the whole stream: one call finishes it.
  const int result = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (result != Z_STREAM_END) throw std::bad_alloc();
  return out;
}

}  // namespace velunta::server
