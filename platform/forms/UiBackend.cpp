#include "platform/forms/UiBackend.h"

#include "platform/forms/HeadlessBackend.h"

namespace platform {
namespace {

std::shared_ptr<UiBackend>& Current() {
    static std::shared_ptr<UiBackend> current = std::make_shared<HeadlessBackend>();
    return current;
}

}  // namespace

void SetUiBackend(std::shared_ptr<UiBackend> backend) {
    Current() = backend ? std::move(backend) : std::make_shared<HeadlessBackend>();
}

UiBackend& Ui() { return *Current(); }

std::shared_ptr<UiBackend> CurrentUiBackend() { return Current(); }

}  // namespace platform
