#pragma once
// Every byte the terminal received and sent, with the time it crossed the
// line, plus the terminal's own events. One record per chunk.
//
// File format, one record a line:  <dir> <microseconds> <bytes>
//   dir           rx (received from the tool), tx (sent to it) or ev (event)
//   microseconds  monotonic time since the simulator started
//   bytes         escaped: \\ \r \n \t \0 and \xHH; every other printable
//                 ASCII byte (blank included) stands for itself
// ReadTranscriptFile() reads it back.

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

enum class Direction { Received, Sent, Event };

struct TranscriptRecord {
  Direction dir;
  std::int64_t us;
  std::string bytes;
};

std::string EscapeBytes(std::string_view bytes);
std::optional<std::string> UnescapeBytes(std::string_view text);
std::string FormatRecord(const TranscriptRecord& r);  // without the line end
std::optional<TranscriptRecord> ParseRecord(std::string_view line);
std::vector<TranscriptRecord> ReadTranscriptFile(const std::string& path);

// Concatenated bytes of one direction.
std::string JoinBytes(const std::vector<TranscriptRecord>& records, Direction dir);

// Appends records to a file as they come, flushed at once so that a reader
// sees them while the simulator runs.
class TranscriptWriter {
 public:
  bool open(const std::string& path);
  void write(const TranscriptRecord& r);

 private:
  std::ofstream out_;
};

}  // namespace sim
