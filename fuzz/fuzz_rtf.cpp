// The rich-text box's RTF reader.
#include "FuzzSupport.h"
#include "platform/qt/RtfToHtml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::qt::RtfToHtml(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
