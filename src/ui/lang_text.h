#pragma once
// The language file: every user-visible text by (section, key).

#include <filesystem>
#include <string>
#include <string_view>

namespace ui {

class LanguageFile {
 public:
  LanguageFile() = default;
  explicit LanguageFile(std::filesystem::path path) : path_(std::move(path)) {}
  const std::filesystem::path& path() const { return path_; }

  // The text of (section, key), cut to 199 bytes, followed by `suffix`;
  // just the suffix when the key is missing. Reads the file at every call.
  std::string LangText(std::string_view section, std::string_view key,
                       std::string_view suffix = {}) const;

 private:
  std::filesystem::path path_;
};

}  // namespace ui
