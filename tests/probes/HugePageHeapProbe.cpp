// Starts as tessaly-desktop does, then tells what its start saw: the
// environment it was started with again, the one it leaves its own children,
// and its arguments.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "app/HugePageHeap.h"

namespace {
std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string("[") + value + "]" : "unset";
}
}  // namespace

int main(int argc, char** argv) {
    desktop::StartWithHugePageHeap(argv);
    std::ifstream file("/proc/self/environ");
    const std::string started((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::printf("started with huge pages: %s\n",
                started.find("glibc.malloc.hugetlb=1") != std::string::npos ? "yes" : "no");
    std::printf("GLIBC_TUNABLES: %s\n", Variable("GLIBC_TUNABLES").c_str());
    std::printf("TESSALY_TUNABLES_BEFORE: %s\n", Variable("TESSALY_TUNABLES_BEFORE").c_str());
    for (int i = 1; i < argc; ++i) std::printf("argument: %s\n", argv[i]);
    return 0;
}
