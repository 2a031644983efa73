// Opening and closing the port from the "Open" button, the lost line, and the
// escape into configuration mode.

#include "app/form_state.h"
#include "app/frame_window.h"
#include "app/line_settings.h"

namespace app {

namespace {
std::string_view OpenErrorKey(devlink::OpenError e) {
  switch (e) {
    case devlink::OpenError::Missing: return "PortMissing";
    case devlink::OpenError::Busy: return "PortBusy";
    case devlink::OpenError::Denied: return "PortDenied";
    case devlink::OpenError::Other: return "NotADevice";
    case devlink::OpenError::None: break;
  }
  return {};
}
}  // namespace

void CK9X40FrameWnd::SetTimeoutFactor(int baud) { link_.timeoutFactor = devlink::TimeoutFactorForBaud(baud); }

void CK9X40FrameWnd::toggleConnection() {
  if (serialPort_.isOpen()) {
    closePort("OnStartCom", "CloseNotice");
    return;
  }
  auto* port = pm_.findControl("SerialPort");
  if (!port) return;
  auto* baud = pm_.findControl("BaudRate1");
  if (!baud) return;
  link_.setExpectedReply(devlink::Handshake);
  auto* format = pm_.findControl("Checkcode");
  if (!format) return;

  LineSettingsError error;
  auto line = ParseLineSettings(port->text(), baud->text(), format->text(), &error);
  if (!line) {
    appendLog(LangText("OnStartCom", "OpenError", "\r\n"));
    appendLog(LangText("Linux", error.key, "\r\n"));
    return;
  }
  SetTimeoutFactor(line->baud);
  serialPort_.open(&loop_, line->port, line->baud, line->parity, line->dataBits, line->stopBits,
                   devlink::kEventRxChar | devlink::kEventCts);
  if (serialPort_.isOpen()) {
    serialPort_.startMonitor();
    appendLog(LangText("OnStartCom", "OpenNotice", "\r\n"));
    if (auto* open = pm_.findControl("Open")) open->setText(LangText("OnStartCom", "Close"));
    loop_.setTimer(devlink::KEY_TIMER, config_.timing.keyFirstMs);
    postButtonState(true, devlink::ModeLogin);
  } else {
    appendLog(LangText("OnStartCom", "OpenError", "\r\n"));
    std::string_view reason = OpenErrorKey(serialPort_.lastOpenError());
    if (!reason.empty()) appendLog(LangText("Linux", reason, "\r\n"));
  }
}

void CK9X40FrameWnd::closePort(std::string_view logSection, std::string_view logKey) {
  serialPort_.close();
  if (auto* open = pm_.findControl("Open")) open->setText(LangText("OnStartCom", "Open"));
  appendLog(LangText(logSection, logKey, "\r\n"));
  queue_.clear();
  loop_.killTimer(devlink::KEY_TIMER);
  link_.configMode = false;
  postButtonState(false, devlink::ModePort);
}

void CK9X40FrameWnd::OnLineLost() {
  // Late news of a port that was closed (or reopened) since: nothing to do.
  if (!serialPort_.isOpen() || serialPort_.monitorAlive()) return;
  closePort("Linux", "LineLost");
}

void CK9X40FrameWnd::SendEscape() {
  link_.withBuffer([](params::RecvBuffer& b, devlink::JobType&) { b.clear(); });
  loop_.killTimer(devlink::KEY_TIMER);
  ComSend(devlink::kEscape);
  link_.setExpectedReply(devlink::Escape);
}

void CK9X40FrameWnd::ComSend(std::string_view text) {
  serialPort_.write(text);
  log(LangText("ComSend", "send") + ":" + std::string(text) + "\r\n");
}

}  // namespace app
