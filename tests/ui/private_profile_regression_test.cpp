// Inputs the INI fuzzer found: a write that reported success but did not
// read back, or changed another key.

#include <gtest/gtest.h>

#include <string>

#include "ui/private_profile.h"

namespace {

struct WriteCase {
  const char* what;
  std::string content;
  const char *section, *key, *value;
  // Another key and what it must read before and after the write.
  const char *otherSection, *otherKey, *otherValue;
};

TEST(PrivateProfileRegressionTest, WritesReadBackAndLeaveOtherKeysAlone) {
  const WriteCase cases[] = {
      {"names with blanks around them", "", " Set\t", "Language ", "1", "x", "y", ""},
      {"file ends in a bare CR, new section", "[A]\r\nk=\r", "B", "x", "1", "A", "k", ""},
      {"file ends in a bare CR, same section", "[A]\r\nk=old\r", "A", "x", "1", "A", "k", "old"},
      {"header line ends in a bare CR", "[A]\r", "A", "k", "v", "B", "k", ""},
      {"LF file ends in a bare CR", "[A]\nk=2\r", "B", "k", "v", "A", "k", "2"},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::string content = c.content;
    ASSERT_EQ(ui::ReadProfileText(content, c.otherSection, c.otherKey, "", 300), c.otherValue);
    ASSERT_TRUE(ui::WriteProfileText(content, c.section, c.key, c.value));
    EXPECT_EQ(ui::ReadProfileText(content, c.section, c.key, "<none>", 300), c.value);
    EXPECT_EQ(ui::ReadProfileText(content, c.otherSection, c.otherKey, "", 300), c.otherValue);
  }
}

}  // namespace
