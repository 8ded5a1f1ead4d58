#pragma once
#include <memory>

#include "platform/com/ComError.h"

namespace tessaly {

// The object behind a reference the code goes on to use; a null one raises
// error 91 (object not set), as using an unset object reference does.
template <class T>
T& ObjectRequired(const std::shared_ptr<T>& object) {
    if (!object) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    return *object;
}

}  // namespace tessaly
