#pragma once
// Decides what a Save writes: every in-use setting on a shown tab whose
// control reads differently from the registry becomes one write command.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "params/choice_encodings.h"
#include "params/form_context.h"

namespace params {

// One write for the terminal; the app turns it into a WriteSetting job.
struct WriteRequest {
  std::string paramName;  // registry key whose value a confirmed write stores
  std::string value;
  std::string command;    // atCommand + "=" + value + "\r\n"
  bool operator==(const WriteRequest&) const = default;
};

// Receives each write as soon as it is decided, in registry order.
using WriteSink = std::function<void(const WriteRequest&)>;

// Compares `newValue` byte for byte with the value of entry `name`; when they
// differ, hands the write to `sink`. A value holding CR or LF would put a
// second command on the line: it is logged (the text of ("Linux",
// "ValueLineBreak"), a blank and the quoted name) and not sent. Returns whether a write was handed on.
bool QueueWriteIfChanged(const FormContext& ctx, std::string_view newValue, std::string_view name,
                         const WriteSink& sink);

// Walks the registry in order and hands every changed setting to `sink`.
// Reads controls: call it on the UI thread.
void CollectChanges(const FormContext& ctx, const WriteSink& sink);
std::vector<WriteRequest> CollectChanges(const FormContext& ctx);

}  // namespace params
