#pragma once
// Turns the settings a Save decides to write into WriteSetting jobs.

#include "link/job.h"
#include "link/job_queue.h"
#include "params/change_collection.h"
#include "params/form_context.h"

namespace app {

devlink::Job WriteJob(const params::WriteRequest& w);

// The Save: collects the form's changes (UI thread) and pushes one job per
// changed setting, in registry order, each as soon as it is decided.
void QueueChangedSettings(const params::FormContext& form, devlink::JobQueue& queue);

}  // namespace app
