#include "platform/data/SourceTable.h"

#include <filesystem>
#include <fstream>

#include "platform/com/Hresult.h"
#include "platform/data/GdalSource.h"
#include "platform/data/GdalSupport.h"
#include "platform/data/TextCompare.h"

namespace platform {

namespace {

const char* kShapeFieldName = "Shape";

WorkspaceKind KindOfDriver(const std::string& shortName) {
    if (shortName == "ESRI Shapefile") return WorkspaceKind::Folder;
    if (shortName == "GPKG") return WorkspaceKind::GeoPackage;
    if (shortName == "PostgreSQL") return WorkspaceKind::PostgreSQL;
    return WorkspaceKind::Other;
}

int FieldTypeOf(const OGRFieldDefn& field, WorkspaceKind kind) {
    switch (field.GetType()) {
    case OFTInteger:
        if (IsTextBoolean(field, kind)) return fieldtype::String;
        // dBASE keeps short integers as numbers of at most 4 digits.
        if (field.GetSubType() == OFSTInt16 || field.GetSubType() == OFSTBoolean ||
            (field.GetWidth() > 0 && field.GetWidth() <= 4))
            return fieldtype::SmallInteger;
        return fieldtype::Integer;
    case OFTInteger64: return fieldtype::Double;  // a 32-bit host integer could overflow
    case OFTReal: return field.GetSubType() == OFSTFloat32 ? fieldtype::Single : fieldtype::Double;
    case OFTDate:
    case OFTDateTime: return fieldtype::Date;
    case OFTBinary: return fieldtype::Blob;
    default: return fieldtype::String;  // text, times of day, lists
    }
}

// A dBASE number column without decimals too wide to be read as a 64-bit integer.
bool HasWideIntegerColumn(OGRLayer& layer) {
    const OGRFeatureDefn* definition = layer.GetLayerDefn();
    for (int i = 0; i < definition->GetFieldCount(); ++i) {
        const OGRFieldDefn* field = definition->GetFieldDefn(i);
        if (field->GetType() == OFTReal && field->GetPrecision() == 0 && field->GetWidth() >= 19) return true;
    }
    return false;
}

// GDAL 3.6 settles those types by reading every record and crashes on one cut
// short, so a .dbf is read that way only while it holds every record it counts.
bool HoldsEveryRecord(const std::string& dbase) {
    unsigned char header[12];
    std::ifstream in(dbase, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return false;
    const std::uint64_t records = header[4] | header[5] << 8 | header[6] << 16 | std::uint64_t{header[7]} << 24;
    const std::uint64_t headerLength = header[8] | header[9] << 8, recordLength = header[10] | header[11] << 8;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(dbase, error);
    return !error && size >= headerLength + records * recordLength;
}

std::string DbaseFileOf(GDALDataset& dataset) {
    std::string dbase;
    char** files = dataset.GetFileList();
    for (char** file = files; file != nullptr && *file != nullptr; ++file)
        if (EqualsIgnoringCase(std::filesystem::path(*file).extension().string(), ".dbf")) dbase = *file;
    CSLDestroy(files);
    return dbase;
}

OGRLayer* FindLayer(GDALDataset& dataset, const std::string& name) {
    if (name.empty()) return dataset.GetLayerCount() > 0 ? dataset.GetLayer(0) : nullptr;
    return dataset.GetLayerByName(name.c_str());
}

bool HasShape(OGRLayer& layer) {
    return layer.GetLayerDefn()->GetGeomFieldCount() > 0 && layer.GetGeomType() != wkbNone;
}

SourceTable::Impl::Layout LayoutOf(OGRLayer& layer) {
    SourceTable::Impl::Layout layout;
    layout.shape = HasShape(layer);
    const OGRFeatureDefn* definition = layer.GetLayerDefn();
    for (int i = 0; i < definition->GetFieldCount(); ++i) {
        const OGRFieldDefn* field = definition->GetFieldDefn(i);
        layout.columns.push_back({field->GetNameRef(), field->GetType(), field->GetSubType(), field->GetWidth()});
    }
    return layout;
}

}  // namespace

SourceTable::Impl::Handle SourceTable::Impl::Acquire(bool opening) const {
    Handle handle;
    if (memory) {
        handle.layer = FindLayer(*memory, layerName);
    } else {
        GdalErrorCapture quiet;
        if (!adjustedDbase.empty() && !HoldsEveryRecord(adjustedDbase))
            throw DataError(opening ? E_FAIL : E_DATAUNREADABLE,
                            "The table " + adjustedDbase + " is damaged: it holds fewer records than it counts");
        handle.owned = pool->Take();
        if (!handle.owned)
            throw DataError(opening ? E_FAIL : E_DATAUNREADABLE, quiet.Message("Unable to open data source " + path));
        handle.pool = pool;
        handle.layer = FindLayer(*handle.owned, layerName);
    }
    if (opening) return handle;
    if (handle.layer == nullptr)
        throw DataError(E_DATAUNREADABLE, "Layer " + layerName + " is no longer in " + path);
    if (!memory && LayoutOf(*handle.layer) != layout) {
        handle.Discard();
        throw DataError(E_DATAUNREADABLE, "The fields of the table " + layerName + " in " + path +
                                              " changed since it was opened; open it again to read it");
    }
    return handle;
}

void SourceTable::Impl::Describe(GDALDataset& dataset, OGRLayer& layer) {
    layerName = layer.GetName();
    GDALDriver* driver = dataset.GetDriver();
    const std::string shortName = driver ? driver->GetDescription() : "";
    const char* longName = driver ? driver->GetMetadataItem(GDAL_DMD_LONGNAME) : nullptr;
    kind = KindOfDriver(shortName);
    dialect = DialectOfDriver(shortName);
    driverLongName = longName ? longName : shortName;

    const char* fidColumn = layer.GetFIDColumn();
    oidName = kind == WorkspaceKind::Folder || fidColumn == nullptr || *fidColumn == '\0' ? "FID" : fidColumn;

    std::vector<std::shared_ptr<const Field>> list;
    list.push_back(std::make_shared<Field>(oidName, fieldtype::OID, 0));
    gdalField.push_back(-1);
    gdalType.push_back(OFTInteger);
    OGRFeatureDefn* definition = layer.GetLayerDefn();
    layout = LayoutOf(layer);
    if (layout.shape) {
        shapeIndex = static_cast<int>(list.size());
        list.push_back(std::make_shared<Field>(kShapeFieldName, fieldtype::Geometry, 0));
        gdalField.push_back(-1);
        gdalType.push_back(OFTInteger);
        spatialReference = WrapSpatialReference(layer.GetSpatialRef());
    }
    for (int i = 0; i < definition->GetFieldCount(); ++i) {
        const OGRFieldDefn* field = definition->GetFieldDefn(i);
        const char* alias = field->GetAlternativeNameRef();
        const int width = IsTextBoolean(*field, kind) ? 5 : field->GetWidth();  // "false"
        list.push_back(std::make_shared<Field>(field->GetNameRef(), FieldTypeOf(*field, kind), width,
                                               alias ? alias : ""));
        gdalField.push_back(i);
        gdalType.push_back(field->GetType());
    }
    fields = std::make_shared<platform::Fields>(std::move(list));
    for (int i = 0; kind == WorkspaceKind::PostgreSQL && i < definition->GetFieldCount(); ++i)
        for (int j = 0; j < i; ++j)
            if (EqualsIgnoringCase(definition->GetFieldDefn(i)->GetNameRef(), definition->GetFieldDefn(j)->GetNameRef()))
                readsByAlias = true;

    std::string workspacePath = memory ? std::string(dataset.GetDescription()) : path;
    std::shared_ptr<WorkspaceFactory> factory;
    if (kind == WorkspaceKind::Folder) {
        std::error_code ec;
        if (!std::filesystem::is_directory(path, ec))
            workspacePath = std::filesystem::path(path).parent_path().string();
        if (workspacePath.empty()) workspacePath = ".";
        factory = std::make_shared<FolderWorkspaceFactory>();
    } else {
        factory = std::make_shared<WorkspaceFactory>(kind, driverLongName);
    }
    workspace = std::make_shared<platform::Workspace>(workspacePath, std::move(factory));
}

std::shared_ptr<SourceTable> SourceTable::Open(const std::string& path, const std::string& layerName) {
    EnsureGdalRegistered();
    GdalErrorCapture quiet;
    auto impl = std::make_unique<Impl>();
    impl->path = path;
    impl->layerName = layerName;
    impl->pool = DatasetPool::For(path, {});
    {
        Impl::Handle first = impl->Acquire(true);
        const std::string driver = first.owned->GetDriver() ? first.owned->GetDriver()->GetDescription() : "";
        if (driver == "CSV") {
            // Numbers in a CSV file should read as numbers, not as text.
            impl->openOptions = {"AUTODETECT_TYPE=YES"};
        } else if (driver == "ESRI Shapefile" && first.layer != nullptr && HasWideIntegerColumn(*first.layer)) {
            // GDAL takes integer columns 19 or 20 digits wide for reals, which
            // would round 64-bit values; reading the table once settles them.
            impl->openOptions = {"ADJUST_TYPE=YES"};
            impl->adjustedDbase = DbaseFileOf(*first.owned);
        }
    }
    if (!impl->openOptions.empty()) impl->pool = DatasetPool::For(path, impl->openOptions);
    Impl::Handle handle = impl->Acquire(true);
    if (handle.layer == nullptr)
        throw DataError(E_FAIL, layerName.empty() ? "No table in " + path : "No table " + layerName + " in " + path);
    impl->Describe(*handle.owned, *handle.layer);
    return std::make_shared<SourceTable>(std::move(impl));
}

SourceTable::SourceTable(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

SourceTable::~SourceTable() = default;

const std::string& SourceTable::DataSourcePath() const { return impl_->path; }
const std::string& SourceTable::LayerName() const { return impl_->layerName; }
WorkspaceKind SourceTable::Kind() const { return impl_->kind; }

std::string SourceTable::DataSourceType() const {
    switch (impl_->kind) {
    case WorkspaceKind::Folder: return "Shapefile Feature Class";
    case WorkspaceKind::GeoPackage: return "Personal Geodatabase Feature Class";
    case WorkspaceKind::PostgreSQL: return "SDE Feature Class";
    case WorkspaceKind::Other: break;
    }
    return impl_->driverLongName + " Feature Class";
}

bool SourceTable::HasShape() const { return impl_->shapeIndex >= 0; }
std::string SourceTable::ShapeFieldName() const { return HasShape() ? kShapeFieldName : ""; }
platform::SpatialReference SourceTable::SpatialReference() const { return impl_->spatialReference; }

platform::Envelope SourceTable::Extent() const {
    if (!HasShape()) return {};
    GdalErrorCapture quiet;
    Impl::Handle handle = impl_->Acquire();
    OGREnvelope e;
    if (handle.layer->GetExtent(&e, TRUE) != OGRERR_NONE) return {};
    return platform::Envelope(e.MinX, e.MinY, e.MaxX, e.MaxY, impl_->spatialReference);
}

std::shared_ptr<const platform::Fields> SourceTable::Fields() const { return impl_->fields; }
std::string SourceTable::OIDFieldName() const { return impl_->oidName; }

std::shared_ptr<Cursor> SourceTable::Search(const QueryFilter* filter, bool recycling) {
    return Search(filter, recycling, {});
}

std::int64_t SourceTable::RowCount(const QueryFilter* filter) { return RowCount(filter, {}); }

std::int64_t SourceTable::RowCount(const QueryFilter* filter, const std::string& definitionExpression) {
    return CountFeatures(*impl_, MakeReadPlan(*impl_, filter, definitionExpression));
}

void SourceTable::CheckWhereClause(const std::string& whereClause) {
    QueryFilter filter;
    filter.WhereClause(whereClause);
    filter.SubFields(impl_->oidName);
    const auto plan = MakeReadPlan(*impl_, &filter, {});
    // OGR SQL checks a clause as it is set, so shapefiles need no pass over
    // their rows; other sources check it only as they read.
    if (impl_->kind == WorkspaceKind::Folder) {
        CompileFeatureFilter(*impl_, *plan);
        return;
    }
    OpenFeatureStream(*impl_, plan);
}

std::string SourceTable::WhereLiteral(const std::string& fieldName, const Variant& value) const {
    const int index = impl_->fields->FindField(fieldName);
    if (index < 0) throw DataError(E_INVALIDARG, "Field not found: " + fieldName);
    const bool dateTime = impl_->gdalType[static_cast<std::size_t>(index)] == OFTDateTime;
    std::string literal =
        WhereValueLiteral(impl_->kind, impl_->dialect, value, dateTime ? DateColumn::DateTime : DateColumn::Date);
    // The server compares a real (float4) column with a number as a double:
    // the value must be made a real again to equal the ones stored.
    if (impl_->dialect == SqlDialect::PostgreSql && value.IsNumeric() &&
        impl_->fields->Field(index)->Type() == fieldtype::Single)
        literal += "::real";
    return literal;
}

std::string SourceTable::Name() const { return impl_->layerName; }
std::string SourceTable::BrowseName() const { return impl_->layerName; }
std::shared_ptr<platform::Workspace> SourceTable::Workspace() const { return impl_->workspace; }

std::shared_ptr<NameObject> SourceTable::FullName() const {
    auto name = std::make_shared<TableName>();
    name->Name(impl_->layerName);
    name->WorkspaceName(std::dynamic_pointer_cast<WorkspaceName>(impl_->workspace->FullName()));
    return name;
}

}  // namespace platform
