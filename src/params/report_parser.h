#pragma once
// Turns the terminal's settings report into every registry entry's value.

#include <string_view>

#include "params/param_registry.h"
#include "params/recv_buffer.h"

namespace params {

// Text from which the report is read; also the "Access Point Name" label.
inline constexpr std::string_view kReportMarker = "Access Point Name:";

// Empties every value, then fills each entry from the first line after the
// marker that carries its report label. Never fails as a whole: an entry whose
// label is missing, has no CR LF after it, or whose value is 1024 bytes or
// longer stays empty. Without the marker every value ends up empty; only the
// first 8191 bytes from the marker are searched, and a NUL ends the text.
void ParseShowReport(ParamRegistry& registry, const RecvBuffer& recv);

// Same, for text not yet in a receive buffer (cut to what the buffer holds).
void ParseShowReport(ParamRegistry& registry, std::string_view text);

// The value that `label` finds in `work` (the searchable text from the
// marker), or empty. An empty label finds the first line.
std::string_view FindReportValue(std::string_view work, std::string_view label);

}  // namespace params
