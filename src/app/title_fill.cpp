#include "app/title_fill.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace app {

std::string VersionText(int language, std::string_view customVer) {
  std::string s(kModelName);
  s += language == 0 ? "ConfigureToolV " : "配置工具 ";
  s += kVersion;
  s += customVer;
  return s;
}

std::string FooterText(int language) {
  char buf[96];
  if (language == 0)
    std::snprintf(buf, sizeof buf, "Vantoria %04d/%02d/%02d %s", kReleaseYear, kReleaseMonth, kReleaseDay,
                  std::string(kVersion).c_str());
  else
    std::snprintf(buf, sizeof buf, "Vantoria %04d年%02d月%02d日 %s", kReleaseYear, kReleaseMonth,
                  kReleaseDay, std::string(kVersion).c_str());
  return buf;
}

void FillTitleAndHelp(ui::PaintManager& pm, const ui::LanguageFile& lang, int language,
                      std::string_view customVer, const std::filesystem::path& helpFile) {
  if (auto* help = pm.find<ui::RichEdit>("HelpRichEdit")) {
    std::ifstream in(helpFile, std::ios::binary);
    if (in) {
      std::string text(kHelpReadLimit, '\0');
      in.read(text.data(), static_cast<std::streamsize>(text.size()));
      text.resize(static_cast<std::size_t>(in.gcount()));
      help->appendText(text);
    } else {
      std::string fallback = lang.LangText("InitValue", "Text", "\r\n");
      help->appendText(fallback.substr(0, kHelpFallbackLimit));
    }
  }
  if (ui::Control* ver = pm.findControl("Ver")) ver->setText(VersionText(language, customVer));
  if (ui::Control* down = pm.findControl("VerDown")) down->setText(FooterText(language));
}

}  // namespace app
