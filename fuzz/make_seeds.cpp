// Writes the seed inputs of every fuzz target: settings reports built from
// the registry's own labels, the terminal's replies to each command, split
// into chunks the way the receive target reads them, and the network-mode
// replies. Usage: make_seeds <corpus root>; each target gets <root>/<name>/.

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "params/param_registry.h"

namespace fs = std::filesystem;

namespace {

void Put(const fs::path& dir, const std::string& name, const std::string& bytes) {
  fs::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary | std::ios::trunc) << bytes;
}

// A full report: echo, then one line per setting from "Access Point Name:".
std::string Report(const params::ParamRegistry& reg) {
  std::string report = "\r\nAT+SHOW\r\n";
  std::set<std::string> printed;
  auto line = [&](const std::string& label, const std::string& value) {
    if (label.rfind("\r\n", 0) != 0) report += "\r\n";
    report += label + " " + value + "\r\n";
  };
  const params::ParamEntry* apn = reg.find("Access Point Name");
  line(apn->reportLabel, "cmnet");
  printed.insert(apn->atCommand);
  int n = 0;
  reg.forEach([&](const std::string& name, const params::ParamEntry& e) {
    if (e.reportLabel.empty()) return;
    if (!printed.insert(e.atCommand.empty() ? name : e.atCommand).second) return;
    line(e.reportLabel, std::to_string(n++ % 7));
  });
  return report + "\r\nOK\r\n";
}

// The receive target's encoding: bytes are taken from the front, one op byte
// per chunk from the back (chunk length = op % 64), the reply kind last.
std::string ChunkedInput(int kind, const std::string& reply, std::size_t piece) {
  std::string front;
  std::vector<unsigned char> back{static_cast<unsigned char>(kind + 1)};  // index into the kind table
  for (std::size_t at = 0; at < reply.size(); at += piece) {
    std::string c = reply.substr(at, piece);
    front += c;
    back.push_back(static_cast<unsigned char>(c.size()));
  }
  std::string out = front;
  for (auto it = back.rbegin(); it != back.rend(); ++it) out.push_back(static_cast<char>(*it));
  return out;
}

std::string ToDisk(const std::string& text) {  // LF written as CR LF
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// ConsumeRandomLengthString's encoding: a backslash is doubled, and a
// backslash followed by another byte ends the string.
std::string Field(const std::string& s) {
  std::string out;
  for (char c : s) {
    out += c;
    if (c == '\\') out += '\\';
  }
  return out + "\\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const fs::path root = argv[1];
  params::ParamRegistry reg;
  params::BuildRegistry(reg);
  const std::string report = Report(reg);

  Put(root / "fuzz_report_parser", "report", report);
  Put(root / "fuzz_report_parser", "banner-report", "boot banner\r\n'sys' ready\r\n" + report);
  Put(root / "fuzz_snapshot_reader", "saved", ToDisk(report));
  Put(root / "fuzz_snapshot_reader", "lf-only", report.substr(0, 3000));

  struct Reply {
    const char* name;
    int kind;  // JobType value
    std::string text;
  };
  const std::vector<Reply> replies = {
      {"boot", 0, "K9x40 boot\r\nPress 's' key to enter setting\r\n"},
      {"list", 0, "\r\nAT+LIST\r\nAT+SHOW\r\nAT+FACTORY\r\nOK\r\n"},
      {"report", 1, report},
      {"write-ok", 2, "AT+APN=cmnet\r\nOK\r\n"},
      {"write-error", 2, "AT+APN=cmnet\r\nERROR\r\n"},
      {"escape", 3, "+++\r\nenter setting!\r\n"},
      {"factory", 4, "\r\nAT+FACTORY\r\nOK\r\n"},
      {"to-file", 5, report},
      {"quit", 7, "\r\nat+quit\r\nOK\r\n"},
      {"netmode", 8, "\r\n+FINDNETMODE: LTE\r\n\r\nOK\r\n"},
      {"version", 9, "At+VER\r\nK9x40 V2.1\r\nOK\r\n"},
      {"signal-error", 11, "At+CSQ\r\nERROR\r\n"},
      {"self-timeout", 2, "Seting Timeout and quit\r\n"},
  };
  for (const Reply& r : replies) {
    Put(root / "fuzz_receive_step", r.name, ChunkedInput(r.kind, r.text, 63));
    Put(root / "fuzz_receive_step", std::string(r.name) + "-bytes", ChunkedInput(r.kind, r.text.substr(0, 200), 1));
  }
  Put(root / "fuzz_netmode", "reply", Field("\r\n+FINDNETMODE: LTE\r\n") + Field("\r\nOK\r\n") + "\x01");
  Put(root / "fuzz_netmode", "split", Field("\r\n+FINDNET") + Field("MODE:ABC\r") + Field("\nOK\r\n") + "\x01");

  Put(root / "fuzz_ini", "config", Field("Set") + Field("Language") + Field("1") + Field("CustomVer") +
                                       Field("CustomVer") + "[Set]\r\nLanguage=0\r\n[CustomVer]\r\nCustomVer=\r\n");
  return 0;
}
