#include "app/write_jobs.h"

namespace app {

devlink::Job WriteJob(const params::WriteRequest& w) {
  return devlink::Job{devlink::WriteSetting, w.command, w.paramName, w.value};
}

void QueueChangedSettings(const params::FormContext& form, devlink::JobQueue& queue) {
  params::CollectChanges(form, [&](const params::WriteRequest& w) { queue.push(WriteJob(w)); });
}

}  // namespace app
