#include "platform/data/DbaseWriter.h"

#include <filesystem>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "platform/com/Hresult.h"
#include "platform/data/Field.h"
#include "platform/data/GdalSupport.h"

namespace platform {

namespace {

OGRFieldType GdalTypeOf(int type) {
    switch (type) {
    case fieldtype::Integer: return OFTInteger;
    case fieldtype::String: return OFTString;
    case fieldtype::Date: return OFTDate;
    default: return OFTReal;
    }
}

void SetValue(OGRFeature& feature, int index, int type, const Variant& value) {
    if (value.IsNull() || value.IsEmpty()) {
        feature.SetFieldNull(index);
        return;
    }
    switch (type) {
    case fieldtype::Integer: feature.SetField(index, static_cast<int>(value.ToDouble())); break;
    case fieldtype::String: feature.SetField(index, value.ToText().c_str()); break;
    case fieldtype::Date: {
        const DateParts p = PartsFromOleDate(value.ToDouble());
        feature.SetField(index, p.year, p.month, p.day);
        break;
    }
    default: feature.SetField(index, value.ToDouble()); break;
    }
}

}  // namespace

void WriteDbaseTable(const std::string& path, const std::vector<DbaseColumn>& columns,
                     const std::vector<std::vector<Variant>>& records) {
    EnsureGdalRegistered();
    GdalErrorCapture capture;
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("ESRI Shapefile");
    if (driver == nullptr) throw DataError(E_FAIL, "GDAL has no shapefile driver");
    GDALDatasetUniquePtr dataset(driver->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!dataset) throw DataError(E_FAIL, capture.Message("Unable to create " + path));
    const std::string layerName = std::filesystem::path(path).stem().string();
    const char* options[] = {"ENCODING=UTF-8", nullptr};
    OGRLayer* layer = dataset->CreateLayer(layerName.c_str(), nullptr, wkbNone, const_cast<char**>(options));
    if (layer == nullptr) throw DataError(E_FAIL, capture.Message("Unable to create " + path));
    for (const auto& column : columns) {
        OGRFieldDefn definition(column.name.c_str(), GdalTypeOf(column.type));
        definition.SetWidth(column.width);
        if (column.type == fieldtype::Double) definition.SetPrecision(column.width > 15 ? 15 : 0);
        if (layer->CreateField(&definition, FALSE) != OGRERR_NONE)
            throw DataError(E_FAIL, capture.Message("Unable to add the column " + column.name));
    }
    for (const auto& record : records) {
        OGRFeature feature(layer->GetLayerDefn());
        for (std::size_t i = 0; i < columns.size(); ++i)
            SetValue(feature, static_cast<int>(i), columns[i].type, record[i]);
        if (layer->CreateFeature(&feature) != OGRERR_NONE)
            throw DataError(E_FAIL, capture.Message("Unable to write to " + path));
    }
    dataset.reset();  // closing writes the header and the record count
    if (capture.Failed()) throw DataError(E_FAIL, capture.Message("Unable to write " + path));
}

}  // namespace platform
