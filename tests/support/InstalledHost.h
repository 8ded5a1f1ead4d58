#pragma once
#include <memory>

#include "platform/forms/UiBackend.h"
#include "platform/map/HostServices.h"
#include "src/core/ErrorHandling.h"

namespace testsupport {

// Installs a test's UI backend and host services, with the error handling
// reset, and puts back what was installed before when it goes.
class InstalledHost {
public:
    InstalledHost(std::shared_ptr<platform::UiBackend> ui, std::shared_ptr<platform::HostServices> host) {
        tessaly::ResetErrorHandling();
        previousUi_ = platform::CurrentUiBackend();
        platform::SetUiBackend(std::move(ui));
        previousHost_ = platform::SetHostServices(std::move(host));
    }
    ~InstalledHost() {
        platform::SetHostServices(previousHost_);
        platform::SetUiBackend(previousUi_);
        tessaly::ResetErrorHandling();
    }
    InstalledHost(const InstalledHost&) = delete;
    InstalledHost& operator=(const InstalledHost&) = delete;

private:
    std::shared_ptr<platform::UiBackend> previousUi_;
    std::shared_ptr<platform::HostServices> previousHost_;
};

}  // namespace testsupport
