#pragma once

namespace platform {

// The common base of the host's objects that callers hold as "any object":
// a selected item, a member of an item set, an element of a variant array.
// Kind tests are dynamic_pointer_casts to the interface asked for; identity
// is pointer identity.
class HostObject {
public:
    virtual ~HostObject() = default;
};

}  // namespace platform
