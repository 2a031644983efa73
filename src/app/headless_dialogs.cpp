#include "app/headless_dialogs.h"

#include <cstdio>
#include <filesystem>

namespace app {

void HeadlessDialogs::answerFile(std::optional<std::string> path) {
  std::lock_guard<std::mutex> l(mu_);
  files_.push_back(std::move(path));
}

void HeadlessDialogs::answerYesNo(bool yes) {
  std::lock_guard<std::mutex> l(mu_);
  answers_.push_back(yes);
}

std::vector<HeadlessDialogs::Shown> HeadlessDialogs::shown() const {
  std::lock_guard<std::mutex> l(mu_);
  return shown_;
}

void HeadlessDialogs::clearShown() {
  std::lock_guard<std::mutex> l(mu_);
  shown_.clear();
}

void HeadlessDialogs::messageBox(const std::string& text, const std::string& caption, BoxIcon icon) {
  std::lock_guard<std::mutex> l(mu_);
  shown_.push_back({Shown::Box, text, caption, icon, {}});
  if (echo_) std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
}

bool HeadlessDialogs::askYesNo(const std::string& text, const std::string& caption) {
  std::lock_guard<std::mutex> l(mu_);
  shown_.push_back({Shown::Question, text, caption, BoxIcon::None, {}});
  bool yes = false;
  if (!answers_.empty()) {
    yes = answers_.front();
    answers_.pop_front();
  }
  if (echo_) std::fprintf(stderr, "[%s] %s -> %s\n", caption.c_str(), text.c_str(), yes ? "yes" : "no");
  return yes;
}

std::optional<std::string> HeadlessDialogs::nextFile(Shown::Kind kind, const FileDialogRequest& request) {
  std::lock_guard<std::mutex> l(mu_);
  shown_.push_back({kind, {}, {}, BoxIcon::None, request});
  if (files_.empty()) return std::nullopt;
  auto path = std::move(files_.front());
  files_.pop_front();
  return path;
}

std::optional<std::string> HeadlessDialogs::openFile(const FileDialogRequest& request) {
  return nextFile(Shown::Open, request);
}

std::optional<std::string> HeadlessDialogs::saveFile(const FileDialogRequest& request) {
  auto path = nextFile(Shown::Save, request);
  // The replace question takes the next yes/no answer; "no" cancels.
  std::error_code ec;
  if (path && request.confirmOverwrite && std::filesystem::exists(*path, ec) &&
      !askYesNo(*path, "K9x40"))
    return std::nullopt;
  return path;
}

}  // namespace app
