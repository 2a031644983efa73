#include "ui/lang_text.h"

#include "ui/private_profile.h"

namespace ui {

std::string LanguageFile::LangText(std::string_view section, std::string_view key,
                                   std::string_view suffix) const {
  // A 200-byte buffer: at most 199 bytes of text survive.
  std::string text = ReadProfileString(path_, section, key, "", 200);
  text.append(suffix);
  return text;
}

}  // namespace ui
