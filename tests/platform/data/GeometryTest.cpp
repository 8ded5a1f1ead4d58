#include "platform/data/Geometry.h"

#include <ogr_geometry.h>

#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "platform/com/Hresult.h"

using platform::Envelope;
using platform::Geometry;
using platform::SpatialReference;

TEST(Geometry, ReadsAndWritesWellKnownText) {
    const auto g = Geometry::FromWkt("LINESTRING (0 0, 2 1)");
    EXPECT_EQ(g.ToWkt(), "LINESTRING (0 0,2 1)");
    EXPECT_EQ(g.Dimension(), 1);
    EXPECT_EQ(g.Envelope().Width(), 2);
    EXPECT_TRUE(Geometry().IsEmpty());
    EXPECT_EQ(Geometry().Dimension(), -1);
    EXPECT_EQ(testdata::ExpectComError([] { Geometry::FromWkt("POLYGON ((0 0"); }).Number(), platform::E_INVALIDARG);
}

TEST(Geometry, IntersectsExactlyNotByEnvelope) {
    ASSERT_TRUE(OGRGeometryFactory::haveGEOS()) << "exact tests need GEOS";
    const auto triangle = Geometry::FromWkt("POLYGON ((0 0, 10 0, 10 10, 0 0))");
    EXPECT_TRUE(triangle.Intersects(Geometry::MakePoint(9, 1)));
    EXPECT_FALSE(triangle.Intersects(Geometry::MakePoint(1, 9))) << "inside the envelope, outside the triangle";
    EXPECT_FALSE(triangle.Intersects(Geometry()));
}

TEST(Geometry, ProjectsBetweenSpatialReferencesWithEastingFirst) {
    const auto wgs84 = SpatialReference::FromEpsg(4326);
    const auto mercator = SpatialReference::FromEpsg(3857);
    const auto p = Geometry::MakePoint(10, 60, wgs84).Project(mercator);
    const auto parts = p.Parts();
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_NEAR(parts[0][0].x, 1113194.9, 1);
    EXPECT_NEAR(parts[0][0].y, 8399737.9, 1);
    EXPECT_TRUE(p.SpatialReference().IsSame(mercator));
    const auto square = Geometry::FromEnvelope(Envelope(9.99, 59.99, 10.01, 60.01, wgs84));
    EXPECT_TRUE(square.Intersects(p)) << "the other side is projected first";
    EXPECT_FALSE(square.Intersects(Geometry::MakePoint(10, 60, mercator))) << "(10, 60) metres is far away";
    const auto unknown = Geometry::MakePoint(1, 2);
    EXPECT_EQ(unknown.Project(mercator).ToWkt(), "POINT (1 2)");
}

TEST(Geometry, ListsPartsOfPolygonsAndCollections) {
    const auto g = Geometry::FromWkt(
        "GEOMETRYCOLLECTION (POINT (1 1), POLYGON ((0 0, 4 0, 4 4, 0 0), (1 0.5, 2 0.5, 2 1, 1 0.5)))");
    const auto parts = g.Parts();
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0].size(), 1u);
    EXPECT_EQ(parts[1].size(), 4u);
    EXPECT_EQ(parts[2].size(), 4u);
}

TEST(Envelope, ExpandsAndUnitesAcrossSpatialReferences) {
    Envelope e(0, 0, 10, 4);
    e.Expand(2, 2, true);
    EXPECT_EQ(e, Envelope(-5, -2, 15, 6));
    e.Expand(-1, 1, false);
    EXPECT_EQ(e, Envelope(-4, -3, 14, 7));

    Envelope empty;
    empty.Union(Envelope(1, 2, 3, 4));
    EXPECT_EQ(empty, Envelope(1, 2, 3, 4));

    const auto wgs84 = SpatialReference::FromEpsg(4326);
    Envelope degrees(9, 59, 11, 61, wgs84);
    const Envelope metres = degrees.Project(SpatialReference::FromEpsg(3857));
    EXPECT_NEAR(metres.XMin(), 1001875.4, 1);
    Envelope back(0, 0, 0, 0, wgs84);
    back.PutCoords(10, 60, 10, 60);
    back.Union(metres);
    EXPECT_NEAR(back.XMin(), 9, 1e-6);
    EXPECT_NEAR(back.YMax(), 61, 1e-6);
    EXPECT_TRUE(Envelope(0, 0, 1, 1).Intersects(Envelope(1, 1, 2, 2)));
    EXPECT_FALSE(Envelope(0, 0, 1, 1).Intersects(Envelope()));
}

TEST(SpatialReference, ComparesAndRefusesUnknownDefinitions) {
    EXPECT_TRUE(SpatialReference::FromEpsg(4326).IsSame(SpatialReference::FromDefinition("EPSG:4326")));
    EXPECT_FALSE(SpatialReference::FromEpsg(4326).IsSame(SpatialReference()));
    EXPECT_TRUE(SpatialReference().IsSame(SpatialReference()));
    EXPECT_EQ(SpatialReference::FromEpsg(4326).Name(), "WGS 84");
    EXPECT_EQ(testdata::ExpectComError([] { SpatialReference::FromDefinition("nonsense"); }).Number(), platform::E_INVALIDARG);
}
