#include "platform/Module.h"

namespace pp {

namespace {

Module* currentModule = nullptr;

}  // namespace

Module::Module() {
  currentModule = this;
}

Module::~Module() {
  if (currentModule == this) currentModule = nullptr;
}

bool Module::Init() {
  return true;
}

Module* Module::Get() {
  return currentModule;
}

}  // namespace pp
