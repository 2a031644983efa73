#pragma once
// The fixed vocabulary of terminal settings: one entry per setting, keyed by
// the name of the form control that shows it, walked in byte-wise name order.

#include <array>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace params {

// Tab page of an entry: 0..10 index the tab slots, 100 is "on no page".
using ParamGroup = std::int32_t;
inline constexpr ParamGroup kNoPage = 100;
inline constexpr int kTabSlotCount = 11;

struct ParamEntry {
  std::string atCommand;    // command word, no "=" or line end; empty if never written
  std::string value;        // terminal's own text form; empty until a report
  std::string reportLabel;  // exact label text, leading "\r\n" included where it has one
  bool inUse = true;        // takes part in a Save
  std::string controlType;  // "Edit", "Combobox", "Line" or empty
  ParamGroup group = kNoPage;
};

struct TabSlot {
  std::string name;  // header button name ("WorkModeTab" ...)
  bool shown = true;
};
using TabSlots = std::array<TabSlot, kTabSlotCount>;

// Header button names of the 11 slots, in slot order.
extern const std::array<const char*, kTabSlotCount> kTabButtonNames;
TabSlots MakeTabSlots();  // every slot shown and named

// Byte-wise (unsigned) ordering: std::string's operator< compares chars via
// char_traits<char>::lt, which is specified to compare as unsigned char.
struct ByteLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return a < b; }
};

// Thread safety: the set of names and the fixed fields (atCommand, reportLabel,
// controlType, group) never change after BuildRegistry(), so the map itself is
// walked and searched without a lock and find() may be used from any thread for
// those fields. `value` and `inUse` are written by the UI thread and by the
// worker (parse after a snapshot load, confirmed writes), so they are read and
// written only through the accessors below, each holding one registry-wide
// mutex for that single read or write. Nothing holds the lock across steps, so
// the order of parse, apply and collect stays the callers' own. Reading
// find(name)->value directly is a data race while the worker runs.
class ParamRegistry {
 public:
  using Map = std::map<std::string, ParamEntry, ByteLess>;

  // Registers one entry; a name already present keeps its first registration.
  void AddParam(ParamGroup group, std::string_view controlType, std::string_view name,
                std::string_view reportLabel, std::string_view atCommand);

  // Null when the name is not registered; never adds an entry.
  const ParamEntry* find(std::string_view name) const;
  bool contains(std::string_view name) const { return find(name) != nullptr; }
  std::size_t size() const { return entries_.size(); }

  std::optional<std::string> value(std::string_view name) const;
  bool setValue(std::string_view name, std::string_view v);  // false: unknown name
  std::optional<bool> inUse(std::string_view name) const;
  bool setInUse(std::string_view name, bool on);              // false: unknown name
  void clearValues();

  // Ordered traversal. The callback gets a copy of the entry taken under the
  // lock, so it may call back into the registry.
  template <class F>
  void forEach(F&& f) const {
    for (const auto& [name, e] : entries_) {
      ParamEntry copy;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        copy = e;
      }
      f(name, copy);
    }
  }
  // Names in traversal order.
  std::vector<std::string> names() const;

 private:
  Map entries_;
  mutable std::mutex mutex_;
};

// Registers every entry of the terminal's table, then takes "LORA ver" out of use.
void BuildRegistry(ParamRegistry& registry);

}  // namespace params
