#include "DataTestSupport.h"
#include "platform/com/Hresult.h"
#include "platform/data/SourceTable.h"
#include "platform/data/TableView.h"

using platform::Geometry;
using platform::SourceTable;
using platform::SpatialFilter;
using platform::SpatialReference;
using namespace testdata;

namespace {

// A triangle whose bounding box holds Bergen while the triangle itself does
// not; it holds both Oslo points.
Geometry TriangleInWebMercator() {
    const auto wgs84 = SpatialReference::FromEpsg(4326);
    return Geometry::FromWkt("POLYGON ((4 58, 12 58, 12 62, 4 58))", wgs84).Project(SpatialReference::FromEpsg(3857));
}

SpatialFilter Intersecting(const Geometry& geometry) {
    SpatialFilter filter;
    filter.GeometryField("Shape");
    filter.SpatialRel(platform::spatialrel::Intersects);
    filter.Geometry(geometry);
    return filter;
}

}  // namespace

TEST(SpatialFilter, SelectsExactlyWhatIntersectsAGeometryInAnotherSpatialReference) {
    const Geometry triangle = TriangleInWebMercator();
    ASSERT_GT(triangle.Envelope().XMax(), 1000000) << "the filter really is in metres";
    for (const auto& table : {SourceTable::Open(Data().Shapefile()), SourceTable::Open(Data().GeoPackage(), "cities")}) {
        SCOPED_TRACE(table->DataSourceType());
        auto filter = Intersecting(triangle);
        const auto base = table->Kind() == platform::WorkspaceKind::GeoPackage ? 1 : 0;
        EXPECT_EQ(Ids(*table, &filter), (std::vector<platform::ObjectId>{0 + base, 4 + base}));
        EXPECT_EQ(table->RowCount(&filter), 2);
    }
}

TEST(SpatialFilter, CombinesWithTheWhereClauseAndTheDefinitionExpression) {
    auto filter = Intersecting(TriangleInWebMercator());
    filter.WhereClause("\"POP\" > 5000");
    auto table = SourceTable::Open(Data().Shapefile());
    EXPECT_EQ(Ids(*table, &filter), (std::vector<platform::ObjectId>{0}));
    platform::TableView view(table, "\"POP\" < 5000");
    filter.WhereClause("");
    EXPECT_EQ(Ids(view, &filter), (std::vector<platform::ObjectId>{4}));
}

TEST(SpatialFilter, RefusesWhatItCannotEvaluate) {
    auto points = SourceTable::Open(Data().Shapefile());
    auto noGeometry = Intersecting(Geometry());
    EXPECT_EQ(ExpectComError([&] { points->Search(&noGeometry, false); }).Number(), platform::E_INVALIDARG);
    auto otherRelation = Intersecting(TriangleInWebMercator());
    otherRelation.SpatialRel(7);
    EXPECT_EQ(ExpectComError([&] { points->RowCount(&otherRelation); }).Number(), platform::E_NOTIMPL);
    auto table = SourceTable::Open(Data().Dbase());
    auto onTable = Intersecting(TriangleInWebMercator());
    EXPECT_EQ(ExpectComError([&] { table->Search(&onTable, false); }).Number(), platform::E_INVALIDARG);
}
