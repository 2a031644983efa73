#pragma once
// Dialogs answered without a screen: every box is written to stderr (when
// echo is on) and recorded; file dialogs and questions take the next scripted
// answer, or cancel / say no when the script has run out. A save dialog that
// confirms overwriting asks about an existing file with the next yes/no
// answer (text: the path); no cancels. Thread-safe.

#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/dialogs.h"

namespace app {

class HeadlessDialogs : public Dialogs {
 public:
  struct Shown {
    enum Kind { Box, Question, Open, Save } kind;
    std::string text;     // box/question text; empty for file dialogs
    std::string caption;
    BoxIcon icon = BoxIcon::None;
    FileDialogRequest request;  // file dialogs
  };

  explicit HeadlessDialogs(bool echoToStderr = true) : echo_(echoToStderr) {}

  // Answers for the next file dialogs (nullopt: cancel), in order.
  void answerFile(std::optional<std::string> path);
  // Answers for the next yes/no questions, in order.
  void answerYesNo(bool yes);

  std::vector<Shown> shown() const;  // everything shown so far, in order
  void clearShown();

  void messageBox(const std::string& text, const std::string& caption, BoxIcon icon) override;
  bool askYesNo(const std::string& text, const std::string& caption) override;
  std::optional<std::string> openFile(const FileDialogRequest& request) override;
  std::optional<std::string> saveFile(const FileDialogRequest& request) override;

 private:
  std::optional<std::string> nextFile(Shown::Kind kind, const FileDialogRequest& request);

  bool echo_;
  mutable std::mutex mu_;
  std::deque<std::optional<std::string>> files_;
  std::deque<bool> answers_;
  std::vector<Shown> shown_;
};

}  // namespace app
