// Starts tessaly-desktop as its own process, on a virtual X display, the way
// a user or a tool may start it, and watches for the document's window.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

#include "DesktopTestSupport.h"

namespace {

// Waits up to 30 s for a window titled after the document; 0 when it came.
constexpr const char* kWatch = R"(
"$@" & desktop=$!
for i in $(seq 150); do
  if xwininfo -root -tree | grep -q 'Willow Creek Watershed - Tessaly Desktop'; then kill $desktop; exit 0; fi
  kill -0 $desktop 2>/dev/null || { wait $desktop; echo "the desktop ended: $?"; exit 3; }
  sleep 0.2
done
kill $desktop; echo "no window of the document"; exit 4
)";

TEST(DesktopStart, ThroughTheDynamicLoaderOpensTheDocumentGiven) {
    LessonCopy lesson("start");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    QProcess run;
    run.setProcessEnvironment(environment);
    run.start("xvfb-run", {"-a", "sh", "-c", kWatch, "watch", "/lib64/ld-linux-x86-64.so.2",
                           QString(TESSALY_BIN_DIR) + "/tessaly-desktop", QString::fromStdString(lesson.Document().string())});
    ASSERT_TRUE(run.waitForFinished(60000)) << "xvfb-run did not end";
    EXPECT_EQ(run.exitCode(), 0) << run.readAll().toStdString();
}

}  // namespace
