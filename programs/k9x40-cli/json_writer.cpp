#include "json_writer.h"

#include <cstdio>

namespace cli {

namespace {

// Length of the valid UTF-8 sequence at s[i], 0 when there is none.
std::size_t Utf8Length(std::string_view s, std::size_t i) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = b(i);
  std::size_t n;
  unsigned min;
  if (c < 0x80) return 1;
  if (c >= 0xc2 && c <= 0xdf) n = 2, min = 0x80;
  else if (c >= 0xe0 && c <= 0xef) n = 3, min = 0x800;
  else if (c >= 0xf0 && c <= 0xf4) n = 4, min = 0x10000;
  else return 0;
  if (i + n > s.size()) return 0;
  unsigned cp = c & (0x7f >> n);
  for (std::size_t k = 1; k < n; ++k) {
    if ((b(i + k) & 0xc0) != 0x80) return 0;
    cp = (cp << 6) | (b(i + k) & 0x3f);
  }
  if (cp < min || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff)) return 0;
  return n;
}

}  // namespace

std::string JsonQuote(std::string_view s) {
  std::string out = "\"";
  char buf[8];
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
      ++i;
    } else if (c == '\n') {
      out += "\\n", ++i;
    } else if (c == '\r') {
      out += "\\r", ++i;
    } else if (c == '\t') {
      out += "\\t", ++i;
    } else if (c < 0x20 || c == 0x7f) {
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf, ++i;
    } else if (std::size_t n = Utf8Length(s, i); n > 0) {
      out.append(s.substr(i, n));
      i += n;
    } else {
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf, ++i;
    }
  }
  out += '"';
  return out;
}

void JsonWriter::separate() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!first_.empty()) {
    if (!first_.back()) out_ += ',';
    first_.back() = false;
  }
}

JsonWriter& JsonWriter::beginObject() {
  separate();
  out_ += '{';
  first_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::endObject() {
  out_ += '}';
  first_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::beginArray() {
  separate();
  out_ += '[';
  first_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::endArray() {
  out_ += ']';
  first_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::key(std::string_view k) {
  separate();
  out_ += JsonQuote(k);
  out_ += ':';
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::value(std::string_view s) {
  separate();
  out_ += JsonQuote(s);
  return *this;
}

JsonWriter& JsonWriter::value(long long n) {
  separate();
  out_ += std::to_string(n);
  return *this;
}

JsonWriter& JsonWriter::value(bool b) {
  separate();
  out_ += b ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::null() {
  separate();
  out_ += "null";
  return *this;
}

bool PrintJson(const JsonWriter& w) {
  std::fwrite(w.text().data(), 1, w.text().size(), stdout);
  std::fputc('\n', stdout);
  return std::fflush(stdout) == 0;
}

}  // namespace cli
