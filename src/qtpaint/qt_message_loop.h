#pragma once
// The window's message queue on the Qt event loop. Same contract as
// ui::MessageLoop: posts are FIFO; a send from another thread blocks until
// the UI thread handled it and is served before waiting posts; on the UI
// thread a send is a direct call. After quit() (or destruction) posts are
// dropped and every pending or new send returns false at once.
//
// The UI thread is the thread that constructs the loop (the QApplication's).
// Timers may be set and killed from any thread; a killed timer never ticks
// again, even if its tick was already queued.

#include <QObject>
#include <atomic>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include "ui/message_loop.h"
#include "ui/send_queue.h"

class QTimer;

namespace qtpaint {

class QtMessageLoop : public QObject, public ui::MessageLoop {
  Q_OBJECT

 public:
  QtMessageLoop();
  ~QtMessageLoop() override;

  void setHandler(ui::MessageHandler h) override;
  void setTimerHandler(ui::TimerHandler h) override;

  void post(ui::Message m) override;
  bool send(ui::Message m, std::int64_t* result = nullptr) override;
  bool sendCancellable(ui::Message m, ui::SendCancel& cancel, std::int64_t* result = nullptr) override;
  void cancelSends(ui::SendCancel& cancel) override;

  void setTimer(int id, int periodMs) override;
  void killTimer(int id) override;

  bool isUiThread() const override;
  // Runs the Qt event loop until quit(); returns the quit code.
  int run() override;
  void quit(int code = 0) override;
  bool closing() const override;

  // Sends from other threads that wait for the UI thread.
  int waitingSends() const;

 protected:
  bool event(QEvent* e) override;

 private:
  struct TimerEntry {
    int periodMs = 0;
    unsigned generation = 0;
  };

  void wake();            // under no lock; queues one drain event
  void drain();           // UI thread: sends first, then the posts queued so far
  bool runOneSend();      // UI thread
  void syncTimers();      // UI thread: QTimers follow timers_
  void onTimer(int id, unsigned generation);
  bool sendWith(ui::Message m, ui::SendCancel* cancel, std::int64_t* result);

  std::thread::id uiThread_;
  mutable std::mutex mu_;
  std::deque<ui::Message> posts_;
  std::map<int, TimerEntry> timers_;  // what should run
  unsigned nextGeneration_ = 1;
  ui::MessageHandler handler_;
  ui::TimerHandler timerHandler_;
  std::atomic<bool> closing_{false};
  std::atomic<bool> wakeQueued_{false};
  int quitCode_ = 0;
  // UI thread only: run() is inside the Qt event loop. Qt's exit() outside it
  // would make every later nested loop (each modal dialog) return at once.
  bool running_ = false;
  // UI thread only: the live Qt timers and the generation each serves.
  std::map<int, std::pair<QTimer*, unsigned>> qtTimers_;
  // Last: its destructor waits for senders, which may still wake us.
  ui::SendQueue sends_;
};

}  // namespace qtpaint
