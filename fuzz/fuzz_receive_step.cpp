// The receive step fed chunk by chunk. The input chooses the awaited reply
// kind (and may change it between chunks, as the worker does) and the chunk
// sizes; a model of the buffer checks that no byte is lost, moved or kept
// beyond the bound.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "fuzz_check.h"
#include "link/receive_step.h"

namespace {

constexpr devlink::JobType kKinds[] = {
    devlink::None,          devlink::Handshake,        devlink::ReadSettings,
    devlink::WriteSetting,  devlink::Escape,           devlink::FactoryReset,
    devlink::ReadSettingsToFile, devlink::ReadSettingsForFile, devlink::QuitConfig,
    devlink::FindNetMode,   devlink::QueryVersion,     devlink::QuerySim,
    devlink::QuerySignal,   devlink::QuerySignalRetry, devlink::ReadFileLog,
    static_cast<devlink::JobType>(14), devlink::CustomCommand};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  static auto buffer = std::make_unique<params::RecvBuffer>();
  buffer->clear();
  std::string model;  // what the buffer must hold
  devlink::JobType expected = in.PickValueInArray(kKinds);
  const devlink::Timing timing;

  while (in.remaining_bytes() > 0) {
    const std::uint8_t op = in.ConsumeIntegral<std::uint8_t>();
    if (op >= 0xF0) {  // the worker starts another job: clear, then await
      buffer->clear();
      model.clear();
      expected = in.PickValueInArray(kKinds);
      continue;
    }
    // Chunk sizes favour small ones but reach the driver's 4095.
    const std::size_t len = op < 0xE0 ? op % 64 : in.ConsumeIntegralInRange<std::size_t>(0, 4095);
    const std::string chunk = in.ConsumeBytesAsString(len);

    const devlink::JobType before = expected;
    const auto actions = devlink::ReceiveStep(*buffer, expected, chunk, timing);

    if (!chunk.empty()) {
      std::string clean = chunk;
      std::replace(clean.begin(), clean.end(), '\0', ' ');
      model += clean;
      if (model.size() > params::RecvBuffer::kMaxBytes)
        model.erase(0, model.size() - params::RecvBuffer::kMaxBytes);
    }
    bool cleared = false, signalled = false, logged = false;
    for (const auto& a : actions) {
      if (a.kind == devlink::RecvAction::StartKeyTimer) cleared = true;
      if (a.kind == devlink::RecvAction::SignalReply) signalled = true;
      if (a.kind == devlink::RecvAction::Log) {
        logged = true;
        FUZZ_CHECK(a.text.find('\0') == std::string::npos);
        FUZZ_CHECK(chunk.compare(0, a.text.size(), a.text) == 0);
      }
    }
    if (cleared) model.clear();

    const int count = buffer->count;
    FUZZ_CHECK(count >= 0 && count <= params::RecvBuffer::kMaxBytes);
    FUZZ_CHECK(buffer->data[count] == '\0');
    FUZZ_CHECK(std::find(buffer->data.begin(), buffer->data.begin() + count, '\0') ==
               buffer->data.begin() + count);
    FUZZ_CHECK(buffer->text() == model);

    FUZZ_CHECK(chunk.empty() ? actions.empty() : logged == (before != devlink::None));
    if (signalled) FUZZ_CHECK(before != devlink::None && before != devlink::Handshake);
    // A completed reply leaves nothing awaited, unless a boot prompt re-keys.
    if (signalled && !cleared) FUZZ_CHECK(expected == devlink::None);
    if (cleared) FUZZ_CHECK(expected == devlink::Handshake && count == 0);
  }
  return 0;
}
