#pragma once
// The version, footer and help texts filled in once after the window shows.

#include <filesystem>
#include <string>
#include <string_view>

#include "ui/lang_text.h"
#include "ui/paint_manager.h"

namespace app {

inline constexpr std::string_view kModelName = "K9x40";
inline constexpr std::string_view kVersion = "V1.7.2";
inline constexpr int kReleaseYear = 2019, kReleaseMonth = 6, kReleaseDay = 19;
inline constexpr std::size_t kHelpReadLimit = 9999;
inline constexpr std::size_t kHelpFallbackLimit = 99;

// language 0: English, anything else: Chinese.
std::string VersionText(int language, std::string_view customVer);
std::string FooterText(int language);

// Help pane from `helpFile` (at most 9999 bytes) or the language file's
// fallback text; then "Ver" and "VerDown". Missing controls are skipped.
void FillTitleAndHelp(ui::PaintManager& pm, const ui::LanguageFile& lang, int language,
                      std::string_view customVer, const std::filesystem::path& helpFile);

}  // namespace app
