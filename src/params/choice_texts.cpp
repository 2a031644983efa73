#include "params/choice_encodings.h"
#include "ui/lang_text.h"

namespace params {

ChoiceTexts LoadChoiceTexts(const ui::LanguageFile& lang) {
  ChoiceTexts t;
  t.customProtocol = lang.LangText("Protocolmodel", "Text");
  for (int i = 0; i < 5; ++i)
    t.dioWorkmode[i] = lang.LangText("DIO workmode", "Text" + std::to_string(i + 1));
  return t;
}

}  // namespace params
