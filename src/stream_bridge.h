#pragma once

#include <cstdio>

#include "output.h"

namespace pl_config {

// A stdio stream whose bytes go to an Output, for the writers that still
// take a FILE*: it goes once they all write through Output.  One file per
// platform (stream_bridge_posix.cc, stream_bridge_windows.cc).
class StreamBridge {
 public:
  StreamBridge() = default;
  ~StreamBridge();
  StreamBridge(const StreamBridge&) = delete;
  StreamBridge& operator=(const StreamBridge&) = delete;

  // The same stream on every call; null when none can be made.
  std::FILE* open(Output& out);
  // Hands what the stream still holds to `out` and closes it; false when a
  // write to it failed.
  bool close(Output& out);

 private:
  std::FILE* stream_ = nullptr;
};

}  // namespace pl_config
