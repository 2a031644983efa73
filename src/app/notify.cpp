// The window's notification handling: clicks, page options, choices, focus.

#include <algorithm>

#include "app/form_state.h"
#include "app/frame_window.h"
#include "app/notify_tables.h"
#include "app/title_fill.h"
#include "diag/self_check.h"

namespace app {

void CK9X40FrameWnd::Notify(const ui::Notification& n) {
  if (!n.sender) return;
  ui::Control& sender = *n.sender;
  if (n.type == "click") {
    OnClick(sender);
  } else if (n.type == "selectchanged") {
    int page = PageForOption(tabs_, sender.name());
    auto* pages = pm_.find<ui::TabLayout>("switch");
    if (page >= 0 && pages) pages->selectItem(page);
  } else if (n.type == "itemselect") {
    OnItemSelect(sender);
  } else if (n.type == "setfocus") {
    if (sender.name() == "FINDNETMODE" && link_.configMode.load())
      queue_.push(devlink::MakeJob(devlink::FindNetMode, devlink::kCmdFindNetMode));
  } else if (n.type == "killfocus") {
    const auto& fields = kServerAddressFields;
    if (std::find(fields.begin(), fields.end(), sender.name()) != fields.end() &&
        sender.text().find(' ') != std::string::npos)
      dialogs_.messageBox(LangText("Notify", "IpNotice"), std::string(kModelName), BoxIcon::None);
  }
}

void CK9X40FrameWnd::OnClick(ui::Control& sender) {
  if (&sender == closeBtn_) {
    loop_.quit();
    return;
  }
  const std::pair<ui::Control*, SysCommand> caption[] = {
      {minBtn_, SC_MINIMIZE}, {maxBtn_, SC_MAXIMIZE}, {restoreBtn_, SC_RESTORE}};
  for (auto [button, command] : caption) {
    if (&sender == button) {
      loop_.post(ui::Message{kSysCommandMessage, command, 0, {}});
      return;
    }
  }

  using devlink::MakeJob;
  switch (ClassifyClick(sender.name())) {
    case ClickAction::Open: toggleConnection(); break;
    case ClickAction::Clear:
      if (logPane_) logPane_->setText({});
      break;
    case ClickAction::Load: queue_.push(MakeJob(devlink::ReadSettings, devlink::kCmdShow)); break;
    case ClickAction::Save:
      if (config_.hooks.save) config_.hooks.save(*this);
      break;
    case ClickAction::RestoreFactory: queue_.push(MakeJob(devlink::FactoryReset, devlink::kCmdFactory)); break;
    case ClickAction::Login: SendEscape(); break;
    case ClickAction::SaveToFile: loop_.post(ui::Message{devlink::UM_SAVE_SNAPSHOT, 0, 0, {}}); break;
    case ClickAction::LoadFromFile: loop_.post(ui::Message{devlink::UM_LOAD_SNAPSHOT, 0, 0, {}}); break;
    case ClickAction::SetTime: diag::SetTerminalClock(queue_); break;
    case ClickAction::ReadFileLog: queue_.push(MakeJob(devlink::ReadFileLog, devlink::kCmdFileLog)); break;
    case ClickAction::QuerySim: queue_.push(MakeJob(devlink::QuerySim, devlink::kCmdSim)); break;
    case ClickAction::QuerySignal: queue_.push(MakeJob(devlink::QuerySignal, devlink::kCmdSignal)); break;
    case ClickAction::QueryVersion: queue_.push(MakeJob(devlink::QueryVersion, devlink::kCmdVersion)); break;
    case ClickAction::CustomCommand: queue_.push(diag::CustomCommandJob(sender.name())); break;
    case ClickAction::Quit:
      queue_.push(MakeJob(devlink::QuitConfig, devlink::kCmdQuit));
      postButtonState(false, devlink::ModeConfig);
      break;
    case ClickAction::TabLeft: TabStrip(TabStripLeft); break;
    case ClickAction::TabRight: TabStrip(TabStripRight); break;
    case ClickAction::DirectionToggle:
      if (config_.hooks.toggleDirection) config_.hooks.toggleDirection(pm_, sender.name());
      break;
    case ClickAction::None: break;
  }
}

void CK9X40FrameWnd::OnItemSelect(ui::Control& sender) {
  int index = -1;
  if (auto* combo = dynamic_cast<ui::Combo*>(&sender)) index = combo->currentSelection();
  ItemSelectResult r = ItemSelectPosts(sender.name(), index);
  for (const LayoutPost& p : r.posts) ctx_.postLayoutGroup(p.group, p.arg);
  if (r.switchLanguage) loop_.post(ui::Message{devlink::UM_SWITCH_LANGUAGE, 0, 0, {}});
}

}  // namespace app
