#pragma once
// Modal boxes and file dialogs. The Qt window implements them with its own
// widgets; the headless shell answers them from a script given by the caller.
// Every call comes from the UI thread except where a caller says otherwise,
// and returns only once the user (or the script) has answered.

#include <optional>
#include <string>
#include <vector>

namespace app {

enum class BoxIcon { None, Information, Warning, Error };

struct FileFilter {
  std::string display;  // "cfg(*.cfg)"
  std::string pattern;  // "*.cfg"
};

struct FileDialogRequest {
  std::vector<FileFilter> filters;  // the first one is preselected
  std::string initialDir;           // may not exist; the dialog then starts where it likes
  std::string fileName;             // preset file name field ("K9x40.cfg")
  bool fileMustExist = false;
  bool pathMustExist = false;
  // Save dialogs: choosing a file that exists asks whether to replace it;
  // answering no does not return that file.
  bool confirmOverwrite = false;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A box with an OK button only.
  virtual void messageBox(const std::string& text, const std::string& caption, BoxIcon icon) = 0;
  // A box with Yes and No; true for Yes.
  virtual bool askYesNo(const std::string& text, const std::string& caption) = 0;
  // The chosen path; nullopt when cancelled.
  virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
};

}  // namespace app
