#pragma once
// For the harnesses whose input names data sources (map documents, layer files).
#include <cpl_conv.h>
#include <cpl_error.h>

namespace fuzzsupport {

// GDAL reports nothing on stderr and gives up on the network at once, since
// an input may name any data source.
inline void QuietGdal() {
    CPLSetErrorHandler(CPLQuietErrorHandler);
    CPLSetConfigOption("GDAL_HTTP_TIMEOUT", "1");
    CPLSetConfigOption("GDAL_HTTP_MAX_RETRY", "0");
}

}  // namespace fuzzsupport
