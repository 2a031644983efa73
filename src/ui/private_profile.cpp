#include "ui/private_profile.h"

#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>
#include <vector>

#include "ui/utf8_cut.h"

namespace ui {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// One line of the file: [begin, end) without its line end, next = start of
// the following line.
struct Line {
  std::size_t begin, end, next;
};

std::vector<Line> SplitLines(std::string_view s) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  if (s.substr(0, 3) == "\xEF\xBB\xBF") pos = 3;
  while (pos < s.size()) {
    std::size_t nl = s.find('\n', pos);
    std::size_t next = nl == std::string_view::npos ? s.size() : nl + 1;
    std::size_t end = nl == std::string_view::npos ? s.size() : nl;
    if (end > pos && s[end - 1] == '\r') --end;
    lines.push_back({pos, end, next});
    pos = next;
  }
  return lines;
}

// The section name of a header line, or nullopt.
std::optional<std::string_view> SectionOf(std::string_view line) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

struct KeyLine {
  std::string_view key, value;
};

std::optional<KeyLine> KeyOf(std::string_view line) {
  std::string_view t = Trim(line);
  if (t.empty() || t.front() == ';') return std::nullopt;
  std::size_t eq = t.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyLine{Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))};
}

// Where (section, key) lies: the section's header line, the key's line,
// and the last non-blank line of the section.
struct Place {
  std::optional<std::size_t> header, keyLine, lastFilled;
};

Place Locate(std::string_view s, const std::vector<Line>& lines, std::string_view section,
             std::string_view key) {
  Place p;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view text = s.substr(lines[i].begin, lines[i].end - lines[i].begin);
    if (auto name = SectionOf(text)) {
      if (p.header) break;  // the next section ends ours
      if (SameName(*name, section)) p.header = p.lastFilled = i;
      continue;
    }
    if (!p.header) continue;
    if (!Trim(text).empty()) p.lastFilled = i;
    if (auto kv = KeyOf(text); kv && SameName(kv->key, key)) {
      p.keyLine = i;
      break;
    }
  }
  return p;
}

std::string_view Unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

std::string Cut(std::string_view v, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  return std::string(Utf8Cut(v, bufferSize - 1));
}

bool SafeName(std::string_view n, bool isKey) {
  if (Trim(n).empty()) return false;
  for (char c : n) {
    if (c == '\r' || c == '\n' || c == ']' || (isKey && c == '=')) return false;
  }
  const char first = Trim(n).front();
  return !isKey || (first != '[' && first != ';');
}

// Ends the file's last line before text goes behind it. A bare CR at the end
// is already the first half of a line end: the reader drops it with the LF.
void EndLastLine(std::string& content, const std::string& eol) {
  if (content.empty() || content.back() == '\n') return;
  content += content.back() == '\r' ? std::string("\n") : eol;
}

std::optional<std::string> ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

std::string ReadProfileText(std::string_view content, std::string_view section, std::string_view key,
                            std::string_view defaultText, std::size_t bufferSize) {
  // Names in the file lose their blanks, so a name asked for loses them too
  // (as the writer does): what was written under a name reads back under it.
  section = Trim(section);
  key = Trim(key);
  const std::vector<Line> lines = SplitLines(content);
  const Place p = Locate(content, lines, section, key);
  if (p.keyLine) {
    const Line& l = lines[*p.keyLine];
    return Cut(Unquote(KeyOf(content.substr(l.begin, l.end - l.begin))->value), bufferSize);
  }
  while (!defaultText.empty() && IsBlank(defaultText.back())) defaultText.remove_suffix(1);
  return Cut(defaultText, bufferSize);
}

std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view defaultText,
                              std::size_t bufferSize) {
  const std::string content = ReadFile(file).value_or(std::string());
  return ReadProfileText(content, section, key, defaultText, bufferSize);
}

bool WriteProfileText(std::string& content, std::string_view section, std::string_view key,
                      std::string_view value) {
  if (!SafeName(section, false) || !SafeName(key, true)) return false;
  if (value.find_first_of("\r\n") != std::string_view::npos) return false;
  section = Trim(section);
  key = Trim(key);

  const std::size_t firstNl = content.find('\n');
  const std::string eol =
      firstNl != std::string::npos && (firstNl == 0 || content[firstNl - 1] != '\r') ? "\n" : "\r\n";
  const std::vector<Line> lines = SplitLines(content);
  const Place p = Locate(content, lines, section, key);
  std::string entry = std::string(key) + "=" + std::string(value);

  if (p.keyLine) {
    const Line& l = lines[*p.keyLine];
    const std::string_view whole(content);
    // Keep the key as the file spells it, and the line's own indentation.
    const std::string_view oldKey = KeyOf(whole.substr(l.begin, l.end - l.begin))->key;
    const std::size_t keyAt = static_cast<std::size_t>(oldKey.data() - whole.data());
    content.replace(keyAt, l.end - keyAt, std::string(oldKey) + "=" + std::string(value));
    return true;
  }
  if (p.header) {
    const Line& last = lines[*p.lastFilled];
    if (last.next == content.size()) {
      EndLastLine(content, eol);
      content += entry + eol;
    } else {
      content.insert(last.next, entry + eol);
    }
    return true;
  }
  EndLastLine(content, eol);
  content += "[" + std::string(section) + "]" + eol + entry + eol;
  return true;
}

bool WriteProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value) {
  std::string content;
  if (auto existing = ReadFile(file)) {
    content = std::move(*existing);
  } else {
    std::error_code ec;
    if (std::filesystem::exists(file, ec)) return false;  // there but unreadable: do not clobber
  }
  if (!WriteProfileText(content, section, key, value)) return false;

  // Write beside the file and rename over it, so a reader never sees half a file.
  std::filesystem::path tmp = file;
  tmp += ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) {
      std::error_code ec;
      std::filesystem::remove(tmp, ec);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(tmp, file, ec);
  if (ec) {
    std::filesystem::remove(tmp, ec);
    return false;
  }
  return true;
}

}  // namespace ui
