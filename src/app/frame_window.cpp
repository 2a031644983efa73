#include "app/frame_window.h"

#include <cstdio>
#include <future>

#include "app/form_state.h"
#include "app/language_check.h"
#include "app/notify_tables.h"
#include "app/startup.h"
#include "app/title_fill.h"
#include "diag/self_check.h"
#include "link/receive_step.h"
#include "params/report_parser.h"
#include "ui/skin_builder.h"

namespace app {

using devlink::ButtonMode;

// The worker's view of the window. Synchronous notifications go through the
// loop's send, which returns at once while the window is closing, so the
// worker can never hold up shutdown.
class CK9X40FrameWnd::WorkerBridge : public devlink::WorkerHost {
 public:
  explicit WorkerBridge(CK9X40FrameWnd& w) : w_(w) {}
  void sendButtonState(bool on, ButtonMode mode) override {
    w_.loop_.send(ui::Message{devlink::UM_BUTTON_STATE, on ? 1 : 0, mode, {}});
  }
  void stopKeyTimer() override { w_.loop_.killTimer(devlink::KEY_TIMER); }
  void log(std::string text) override { w_.log(std::move(text)); }
  void serialWrite(std::string_view bytes) override { w_.serialPort_.write(bytes); }
  bool portOpen() const override { return w_.serialPort_.isOpen(); }
  std::string langText(std::string_view s, std::string_view k, std::string_view suffix) const override {
    return w_.lang_.LangText(s, k, suffix);
  }
  void setParamValue(const std::string& name, const std::string& value) override {
    w_.registry_.setValue(name, value);
  }
  void reportReady() override { w_.loop_.send(ui::Message{devlink::UM_REPORT_READY, 0, 0, {}}); }
  // The snapshot completions run here, on the worker: the file write and the
  // parse need no UI; the hooks hand their UI parts over with runOnUi.
  void reportToFile(const std::string& report) override {
    if (auto& hook = w_.config_.hooks.reportToFile) hook(w_, report);
  }
  void reportForFile(const std::string& report) override {
    if (auto& hook = w_.config_.hooks.reportForFile) hook(w_, report);
  }
  void netModeReply(const std::string& reply, int count) override {
    w_.runOnUi([&] { diag::ShowNetMode(w_.pm_, reply, count); });
  }
  void jobFinished(const devlink::Job& job, bool complete, const std::string& reply, int count) override {
    if (auto& hook = w_.config_.hooks.jobFinished) hook(job, complete, reply, count);
  }

 private:
  CK9X40FrameWnd& w_;
};

CK9X40FrameWnd::CK9X40FrameWnd(FrameConfig config, ui::MessageLoop& loop, Dialogs& dialogs,
                               WindowPlatform& window)
    : config_(std::move(config)),
      loop_(loop),
      dialogs_(dialogs),
      window_(window),
      tabs_(params::MakeTabSlots()),
      lang_(config_.skinDir / "Language.ini") {
  params::BuildRegistry(registry_);
  serialPort_.setEvents(this);
  loop_.setHandler([this](const ui::Message& m) { return HandleMessage(m); });
  loop_.setTimerHandler([this](int id) { OnTimer(id); });

  ctx_.pm = &pm_;
  ctx_.registry = &registry_;
  ctx_.tabs = &tabs_;
  ctx_.lang = &lang_;
  ctx_.loraVersion = &loraVersion_;
  ctx_.postLayoutGroup = [this](int group, int arg) {
    loop_.post(ui::Message{devlink::UM_LAYOUT_GROUP, group, arg, {}});
  };
  ctx_.messageBox = [this](const std::string& text) {
    dialogs_.messageBox(text, std::string(kModelName), BoxIcon::None);
  };
  ctx_.log = [this](const std::string& text) { log(text); };
  ctx_.refreshTabHeader = [this] { TabStrip(TabStripRefresh); };
}

CK9X40FrameWnd::~CK9X40FrameWnd() {
  // A send from the worker must not wait for a UI thread that is in here.
  if (!loop_.closing()) loop_.quit();
  devlink::Worker::requestStop(link_);
  if (workerThread_.joinable()) workerThread_.join();
  serialPort_.close();
  serialPort_.setEvents(nullptr);
  loop_.setHandler({});
  loop_.setTimerHandler({});
  pm_.setNotifier(nullptr);
}

bool CK9X40FrameWnd::Create() {
  ui::ControlFactory factory;
  if (config_.hooks.controlFactory) factory = config_.hooks.controlFactory(config_.skinDir);
  ui::SkinDocument doc = ui::BuildSkin(config_.skinDir / "skin.xml", factory);
  const bool built = doc.root != nullptr;
  if (auto problem = LanguageFileProblem(lang_.path())) std::fprintf(stderr, "k9x40: %s\n", problem->c_str());
  if (!built) {
    std::fprintf(stderr, "k9x40: %s\n", doc.error.c_str());
    doc.root = std::make_unique<ui::Container>();
  } else {
    if (doc.width > 0) pm_.width = doc.width;
    if (doc.height > 0) pm_.height = doc.height;
    pm_.captionHeight = doc.captionHeight;
  }
  pm_.setRoot(std::move(doc.root));
  pm_.setNotifier(this);
  InitWindow();
  return built;
}

void CK9X40FrameWnd::InitWindow() {
  closeBtn_ = pm_.findControl("closebtn");
  maxBtn_ = pm_.findControl("maxbtn");
  restoreBtn_ = pm_.findControl("restorebtn");
  minBtn_ = pm_.findControl("minbtn");
  logPane_ = pm_.find<ui::RichEdit>("richedit");
  if (logPane_) logPane_->setLimitText(kLogTextLimit);

  if (config_.hooks.refreshPortList) config_.hooks.refreshPortList(pm_);
  if (auto* ports = pm_.find<ui::Combo>("SerialPort")) ports->selectItem(0);

  tabs_ = params::MakeTabSlots();
  link_.withBuffer([](params::RecvBuffer& b, devlink::JobType&) { b.clear(); });
  link_.replyEvent.reset();
  link_.quitEvent.reset();
  postButtonState(false, devlink::ModePort);
  loop_.setTimer(devlink::TITLE_TIMER, config_.timing.titleTimerMs);
  TabStrip(TabStripRefresh);
}

bool CK9X40FrameWnd::StartWorker() {
  if (workerThread_.joinable()) return true;
  bridge_ = std::make_unique<WorkerBridge>(*this);
  worker_ = std::make_unique<devlink::Worker>(link_, queue_, *bridge_, config_.timing);
  try {
    workerThread_ = std::thread([this] { worker_->run(); });
  } catch (const std::system_error&) {
    appendLog(LangText("WinMain", "WorkThread", "\r\n"));
    return false;
  }
  return true;
}

bool CK9X40FrameWnd::workerIdle() const {
  if (queue_.size() != 0) return false;
  if (!worker_) return true;
  if (worker_->busy()) return false;
  return !(link_.configMode.load() && serialPort_.isOpen()) || worker_->idleNotified();
}

std::int64_t CK9X40FrameWnd::HandleMessage(const ui::Message& m) {
  switch (m.id) {
    case devlink::UM_SERIAL_DATA:
      OnSerialData(m.payload);
      return 0;
    case devlink::UM_LAYOUT_GROUP:
      if (config_.hooks.layoutGroup)
        return config_.hooks.layoutGroup(ctx_, static_cast<int>(m.wParam), static_cast<int>(m.lParam));
      return 0;
    case devlink::UM_LOG_TEXT:
      if (m.wParam != 0) appendLog(m.payload);  // wParam 0: no text was attached
      return 0;
    case devlink::UM_REPORT_READY:
      OnReportReady();
      return 0;
    case devlink::UM_SAVE_SNAPSHOT:
      if (config_.hooks.saveSnapshot) config_.hooks.saveSnapshot(*this);
      return 0;
    case devlink::UM_LOAD_SNAPSHOT:
      if (config_.hooks.loadSnapshot) config_.hooks.loadSnapshot(*this);
      return 0;
    case devlink::UM_BUTTON_STATE:
      OnButtonState(m.wParam == 1, static_cast<ButtonMode>(m.lParam));
      return 1;
    case devlink::UM_SWITCH_LANGUAGE:
      SwitchLanguage();
      return 0;
    case devlink::UM_LINE_LOST:
      OnLineLost();
      return 0;
    case UM_UI_TASK:
      runTask(m.wParam);
      return 0;
    case kSysCommandMessage:
      return OnSysCommand(m.wParam);
    default:
      return 0;
  }
}

void CK9X40FrameWnd::OnTimer(int id) {
  if (id == devlink::KEY_TIMER) {
    serialPort_.write(devlink::kKey);
  } else if (id == devlink::TITLE_TIMER) {
    std::filesystem::path help = config_.helpFile;
    if (help.empty()) help = std::filesystem::current_path() / "Help.txt";
    FillTitleAndHelp(pm_, lang_, config_.language, ReadCustomVersion(config_.programDir), help);
    loop_.killTimer(devlink::TITLE_TIMER);
  }
}

void CK9X40FrameWnd::OnSerialData(const std::string& bytes) {
  auto actions = link_.withBuffer([&](params::RecvBuffer& b, devlink::JobType& expected) {
    return devlink::ReceiveStep(b, expected, bytes, config_.timing);
  });
  for (devlink::RecvAction& a : actions) {
    switch (a.kind) {
      case devlink::RecvAction::Log: log(std::move(a.text)); break;
      case devlink::RecvAction::SignalReply: link_.replyEvent.set(); break;
      case devlink::RecvAction::PostButtonState: postButtonState(a.on, a.mode); break;
      case devlink::RecvAction::QueueJob: queue_.push(std::move(a.job)); break;
      case devlink::RecvAction::StartKeyTimer: loop_.setTimer(devlink::KEY_TIMER, a.periodMs); break;
      case devlink::RecvAction::StopKeyTimer: loop_.killTimer(devlink::KEY_TIMER); break;
    }
  }
}

void CK9X40FrameWnd::OnButtonState(bool on, ButtonMode mode) {
  ApplyButtonStates(pm_, on, mode);
  if (ModeSetsDeviceState(mode)) SetDeviceState(on);
}

void CK9X40FrameWnd::SetDeviceState(bool on) {
  link_.configMode = on;
  ShowDeviceState(pm_, lang_, on);
}

void CK9X40FrameWnd::TabStrip(int mode) { app::TabStrip(pm_, tabs_, mode); }

void CK9X40FrameWnd::OnReportReady() {
  auto [text, count] = link_.snapshot();
  params::ParseShowReport(registry_, text);
  if (config_.hooks.applyReport) config_.hooks.applyReport(ctx_);
}

std::int64_t CK9X40FrameWnd::OnSysCommand(std::int64_t command) {
  if (command == SC_CLOSE) {
    loop_.quit();
    return 0;
  }
  const bool wasZoomed = window_.isZoomed();
  switch (command) {
    case SC_MINIMIZE: window_.minimize(); break;
    case SC_MAXIMIZE: window_.maximize(); break;
    case SC_RESTORE: window_.restore(); break;
    default: break;
  }
  const bool zoomed = window_.isZoomed();
  if (zoomed != wasZoomed) {
    if (maxBtn_) maxBtn_->setVisible(!zoomed);
    if (restoreBtn_) restoreBtn_->setVisible(zoomed);
  }
  return 0;
}

HitTest CK9X40FrameWnd::OnNcHitTest(int x, int y, const ui::Control* under) const {
  return CaptionHitTest(x, y, pm_.width, CaptionRect{0, 0, 0, pm_.captionHeight}, under);
}

void CK9X40FrameWnd::appendLog(std::string_view text) {
  // The pane is slowed on purpose: every line holds the UI thread briefly,
  // which also spaces out the deliveries of a long reply.
  if (config_.timing.logAppendWaitMs > 0)
    std::this_thread::sleep_for(std::chrono::milliseconds(config_.timing.logAppendWaitMs));
  if (logPane_) AppendToLogPane(*logPane_, text);
}

void CK9X40FrameWnd::log(std::string text) {
  loop_.post(ui::Message{devlink::UM_LOG_TEXT, 1, static_cast<std::int64_t>(text.size()), std::move(text)});
}

void CK9X40FrameWnd::postButtonState(bool on, ButtonMode mode) {
  loop_.post(ui::Message{devlink::UM_BUTTON_STATE, on ? 1 : 0, mode, {}});
}

bool CK9X40FrameWnd::runOnUi(std::function<void()> task) {
  if (loop_.isUiThread()) {
    task();
    return true;
  }
  std::int64_t id;
  {
    std::lock_guard<std::mutex> l(taskLock_);
    id = nextTask_++;
    tasks_[id] = std::move(task);
  }
  const bool handled = loop_.send(ui::Message{UM_UI_TASK, id, 0, {}});
  std::lock_guard<std::mutex> l(taskLock_);
  tasks_.erase(id);  // not run: the loop is closing
  return handled;
}

void CK9X40FrameWnd::postToUi(std::function<void()> task) {
  std::int64_t id;
  {
    std::lock_guard<std::mutex> l(taskLock_);
    id = nextTask_++;
    tasks_[id] = std::move(task);
  }
  loop_.post(ui::Message{UM_UI_TASK, id, 0, {}});
}

void CK9X40FrameWnd::runTask(std::int64_t id) {
  std::function<void()> task;
  {
    std::lock_guard<std::mutex> l(taskLock_);
    auto it = tasks_.find(id);
    if (it == tasks_.end()) return;
    task = std::move(it->second);
    tasks_.erase(it);
  }
  task();
}

void CK9X40FrameWnd::showSerialFailure(const std::string& text) {
  // From the monitor thread the box must not block it: closing the port
  // waits for the monitor.
  auto box = [this, text] { dialogs_.messageBox(text, "Application Error", BoxIcon::Error); };
  if (loop_.isUiThread())
    box();
  else
    postToUi(box);
}

}  // namespace app
