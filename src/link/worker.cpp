#include "link/worker.h"

namespace devlink {

namespace {
constexpr std::string_view kSection = "WorkerJobThreadProc";

bool Contains(std::string_view text, std::string_view mark) {
  return text.find(mark) != std::string_view::npos;
}

// Writes and the factory reset: success first, then, independently, an error
// marker overrides the message.
Outcome Confirmation(std::string_view received, std::string_view okKey, std::string_view errKey,
                     bool store) {
  Outcome o;
  o.logsLine = true;
  if (Contains(received, "OK\r\n")) {
    o.logKey = okKey;
    o.storeValue = store;
  }
  if (Contains(received, "ERROR\r\n")) o.logKey = errKey;
  return o;
}
}  // namespace

Outcome JudgeOutcome(const Job& job, std::string_view received, int count) {
  Outcome o;
  switch (job.type) {
    case ReadSettings:
      if (count > kReportThreshold) o.action = Outcome::ReportReady;
      break;
    case WriteSetting:
      return Confirmation(received, "SaveSuccess", "SaveError", !job.paramName.empty());
    case FactoryReset:
      return Confirmation(received, "FactorySuccess", "FactoryError", false);
    case ReadSettingsToFile: o.action = Outcome::ReportToFile; break;
    case ReadSettingsForFile: o.action = Outcome::ReportForFile; break;
    case QuitConfig: o.action = Outcome::QuitDone; break;
    case FindNetMode: o.action = Outcome::NetMode; break;
    default: break;
  }
  return o;
}

int Worker::run() {
  for (;;) {
    if (link_.quitEvent.wait(timing_.pollMs)) return 0;
    Job job;
    busy_ = true;
    if (!queue_.pop(job)) {
      busy_ = false;
      if (!idleNotified_ && link_.configMode.load() && host_.portOpen()) {
        host_.sendButtonState(true, ModeBusy);
        idleNotified_ = true;
      }
      continue;
    }
    idleNotified_ = false;
    runJob(job);
    busy_ = false;
  }
}

void Worker::runJob(const Job& job) {
  host_.sendButtonState(false, ModeBusy);
  host_.stopKeyTimer();
  link_.withBuffer([&](params::RecvBuffer& b, JobType& expected) {
    expected = job.type;
    link_.replyEvent.reset();
    b.clear();
  });
  host_.log(host_.langText("ComSend", "send", {}) + ":" + job.command);
  const int timeoutMs = TimeoutBaseMs(job.type, timing_) * link_.timeoutFactor.load();
  host_.serialWrite(job.command);

  const bool complete = link_.replyEvent.wait(timeoutMs);
  if (link_.quitEvent.isSet()) return;  // shutting down: the outcome no longer matters
  if (!complete) {
    host_.log(host_.langText(kSection, "OutTime", "\r\n"));
    auto [partial, partialCount] = link_.snapshot();
    host_.jobFinished(job, false, partial, partialCount);
    return;
  }

  auto [text, count] = link_.snapshot();
  const Outcome o = JudgeOutcome(job, text, count);
  if (o.storeValue) host_.setParamValue(job.paramName, job.value);
  if (o.logsLine) host_.log(o.logKey.empty() ? std::string() : host_.langText(kSection, o.logKey, "\r\n"));
  switch (o.action) {
    case Outcome::ReportReady: host_.reportReady(); break;
    case Outcome::ReportToFile: host_.reportToFile(text); break;
    case Outcome::ReportForFile: host_.reportForFile(text); break;
    case Outcome::NetMode: host_.netModeReply(text, count); break;
    case Outcome::QuitDone: host_.sendButtonState(false, ModeConfig); break;
    case Outcome::Nothing: break;
  }
  host_.jobFinished(job, true, text, count);
}

void Worker::requestStop(LinkState& link) {
  link.quitEvent.set();
  link.replyEvent.set();
}

}  // namespace devlink
