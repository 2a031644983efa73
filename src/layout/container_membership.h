#pragma once
// Which registry parameters sit in which skin container, and the extra
// actions of the boxes that hold whole groups of rows.

#include <string>
#include <string_view>
#include <vector>

namespace layout {

struct Membership {
  std::string container;
  std::vector<std::string> params;  // inUse follows the visibility, in this order
  // When shown: these are put in use, then `postWhenShown` (if >= 0) is posted.
  std::vector<std::string> inUseWhenShown;
  int postWhenShown = -1;
  // When hidden: these are taken out of use, in this order.
  std::vector<std::string> outOfUseWhenHidden;
};

// Null when the container holds no parameter and has no extra action.
const Membership* FindMembership(std::string_view container);
// Every listed container, the three I/O channels expanded, in table order.
const std::vector<Membership>& MembershipTable();

}  // namespace layout
