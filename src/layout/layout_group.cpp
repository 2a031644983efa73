#include "layout/layout_group.h"

#include "layout/group_rules.h"
#include "layout/io_channel_rules.h"
#include "layout/work_mode_rules.h"

namespace layout {
namespace {

using Rule = int (*)(params::FormContext&, int arg);

template <void (*F)(params::FormContext&)>
int NoArg(params::FormContext& ctx, int) { F(ctx); return 0; }

template <void (*F)(params::FormContext&, int), int N>
int Fixed(params::FormContext& ctx, int) { F(ctx, N); return 0; }

int DataFormat(params::FormContext& ctx, int channel) { ApplyDataFormat(ctx, channel); return 0; }
int ServerCount(params::FormContext& ctx, int) { return RunServerCountRule(ctx); }

constexpr Rule kRules[kLayoutGroupCount] = {
    NoArg<RunWorkModeRule>,           // 0 work mode
    NoArg<RunActivationRule>,         // 1 activation method
    NoArg<RunDebugOutputRule>,        // 2 debug output
    ServerCount,                      // 3 number of servers
    Fixed<RunSwitchRowRule, 4>,       // 4 LCP echo
    Fixed<RunSwitchRowRule, 5>,       // 5 ICMP probing
    Fixed<RunSwitchRowRule, 6>,       // 6 management platform
    Fixed<RunChannelRule, 1>,         // 7 I/O channel 1
    Fixed<RunChannelRule, 2>,         // 8 I/O channel 2
    Fixed<RunChannelRule, 3>,         // 9 I/O channel 3
    NoArg<RunIoSelectionRule>,        // 10 I/O selection
    Fixed<RunIoControlRule, 1>,       // 11 I/O1 control
    Fixed<RunIoControlRule, 2>,       // 12 I/O2 control
    Fixed<RunIoControlRule, 3>,       // 13 I/O3 control
    Fixed<RunSwitchRowRule, 14>,      // 14 SMS configuration
    DataFormat,                       // 15 data format (never posted)
    DataFormat,                       // 16 data format of channel arg
    NoArg<RunLoraRule>,               // 17 LoRa rows
    Fixed<RunIoModeRule, 2>,          // 18 I/O2 mode, then I/O1 mode
    Fixed<RunIoModeRule, 1>,          // 19 I/O1 mode
};

}  // namespace

int OnLayoutGroup(params::FormContext& ctx, int group, int arg) {
  if (group < 0 || group >= kLayoutGroupCount) return 0;
  return kRules[group](ctx, arg);
}

}  // namespace layout
