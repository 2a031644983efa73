#pragma once
// Self-check and maintenance commands: what the buttons queue, the clock
// command, and the network-mode value picked out of its reply.

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "link/job.h"
#include "link/job_queue.h"
#include "ui/paint_manager.h"

namespace diag {

// "yyyy/mm/dd,hh:mm:ss" of the given local time (19 characters).
std::string FormatClockTime(const std::tm& local);
// The PC's local time in that form.
std::string FormatLocalTime();

// AT+EXCCLK="<time>",5 CR LF as a write job without parameter.
devlink::Job ClockJob(std::string_view timeText);
// Queues the clock job with the time of this moment.
void SetTerminalClock(devlink::JobQueue& queue);

// A skin button whose name contains "AT+": its name is the command.
bool IsCustomCommandName(std::string_view name);
devlink::Job CustomCommandJob(std::string_view controlName);

// Replies longer than this are not read for the network mode.
inline constexpr int kNetModeReplyLimit = 100;
// The text between "+FINDNETMODE:" and the next CR LF, untrimmed; nullopt
// when the reply is too long or either end is missing.
std::optional<std::string> NetModeValue(std::string_view reply, int count);
// Puts that value into "FINDNETMODE"; the field keeps its text otherwise.
// UI thread only.
void ShowNetMode(ui::PaintManager& pm, std::string_view reply, int count);

}  // namespace diag
