#pragma once
// One line on stderr that shows how far a report or a write batch has got,
// rewritten in place. Only when stderr is a terminal: logs and pipes get
// nothing.

#include <string>
#include <string_view>

namespace cli {

class Progress {
 public:
  Progress();
  ~Progress() { clear(); }
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  void show(std::string_view text);  // replaces the line; same text: nothing
  void clear();                      // erases the line before other output
  bool enabled() const { return enabled_; }

 private:
  bool enabled_;
  std::string shown_;
};

}  // namespace cli
