// The INI reader and writer, and LangText on a file of the same bytes.
// Writing one key must read back as written and leave every other key as
// it read before.

#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "fuzz_check.h"
#include "ui/lang_text.h"
#include "ui/private_profile.h"
#include "ui/utf8_cut.h"

namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(std::string s) {
  while (!s.empty() && Blank(s.back())) s.pop_back();
  std::size_t i = 0;
  while (i < s.size() && Blank(s[i])) ++i;
  return s.substr(i);
}

// The value a key line "k=<value>" reads back as.
std::string AsRead(const std::string& value) {
  std::string v = Trim(value);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return v;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool SameName(std::string a, std::string b) {
  a = Trim(a);
  b = Trim(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

const std::string& TempPath() {
  static const std::string path = "/tmp/k9x40-fuzz-lang-" + std::to_string(getpid()) + ".ini";
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string section = in.ConsumeRandomLengthString(24);
  const std::string key = in.ConsumeRandomLengthString(24);
  const std::string value = in.ConsumeRandomLengthString(64);
  const std::string otherSection = in.ConsumeRandomLengthString(24);
  const std::string otherKey = in.ConsumeRandomLengthString(24);
  const std::size_t bufferSize = in.ConsumeIntegralInRange<std::size_t>(0, 300);
  std::string content = in.ConsumeRemainingBytesAsString();

  const std::string got = ui::ReadProfileText(content, section, key, "dflt ", bufferSize);
  FUZZ_CHECK(bufferSize == 0 ? got.empty() : got.size() <= bufferSize - 1);

  // LangText reads the same bytes from a file, with its 200-byte buffer.
  {
    std::ofstream(TempPath(), std::ios::binary | std::ios::trunc) << content;
    const ui::LanguageFile lang(TempPath());
    const std::string text = lang.LangText(section, key, "\r\n");
    FUZZ_CHECK(text == ui::ReadProfileText(content, section, key, "", 200) + "\r\n");
    FUZZ_CHECK(text.size() <= 199 + 2);
  }

  const std::size_t big = 1 << 20;
  const std::string otherBefore = ui::ReadProfileText(content, otherSection, otherKey, "<none>", big);
  const std::string original = content;
  if (!ui::WriteProfileText(content, section, key, value)) {
    FUZZ_CHECK(content == original);
    return 0;
  }
  FUZZ_CHECK(ui::ReadProfileText(content, section, key, "<none>", big) == AsRead(value));
  if (!(SameName(section, otherSection) && SameName(key, otherKey)))
    FUZZ_CHECK(ui::ReadProfileText(content, otherSection, otherKey, "<none>", big) == otherBefore);
  return 0;
}
