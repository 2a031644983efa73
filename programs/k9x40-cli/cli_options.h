#pragma once
// The command line: options shared by every command, the command word and
// the words left for the command itself.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

struct GlobalOptions {
  std::string port;           // empty: the only port present
  int baud = 115200;
  std::string format = "8N1";
  bool login = false;         // enter configuration mode with the escape
  double waitS = 60;          // for configuration mode
  std::optional<int> language;  // 0 English, 1 Chinese; unset: config.ini's
  bool json = false;
  bool verbose = false;       // the log pane's traffic on stderr
  double timeScale = 1.0;     // every period and time-out of the tool (test benches)
};

struct Invocation {
  GlobalOptions options;
  std::string command;
  std::vector<std::string> args;  // the command's own words and options, in order
  std::size_t literalFrom = static_cast<std::size_t>(-1);  // args from here on came after "--"
  std::string usage;              // "k9x40-cli read [-o FILE.cfg]", filled by main
};

// Shared options may stand before or after the command word; "--" ends
// option parsing (what follows goes to the command as it is). Words starting
// with "-" that are not shared options are left to the command. nullopt with
// `error` set on a bad or incomplete option.
std::optional<Invocation> ParseCommandLine(const std::vector<std::string>& argv, std::string* error);

// The command's own options. take*() remove what they match from the words.
class CommandArgs {
 public:
  explicit CommandArgs(const Invocation& inv);
  bool takeFlag(std::string_view name);
  // "-o FILE" or "-o=FILE"; nullopt when absent; `missing` set when the value is.
  std::optional<std::string> takeValue(std::string_view shortName, std::string_view longName, bool* missing);
  // An option word still left (a "-x" the command does not know), or empty.
  std::string unknownOption() const;
  const std::vector<std::string>& words() const { return words_; }

 private:
  void erase(std::size_t i, std::size_t n);
  std::vector<std::string> words_;
  std::vector<bool> literal_;  // came after "--": never an option
};

// Prints "k9x40-cli: <why>" (when given) and the command's usage on one line
// to stderr; returns the usage exit code.
int UsageError(const Invocation& inv, std::string_view why = {});

}  // namespace cli
