#include "app/language_check.h"

#include <fstream>
#include <iterator>
#include <string_view>
#include <system_error>

#include "ui/private_profile.h"

namespace app {

std::optional<std::string> LanguageFileProblem(const std::filesystem::path& languageFile) {
  std::ifstream in(languageFile, std::ios::binary);
  if (!in) return "cannot read the language file " + languageFile.string() + ": every text stays empty";
  const std::string content{std::istreambuf_iterator<char>(in), {}};
  // Entries every language file carries; a file without any of them is not one.
  constexpr std::pair<std::string_view, std::string_view> kProbes[] = {
      {"ComSend", "send"}, {"OnStartCom", "Open"}, {"WorkerJobThreadProc", "OutTime"}};
  for (const auto& [section, key] : kProbes)
    if (!ui::ReadProfileText(content, section, key, "", 200).empty()) return std::nullopt;
  return "the language file " + languageFile.string() + " holds none of the program's texts: every text stays empty";
}

}  // namespace app
