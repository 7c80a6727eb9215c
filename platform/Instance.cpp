#include "platform/Instance.h"

#include <utility>

namespace pp {

Instance::Instance(PP_Instance instance) : instance_(instance) {}

Instance::~Instance() = default;

bool Instance::Init(uint32_t, const char*[], const char*[]) {
  return true;
}

void Instance::HandleMessage(const Var&) {}

void Instance::PostMessage(const Var& message) {
  if (pageHandler_) pageHandler_(instance_, message);
}

void Instance::setPageHandler(PageHandler handler) {
  pageHandler_ = std::move(handler);
}

}  // namespace pp
