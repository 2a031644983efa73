#include <pwd.h>
#include <unistd.h>

#include <vector>

#include "app/user_home.h"

namespace app {

// From the user database rather than $HOME: the program reads no
// environment variables.
std::string UserHomeFolder() {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buf(size > 0 ? static_cast<std::size_t>(size) : 16384);
  struct passwd pw{};
  struct passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &pw, buf.data(), buf.size(), &found) != 0 || !found ||
      !found->pw_dir)
    return {};
  return found->pw_dir;
}

}  // namespace app
