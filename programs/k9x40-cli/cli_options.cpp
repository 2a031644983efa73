#include "cli_options.h"

#include <cstdio>
#include <cstdlib>

#include "cli_commands.h"

namespace cli {

namespace {

bool ParsePositiveInt(const std::string& s, int* out) {
  if (s.empty() || s.size() > 9) return false;
  int v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  if (v <= 0) return false;
  *out = v;
  return true;
}

bool ParseNonNegative(const std::string& s, double* out) {
  if (s.empty()) return false;
  char* end = nullptr;
  double v = std::strtod(s.c_str(), &end);
  if (end != s.c_str() + s.size() || !(v >= 0) || v > 1e7) return false;
  *out = v;
  return true;
}

// Data bits, parity letter of the port's mode syntax, stop bits: 8N1, 7E2.
bool ValidFormat(const std::string& f) {
  return f.size() == 3 && f[0] >= '5' && f[0] <= '8' &&
         std::string_view("NEOMS").find(f[1]) != std::string_view::npos && (f[2] == '1' || f[2] == '2');
}

struct ValueOption {
  std::string_view shortName, longName;
};

// Splits "--name=value"; returns the value when `word` is this option.
std::optional<std::string> MatchValue(const std::string& word, const ValueOption& o, bool* needsNext) {
  *needsNext = false;
  for (std::string_view n : {o.shortName, o.longName}) {
    if (n.empty()) continue;
    if (word == n) {
      *needsNext = true;
      return std::string();
    }
    if (word.size() > n.size() && word.compare(0, n.size(), n) == 0 && word[n.size()] == '=')
      return word.substr(n.size() + 1);
  }
  return std::nullopt;
}

}  // namespace

std::optional<Invocation> ParseCommandLine(const std::vector<std::string>& argv, std::string* error) {
  Invocation inv;
  GlobalOptions& o = inv.options;
  auto fail = [error](std::string text) -> std::optional<Invocation> {
    *error = std::move(text);
    return std::nullopt;
  };
  const ValueOption kPort{"-p", "--port"}, kBaud{"-b", "--baud"}, kFormat{"-f", "--format"},
      kWait{"", "--wait"}, kLang{"", "--lang"}, kScale{"", "--time-scale"};

  bool literal = false;
  for (std::size_t i = 0; i < argv.size(); ++i) {
    const std::string& w = argv[i];
    if (literal || w.empty() || w[0] != '-' || w == "-") {
      if (inv.command.empty() && !literal) inv.command = w;
      else inv.args.push_back(w);
      continue;
    }
    if (w == "--") {
      literal = true;
      if (inv.command.empty() && i + 1 < argv.size()) inv.command = argv[++i];
      inv.literalFrom = inv.args.size();
      continue;
    }
    if (w == "--login") { o.login = true; continue; }
    if (w == "--json") { o.json = true; continue; }
    if (w == "-v" || w == "--verbose") { o.verbose = true; continue; }

    std::optional<std::string> value;
    const ValueOption* which = nullptr;
    for (const ValueOption* opt : {&kPort, &kBaud, &kFormat, &kWait, &kLang, &kScale}) {
      bool needsNext = false;
      value = MatchValue(w, *opt, &needsNext);
      if (!value) continue;
      which = opt;
      if (needsNext) {
        if (i + 1 >= argv.size()) return fail("option " + w + " needs a value");
        value = argv[++i];
      }
      break;
    }
    if (!which) {
      inv.args.push_back(w);  // the command's own option
      continue;
    }
    const std::string& v = *value;
    if (which == &kPort) {
      if (v.empty()) return fail("option --port needs a device path");
      o.port = v;
    } else if (which == &kBaud) {
      if (!ParsePositiveInt(v, &o.baud)) return fail("baud rate '" + v + "' is not a positive number");
    } else if (which == &kFormat) {
      if (!ValidFormat(v)) return fail("line format '" + v + "' is not like 8N1 (data bits 5-8, parity N/E/O/M/S, stop bits 1-2)");
      o.format = v;
    } else if (which == &kWait) {
      if (!ParseNonNegative(v, &o.waitS)) return fail("--wait '" + v + "' is not a number of seconds");
    } else if (which == &kLang) {
      if (v == "en") o.language = 0;
      else if (v == "zh") o.language = 1;
      else return fail("--lang must be en or zh, not '" + v + "'");
    } else if (which == &kScale) {
      if (!ParseNonNegative(v, &o.timeScale) || o.timeScale <= 0)
        return fail("--time-scale '" + v + "' is not a positive number");
    }
  }
  if (inv.command.empty()) return fail("no command given");
  return inv;
}

CommandArgs::CommandArgs(const Invocation& inv) : words_(inv.args) {
  for (std::size_t i = 0; i < words_.size(); ++i) literal_.push_back(i >= inv.literalFrom);
}

void CommandArgs::erase(std::size_t i, std::size_t n) {
  words_.erase(words_.begin() + static_cast<std::ptrdiff_t>(i), words_.begin() + static_cast<std::ptrdiff_t>(i + n));
  literal_.erase(literal_.begin() + static_cast<std::ptrdiff_t>(i), literal_.begin() + static_cast<std::ptrdiff_t>(i + n));
}

bool CommandArgs::takeFlag(std::string_view name) {
  for (std::size_t i = 0; i < words_.size(); ++i) {
    if (!literal_[i] && words_[i] == name) {
      erase(i, 1);
      return true;
    }
  }
  return false;
}

std::optional<std::string> CommandArgs::takeValue(std::string_view shortName, std::string_view longName,
                                                  bool* missing) {
  *missing = false;
  for (std::size_t i = 0; i < words_.size(); ++i) {
    if (literal_[i]) continue;
    bool needsNext = false;
    auto v = MatchValue(words_[i], ValueOption{shortName, longName}, &needsNext);
    if (!v) continue;
    if (!needsNext) {
      erase(i, 1);
      return v;
    }
    if (i + 1 >= words_.size()) {
      *missing = true;
      erase(i, 1);
      return std::nullopt;
    }
    std::string value = words_[i + 1];
    erase(i, 2);
    return value;
  }
  return std::nullopt;
}

std::string CommandArgs::unknownOption() const {
  for (std::size_t i = 0; i < words_.size(); ++i)
    if (!literal_[i] && words_[i].size() > 1 && words_[i][0] == '-') return words_[i];
  return {};
}

int UsageError(const Invocation& inv, std::string_view why) {
  if (why.empty())
    std::fprintf(stderr, "usage: %s\n", inv.usage.c_str());
  else
    std::fprintf(stderr, "k9x40-cli: %.*s; usage: %s\n", static_cast<int>(why.size()), why.data(),
                 inv.usage.c_str());
  return kExitUsage;
}

}  // namespace cli
