#pragma once
// How the terminal's values and the form's choices translate into each other.
// Every drop-down list has one encoding: a rule for showing a value as an item
// index and a rule for reading the list's state back as a value. The rules and
// their parameters are data (one table keyed by entry name); the functions
// below are pure and take no controls.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ui {
class LanguageFile;
}

namespace params {

// Reads text the way the C library's atoi does: leading white space, an
// optional sign, digits up to the first non-digit; no digits read as 0.
// Out-of-range numbers saturate instead of being undefined.
int ReadNumber(std::string_view text);

enum class ShowRule {
  Number,         // n - offset; an empty value keeps the selection when keepIfEmpty
  NumberMap,      // the pairs' index for n; unmatched n by `fallback`
  NetMode,        // 0 -> 0, n > 3 -> n - 3, otherwise keep
  Keywords,       // index of the value in `keywords`; "-1" clears; otherwise keep
  ItemText,       // the item whose text equals the value; none -> no selection
  ProtocolModel,  // ItemText, then overridden by a hit in `keywords` ("-1" clears)
  IoSelection,    // first channel whose workmode is exactly "4"; otherwise keep
};

enum class ShowFallback { Keep, Same, Fixed };

enum class ReadRule {
  Index,             // i < minIndex: nothing; otherwise i + offset
  IndexMap,          // i < 0: nothing; mapped text; unmapped: i + offset, or nothing
  Keywords,          // keyword of i; otherwise `fallbackText`
  ItemText,          // the selected item's text, possibly empty
  ItemTextNonEmpty,  // the selected item's text; nothing when empty
  ProtocolModel,     // ItemText; the custom mode's display text reads "CUST"
  DioWorkmode,       // the selected text against the five "DIO workmode" texts
  NotRead,           // the list writes nothing of its own
};

struct NumberToIndex {
  int number;
  int index;
};
struct IndexToText {
  int index;
  std::string_view text;
};

struct ChoiceEncoding {
  ShowRule show = ShowRule::Number;
  int showOffset = 0;
  bool keepIfEmpty = true;
  std::span<const NumberToIndex> showMap{};
  ShowFallback fallback = ShowFallback::Keep;
  int fallbackIndex = 0;

  ReadRule read = ReadRule::Index;
  int readOffset = 0;
  int minIndex = 0;
  std::span<const IndexToText> readMap{};
  bool unmappedReadsNothing = false;
  std::string_view fallbackText{};

  std::span<const std::string_view> keywords{};  // Keywords and ProtocolModel
};

// The encoding of a drop-down entry; the plain index encoding for names the
// table does not list.
const ChoiceEncoding& EncodingFor(std::string_view entryName);
// True when the table names the entry (used to check the table is complete).
bool HasOwnEncoding(std::string_view entryName);

// What showing a value needs besides the value.
struct ShowInput {
  std::span<const std::string> items{};  // the list's item texts
  // Values of "DIO1 workmode" .. "DIO3 workmode", for "I/O selection".
  std::array<std::string_view, 3> channelWorkmodes{};
};

// The item index to select, negative for no selection; nullopt keeps the
// current selection.
std::optional<int> ShowIndex(const ChoiceEncoding& enc, std::string_view value,
                             const ShowInput& in = {});

// The two steps of ShowRule::ProtocolModel, which selects twice: the index of
// the item whose text is the value (-1 when none), and the keyword's index
// ("-1": -1), nullopt when the value is no keyword.
int ItemTextIndex(std::span<const std::string> items, std::string_view value);
std::optional<int> KeywordIndex(const ChoiceEncoding& enc, std::string_view value);

// Language texts the readings compare with, loaded once per collection.
struct ChoiceTexts {
  std::string customProtocol;             // ("Protocolmodel", "Text")
  std::array<std::string, 5> dioWorkmode;  // ("DIO workmode", "Text1".."Text5")
};
ChoiceTexts LoadChoiceTexts(const ui::LanguageFile& lang);

// The value a list with selection `index` (-1: none) and selected text
// `selectedText` stands for; nullopt when it produces no write.
std::optional<std::string> ReadChoice(const ChoiceEncoding& enc, int index,
                                      std::string_view selectedText, const ChoiceTexts& texts);

// Transfer-direction switches of one "Line" entry; bit i is switches[i]
// (empty where that bit has no switch).
struct DirectionSwitchSet {
  std::string_view entry;
  std::array<std::string_view, 6> switches;
  int carryMask;  // bits of the current value that survive a reading
};
// Null for entries without switches ("Device Type").
const DirectionSwitchSet* SwitchSetFor(std::string_view entryName);
// The number the switches stand for: the switch bits, or-ed with the carried
// bits of the entry's current value.
int ReadSwitches(const DirectionSwitchSet& set, const std::array<bool, 6>& on,
                 std::string_view currentValue);

}  // namespace params
