#pragma once

namespace platform {

// What holds controls: a form, or a frame on it. Sizes in twips; a form
// gives its outer size, frame and caption included.
class Container {
public:
    virtual ~Container() = default;
    virtual int Width() = 0;
    virtual int Height() = 0;
    virtual bool Enabled() = 0;
};

}  // namespace platform
