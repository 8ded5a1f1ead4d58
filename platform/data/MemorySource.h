#pragma once
#include <memory>
#include <string>

#include "platform/data/SourceTable.h"

class GDALDataset;

namespace platform {

// A layer of a dataset that lives only in memory (GDAL's Memory driver), for
// data built in code. Such a dataset cannot be opened twice, so its cursors
// read a snapshot of the matching rows taken at Search instead of owning a
// handle; they stay independent all the same. The table shares the dataset.
std::shared_ptr<SourceTable> OpenMemoryLayer(std::shared_ptr<GDALDataset> dataset, const std::string& layerName);

}  // namespace platform
