#include "sim/transcript.h"

#include <charconv>

namespace sim {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

const char* DirName(Direction d) {
  switch (d) {
    case Direction::Received: return "rx";
    case Direction::Sent: return "tx";
    case Direction::Event: return "ev";
  }
  return "??";
}

}  // namespace

std::string EscapeBytes(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\0': out += "\\0"; break;
      default:
        if (c >= 0x20 && c < 0x7f) {
          out += ch;
        } else {
          out += "\\x";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        }
    }
  }
  return out;
}

std::optional<std::string> UnescapeBytes(std::string_view t) {
  std::string out;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i] != '\\') {
      out += t[i];
      continue;
    }
    if (++i >= t.size()) return std::nullopt;
    switch (t[i]) {
      case '\\': out += '\\'; break;
      case 'r': out += '\r'; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case '0': out += '\0'; break;
      case 'x': {
        int hi = i + 1 < t.size() ? HexDigit(t[i + 1]) : -1;
        int lo = i + 2 < t.size() ? HexDigit(t[i + 2]) : -1;
        if (hi < 0 || lo < 0) return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
        break;
      }
      default: return std::nullopt;
    }
  }
  return out;
}

std::string FormatRecord(const TranscriptRecord& r) {
  std::string s = DirName(r.dir);
  s += ' ';
  s += std::to_string(r.us);
  s += ' ';
  s += r.dir == Direction::Event ? r.bytes : EscapeBytes(r.bytes);
  return s;
}

std::optional<TranscriptRecord> ParseRecord(std::string_view line) {
  if (line.size() < 5 || line[2] != ' ') return std::nullopt;
  TranscriptRecord r{};
  std::string_view dir = line.substr(0, 2);
  if (dir == "rx") r.dir = Direction::Received;
  else if (dir == "tx") r.dir = Direction::Sent;
  else if (dir == "ev") r.dir = Direction::Event;
  else return std::nullopt;
  std::string_view rest = line.substr(3);
  auto sp = rest.find(' ');
  if (sp == std::string_view::npos) return std::nullopt;
  auto [p, ec] = std::from_chars(rest.data(), rest.data() + sp, r.us);
  if (ec != std::errc() || p != rest.data() + sp) return std::nullopt;
  std::string_view body = rest.substr(sp + 1);
  if (r.dir == Direction::Event) {
    r.bytes = body;
  } else {
    auto b = UnescapeBytes(body);
    if (!b) return std::nullopt;
    r.bytes = std::move(*b);
  }
  return r;
}

std::vector<TranscriptRecord> ReadTranscriptFile(const std::string& path) {
  std::vector<TranscriptRecord> out;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line))
    if (auto r = ParseRecord(line)) out.push_back(std::move(*r));
  return out;
}

std::string JoinBytes(const std::vector<TranscriptRecord>& records, Direction dir) {
  std::string s;
  for (const auto& r : records)
    if (r.dir == dir) s += r.bytes;
  return s;
}

bool TranscriptWriter::open(const std::string& path) {
  out_.open(path, std::ios::binary | std::ios::trunc);
  return out_.is_open();
}

void TranscriptWriter::write(const TranscriptRecord& r) {
  if (!out_.is_open()) return;
  out_ << FormatRecord(r) << '\n';
  out_.flush();
}

}  // namespace sim
