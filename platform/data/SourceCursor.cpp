#include "platform/com/Hresult.h"
#include "platform/data/GdalSource.h"
#include "platform/data/GdalSupport.h"

namespace platform {

namespace {

// A cursor over a source table: owns its feature stream (and so its own
// handle on the data) and keeps the table alive while it reads.
class SourceCursor : public Cursor {
public:
    SourceCursor(std::shared_ptr<SourceTable> table, std::shared_ptr<const ReadPlan> plan,
                 std::unique_ptr<FeatureStream> stream, bool recycling)
        : table_(std::move(table)), plan_(std::move(plan)), stream_(std::move(stream)), recycling_(recycling) {}

    std::shared_ptr<Row> NextRow() override {
        if (!stream_) return nullptr;
        OGRFeatureUniquePtr feature = stream_->Next();
        if (!feature) {
            stream_.reset();  // let go of the data source as soon as the reading ends
            return nullptr;
        }
        std::shared_ptr<Row> row = recycling_ && recycled_ ? recycled_ : std::make_shared<Row>(table_->Fields());
        if (recycling_) recycled_ = row;
        Fill(*row, *feature);
        return row;
    }

    std::shared_ptr<const platform::Fields> Fields() const override { return table_->Fields(); }

private:
    void Fill(Row& row, OGRFeature& feature) const {
        // A recycled row is refilled by the same plan: the fields it does not
        // fetch are still Null and its shape, when not fetched, still empty.
        const SourceTable::Impl& impl = table_->impl();
        row.SetOID(feature.GetFID());
        row.SetValue(0, ObjectIdValue(feature.GetFID()));
        for (std::size_t i = 0; i < impl.gdalField.size(); ++i) {
            const int gdal = impl.gdalField[i];
            if (gdal >= 0 && plan_->fetch[i]) row.SetValue(static_cast<int>(i), ReadFieldValue(feature, gdal, impl.kind));
        }
        if (impl.shapeIndex >= 0) {
            row.SetValue(impl.shapeIndex, Variant());
            if (plan_->geometry)
                row.SetShape(WrapGeometry(std::unique_ptr<OGRGeometry>(feature.StealGeometry()), impl.spatialReference));
        }
    }

    std::shared_ptr<SourceTable> table_;
    std::shared_ptr<const ReadPlan> plan_;
    std::unique_ptr<FeatureStream> stream_;
    bool recycling_;
    std::shared_ptr<Row> recycled_;
};

}  // namespace

std::shared_ptr<Cursor> SourceTable::Search(const QueryFilter* filter, bool recycling,
                                            const std::string& definitionExpression) {
    std::shared_ptr<const ReadPlan> plan = MakeReadPlan(*impl_, filter, definitionExpression);
    std::unique_ptr<FeatureStream> stream = OpenFeatureStream(*impl_, plan);
    return std::make_shared<SourceCursor>(shared_from_this(), std::move(plan), std::move(stream), recycling);
}

}  // namespace platform
