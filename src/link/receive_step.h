#pragma once
// The receive side of the terminal protocol as pure logic: received chunks are
// appended to the receive buffer and judged against the awaited reply kind.
// The caller holds whatever lock guards the buffer and carries out the
// returned actions in order, on the UI thread.

#include <string>
#include <string_view>
#include <vector>

#include "link/job.h"
#include "link/timing.h"
#include "link/window_messages.h"
#include "params/recv_buffer.h"

namespace devlink {

// Markers searched anywhere in the accumulated text.
inline constexpr std::string_view kMarkBootPrompt = "'s' key";
inline constexpr std::string_view kMarkCommandList = "AT+LIST";
inline constexpr std::string_view kMarkEscapeAccepted = "enter setting!";
inline constexpr std::string_view kMarkSelfTimeout = "Seting Timeout and quit";
inline constexpr std::string_view kMarkReport = "Access Point Name:";
inline constexpr std::string_view kMarkOk = "OK";
inline constexpr std::string_view kMarkError = "ERROR\r\n";

struct RecvAction {
  enum Kind { Log, SignalReply, PostButtonState, QueueJob, StartKeyTimer, StopKeyTimer };
  Kind kind;
  std::string text;              // Log
  bool on = false;               // PostButtonState
  ButtonMode mode = ModeConfig;  // PostButtonState
  Job job;                       // QueueJob
  int periodMs = 0;              // StartKeyTimer
};

// What a matching completion rule does.
enum class Completion {
  Complete,          // signal the reply, nothing awaited any more
  CommandList,       // key stops, configuration mode shown; no signal
  EscapeAccepted,    // configuration mode shown, signal
  FactoryDone,       // signal, a full report read follows
  EndWithoutSignal,  // nothing awaited any more; the worker times out
  QuitDone,          // signal, shown out of configuration mode
  SignalRetry,       // signal, the signal query is repeated once
};

struct CompletionRule {
  std::string_view present1;
  std::string_view present2;  // empty: not needed
  std::string_view absent;    // empty: not tested
  Completion effect;
};

// The rules of one reply kind, tried in order; the first match decides.
std::vector<CompletionRule> CompletionRules(JobType expected);

// Appends `bytes`, keeping the newest RecvBuffer::kMaxBytes, and turns every
// NUL among the held bytes into a blank so that searches see the whole text.
void AppendReceived(params::RecvBuffer& buffer, std::string_view bytes);

// One received chunk: log (while a reply is awaited), append, completion
// test, then the self-timeout and boot prompt checks (a prompt counts only
// when no command list follows it in the buffer). Updates `buffer` and
// `expectedReply` in place.
std::vector<RecvAction> ReceiveStep(params::RecvBuffer& buffer, JobType& expectedReply,
                                    std::string_view chunk, const Timing& timing);

}  // namespace devlink
