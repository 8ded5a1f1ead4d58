#!/usr/bin/python3
"""Writes the Willow Creek sample lesson beside this script.

A small fictional watershed for a classroom: towns (points, shapefile), rivers
(lines, shapefile, inside a group layer), land use (polygons, GeoPackage),
sub-basins and wells (shapefiles), a rainfall table (dBASE), layer files, the
map document with two data frames, QuickLoad.txt, media_list.txt and the media
themselves (a PNG picture and a one-page PDF worksheet).

Needs Debian's python3-gdal. Running it again rewrites every file the same way.
"""

import json
import math
import os
import random
import struct
import zlib

from osgeo import gdal, ogr, osr

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "data")
LAYERS = os.path.join(HERE, "layers")
MEDIA = os.path.join(HERE, "media")

EPSG = 26915  # NAD83 / UTM zone 15N
X0, Y0 = 480000.0, 4750000.0

gdal.UseExceptions()
ogr.UseExceptions()
# Fixed GeoPackage timestamps, so the committed files only change with the data.
gdal.SetConfigOption("OGR_CURRENT_DATE", "2024-01-15T00:00:00.000Z")


def km(x, y):
    """Map coordinates of a point given in kilometres from the lesson's origin."""
    return X0 + x * 1000.0, Y0 + y * 1000.0


def polygon(points):
    ring = ogr.Geometry(ogr.wkbLinearRing)
    for x, y in points:
        ring.AddPoint_2D(*km(x, y))
    ring.CloseRings()
    shape = ogr.Geometry(ogr.wkbPolygon)
    shape.AddGeometry(ring)
    return shape


def line(points):
    shape = ogr.Geometry(ogr.wkbLineString)
    for x, y in points:
        shape.AddPoint_2D(*km(x, y))
    return shape


def point(x, y):
    shape = ogr.Geometry(ogr.wkbPoint)
    shape.AddPoint_2D(*km(x, y))
    return shape


WATERSHED = polygon([(1, 4), (3, 1.5), (7, 0.5), (12, 1), (17, 0.8), (21, 2), (23.5, 5), (23, 9),
                     (21, 13), (17, 15.2), (12, 15.8), (7, 15), (3, 12.5), (1.2, 8.5)])
LAKE = polygon([(15.6, 9.0), (16.4, 8.6), (17.4, 8.8), (17.9, 9.5), (17.5, 10.3), (16.5, 10.5), (15.8, 10.0)])

RIVERS = [
    ("Willow Creek", 3, [(2, 9), (4, 8.6), (6, 8.9), (8, 8.1), (10, 7.6), (12, 7.9), (14, 7.2), (16, 6.8),
                         (18, 6.2), (20, 6.0), (22, 5.6), (23.4, 5.4)]),
    ("Cedar Run", 2, [(9, 14.6), (9.3, 12.8), (9.5, 11), (10, 9), (10, 7.6)]),
    ("Mill Brook", 1, [(13, 1.6), (13.2, 3.1), (13.5, 4.5), (14, 7.2)]),
    ("Fox Creek", 2, [(18, 14.4), (18.5, 12.2), (18.4, 10), (18, 6.2)]),
    ("Stony Brook", 1, [(5, 2.2), (5.4, 3.6), (5.5, 5), (6, 8.9)]),
    ("Lake Outlet", 1, [(16.6, 8.7), (16.4, 7.8), (16, 6.8)]),
]

# name, x km, y km, population 2020, elevation m, founded, county, source id (hidden in the map)
TOWNS = [
    ("Millbrook", 13.2, 5.0, 4210, 318.5, 1851, "Harlan", "GNIS-20431"),
    ("Willow Falls", 8.3, 8.5, 12850, 352.0, 1838, "Ransom", "GNIS-20417"),
    ("Cedar Grove", 9.6, 12.5, 1730, 381.2, 1866, "Ransom", "GNIS-20402"),
    ("Fox Hollow", 18.6, 11.0, 960, 296.4, 1872, "Harlan", "GNIS-20455"),
    ("Eastport", 22.4, 5.9, 7340, 231.8, 1829, "Harlan", "GNIS-20463"),
    ("Stonebridge", 5.4, 4.1, 2580, 365.0, 1847, "Ransom", "GNIS-20398"),
    ("Harlan", 15.8, 7.6, 5120, 287.3, 1844, "Harlan", "GNIS-20440"),
    ("Pine Ridge", 3.2, 10.8, 640, 412.7, 1880, "Ransom", "GNIS-20386"),
]

# Fixed dBASE header dates, for the same reason.
SHAPE_OPTIONS = ["ENCODING=UTF-8", "DBF_DATE_LAST_UPDATE=2024-01-15"]

SUBBASINS = [("Upper Willow", 0, 8), ("Middle Willow", 8, 16), ("Lower Willow", 16, 25)]

LAND_USE_CODES = {"Water": 11, "Urban": 21, "Forest": 41, "Pasture": 81, "Cropland": 82, "Wetland": 90}


def spatial_reference():
    sr = osr.SpatialReference()
    sr.ImportFromEPSG(EPSG)
    return sr


def new_dataset(driver, path):
    if os.path.exists(path):
        gdal.GetDriverByName(driver).Delete(path)
    return gdal.GetDriverByName(driver).Create(path, 0, 0, 0, gdal.GDT_Unknown)


def add_fields(layer, fields):
    for name, kind, width, precision in fields:
        definition = ogr.FieldDefn(name, kind)
        if width:
            definition.SetWidth(width)
        if precision:
            definition.SetPrecision(precision)
        layer.CreateField(definition)


def add_feature(layer, values, shape=None):
    feature = ogr.Feature(layer.GetLayerDefn())
    for name, value in values.items():
        feature.SetField(name, value)
    if shape is not None:
        feature.SetGeometry(shape)
    layer.CreateFeature(feature)


def write_towns():
    dataset = new_dataset("ESRI Shapefile", os.path.join(DATA, "towns.shp"))
    layer = dataset.CreateLayer("towns", spatial_reference(), ogr.wkbPoint, SHAPE_OPTIONS)
    add_fields(layer, [("NAME", ogr.OFTString, 24, 0), ("POP2020", ogr.OFTInteger, 9, 0),
                       ("ELEV_M", ogr.OFTReal, 8, 1), ("FOUNDED", ogr.OFTInteger, 4, 0),
                       ("COUNTY", ogr.OFTString, 16, 0), ("SRC_ID", ogr.OFTString, 12, 0)])
    for name, x, y, population, elevation, founded, county, source in TOWNS:
        add_feature(layer, {"NAME": name, "POP2020": population, "ELEV_M": elevation, "FOUNDED": founded,
                            "COUNTY": county, "SRC_ID": source}, point(x, y))


def write_rivers():
    dataset = new_dataset("ESRI Shapefile", os.path.join(DATA, "rivers.shp"))
    layer = dataset.CreateLayer("rivers", spatial_reference(), ogr.wkbLineString, SHAPE_OPTIONS)
    add_fields(layer, [("NAME", ogr.OFTString, 24, 0), ("STRM_ORDER", ogr.OFTInteger, 2, 0),
                       ("LENGTH_KM", ogr.OFTReal, 8, 2)])
    for name, order, points in RIVERS:
        shape = line(points)
        add_feature(layer, {"NAME": name, "STRM_ORDER": order, "LENGTH_KM": round(shape.Length() / 1000.0, 2)},
                    shape)


def write_subbasins():
    dataset = new_dataset("ESRI Shapefile", os.path.join(DATA, "subbasins.shp"))
    layer = dataset.CreateLayer("subbasins", spatial_reference(), ogr.wkbPolygon, SHAPE_OPTIONS)
    add_fields(layer, [("NAME", ogr.OFTString, 24, 0), ("AREA_KM2", ogr.OFTReal, 8, 2),
                       ("OUTLET", ogr.OFTString, 24, 0)])
    outlets = {"Upper Willow": "Willow Falls", "Middle Willow": "Harlan", "Lower Willow": "Eastport"}
    for name, west, east in SUBBASINS:
        shape = WATERSHED.Intersection(polygon([(west, 0), (east, 0), (east, 16), (west, 16)]))
        add_feature(layer, {"NAME": name, "AREA_KM2": round(shape.GetArea() / 1e6, 2), "OUTLET": outlets[name]},
                    shape)


def land_use_of(column, row, centre_x, centre_y):
    near_town = min(math.hypot(centre_x - x, centre_y - y) for _, x, y, *_ in TOWNS)
    if near_town < 1.3:
        return "Urban"
    if line(RIVERS[0][2]).Distance(point(centre_x, centre_y)) < 1000 and (column + row) % 2 == 0:
        return "Wetland"
    if centre_y > 11:
        return "Forest" if (column + row) % 4 else "Pasture"
    if centre_y < 4:
        return "Pasture" if (column * 7 + row) % 3 else "Forest"
    return "Cropland" if (column + 2 * row) % 5 else "Pasture"


def areas_only(shape):
    """The polygons of an overlay result, without the lines where shapes only touch."""
    if ogr.GT_Flatten(shape.GetGeometryType()) != ogr.wkbGeometryCollection:
        return shape
    areas = ogr.Geometry(ogr.wkbMultiPolygon)
    for i in range(shape.GetGeometryCount()):
        part = shape.GetGeometryRef(i)
        if ogr.GT_Flatten(part.GetGeometryType()) in (ogr.wkbPolygon, ogr.wkbMultiPolygon):
            areas = areas.Union(part)
    return areas


def write_land_use():
    path = os.path.join(DATA, "watershed.gpkg")
    dataset = new_dataset("GPKG", path)
    layer = dataset.CreateLayer("landuse", spatial_reference(), ogr.wkbMultiPolygon, ["FID=LU_ID"])
    add_fields(layer, [("LU_CODE", ogr.OFTInteger, 0, 0), ("LU_TYPE", ogr.OFTString, 16, 0),
                       ("AREA_HA", ogr.OFTReal, 0, 0), ("SUBBASIN", ogr.OFTString, 24, 0)])
    parcels = [("Water", LAKE)]
    size = 2.5
    for column in range(10):
        for row in range(7):
            west, south = column * size, row * size
            cell = polygon([(west, south), (west + size, south), (west + size, south + size),
                            (west, south + size)])
            shape = areas_only(cell.Intersection(WATERSHED).Difference(LAKE))
            if shape.IsEmpty() or shape.GetDimension() < 2 or shape.GetArea() < 20000:
                continue
            parcels.append((land_use_of(column, row, west + size / 2, south + size / 2), shape))
    dataset.StartTransaction()
    for kind, shape in parcels:
        centre_x = (shape.Centroid().GetX() - X0) / 1000.0
        subbasin = next(name for name, west, east in SUBBASINS if west <= centre_x < east)
        add_feature(layer, {"LU_CODE": LAND_USE_CODES[kind], "LU_TYPE": kind,
                            "AREA_HA": round(shape.GetArea() / 10000.0, 1), "SUBBASIN": subbasin},
                    ogr.ForceToMultiPolygon(shape))
    dataset.CommitTransaction()


def write_wells():
    dataset = new_dataset("ESRI Shapefile", os.path.join(DATA, "wells.shp"))
    layer = dataset.CreateLayer("wells", spatial_reference(), ogr.wkbPoint, SHAPE_OPTIONS)
    add_fields(layer, [("WELL_ID", ogr.OFTString, 8, 0), ("DEPTH_M", ogr.OFTReal, 6, 1),
                       ("NITRATE", ogr.OFTReal, 6, 2), ("SAMPLED", ogr.OFTDate, 0, 0)])
    rng = random.Random(11)
    wells = 0
    while wells < 24:
        x, y = rng.uniform(2, 22.5), rng.uniform(1.5, 14.5)
        if not WATERSHED.Contains(point(x, y)) or LAKE.Contains(point(x, y)):
            continue
        wells += 1
        # Shallow wells under cropland carry more nitrate: something to find in class.
        depth = round(rng.uniform(8, 95), 1)
        nitrate = round(max(0.2, rng.gauss(11 - depth / 10, 2.2)), 2)
        add_feature(layer, {"WELL_ID": "W-%03d" % wells, "DEPTH_M": depth, "NITRATE": nitrate,
                            "SAMPLED": "2023/%02d/%02d" % (rng.randint(4, 9), rng.randint(1, 28))}, point(x, y))


def write_rainfall():
    dataset = new_dataset("ESRI Shapefile", os.path.join(DATA, "rainfall.dbf"))
    layer = dataset.CreateLayer("rainfall", None, ogr.wkbNone, SHAPE_OPTIONS)
    add_fields(layer, [("STATION", ogr.OFTString, 6, 0), ("TOWN", ogr.OFTString, 24, 0),
                       ("YEAR", ogr.OFTInteger, 4, 0), ("ANNUAL_MM", ogr.OFTReal, 8, 1),
                       ("MAX_DAY_MM", ogr.OFTReal, 8, 1)])
    rng = random.Random(7)
    stations = ["Willow Falls", "Millbrook", "Eastport", "Harlan", "Cedar Grove", "Stonebridge"]
    for number, town in enumerate(stations, start=1):
        for year in range(2016, 2024):
            annual = round(rng.gauss(880 - number * 12 + (year % 3) * 25, 60), 1)
            wettest = round(rng.uniform(38, 96), 1)
            if (number, year) in ((3, 2019), (5, 2021)):
                annual = -9999.0  # the gauge failed that year
            add_feature(layer, {"STATION": "WC-%02d" % number, "TOWN": town, "YEAR": year,
                                "ANNUAL_MM": annual, "MAX_DAY_MM": wettest})


def source(name, data_source, dataset, fields=(), expression=""):
    return {"type": "feature", "name": name, "dataSource": data_source, "dataset": dataset,
            "definitionExpression": expression,
            "fields": [{"name": f, "alias": a, "visible": v} for f, a, v in fields]}


TOWN_FIELDS = [("POP2020", "Population 2020", True), ("ELEV_M", "Elevation (m)", True),
               ("SRC_ID", "SRC_ID", False)]
RIVER_FIELDS = [("STRM_ORDER", "Stream Order", True), ("LENGTH_KM", "Length (km)", True)]
LAND_USE_FIELDS = [("LU_TYPE", "Land Use", True), ("AREA_HA", "Area (ha)", True)]
RAIN_FIELDS = [("ANNUAL_MM", "Annual Rainfall (mm)", True), ("MAX_DAY_MM", "Wettest Day (mm)", True)]


def envelope(shape, margin_km=0.5):
    xmin, xmax, ymin, ymax = shape.GetEnvelope()
    m = margin_km * 1000.0
    return [xmin - m, ymin - m, xmax + m, ymax + m]


def write_json(path, content):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        json.dump(content, f, indent=2, ensure_ascii=False)
        f.write("\n")


def write_layer_files():
    files = {
        "Towns.tlyr": source("Towns", "../data/towns.shp", "towns", TOWN_FIELDS),
        "Rivers.tlyr": source("Rivers", "../data/rivers.shp", "rivers", RIVER_FIELDS),
        "Land Use.tlyr": source("Land Use", "../data/watershed.gpkg", "landuse", LAND_USE_FIELDS),
        "Subbasins.tlyr": source("Subbasins", "../data/subbasins.shp", "subbasins",
                                 [("AREA_KM2", "Area (sq km)", True)]),
        "Wells.tlyr": source("Wells", "../data/wells.shp", "wells",
                             [("DEPTH_M", "Depth (m)", True), ("NITRATE", "Nitrate (mg/L)", True)]),
    }
    for name, layer in files.items():
        write_json(os.path.join(LAYERS, name), {"format": "tessaly-layer-file", "version": 1, "layer": layer})


def write_document():
    rainfall = source("Annual Rainfall", "data/rainfall.dbf", "rainfall", RAIN_FIELDS)
    del rainfall["type"]
    watershed = {
        "name": "Willow Creek Watershed",
        "expanded": True,
        "extent": envelope(WATERSHED),
        "layers": [
            source("Towns", "data/towns.shp", "towns", TOWN_FIELDS),
            {"type": "group", "name": "Hydrology", "expanded": True,
             "layers": [source("Rivers", "data/rivers.shp", "rivers", RIVER_FIELDS)]},
            source("Land Use", "data/watershed.gpkg", "landuse", LAND_USE_FIELDS),
        ],
        "standaloneTables": [rainfall],
        "graphics": [],
    }
    overview = {
        "name": "Regional Overview",
        "expanded": False,
        "extent": envelope(WATERSHED, 2.0),
        "layers": [
            source("Large Towns", "data/towns.shp", "towns", TOWN_FIELDS, '"POP2020" > 2000'),
            source("Subbasins", "data/subbasins.shp", "subbasins", [("AREA_KM2", "Area (sq km)", True)]),
        ],
        "standaloneTables": [],
        "graphics": [],
    }
    write_json(os.path.join(HERE, "WillowCreek.tmd"),
               {"format": "tessaly-map-document", "version": 1, "title": "Willow Creek Watershed",
                "focusMap": 0, "maps": [watershed, overview]})


def write_lines(path, lines):
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("utf-8"))


def number(value):
    return ("%.15g" % value)


def write_quickload():
    lines = []

    def bookmark(name, x1, y1, x2, y2):
        (xmin, ymin), (xmax, ymax) = km(x1, y1), km(x2, y2)
        lines.extend(["<Bookmark>", name, number(xmin), number(ymin), number(xmax), number(ymax)])

    bookmark("Lake Willow", 14.8, 8.0, 18.8, 11.2)
    bookmark("Downtown Willow Falls", 6.8, 7.3, 9.8, 9.7)
    bookmark("Outlet at Eastport", 20.5, 4.2, 24.0, 7.2)
    lines.extend(["<Query>", "Towns over 5000 people", '"POP2020" > 5000'])
    lines.extend(["<Query>", "Wet years", '"ANNUAL_MM" > 900'])
    lines.extend(["<Query>", "Forest parcels", "[LU_TYPE] = 'Forest'"])
    lines.extend(["<Layer>", "Wells", "layers/Wells.tlyr"])
    lines.extend(["<Layer>", "Subbasins", "layers/Subbasins.tlyr"])
    lines.extend(["<Layer>", "Rivers", "layers/Rivers.tlyr"])
    write_lines(os.path.join(HERE, "QuickLoad.txt"), lines)


def write_media_list():
    write_lines(os.path.join(HERE, "media_list.txt"), [
        "Willow Creek at the falls:media/willow_creek.png,1",
        "Watershed field worksheet:media/watershed_worksheet.pdf,6",
        "USGS Water Science School:https://www.usgs.gov/special-topics/water-science-school,3",
    ])


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def write_picture():
    """A small painted view of the creek below the falls: sky, hills, water."""
    width, height = 240, 160
    rows = []
    for y in range(height):
        row = bytearray([0])
        for x in range(width):
            hill = 70 + 18 * math.sin(x / 31.0) + 9 * math.sin(x / 11.0 + 1)
            creek = 118 + 14 * math.sin(x / 40.0) + (x - 120) * 0.08
            if y < hill:
                shade = y / hill
                pixel = (int(120 + 80 * shade), int(170 + 60 * shade), 235)
            elif abs(y - creek) < 6 + x / 60.0:
                ripple = 20 if (x + 3 * y) % 17 == 0 else 0
                pixel = (60 + ripple, 120 + ripple, 190 + ripple // 2)
            else:
                depth = (y - hill) / (height - hill)
                pixel = (int(70 - 30 * depth), int(140 - 50 * depth), int(60 - 20 * depth))
            row.extend(pixel)
        rows.append(bytes(row))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(os.path.join(MEDIA, "willow_creek.png"), "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header)
                + png_chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + png_chunk(b"IEND", b""))


def write_worksheet():
    """A one-page PDF worksheet written by hand: one font, one text stream."""
    text = [
        (20, "Willow Creek Watershed: Field Worksheet"),
        (12, ""),
        (12, "1. Open the attribute table of Towns. Which town has the most people?"),
        (12, "2. Select the towns over 5000 people (QuickLoad query). How many are there?"),
        (12, "3. Calculate statistics on Annual Rainfall, ignoring -9999 (a failed gauge)."),
        (12, "   What are the mean and the median? Why do they differ?"),
        (12, "4. Zoom to the Lake Willow bookmark and add the Wells layer."),
        (12, "   Do shallow wells show more nitrate than deep ones?"),
        (12, "5. Summarize Land Use by LU_TYPE. Which use covers the most hectares?"),
    ]
    stream = ["BT", "/F1 20 Tf", "60 760 Td"]
    for size, line in text:
        escaped = line.replace("\\", "\\\\").replace("(", "\\(").replace(")", "\\)")
        stream += ["/F1 %d Tf" % size, "(%s) Tj" % escaped, "0 -%d Td" % (size + 10)]
    stream.append("ET")
    content = "\n".join(stream).encode("latin-1")
    objects = [
        b"<< /Type /Catalog /Pages 2 0 R >>",
        b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << /F1 4 0 R >> >> "
        b"/Contents 5 0 R >>",
        b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
        b"<< /Length %d >>\nstream\n" % len(content) + content + b"\nendstream",
    ]
    out = bytearray(b"%PDF-1.4\n")
    offsets = []
    for number_, body in enumerate(objects, start=1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % number_ + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    for offset in offsets:
        out += b"%010d 00000 n \n" % offset
    out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, xref)
    with open(os.path.join(MEDIA, "watershed_worksheet.pdf"), "wb") as f:
        f.write(out)


def main():
    for folder in (DATA, LAYERS, MEDIA):
        os.makedirs(folder, exist_ok=True)
    write_towns()
    write_rivers()
    write_subbasins()
    write_land_use()
    write_wells()
    write_rainfall()
    write_layer_files()
    write_document()
    write_quickload()
    write_media_list()
    write_picture()
    write_worksheet()


if __name__ == "__main__":
    main()
