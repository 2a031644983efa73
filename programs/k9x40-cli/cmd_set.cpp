#include "cli_commands.h"

namespace cli {

int RunSet(const Invocation& inv) {
  return UsageError(inv, "set is not available yet");
}

}  // namespace cli
