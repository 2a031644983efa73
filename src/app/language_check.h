#pragma once
// A language file that is missing or holds none of the program's texts leaves
// every text empty; the program runs on, but says so once at start.

#include <filesystem>
#include <optional>
#include <string>

namespace app {

// Why `languageFile` gives no texts, naming the file; nullopt when it is usable.
std::optional<std::string> LanguageFileProblem(const std::filesystem::path& languageFile);

}  // namespace app
