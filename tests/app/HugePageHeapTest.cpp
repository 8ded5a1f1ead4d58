#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <optional>

namespace {

// The probe restarts as tessaly-desktop does and reports what it saw.
QString RunProbe(const std::optional<QString>& tunables) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("GLIBC_TUNABLES");
    environment.remove("TESSALY_TUNABLES_BEFORE");
    if (tunables) environment.insert("GLIBC_TUNABLES", *tunables);
    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.start(QString::fromLatin1(TESSALY_BIN_DIR) + "/huge_page_heap_probe", {"lesson.tmd", "two words"});
    if (!probe.waitForFinished(30000) || probe.exitCode() != 0) return "the probe failed: " + probe.errorString();
    return QString::fromUtf8(probe.readAllStandardOutput());
}

TEST(HugePageHeap, TheHostRestartsOnceWithHugePagesAndItsChildrenGetTheUsersEnvironment) {
    struct Case {
        const char* name;
        std::optional<QString> tunables;
        const char* started;
        const char* leftToChildren;
    };
    const Case cases[] = {
        {"no tunables", std::nullopt, "yes", "unset"},
        {"empty tunables", QString(), "yes", "[]"},
        {"other tunables kept", "glibc.malloc.check=0", "yes", "[glibc.malloc.check=0]"},
        {"the user's own choice wins", "glibc.malloc.hugetlb=0", "no", "[glibc.malloc.hugetlb=0]"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RunProbe(c.tunables), QString("started with huge pages: %1\n"
                                                "GLIBC_TUNABLES: %2\n"
                                                "TESSALY_TUNABLES_BEFORE: unset\n"
                                                "argument: lesson.tmd\n"
                                                "argument: two words\n")
                                            .arg(c.started, c.leftToChildren))
            << c.name;
    }
}

}  // namespace
