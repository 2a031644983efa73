#include "link/job.h"

#include <algorithm>
#include <array>

namespace devlink {

namespace {
constexpr std::array<JobType, 4> kLongReplyJobs = {ReadSettings, ReadSettingsToFile,
                                                   ReadSettingsForFile, ReadFileLog};
}

int TimeoutBaseMs(JobType type, const Timing& timing) {
  bool isLong = std::find(kLongReplyJobs.begin(), kLongReplyJobs.end(), type) != kLongReplyJobs.end();
  return isLong ? timing.longTimeoutMs : timing.shortTimeoutMs;
}

}  // namespace devlink
