#include "DesktopTestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <cstdlib>
#include <memory>

#include "app/MapCanvas.h"

namespace fs = std::filesystem;

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_app";
        static char* argv[] = {name, nullptr};
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace

void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    // The maps read and draw between other events: wait until they show what they should.
    const QDeadlineTimer deadline(20000);
    for (QWidget* widget : QApplication::allWidgets()) {
        auto* canvas = dynamic_cast<desktop::MapCanvas*>(widget);
        while (canvas != nullptr && canvas->isVisible() && !canvas->PictureCurrent() && !deadline.hasExpired())
            QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

LessonCopy::LessonCopy(const std::string& name)
    : folder_(fs::temp_directory_path() / ("tessaly-desktop-" + std::to_string(::getpid()) + "-" + name)) {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::copy(fs::path(TESSALY_TEST_DATA_DIR) / ".." / ".." / "examples" / "lesson", folder_ / "lesson",
             fs::copy_options::recursive);
    ::setenv("TESSALY_REGISTRY", (folder_ / "registry.json").c_str(), 1);
}

LessonCopy::~LessonCopy() {
    ::unsetenv("TESSALY_REGISTRY");
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

std::string ServerLibrary() { return std::string(TESSALY_BIN_DIR) + "/libTessalyOpenTable.so"; }
