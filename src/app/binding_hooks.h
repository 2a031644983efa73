#pragma once
// The form binding, the Save and the snapshot flows, as window hooks.

#include "app/frame_hooks.h"

namespace app {

class CK9X40FrameWnd;
struct SnapshotContext;

// Sets applyReport, save, saveSnapshot, loadSnapshot, reportToFile,
// reportForFile and toggleDirection.
void AddBindingHooks(FrameHooks& hooks);

SnapshotContext SnapshotContextOf(CK9X40FrameWnd& w);

}  // namespace app
