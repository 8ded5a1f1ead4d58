#pragma once

namespace desktop {

// Million-row tables make a heap of hundreds of megabytes, and where a page
// fault is dear (in many virtual machines a 4 KB fault costs microseconds)
// most of a click can go to faulting it in. Backed by transparent huge pages,
// the heap faults 512 times less often. glibc takes that choice only from
// GLIBC_TUNABLES as a program starts, so the program starts itself once more
// with it added, keeping its arguments; the second start puts the variable
// back as it was, so the programs it starts see the user's environment. A user
// who set glibc.malloc.hugetlb already keeps that setting. When the restart
// fails the program just goes on.
void StartWithHugePageHeap(char** argv);

}  // namespace desktop
