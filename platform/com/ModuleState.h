#pragma once
#include "platform/com/Hresult.h"

#include <atomic>

// The live objects and server locks of one module (the shared library or program
// this header is compiled into), which decide its DllCanUnloadNow. Everything here
// has hidden visibility, so each module keeps its own counts even though every
// module includes the same header.
namespace platform::module {

[[gnu::visibility("hidden")]] inline std::atomic<long> liveObjects{0};
[[gnu::visibility("hidden")]] inline std::atomic<long> serverLocks{0};

[[gnu::visibility("hidden")]] inline void ObjectCreated() noexcept { ++liveObjects; }
[[gnu::visibility("hidden")]] inline void ObjectDestroyed() noexcept { --liveObjects; }
[[gnu::visibility("hidden")]] inline void Lock() noexcept { ++serverLocks; }
[[gnu::visibility("hidden")]] inline void Unlock() noexcept { --serverLocks; }

// S_OK when no object of this module is alive and no client holds a lock.
[[gnu::visibility("hidden")]] inline HRESULT CanUnloadNow() noexcept {
    return liveObjects.load() == 0 && serverLocks.load() == 0 ? S_OK : S_FALSE;
}

}  // namespace platform::module
