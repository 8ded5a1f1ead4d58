#include "DesktopBench.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "app/MainWindow.h"
#include "app/MapCanvas.h"
#include "app/ServerRegistration.h"
#include "platform/forms/Forms.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/qt/FormView.h"

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Ticks every 2 ms and keeps the longest time between two ticks (or since
// the start): how long the UI thread kept away from its events at most.
class PauseMeter {
public:
    PauseMeter() {
        timer_.setInterval(2);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        timer_.start();
    }
    void Tick() {
        const auto now = Clock::now();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
    }
    double Longest() const { return Seconds(longest_); }
    // Runs the events until `done` holds (looked at between events) or `limit` seconds passed.
    void RunUntil(const std::function<bool()>& done, double limit) {
        const auto until = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(limit));
        while (!done() && Clock::now() < until) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }

private:
    QTimer timer_;
    Clock::time_point last_ = Clock::now();
    Clock::duration longest_{};
};

// A map document of the points beside them, its extent the points' own.
std::string PointsDocument(const PointsData& data) {
    const std::string path = data.file.parent_path().string() + "/points-" + data.kind + ".tmd";
    auto application = std::make_shared<platform::Application>();
    auto layer = platform::FeatureLayer::Open("Points", data.file.string(), data.layer);
    const auto map = application->Document()->FocusMap();
    map->AddLayer(layer);
    map->Extent(map->FullExtent());
    application->SaveDocument(path);
    return path;
}

struct DesktopRun {
    // Offscreen, quiet, with a registry of its own; before the application is made.
    static std::string Prepared() {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        char pattern[] = "/tmp/tessaly-bench-registry-XXXXXX";
        const std::string folder = mkdtemp(pattern);
        setenv("TESSALY_REGISTRY", (folder + "/registry.json").c_str(), 1);
        return folder;
    }
    std::string registry = Prepared();
    int argc = 1;
    char name[16] = "bench_clicks";
    char* argv[2] = {name, nullptr};
    QApplication application{argc, argv};
    desktop::MainWindow window{desktop::LibraryBesideProgram(QApplication::applicationDirPath().toStdString())};
};

bool MapDrawn(desktop::MainWindow& window) { return window.Canvas()->PictureCurrent(); }

}  // namespace

double OpenLessonLongestPause(const PointsData& data, double& residentMB) {
    const std::string document = PointsDocument(data);
    DesktopRun run;
    run.window.resize(1100, 720);
    run.window.show();
    QApplication::processEvents();
    residentMB = ResidentMB();
    PauseMeter meter;
    if (!run.window.OpenDocument(QString::fromStdString(document))) return -1;
    meter.Tick();
    meter.RunUntil([&] { return MapDrawn(run.window); }, 120);
    return MapDrawn(run.window) ? meter.Longest() : -1;
}

double CancelSummarizeLongestPause(const PointsData& data, double& residentMB) {
    const std::string document = PointsDocument(data);
    DesktopRun run;
    run.window.resize(1100, 720);
    run.window.show();
    if (!run.window.OpenDocument(QString::fromStdString(document))) return -1;
    PauseMeter waiting;
    waiting.RunUntil([&] { return MapDrawn(run.window); }, 120);
    QAction* summarize = run.window.CommandAction("TessalyOpenTable.cmdSumTessaly");
    if (summarize == nullptr || !summarize->isEnabled()) return -1;
    residentMB = ResidentMB();

    std::unique_ptr<PauseMeter> meter;
    bool cancelled = false;
    std::function<void()> poll = [&] {
        auto* view = dynamic_cast<platform::qt::FormView*>(QApplication::activeModalWidget());
        platform::Form* form = view ? view->ModelForm() : nullptr;
        if (form == nullptr) {
            QTimer::singleShot(5, poll);
            return;
        }
        for (platform::Control* control : form->Controls()) {
            auto* button = dynamic_cast<platform::CommandButton*>(control);
            if (button == nullptr || control->Name() != "cmdCancel") continue;
            meter = std::make_unique<PauseMeter>();  // from the click on
            button->UserClick();
            cancelled = true;
        }
    };
    QTimer::singleShot(0, poll);
    summarize->trigger();
    if (!cancelled || !meter) return -1;
    meter->Tick();
    meter->RunUntil([] { return false; }, 1.0);
    return MapDrawn(run.window) ? meter->Longest() : -1;
}

}  // namespace bench
