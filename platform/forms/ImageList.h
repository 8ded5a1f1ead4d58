#pragma once
#include <string>
#include <vector>

#include "platform/forms/Control.h"

namespace platform {

// Pictures (resource names) for a tree view, numbered from 1. Never shown itself.
class ImageList : public Control {
public:
    using Control::Control;
    void AddImage(const std::string& resource);
    int ImageCount();
    // Error 35600 outside 1..ImageCount.
    std::string Image(int index);

protected:
    void ResetState() override { images_.clear(); }

private:
    std::vector<std::string> images_;
};

}  // namespace platform
