#include "QtTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "platform/forms/UiBackend.h"

namespace {

// One application for the whole test program, on the offscreen platform.
class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_platform_qt";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace

ScopedQtUi::ScopedQtUi()
    : backend_(std::make_shared<platform::qt::QtBackend>()), previous_(platform::CurrentUiBackend()) {
    platform::SetUiBackend(backend_);
}

ScopedQtUi::~ScopedQtUi() {
    platform::SetUiBackend(previous_);
    backend_.reset();
    ProcessEvents();
}

void ProcessEvents() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void WhenIdle(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }
