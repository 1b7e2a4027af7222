#include "null_sink.h"

#include <iterator>

#include "fatal_error.h"

namespace pl_config {

namespace {

#ifdef _WIN32
constexpr char null_device[] = "NUL";
#else
constexpr char null_device[] = "/dev/null";
#endif

// As large as a header's, so that a check writes no more often than a run.
char buffer[128 * 1024];

}  // namespace

NullSink::NullSink() : stream_(std::fopen(null_device, "wb")) {
  if (stream_ == nullptr) fatal_error("cannot open %s", null_device);
  std::setvbuf(stream_, buffer, _IOFBF, std::size(buffer));
}

NullSink::~NullSink() { std::fclose(stream_); }

}  // namespace pl_config
