#include "progress.h"

#include <unistd.h>

#include <cstdio>

namespace cli {

Progress::Progress() : enabled_(::isatty(STDERR_FILENO) == 1) {}

void Progress::show(std::string_view text) {
  if (!enabled_ || text == shown_) return;
  shown_ = std::string(text);
  std::fprintf(stderr, "\r%s\x1b[K", shown_.c_str());
  std::fflush(stderr);
}

void Progress::clear() {
  if (!enabled_ || shown_.empty()) return;
  shown_.clear();
  std::fputs("\r\x1b[K", stderr);
  std::fflush(stderr);
}

}  // namespace cli
