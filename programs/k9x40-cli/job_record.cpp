#include "job_record.h"

#include <chrono>

#include "link/worker.h"

namespace cli {

namespace {
bool Has(std::string_view text, std::string_view mark) { return text.find(mark) != std::string_view::npos; }
}  // namespace

JobOutcome OutcomeOf(const FinishedJob& f) {
  if (!f.complete) return JobOutcome::Timeout;
  const devlink::JobType t = f.job.type;
  if (t == devlink::WriteSetting || t == devlink::FactoryReset) {
    const devlink::Outcome o = devlink::JudgeOutcome(f.job, f.reply, f.count);
    if (o.logKey == "SaveSuccess" || o.logKey == "FactorySuccess") return JobOutcome::Ok;
    if (o.logKey.empty()) return JobOutcome::Unconfirmed;
    return JobOutcome::Error;
  }
  // The completion tests look for "OK" first; a reply completed without it
  // ended on "ERROR".
  if (!Has(f.reply, "OK") && Has(f.reply, "ERROR\r\n")) return JobOutcome::Error;
  return JobOutcome::Ok;
}

std::string_view OutcomeText(JobOutcome o) {
  switch (o) {
    case JobOutcome::Ok: return "OK";
    case JobOutcome::Error: return "ERROR";
    case JobOutcome::Timeout: return "time-out";
    case JobOutcome::Unconfirmed: return "unconfirmed";
  }
  return {};
}

std::string_view JsonOutcome(JobOutcome o) {
  switch (o) {
    case JobOutcome::Ok: return "ok";
    case JobOutcome::Error: return "error";
    case JobOutcome::Timeout: return "timeout";
    case JobOutcome::Unconfirmed: return "unconfirmed";
  }
  return {};
}

std::string ReplyLines(std::string_view reply, std::string_view command) {
  std::string_view echo = command;
  while (!echo.empty() && (echo.front() == '\r' || echo.front() == '\n')) echo.remove_prefix(1);
  while (!echo.empty() && (echo.back() == '\r' || echo.back() == '\n')) echo.remove_suffix(1);
  std::string out;
  std::size_t from = 0;
  while (from <= reply.size()) {
    std::size_t nl = reply.find_first_of("\r\n", from);
    std::string_view line = reply.substr(from, nl == std::string_view::npos ? std::string_view::npos : nl - from);
    from = nl == std::string_view::npos ? reply.size() + 1 : nl + 1;
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    if (line.empty() || line == "OK" || (!echo.empty() && line == echo)) continue;
    if (!out.empty()) out += "; ";
    out.append(line);
  }
  return out;
}

std::string ShowCommand(std::string_view command) {
  while (command.size() >= 2 && command.substr(command.size() - 2) == "\r\n") command.remove_suffix(2);
  while (command.size() >= 2 && command.substr(0, 2) == "\r\n") command.remove_prefix(2);
  std::string out;
  for (char c : command) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  return out;
}

void JobRecord::add(FinishedJob f) {
  {
    std::lock_guard<std::mutex> l(mu_);
    jobs_.push_back(std::move(f));
  }
  cv_.notify_all();
}

std::size_t JobRecord::size() const {
  std::lock_guard<std::mutex> l(mu_);
  return jobs_.size();
}

std::vector<FinishedJob> JobRecord::since(std::size_t index) const {
  std::lock_guard<std::mutex> l(mu_);
  if (index >= jobs_.size()) return {};
  return std::vector<FinishedJob>(jobs_.begin() + static_cast<std::ptrdiff_t>(index), jobs_.end());
}

bool JobRecord::waitBeyond(std::size_t count, int ms) const {
  std::unique_lock<std::mutex> l(mu_);
  return cv_.wait_for(l, std::chrono::milliseconds(ms), [&] { return jobs_.size() > count; });
}

}  // namespace cli
