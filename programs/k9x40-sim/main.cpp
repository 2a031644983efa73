// k9x40-sim: a simulated K9x40 terminal on a pseudo-terminal (or a serial
// device), for the demo and for tests. Prints the path to open, then serves
// until SIGINT/SIGTERM or a simulated hang-up.

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "sim/simulator.h"

namespace {

constexpr const char* kUsage = R"(usage: k9x40-sim [options]

Line
  --link PATH          name of the link to the pty (default: first free
                       ttySIM<n> in ${XDG_RUNTIME_DIR:-/tmp}/k9x40-sim/)
  --device PATH        serve a real serial device instead of a pty
  --power-on WHEN      start | open | every-open (default open: the terminal
                       boots when the other side first opens the line)
  --baud N             line speed for pacing (default 115200, 10 bits a byte)
  --no-pace            send at once instead of at the byte time
  --strict-line        garbage both ways while the other side of the pty is
                       not set to --baud 8N1

Terminal
  --boot-window S      seconds the boot prompt waits for "s" (default 3)
  --boot-delay S       seconds before the first prompt (default 0)
  --config-timeout S   idle seconds before leaving setting mode (default 300)
  --time-scale F       multiply every terminal time by F (default 1)
  --device-type TEXT   K9x40-L (LoRa, default), K9x40-Z, K4x70, K9x40 ...
  --lora-ver TEXT      radio version (default "K6R20T v2.3")
  --state FILE         start from the values of a .cfg snapshot

Faults
  --chunk N            split every output into chunks of N bytes
  --chunk-gap MS       silence between chunks (default 20)
  --nul-in-report      NUL bytes inside the settings report
  --noise              garbage bytes before every reply
  --error-cmd CMD      answer "ERROR" to command word CMD (repeatable)
  --error-rate P       answer "ERROR" to any command with probability P
  --seed N             seed for --error-rate and --noise (default 1)
  --csq-error-once     answer "ERROR" to the first At+CSQ
  --silent-cmd CMD     never answer command word CMD (repeatable)
  --ignore-cmd CMD     answer "OK" to writes of CMD but keep the old value (repeatable)
  --reboot-at N        reboot in the middle of the Nth command
  --hangup-after N     close the line after answering the Nth command

Record
  --transcript FILE    every byte in and out with timestamps (rx/tx/ev lines)
  --help               this text
)";

bool ToDouble(const std::string& s, double& out) {
  char* end = nullptr;
  out = std::strtod(s.c_str(), &end);
  return !s.empty() && end && *end == '\0' && out >= 0;
}

bool ToInt(const std::string& s, long& out) {
  char* end = nullptr;
  out = std::strtol(s.c_str(), &end, 10);
  return !s.empty() && end && *end == '\0' && out >= 0;
}

// Fills `o` from the command line. Empty optional: go on; otherwise the exit code.
std::optional<int> ParseArgs(int argc, char** argv, sim::SimOptions& o) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    std::optional<std::string> inlineValue;
    if (auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      inlineValue = arg.substr(eq + 1);
      arg.resize(eq);
    }
    auto bad = [&](const char* why) {
      std::cerr << "k9x40-sim: " << arg << ": " << why << "\n";
      return 2;
    };
    auto next = [&]() -> std::optional<std::string> {
      if (inlineValue) return inlineValue;
      if (i + 1 < argc) return std::string(argv[++i]);
      return std::nullopt;
    };
    auto seconds = [&](double& field) -> std::optional<int> {
      auto v = next();
      double d;
      if (!v || !ToDouble(*v, d)) return bad("needs a number of seconds");
      field = d;
      return std::nullopt;
    };
    auto count = [&](auto& field, long min) -> std::optional<int> {
      auto v = next();
      long n;
      if (!v || !ToInt(*v, n) || n < min) return bad("needs a whole number");
      field = static_cast<std::remove_reference_t<decltype(field)>>(n);
      return std::nullopt;
    };
    auto text = [&](auto& field) -> std::optional<int> {
      auto v = next();
      if (!v) return bad("needs a value");
      field = *v;
      return std::nullopt;
    };
    auto list = [&](std::vector<std::string>& field) -> std::optional<int> {
      auto v = next();
      if (!v || v->empty()) return bad("needs a command word");
      field.push_back(*v);
      return std::nullopt;
    };
    std::optional<int> r;
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (arg == "--link") r = text(o.linkPath);
    else if (arg == "--device") r = text(o.devicePath);
    else if (arg == "--power-on") {
      auto v = next();
      if (v == "start") o.powerOn = sim::PowerOn::AtStart;
      else if (v == "open") o.powerOn = sim::PowerOn::FirstOpen;
      else if (v == "every-open") o.powerOn = sim::PowerOn::EveryOpen;
      else r = bad("is start, open or every-open");
    } else if (arg == "--baud") r = count(o.baud, 50);
    else if (arg == "--no-pace") o.pace = false;
    else if (arg == "--strict-line") o.strictLine = true;
    else if (arg == "--boot-window") r = seconds(o.bootWindowS);
    else if (arg == "--boot-delay") r = seconds(o.bootDelayS);
    else if (arg == "--config-timeout") r = seconds(o.configTimeoutS);
    else if (arg == "--time-scale") r = seconds(o.timeScale);
    else if (arg == "--device-type") r = text(o.deviceType);
    else if (arg == "--lora-ver") r = text(o.loraVersion);
    else if (arg == "--state") r = text(o.stateFile);
    else if (arg == "--chunk") r = count(o.chunk, 1);
    else if (arg == "--chunk-gap") r = count(o.chunkGapMs, 0);
    else if (arg == "--nul-in-report") o.nulInReport = true;
    else if (arg == "--noise") o.noise = true;
    else if (arg == "--error-cmd") r = list(o.errorCommands);
    else if (arg == "--error-rate") {
      auto v = next();
      double p;
      if (!v || !ToDouble(*v, p) || p > 1) r = bad("needs a probability from 0 to 1");
      else o.errorRate = p;
    } else if (arg == "--seed") r = count(o.seed, 0);
    else if (arg == "--csq-error-once") o.csqErrorOnce = true;
    else if (arg == "--silent-cmd") r = list(o.silentCommands);
    else if (arg == "--ignore-cmd") r = list(o.ignoredCommands);
    else if (arg == "--reboot-at") r = count(o.rebootAt, 1);
    else if (arg == "--hangup-after") r = count(o.hangupAfter, 1);
    else if (arg == "--transcript") r = text(o.transcriptPath);
    else r = bad("unknown option (see --help)");
    if (r) return r;
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  sim::SimOptions options;
  options.keepTranscript = false;  // a long demo run would only pile it up
  if (auto code = ParseArgs(argc, argv, options)) return *code;

  // Signals are taken synchronously by this thread, so the link is removed on
  // SIGINT/SIGTERM without a handler touching shared state.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  sim::Simulator terminal(options);
  std::string error;
  if (!terminal.start(&error)) {
    std::cerr << "k9x40-sim: " << error << "\n";
    return 1;
  }
  std::cout << terminal.devicePath() << std::endl;

  timespec poll{0, 100 * 1000 * 1000};
  while (terminal.running()) {
    int sig = sigtimedwait(&stopSignals, nullptr, &poll);
    if (sig > 0) break;
  }
  terminal.stop();
  return 0;
}
