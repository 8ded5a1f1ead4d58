#pragma once
#include <memory>
#include <vector>

#include "platform/forms/Form.h"
#include "platform/forms/HeadlessBackend.h"

namespace testsupport {

// The headless user, also keeping the forms shown modeless with their frames.
class ModelessCapturingBackend : public platform::HeadlessBackend {
public:
    struct ModelessShow {
        std::weak_ptr<platform::Form> form;
        platform::ModelessFrame* frame;
    };
    void ShowModeless(platform::Form& form, platform::ModelessFrame* frame) override {
        shown_.push_back({form.weak_from_this(), frame});
        HeadlessBackend::ShowModeless(form, frame);
    }
    const std::vector<ModelessShow>& Shown() const { return shown_; }

private:
    std::vector<ModelessShow> shown_;
};

}  // namespace testsupport
