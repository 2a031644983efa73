#pragma once
// The main window object: owns the registry, the tab slots, the link state,
// the job queue, the serial port, the control tree and the log pane, and
// turns window messages, timers and notifications into calls on the parts.
// It runs on an externally supplied message loop (the plain loop headless, a
// Qt loop in the desktop window) and shows boxes through app::Dialogs.
// Everything but log(), queueJob() and the worker's calls is UI-thread only.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "app/dialogs.h"
#include "app/frame_hooks.h"
#include "app/window_chrome.h"
#include "link/job_queue.h"
#include "link/link_state.h"
#include "link/serial_port.h"
#include "link/timing.h"
#include "link/window_messages.h"
#include "link/worker.h"
#include "params/form_context.h"
#include "params/param_registry.h"
#include "ui/lang_text.h"
#include "ui/message_loop.h"
#include "ui/paint_manager.h"

namespace app {

// A task handed to the UI thread (wParam: task number). App-internal.
inline constexpr std::uint32_t UM_UI_TASK = devlink::kUserBase + 1202;

struct FrameConfig {
  std::filesystem::path programDir;  // holds config.ini
  std::filesystem::path skinDir;     // holds skin.xml and Language.ini
  int language = 0;                  // 0: English; anything else: Chinese
  std::filesystem::path helpFile;    // empty: Help.txt in the current directory
  devlink::Timing timing;
  FrameHooks hooks;
};

class CK9X40FrameWnd : public ui::Notifier, private devlink::SerialEvents {
 public:
  CK9X40FrameWnd(FrameConfig config, ui::MessageLoop& loop, Dialogs& dialogs, WindowPlatform& window);
  // Stops and joins the worker, then releases the port. Call on the UI thread
  // once the loop has ended (or was never run).
  ~CK9X40FrameWnd() override;
  CK9X40FrameWnd(const CK9X40FrameWnd&) = delete;
  CK9X40FrameWnd& operator=(const CK9X40FrameWnd&) = delete;

  // Loads the skin and initialises the form; false when skin.xml could not
  // be built (the window then holds an empty form). UI thread.
  bool Create();
  // Starts the worker thread; false (with a log line) when it cannot start.
  bool StartWorker();

  static constexpr const char* GetWindowClassName() { return "K9X40"; }
  std::int64_t HandleMessage(const ui::Message& m);
  void OnTimer(int id);
  void Notify(const ui::Notification& n) override;
  std::int64_t OnSysCommand(std::int64_t command);
  HitTest OnNcHitTest(int x, int y, const ui::Control* under) const;

  // Port, handshake and sends.
  void toggleConnection();
  void SendEscape();
  void ComSend(std::string_view text);
  void SetDeviceState(bool on);
  void TabStrip(int mode);
  void SetTimeoutFactor(int baud);

  // Log pane: append on the UI thread (with the pane's wait), or from any thread.
  void appendLog(std::string_view text);
  void log(std::string text);
  void queueJob(devlink::Job job) { queue_.push(std::move(job)); }
  std::string LangText(std::string_view section, std::string_view key, std::string_view suffix = {}) const {
    return lang_.LangText(section, key, suffix);
  }

  // Runs `task` on the UI thread and returns once it ran (at once when on it);
  // false when the loop is closing and the task did not run.
  bool runOnUi(std::function<void()> task);
  // Same, without waiting.
  void postToUi(std::function<void()> task);

  ui::PaintManager& pm() { return pm_; }
  params::ParamRegistry& registry() { return registry_; }
  params::TabSlots& tabs() { return tabs_; }
  params::FormContext& formContext() { return ctx_; }
  devlink::LinkState& link() { return link_; }
  devlink::JobQueue& queue() { return queue_; }
  devlink::CSerialPort& serialPort() { return serialPort_; }
  const ui::LanguageFile& lang() const { return lang_; }
  Dialogs& dialogs() { return dialogs_; }
  ui::MessageLoop& loop() { return loop_; }
  const devlink::Timing& timing() const { return config_.timing; }
  const FrameConfig& config() const { return config_; }
  int language() const { return config_.language; }
  std::string& snapshotPath() { return snapshotPath_; }
  std::string& loraVersion() { return loraVersion_; }
  // Nothing queued, no job in flight, and in configuration mode with the
  // port open the commands are enabled again.
  bool workerIdle() const;
  // A language switch asked for a fresh instance once this one has ended.
  bool restartRequested() const { return restartRequested_; }

 private:
  class WorkerBridge;

  void InitWindow();
  void OnSerialData(const std::string& bytes);
  void OnButtonState(bool on, devlink::ButtonMode mode);
  void OnReportReady();
  void OnLineLost();
  void SwitchLanguage();
  void OnClick(ui::Control& sender);
  void OnItemSelect(ui::Control& sender);
  void closePort(std::string_view logSection, std::string_view logKey);
  void postButtonState(bool on, devlink::ButtonMode mode);
  void showSerialFailure(const std::string& text) override;
  void runTask(std::int64_t id);

  FrameConfig config_;
  ui::MessageLoop& loop_;
  Dialogs& dialogs_;
  WindowPlatform& window_;

  params::TabSlots tabs_;
  devlink::LinkState link_;
  params::ParamRegistry registry_;
  devlink::JobQueue queue_;
  std::string snapshotPath_;
  ui::PaintManager pm_;
  devlink::CSerialPort serialPort_;
  ui::LanguageFile lang_;
  std::string loraVersion_;
  ui::Control* closeBtn_ = nullptr;
  ui::Control* maxBtn_ = nullptr;
  ui::Control* restoreBtn_ = nullptr;
  ui::Control* minBtn_ = nullptr;
  ui::RichEdit* logPane_ = nullptr;
  params::FormContext ctx_;

  std::unique_ptr<WorkerBridge> bridge_;
  std::unique_ptr<devlink::Worker> worker_;
  std::thread workerThread_;

  std::mutex taskLock_;
  std::map<std::int64_t, std::function<void()>> tasks_;
  std::int64_t nextTask_ = 1;
  bool restartRequested_ = false;
};

}  // namespace app
