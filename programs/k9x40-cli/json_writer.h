#pragma once
// A small streaming JSON writer for the --json output. Strings are the
// tool's 8-bit texts: valid UTF-8 passes through, control characters are
// escaped, and a byte that is not part of valid UTF-8 is written as the code
// point of the same number (\u0080..\u00ff), so every output parses.

#include <string>
#include <string_view>
#include <vector>

namespace cli {

std::string JsonQuote(std::string_view bytes);

class JsonWriter {
 public:
  JsonWriter& beginObject();
  JsonWriter& endObject();
  JsonWriter& beginArray();
  JsonWriter& endArray();
  JsonWriter& key(std::string_view k);
  JsonWriter& value(std::string_view s);
  JsonWriter& value(const char* s) { return value(std::string_view(s)); }
  JsonWriter& value(const std::string& s) { return value(std::string_view(s)); }
  JsonWriter& value(long long n);
  JsonWriter& value(int n) { return value(static_cast<long long>(n)); }
  JsonWriter& value(bool b);
  JsonWriter& null();
  // Shorthands for one member.
  template <class T>
  JsonWriter& member(std::string_view k, const T& v) {
    key(k);
    return value(v);
  }
  const std::string& text() const { return out_; }

 private:
  void separate();
  std::string out_;
  std::vector<bool> first_;  // per open container: nothing written in it yet
  bool afterKey_ = false;
};

// Writes the text and a line end to stdout; false when stdout failed.
bool PrintJson(const JsonWriter& w);

}  // namespace cli
