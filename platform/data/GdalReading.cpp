// How searches and counts read a GDAL layer: the read plan, the streams of
// features and the values they carry.
#include <climits>
#include <exception>
#include <utility>

#include "platform/com/Hresult.h"
#include "platform/data/GdalSource.h"
#include "platform/data/GdalSupport.h"
#include "platform/data/PostgreSql.h"
#include "platform/data/TextCompare.h"

namespace platform {

namespace {

bool MentionsName(const std::string& whereClause, const std::string& name) {
    return ToUpperAscii(whereClause).find(ToUpperAscii(name)) != std::string::npos;
}

bool NameSharedButForCase(const Fields& fields, int field) {
    for (int i = 0; i < fields.FieldCount(); ++i)
        if (i != field && EqualsIgnoringCase(fields.Field(i)->Name(), fields.Field(field)->Name())) return true;
    return false;
}

// Puts the plan on a layer: fields to skip, the spatial prefilter and the
// where clause. A where clause the source rejects raises 0x80004005. Returns
// the exact row filter that evaluates the where clause instead of the source, if any.
std::unique_ptr<ExactRowFilter> ApplyPlan(const SourceTable::Impl& table, OGRLayer& layer, const ReadPlan& plan) {
    const Fields& fields = *table.fields;
    std::vector<std::string> ignored = {"OGR_STYLE"};
    for (int i = 0; i < fields.FieldCount(); ++i) {
        const int gdal = table.gdalField[static_cast<std::size_t>(i)];
        // A field the where clause may name stays readable: OGR evaluates
        // some clauses on the features it has read. GDAL finds the fields to
        // ignore by name without regard to case, so a field whose name
        // another one shares but for case stays readable too.
        if (gdal >= 0 && !plan.fetch[static_cast<std::size_t>(i)] &&
            !MentionsName(plan.where, fields.Field(i)->Name()) && !NameSharedButForCase(fields, i))
            ignored.push_back(fields.Field(i)->Name());
    }
    if (!plan.geometry && table.shapeIndex >= 0) ignored.push_back("OGR_GEOMETRY");
    std::vector<const char*> list;
    for (const auto& name : ignored) list.push_back(name.c_str());
    list.push_back(nullptr);
    layer.SetIgnoredFields(list.data());

    layer.SetSpatialFilter(plan.spatial.get());

    // The source's own SQL decides what a clause may say; an exact row filter only
    // makes its answer exact.
    GdalErrorCapture capture;
    const OGRErr result = layer.SetAttributeFilter(plan.where.empty() ? nullptr : plan.where.c_str());
    if (result != OGRERR_NONE || capture.Failed())
        throw DataError(E_FAIL, capture.Message("The where clause was rejected: " + plan.where));
    std::unique_ptr<ExactRowFilter> test = ExactRowFilter::ForClause(table, plan.where);
    if (test) layer.SetAttributeFilter(nullptr);
    layer.ResetReading();
    return test;
}

// Takes every filter off the layer; false when the source failed meanwhile.
bool ClearPlan(OGRLayer& layer) {
    GdalErrorCapture quiet;
    layer.SetAttributeFilter(nullptr);
    layer.SetSpatialFilter(nullptr);
    layer.SetIgnoredFields(nullptr);
    layer.ResetReading();
    return !quiet.Failed();
}

// Whether every feature of the data reads without a failure, with no where
// clause: tells damaged data from a where clause that fails as it is evaluated.
bool DataReads(const SourceTable::Impl& table) {
    try {
        GdalErrorCapture capture;
        SourceTable::Impl::Handle handle = table.Acquire();
        ClearPlan(*handle.layer);
        while (OGRFeatureUniquePtr(handle.layer->GetNextFeature())) {
        }
        return !capture.Failed();
    } catch (const ComError&) {
        return false;
    }
}

// A failure while reading is the where clause's (0x80004005) only when the
// same data read without it.
[[noreturn]] void ThrowReadFailure(const SourceTable::Impl& table, const ReadPlan& plan, const std::string& message) {
    if (!plan.where.empty() && (table.Shared() || DataReads(table))) throw DataError(E_FAIL, message);
    throw DataError(E_DATAUNREADABLE, message);
}

// The next feature of the layer that passes the exact spatial test and the row
// test. A read that fails (some sources evaluate the where clause only now)
// raises 0x80004005 or, for damaged data, E_DATAUNREADABLE. `capture` has
// heard nothing since the feature before.
OGRFeatureUniquePtr NextPassing(const SourceTable::Impl& table, OGRLayer& layer, const ReadPlan& plan, ExactRowFilter* test,
                                GdalErrorCapture& capture) {
    while (true) {
        OGRFeatureUniquePtr feature(layer.GetNextFeature());
        if (!feature) {
            if (capture.Failed()) ThrowReadFailure(table, plan, capture.Message("The data could not be read"));
            return nullptr;
        }
        if (plan.spatial) {
            const OGRGeometry* shape = feature->GetGeometryRef();
            if (shape == nullptr || !plan.spatial->Intersects(shape)) continue;
        }
        if (test == nullptr || test->Passes(*feature)) {
            if (capture.Failed()) capture.Reset();  // what went wrong before a good row is no failure
            return feature;
        }
    }
}

// Puts the plan on a handle of a table that reads by alias: a query that
// names every column apart, the fields the plan does not fetch as Nulls, so
// that GDAL's field indexes stay those of the table. The server evaluates
// the where clause on the real names.
void ReadByAlias(const SourceTable::Impl& table, SourceTable::Impl::Handle& handle, const ReadPlan& plan) {
    const OGRFeatureDefn& definition = *handle.layer->GetLayerDefn();
    std::vector<bool> fetch(static_cast<std::size_t>(definition.GetFieldCount()), false);
    for (std::size_t i = 0; i < table.gdalField.size(); ++i)
        if (table.gdalField[i] >= 0 && plan.fetch[i]) fetch[static_cast<std::size_t>(table.gdalField[i])] = true;
    std::string columns;
    const std::string fid = handle.layer->GetFIDColumn();
    if (!fid.empty()) columns = QuotedText(fid, '"') + " AS ogc_fid, ";  // GDAL takes ogc_fid for the feature ID
    for (int g = 0; g < definition.GetFieldCount(); ++g) {
        const std::string name = QuotedText(definition.GetFieldDefn(g)->GetNameRef(), '"');
        columns += (fetch[static_cast<std::size_t>(g)] ? name : "NULL") + " AS c" + std::to_string(g) + ", ";
    }
    if (plan.geometry) columns += QuotedText(handle.layer->GetGeometryColumn(), '"') + " AS shape, ";
    columns.resize(columns.size() - 2);
    std::string sql = "SELECT " + columns + " FROM " + PostgreSqlTableName(table.layerName);
    if (!plan.where.empty()) sql += " WHERE (" + plan.where + ")";

    GdalErrorCapture capture;
    OGRLayer* result = handle.owned->ExecuteSQL(sql.c_str(), nullptr, nullptr);
    if (result != nullptr) handle.layer = handle.resultSet = result;
    if (result == nullptr || capture.Failed()) ThrowReadFailure(table, plan, capture.Message("The data could not be read"));
    for (int g = 0; g < definition.GetFieldCount(); ++g) {
        const OGRFieldDefn* read = result->GetLayerDefn()->GetFieldDefn(g);
        if (fetch[static_cast<std::size_t>(g)] && (read == nullptr || read->GetType() != definition.GetFieldDefn(g)->GetType()))
            throw DataError(E_DATAUNREADABLE, "The column " + std::string(definition.GetFieldDefn(g)->GetNameRef()) +
                                                  " of " + table.layerName + " reads as another type through a query");
    }
    result->SetSpatialFilter(plan.spatial.get());
    result->ResetReading();
}

// A reading that owns its dataset handle. Features are read a few at a time
// under one error capture, which costs more to set up than reading a point;
// a failure is raised once the rows read before it have been handed out.
class LiveStream : public FeatureStream {
public:
    LiveStream(const SourceTable::Impl& table, SourceTable::Impl::Handle handle, std::shared_ptr<const ReadPlan> plan,
               std::unique_ptr<ExactRowFilter> test)
        : table_(table), handle_(std::move(handle)), plan_(std::move(plan)), test_(std::move(test)) {
        // Reading the first feature now makes every source evaluate the where
        // clause before the search returns.
        Refill(1);
        if (failure_) std::rethrow_exception(failure_);
    }
    OGRFeatureUniquePtr Next() override {
        if (next_ == batch_.size()) {
            if (failure_) {
                handle_.Discard();
                std::rethrow_exception(std::exchange(failure_, nullptr));
            }
            if (atEnd_) return nullptr;
            Refill(kBatch);
            return Next();
        }
        return std::move(batch_[next_++]);
    }

private:
    static constexpr std::size_t kBatch = 64;

    void Refill(std::size_t count) {
        batch_.clear();
        next_ = 0;
        try {
            GdalErrorCapture capture;
            while (batch_.size() < count) {
                OGRFeatureUniquePtr feature = NextPassing(table_, *handle_.layer, *plan_, test_.get(), capture);
                if (!feature) {
                    atEnd_ = true;
                    return;
                }
                batch_.push_back(std::move(feature));
            }
        } catch (...) {
            failure_ = std::current_exception();
            atEnd_ = true;
        }
    }

    // The cursor that owns this stream keeps the table alive.
    const SourceTable::Impl& table_;
    SourceTable::Impl::Handle handle_;
    std::shared_ptr<const ReadPlan> plan_;
    std::unique_ptr<ExactRowFilter> test_;
    std::vector<OGRFeatureUniquePtr> batch_;
    std::size_t next_ = 0;
    bool atEnd_ = false;
    std::exception_ptr failure_;
};

// The rows of a shared (Memory) layer, read at once so the layer is free again.
class SnapshotStream : public FeatureStream {
public:
    explicit SnapshotStream(std::vector<OGRFeatureUniquePtr> features) : features_(std::move(features)) {}
    OGRFeatureUniquePtr Next() override {
        if (next_ >= features_.size()) return nullptr;
        return std::move(features_[next_++]);
    }

private:
    std::vector<OGRFeatureUniquePtr> features_;
    std::size_t next_ = 0;
};

}  // namespace

SourceTable::Impl::Handle::~Handle() {
    if (resultSet != nullptr) {
        GdalErrorCapture quiet;
        owned->ReleaseResultSet(resultSet);
        if (quiet.Failed()) Discard();
    } else if (layer != nullptr && !ClearPlan(*layer)) {
        Discard();
    }
    // Destroyed by a failure raised while in use: the handle may be broken.
    if (std::uncaught_exceptions() > unwinding_) Discard();
    if (pool) pool->Give(std::move(owned));
}

std::string JoinWhereClauses(const std::string& first, const std::string& second, SqlDialect dialect) {
    RequireSingleClause(first, dialect);
    RequireSingleClause(second, dialect);
    // A clause alone ends with a line end, so that what the driver writes
    // after it is never taken into a "--" comment.
    if (TrimBlanks(first).empty()) return TrimBlanks(second).empty() ? second : second + "\n";
    if (TrimBlanks(second).empty()) return first + "\n";
    if (dialect == SqlDialect::Unknown)
        throw DataError(E_FAIL, "This kind of data cannot narrow its definition expression with a further clause: " +
                                    second);
    // The line ends close any "--" comment before the parenthesis.
    return "(" + first + "\n) AND (" + second + "\n)";
}

std::shared_ptr<const ReadPlan> MakeReadPlan(const SourceTable::Impl& table, const QueryFilter* filter,
                                             const std::string& definitionExpression) {
    const Fields& fields = *table.fields;
    auto planPointer = std::make_shared<ReadPlan>();
    ReadPlan& plan = *planPointer;
    plan.where = JoinWhereClauses(definitionExpression, filter ? filter->WhereClause() : std::string(), table.dialect);
    const std::vector<std::string> names = filter ? filter->SubFieldList() : std::vector<std::string>();
    plan.fetch.assign(static_cast<std::size_t>(fields.FieldCount()), names.empty());
    plan.geometry = names.empty() && table.shapeIndex >= 0;
    for (const auto& name : names) {
        const int index = fields.FindField(name);
        if (index < 0) throw DataError(E_INVALIDARG, "Field not found: " + name);
        plan.fetch[static_cast<std::size_t>(index)] = true;
        if (index == table.shapeIndex) plan.geometry = true;
    }

    const auto* spatial = dynamic_cast<const SpatialFilter*>(filter);
    if (spatial != nullptr) {
        if (table.shapeIndex < 0) throw DataError(E_INVALIDARG, "The table " + table.layerName + " has no shapes");
        if (spatial->SpatialRel() != spatialrel::Intersects)
            throw DataError(E_NOTIMPL, "Only the spatial relation Intersects (1) is supported");
        const std::string& field = spatial->GeometryField();
        if (!field.empty() && !EqualsIgnoringCase(field, "Shape"))
            throw DataError(E_INVALIDARG, "Field not found: " + field);
        if (spatial->Geometry().IsEmpty()) throw DataError(E_INVALIDARG, "The spatial filter has no geometry");
        const Geometry own = spatial->Geometry().Project(table.spatialReference);
        plan.spatial.reset(OgrGeometry(own)->clone());
        plan.geometry = true;
    }
    return planPointer;
}

std::unique_ptr<FeatureStream> OpenFeatureStream(const SourceTable::Impl& table,
                                                 std::shared_ptr<const ReadPlan> planPointer) {
    const ReadPlan& plan = *planPointer;
    SourceTable::Impl::Handle handle = table.Acquire();
    if (table.readsByAlias) {
        ReadByAlias(table, handle, plan);
        return std::make_unique<LiveStream>(table, std::move(handle), std::move(planPointer), nullptr);
    }
    if (!table.Shared()) {
        std::unique_ptr<ExactRowFilter> test = ApplyPlan(table, *handle.layer, plan);
        return std::make_unique<LiveStream>(table, std::move(handle), std::move(planPointer), std::move(test));
    }
    std::unique_ptr<ExactRowFilter> test = ApplyPlan(table, *handle.layer, plan);
    std::vector<OGRFeatureUniquePtr> features;
    GdalErrorCapture capture;
    while (OGRFeatureUniquePtr feature = NextPassing(table, *handle.layer, plan, test.get(), capture))
        features.push_back(std::move(feature));
    return std::make_unique<SnapshotStream>(std::move(features));
}

void CompileFeatureFilter(const SourceTable::Impl& table, const ReadPlan& plan) {
    SourceTable::Impl::Handle handle = table.Acquire();
    ApplyPlan(table, *handle.layer, plan);
}

std::int64_t CountFeatures(const SourceTable::Impl& table, std::shared_ptr<const ReadPlan> planPointer) {
    const ReadPlan& plan = *planPointer;
    auto countStream = [&](std::shared_ptr<const ReadPlan> reading) {
        std::unique_ptr<FeatureStream> stream = OpenFeatureStream(table, std::move(reading));
        std::int64_t count = 0;
        while (stream->Next()) ++count;
        return count;
    };
    if (plan.spatial) return countStream(planPointer);
    // A count fetches nothing: only the fields its clause names are read.
    auto counting = std::make_shared<ReadPlan>();
    counting->where = plan.where;
    counting->fetch.assign(plan.fetch.size(), false);
    {
        // Given back before an exact row filter counts through a stream of its own.
        SourceTable::Impl::Handle handle = table.Acquire();
        if (!ApplyPlan(table, *handle.layer, *counting)) {
            GdalErrorCapture capture;
            const GIntBig count = handle.layer->GetFeatureCount(TRUE);
            if (count < 0 || capture.Failed())
                ThrowReadFailure(table, plan, capture.Message("The rows could not be counted: " + plan.where));
            return count;
        }
    }
    return countStream(counting);
}

bool IsTextBoolean(const OGRFieldDefn& field, WorkspaceKind kind) {
    return kind == WorkspaceKind::PostgreSQL && field.GetType() == OFTInteger && field.GetSubType() == OFSTBoolean;
}

Variant ReadFieldValue(const OGRFeature& feature, int gdalField, WorkspaceKind kind) {
    if (!feature.IsFieldSetAndNotNull(gdalField)) return Variant::Null();
    const OGRFieldDefn* definition = feature.GetFieldDefnRef(gdalField);
    if (IsTextBoolean(*definition, kind))
        return Variant(std::string(feature.GetFieldAsInteger(gdalField) != 0 ? "true" : "false"));
    switch (definition->GetType()) {
    case OFTInteger: return Variant(static_cast<std::int32_t>(feature.GetFieldAsInteger(gdalField)));
    case OFTInteger64: return Variant::LongLong(feature.GetFieldAsInteger64(gdalField));
    case OFTReal: return Variant(feature.GetFieldAsDouble(gdalField));
    case OFTDate:
    case OFTDateTime: {
        int year = 0, month = 0, day = 0, hour = 0, minute = 0, zone = 0;
        float second = 0;
        feature.GetFieldAsDateTime(gdalField, &year, &month, &day, &hour, &minute, &second, &zone);
        return Variant::Date(OleDateFromParts({year, month, day, hour, minute, static_cast<double>(second)}));
    }
    case OFTBinary: return Variant();  // a value, but not one a Variant carries
    default: return Variant(TextFromSource(feature.GetFieldAsString(gdalField)));
    }
}

Variant ObjectIdValue(GIntBig fid) {
    if (fid >= INT32_MIN && fid <= INT32_MAX) return Variant(static_cast<std::int32_t>(fid));
    return Variant::LongLong(fid);
}

}  // namespace platform
