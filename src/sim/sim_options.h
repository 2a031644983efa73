#pragma once
// Every knob of the simulated terminal. The program maps its command-line
// flags onto these fields one to one; tests set them directly.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

enum class PowerOn {
  AtStart,    // boots when the simulator starts (a terminal already powered)
  FirstOpen,  // boots when the other side first opens the line
  EveryOpen,  // boots again each time the other side opens the line
};

struct SimOptions {
  // Line
  std::string linkPath;    // empty: first free ttySIM<n> in ${XDG_RUNTIME_DIR:-/tmp}/k9x40-sim/
  std::string devicePath;  // non-empty: serve this serial device instead of a pty
  PowerOn powerOn = PowerOn::FirstOpen;  // a device line always boots at start

  // Boot and configuration mode, in seconds (multiplied by timeScale)
  double bootWindowS = 3.0;
  double bootDelayS = 0.0;  // before the first prompt only
  double configTimeoutS = 300.0;
  double rebootPauseS = 0.5;  // silence between a reboot and its banner
  double timeScale = 1.0;     // tests shorten every terminal time with e.g. 0.01

  // Identity and state
  // Unset: the state file's, else "K9x40-L" and "K6R20T v2.3".
  std::optional<std::string> deviceType;
  std::optional<std::string> loraVersion;
  std::string stateFile;  // .cfg snapshot to start from (as read in text mode)
  std::string stateText;  // or the report text itself

  // Pacing
  int baud = 115200;  // 10 bits a byte on the wire
  bool pace = true;
  // A pty whose other side is set to another speed or format than baud 8N1
  // carries garbage both ways, as a real line would.
  bool strictLine = false;

  // Faults
  int chunk = 0;         // >0: every output split into chunks of this many bytes
  int chunkGapMs = 20;   // silence between chunks
  bool nulInReport = false;
  bool noise = false;    // a few garbage bytes before every reply
  std::vector<std::string> errorCommands;   // command words answered "ERROR\r\n"
  double errorRate = 0.0;                   // probability of "ERROR\r\n" to any command
  std::uint32_t seed = 1;
  bool csqErrorOnce = false;                // the first At+CSQ answers "ERROR\r\n"
  std::vector<std::string> silentCommands;  // command words never answered
  std::vector<std::string> ignoredCommands; // writes of these words answered "OK" and not stored
  int rebootAt = 0;      // >0: reboots in the middle of the Nth command
  int hangupAfter = 0;   // >0: closes the line after answering the Nth command

  std::string transcriptPath;  // every byte in and out, with timestamps
  bool keepTranscript = true;  // also in memory (transcript(), received(), sent())
};

}  // namespace sim
