#pragma once

#include <string>

namespace app {

// The user's home folder; empty when the system does not know it.
std::string UserHomeFolder();

}  // namespace app
