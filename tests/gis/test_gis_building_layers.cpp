// The buildings and façade layers of the map files, read back with GDAL: footprints with
// their name, floors and height, façade points with their place on the building and their
// levels, in GeoPackage, DXF and KML; a project without buildings keeps its four layers.
#include <gtest/gtest.h>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <map>
#include <memory>

#include "gis/gis_building_layers.h"
#include "gis/gis_map_layers.h"
#include "gis/gis_ogr.h"
#include "io_test_support.h"
#include "isoband_test_support.h"
#include "model/document.h"

using iotest::ScratchDir;

namespace {

constexpr double kEast = 200000, kNorth = 550000;  // Korea 2000 / Central Belt, metres

// Two blocks, the second with a façade point on two floors of its third wall; the first
// point's 8 kHz band carries no energy.
CMyTalvoDoc ProjectWithBuildings()
{
    CMyTalvoDoc doc;
    CBuilding a;
    a.m_pName = "101동";
    a.m_nFloors = 15;
    a.m_dFloorHeight = 2.9;
    a.m_arrFootprint = {{kEast, kNorth, 0}, {kEast + 60, kNorth, 0}, {kEast + 60, kNorth + 14, 0}};
    CBuilding b = a;
    b.m_pName = "102동";
    b.m_nFloors = 3;
    for (CMVector& v : b.m_arrFootprint)
        v.y += 40;
    doc.m_arrBuilding = {a, b};
    for (int floor : {1, 2}) {
        CFacadeReceiver r;
        r.m_nBuilding = 1;
        r.m_nWall = 3;
        r.m_nPoint = 2;
        r.m_nFloor = floor;
        r.m_vPos = {kEast + 20, kNorth + 48, 1.5 + (floor - 1) * 2.9};
        r.m_dLevel = {40, 45, 50, 55, 58, 55, 50, kNoEnergy};
        doc.m_arrFacade.push_back(r);
    }
    return doc;
}

std::string Write(const CMyTalvoDoc& doc, const ScratchDir& dir, const std::string& name,
                  const std::string& layer = kLayerIsobands)
{
    const CNoiseMapGrid grid = bandtest::FieldGrid(11, 11, kEast, kNorth, 10, bandtest::RippledField);
    return WriteMapLayers(doc, grid, {ScreenClassEdges(), "EPSG:5186", layer, {}}, dir.File(name));
}

}  // namespace

TEST(GisBuildingLayers, GeoPackageHoldsFootprintsAndFacadePointsWithTheirFields)
{
    ScratchDir dir;
    ASSERT_EQ(Write(ProjectWithBuildings(), dir, "b.gpkg"), "");
    CGdalDataset gpkg = OpenVectorFile(dir.File("b.gpkg"));
    ASSERT_TRUE(gpkg);
    EXPECT_EQ(gpkg->GetLayerCount(), 6);
    OGRLayer* buildings = gpkg->GetLayerByName(kLayerBuildings);
    ASSERT_NE(buildings, nullptr);
    ASSERT_EQ(buildings->GetFeatureCount(), 2);
    std::unique_ptr<OGRFeature> first(buildings->GetNextFeature());
    EXPECT_STREQ(first->GetFieldAsString("name"), "101동");
    EXPECT_EQ(first->GetFieldAsInteger("floors"), 15);
    EXPECT_DOUBLE_EQ(first->GetFieldAsDouble("height"), 15 * 2.9);
    const auto* polygon = first->GetGeometryRef()->toPolygon();
    EXPECT_EQ(polygon->getExteriorRing()->getNumPoints(), 4);  // closed
    EXPECT_NEAR(polygon->get_Area(), 0.5 * 60 * 14, 1e-6);

    OGRLayer* facade = gpkg->GetLayerByName(kLayerFacade);
    ASSERT_NE(facade, nullptr);
    ASSERT_EQ(facade->GetFeatureCount(), 2);
    facade->ResetReading();
    std::unique_ptr<OGRFeature> point(facade->GetNextFeature());
    EXPECT_EQ(point->GetFieldAsInteger("building"), 2);
    EXPECT_EQ(point->GetFieldAsInteger("wall"), 3);
    EXPECT_EQ(point->GetFieldAsInteger("point"), 2);
    EXPECT_EQ(point->GetFieldAsInteger("floor"), 1);
    EXPECT_DOUBLE_EQ(point->GetFieldAsDouble("z"), 1.5);
    EXPECT_DOUBLE_EQ(point->GetFieldAsDouble("hz1000"), 58);
    EXPECT_NEAR(point->GetFieldAsDouble("overall"), EnergySum({40, 45, 50, 55, 58, 55, 50, kNoEnergy}), 1e-9);
    EXPECT_FALSE(point->IsFieldSetAndNotNull(point->GetFieldIndex("hz8000")));
    const OGRPoint* at = point->GetGeometryRef()->toPoint();
    EXPECT_DOUBLE_EQ(at->getX(), kEast + 20);
    EXPECT_DOUBLE_EQ(at->getZ(), 1.5);
}

TEST(GisBuildingLayers, DxfAndKmlCarryBothLayersAndAProjectWithoutBuildingsKeepsFour)
{
    ScratchDir dir;
    ASSERT_EQ(Write(ProjectWithBuildings(), dir, "b.dxf"), "");
    CGdalDataset dxf = OpenVectorFile(dir.File("b.dxf"));
    ASSERT_TRUE(dxf);
    std::map<std::string, int> perCadLayer;
    for (auto& feature : *dxf->GetLayer(0))
        ++perCadLayer[feature->GetFieldAsString("Layer")];
    EXPECT_EQ(perCadLayer[kLayerBuildings], 2);
    EXPECT_EQ(perCadLayer[kLayerFacade], 2);

    ASSERT_EQ(Write(ProjectWithBuildings(), dir, "b.kml"), "");
    CGdalDataset kml = OpenVectorFile(dir.File("b.kml"));
    ASSERT_TRUE(kml);
    OGRLayer* buildings = kml->GetLayerByName(kLayerBuildings);
    ASSERT_NE(buildings, nullptr);
    EXPECT_EQ(buildings->GetFeatureCount(), 2);
    OGREnvelope box;
    ASSERT_EQ(buildings->GetExtent(&box), OGRERR_NONE);
    EXPECT_GT(box.MinX, 120);  // longitude after the reprojection to WGS 84
    ASSERT_NE(kml->GetLayerByName(kLayerFacade), nullptr);
    EXPECT_EQ(kml->GetLayerByName(kLayerFacade)->GetFeatureCount(), 2);

    ASSERT_EQ(Write(ProjectWithBuildings(), dir, "f.geojson", kLayerFacade), "");
    CGdalDataset geojson = OpenVectorFile(dir.File("f.geojson"));
    ASSERT_TRUE(geojson);
    EXPECT_EQ(geojson->GetLayer(0)->GetFeatureCount(), 2);

    ASSERT_EQ(Write(CMyTalvoDoc(), dir, "none.gpkg"), "");
    CGdalDataset none = OpenVectorFile(dir.File("none.gpkg"));
    ASSERT_TRUE(none);
    EXPECT_EQ(none->GetLayerCount(), 4);
}
