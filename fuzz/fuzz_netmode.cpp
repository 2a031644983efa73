// The network-mode value picked out of a reply, as the worker hands the
// receive buffer over, and shown in the field.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <memory>
#include <string>

#include "diag/self_check.h"
#include "fuzz_check.h"
#include "link/receive_step.h"
#include "ui/control.h"
#include "ui/paint_manager.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const bool withField = in.ConsumeBool();
  // The reply arrives as chunks into the buffer, as on the line.
  static auto buffer = std::make_unique<params::RecvBuffer>();
  buffer->clear();
  devlink::JobType expected = devlink::FindNetMode;
  while (in.remaining_bytes() > 0) {
    const std::string chunk = in.ConsumeRandomLengthString(200);
    devlink::ReceiveStep(*buffer, expected, chunk, devlink::Timing{});
    if (chunk.empty()) break;
  }
  const std::string_view reply = buffer->text();

  const auto v = diag::NetModeValue(reply, buffer->count);
  if (v) {
    FUZZ_CHECK(buffer->count <= diag::kNetModeReplyLimit);
    FUZZ_CHECK(v->find("\r\n") == std::string::npos);
    FUZZ_CHECK(reply.find("+FINDNETMODE:" + *v + "\r\n") != std::string_view::npos);
  }

  ui::PaintManager pm;
  auto root = std::make_unique<ui::VerticalLayout>();
  if (withField) {
    auto field = std::make_unique<ui::Edit>();
    field->setName("FINDNETMODE");
    field->setText("before");
    root->add(std::move(field));
  }
  pm.setRoot(std::move(root));
  diag::ShowNetMode(pm, reply, buffer->count);
  if (ui::Control* f = pm.findControl("FINDNETMODE")) FUZZ_CHECK(f->text() == (v ? *v : "before"));
  return 0;
}
