#include "app/HugePageHeap.h"

#include <cstdlib>
#include <string>

#include <unistd.h>

namespace desktop {
namespace {

constexpr const char* kTunables = "GLIBC_TUNABLES";
constexpr const char* kHugePageSetting = "glibc.malloc.hugetlb";
// Set across the restart only: "-" when GLIBC_TUNABLES was unset, else "+"
// and its value.
constexpr const char* kTunablesBefore = "TESSALY_TUNABLES_BEFORE";

void PutBack(const std::string& before) {
    if (before.starts_with('+')) {
        setenv(kTunables, before.c_str() + 1, 1);
    } else {
        unsetenv(kTunables);
    }
    unsetenv(kTunablesBefore);
}

}  // namespace

void StartWithHugePageHeap(char** argv) {
    if (const char* before = std::getenv(kTunablesBefore)) {
        PutBack(before);
        return;
    }
    const char* tunables = std::getenv(kTunables);
    const std::string current = tunables ? tunables : "";
    if (current.find(kHugePageSetting) != std::string::npos) return;

    const std::string before = tunables ? "+" + current : "-";
    const std::string setting = std::string(kHugePageSetting) + "=1";
    setenv(kTunablesBefore, before.c_str(), 1);
    setenv(kTunables, (current.empty() ? setting : current + ":" + setting).c_str(), 1);
    execv("/proc/self/exe", argv);
    PutBack(before);
}

}  // namespace desktop
