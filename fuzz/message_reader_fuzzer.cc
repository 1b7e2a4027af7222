// The language server on arbitrary bytes as its standard input: framing,
// JSON, dispatch and the documents' checks in-process.  A crash, an overrun,
// undefined behaviour or a reply whose frame is not exact is a finding.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "fuzz_build_config.h"
#include "server.h"

namespace {

using pl_config::fuzzing::config;

[[noreturn]] void finding(const char* what, std::string_view detail) {
  std::fprintf(stderr, "invariant broken: %s\n%.*s\n", what, static_cast<int>(detail.size()), detail.data());
  std::abort();
}

// Every reply is a frame whose Content-Length is its body's byte count, and
// the body a JSON object.
void check_frames(std::string_view out) {
  constexpr std::string_view header = "Content-Length: ";
  while (!out.empty()) {
    if (!out.starts_with(header)) finding("reply without its header", out.substr(0, 200));
    const std::size_t end = out.find("\r\n\r\n");
    if (end == std::string_view::npos) finding("header not ended", out.substr(0, 200));
    const std::size_t length = std::strtoull(std::string(out.substr(header.size(), end)).c_str(), nullptr, 10);
    const std::string_view body = out.substr(end + 4, length);
    if (body.size() != length || !body.starts_with('{') || !body.ends_with('}'))
      finding("body not of its Content-Length", body.substr(0, 200));
    if (nlohmann::json::parse(body, nullptr, false).is_discarded()) finding("body not JSON", body.substr(0, 200));
    out.remove_prefix(end + 4 + length);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::stringbuf in(std::string(reinterpret_cast<const char*>(data), size), std::ios::in);
  std::stringbuf out(std::ios::out);
  const int status = pl_config::lsp::serve(config, in, out);
  if (status != 0 && status != 1) finding("exit status neither 0 nor 1", std::to_string(status));
  check_frames(out.str());
  return 0;
}
