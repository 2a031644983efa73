#include "link/receive_step.h"

#include <algorithm>
#include <cstring>

namespace devlink {

namespace {

bool Has(const params::RecvBuffer& b, std::string_view mark) {
  return b.text().find(mark) != std::string_view::npos;
}

bool Matches(const params::RecvBuffer& b, const CompletionRule& r) {
  if (!Has(b, r.present1)) return false;
  if (!r.present2.empty() && !Has(b, r.present2)) return false;
  if (!r.absent.empty() && Has(b, r.absent)) return false;
  return true;
}

// A prompt that the command list follows was already answered: a terminal
// that sends both in one chunk is in configuration mode, not waiting for keys.
bool BootPromptPending(const params::RecvBuffer& b) {
  const std::string_view text = b.text();
  const auto prompt = text.rfind(kMarkBootPrompt);
  if (prompt == std::string_view::npos) return false;
  const auto list = text.rfind(kMarkCommandList);
  return list == std::string_view::npos || prompt > list;
}

RecvAction Post(bool on, ButtonMode mode) {
  RecvAction a{RecvAction::PostButtonState, {}, on, mode, {}, 0};
  return a;
}

RecvAction Simple(RecvAction::Kind k) { return RecvAction{k, {}, false, ModeConfig, {}, 0}; }

RecvAction Queue(JobType type, std::string_view cmd) {
  RecvAction a = Simple(RecvAction::QueueJob);
  a.job = MakeJob(type, cmd);
  return a;
}

void Apply(Completion c, JobType& expected, std::vector<RecvAction>& out) {
  switch (c) {
    case Completion::Complete:
      out.push_back(Simple(RecvAction::SignalReply));
      break;
    case Completion::CommandList:
      out.push_back(Simple(RecvAction::StopKeyTimer));
      out.push_back(Post(true, ModeConfig));
      break;
    case Completion::EscapeAccepted:
      out.push_back(Post(true, ModeConfig));
      out.push_back(Simple(RecvAction::SignalReply));
      break;
    case Completion::FactoryDone:
      out.push_back(Simple(RecvAction::SignalReply));
      out.push_back(Queue(ReadSettings, kCmdShow));
      break;
    case Completion::EndWithoutSignal:
      break;
    case Completion::QuitDone:
      out.push_back(Simple(RecvAction::SignalReply));
      out.push_back(Post(false, ModeConfig));
      break;
    case Completion::SignalRetry:
      out.push_back(Simple(RecvAction::SignalReply));
      out.push_back(Queue(QuerySignalRetry, kCmdSignal));
      break;
  }
  expected = None;
}

}  // namespace

std::vector<CompletionRule> CompletionRules(JobType expected) {
  using C = Completion;
  const CompletionRule okOrError[] = {{kMarkOk, {}, {}, C::Complete}, {kMarkError, {}, {}, C::Complete}};
  switch (expected) {
    case Handshake: return {{kMarkCommandList, {}, {}, C::CommandList}};
    case ReadSettings: return {{kMarkReport, kMarkOk, {}, C::Complete}};
    case WriteSetting:
    case QueryVersion:
    case QuerySim:
    case CustomCommand:
    case QuerySignalRetry:
    case ReadFileLog: return {std::begin(okOrError), std::end(okOrError)};
    case Escape:
      return {{kMarkEscapeAccepted, {}, {}, C::EscapeAccepted}, {kMarkError, {}, {}, C::Complete}};
    case FactoryReset:
      return {{kMarkOk, {}, {}, C::FactoryDone}, {kMarkError, {}, {}, C::EndWithoutSignal}};
    case ReadSettingsToFile:
    case ReadSettingsForFile:
      return {{kMarkReport, kMarkOk, {}, C::Complete}, {kMarkError, {}, kMarkReport, C::EndWithoutSignal}};
    case QuitConfig: return {{kMarkOk, {}, {}, C::QuitDone}};
    case FindNetMode: return {{kMarkOk, {}, {}, C::Complete}};
    case QuerySignal:
      return {{kMarkOk, {}, {}, C::Complete}, {kMarkError, {}, {}, C::SignalRetry}};
    default: return {};
  }
}

void AppendReceived(params::RecvBuffer& b, std::string_view bytes) {
  const int max = params::RecvBuffer::kMaxBytes;
  const int n = static_cast<int>(std::min<std::size_t>(bytes.size(), max));
  bytes = bytes.substr(bytes.size() - n);  // a chunk alone larger than the buffer keeps its tail
  if (b.count + n <= max) {
    std::memcpy(b.data.data() + b.count, bytes.data(), n);
    b.count += n;
  } else {
    const int keep = max - n;
    std::memmove(b.data.data(), b.data.data() + (b.count - keep), keep);
    std::memcpy(b.data.data() + keep, bytes.data(), n);
    b.count = max;
  }
  std::replace(b.data.begin(), b.data.begin() + b.count, '\0', ' ');
  b.data[b.count] = '\0';
}

std::vector<RecvAction> ReceiveStep(params::RecvBuffer& b, JobType& expected, std::string_view chunk,
                                    const Timing& timing) {
  std::vector<RecvAction> out;
  if (chunk.empty()) return out;
  if (expected != None) {
    RecvAction log = Simple(RecvAction::Log);
    log.text = std::string(chunk.substr(0, chunk.find('\0')));
    out.push_back(std::move(log));
  }
  AppendReceived(b, chunk);
  if (expected >= 0 && expected <= 15) {
    for (const CompletionRule& r : CompletionRules(expected)) {
      if (Matches(b, r)) {
        Apply(r.effect, expected, out);
        break;
      }
    }
  }
  if (Has(b, kMarkSelfTimeout)) {
    out.push_back(Post(false, ModeConfig));
  } else if (BootPromptPending(b)) {
    expected = Handshake;
    RecvAction key = Simple(RecvAction::StartKeyTimer);
    key.periodMs = timing.keyRepeatMs;
    out.push_back(key);
    b.clear();
  }
  return out;
}

}  // namespace devlink
