#pragma once
// The one serial line to the terminal: open with a line format, a monitor
// thread that hands every received chunk to the owner's message loop, a
// bounded write for the UI and worker threads, and close.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace ui {
class MessageLoop;
}

namespace devlink {

// Event mask bits (historic values). The monitor wakes on received bytes;
// CTS changes need no action from the tool, so they only pass through.
inline constexpr std::uint32_t kEventRxChar = 0x0001;
inline constexpr std::uint32_t kEventCts = 0x0008;

// Largest delivery: the owner appends a terminating zero behind the bytes
// of a 4096-byte buffer.
inline constexpr std::size_t kMaxDelivery = 4095;

// Names of the failed steps shown in the failure box.
inline constexpr std::string_view kStepSetCommTimeouts = "SetCommTimeouts()";
inline constexpr std::string_view kStepSetCommMask = "SetCommMask()";
inline constexpr std::string_view kStepGetCommState = "GetCommState()";
inline constexpr std::string_view kStepBuildCommDCB = "BuildCommDCB()";
inline constexpr std::string_view kStepSetCommState = "SetCommState()";
inline constexpr std::string_view kStepWaitCommEvent = "WaitCommEvent()";

// Why open() returned 0. The caller logs it; no box is shown.
enum class OpenError {
  None,
  Missing,  // no such device (unplugged, wrong path, no UART behind it)
  Busy,     // held by another program (or a modem manager probing it)
  Denied,   // no permission (not in the dialout group)
  Other,
};

// Write bound: constant plus per byte, in ms. Reads never wait, so the
// read time-outs of the line have nothing to bound here.
struct LineTimeouts {
  int writeConstantMs = 1000;
  int writePerByteMs = 1000;
};

// Where the driver's failure box goes: the window shows a modal box
// (caption "Application Error", stop icon), a headless shell prints it.
class SerialEvents {
 public:
  virtual ~SerialEvents() = default;
  // Returns once the box is dismissed. Called on the thread that failed:
  // the UI thread during open(), the monitor thread otherwise.
  virtual void showSerialFailure(const std::string& text) = 0;
};

// The failure box text for a failed step, the system's error text and the
// device path.
std::string FormatSerialFailure(std::string_view step, std::string_view systemText,
                                std::string_view port);

// The system's text for an error number.
std::string SystemErrorText(int err);

class CSerialPort {
 public:
  // Null events: failure boxes go to stderr.
  explicit CSerialPort(SerialEvents* events = nullptr);
  virtual ~CSerialPort();
  CSerialPort(const CSerialPort&) = delete;
  CSerialPort& operator=(const CSerialPort&) = delete;

  void setEvents(SerialEvents* events);
  void setLineTimeouts(LineTimeouts t);  // before write(); tests shorten them

  // Opens `port` (a device path) exclusively and applies the line format.
  // 1: open (also when the format or line state was rejected: the box names
  // the step and the port stays counted as open); 0: not opened, see
  // lastOpenError(). Deliveries go to `owner` (may be null: received bytes
  // are dropped). UI thread; closes a port still held first.
  int open(ui::MessageLoop* owner, const std::string& port, int baud, char parity,
           int dataBits, int stopBits, std::uint32_t eventMask);
  // 1 when the monitor thread runs (a running one is replaced); 0 when no
  // port is open.
  int startMonitor();
  // Bytes written, which may fall short when the bound runs out. 0 when the
  // port is closed or a line error was pending (then the input is purged).
  // Any thread; writes never interleave.
  unsigned write(const void* bytes, std::size_t length);
  unsigned write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }
  // Ends the monitor and releases the device. Never waits on the UI thread:
  // a delivery still waiting is dropped. No delivery starts after it returns.
  // Not to be called from inside the owner's handling of a delivery.
  void close();

  bool isOpen() const;        // from a successful open() until close()
  bool monitorAlive() const;  // the monitor thread is running
  const std::string& port() const;
  OpenError lastOpenError() const;
  const std::string& lastOpenErrorText() const;  // the system's text, empty when none

  // Shows the failure box for `step` with the system text of `err`.
  void reportError(std::string_view step, int err);

 protected:
  // Reads and clears the line's error counters: true when a framing, parity,
  // overrun, break or buffer overflow error happened since the last call.
  // Devices without counters never report one. Called with the port held.
  virtual bool takeLineErrors();

 private:
  struct State;
  void stopMonitor();
  void monitorMain();
  void closeDevice();
  enum class Step { Delivered, Nothing, Discarded, Lost, Stop };
  Step receiveStep(char* buffer);

  std::unique_ptr<State> s_;
};

}  // namespace devlink
