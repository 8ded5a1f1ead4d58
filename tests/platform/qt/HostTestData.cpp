#include "HostTestData.h"

#include <QMainWindow>
#include <QStatusBar>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>
#include <stdexcept>

#include "QtTestSupport.h"

namespace {

void AddField(OGRLayer& layer, const char* name, OGRFieldType type, int width) {
    OGRFieldDefn field(name, type);
    field.SetWidth(width);
    if (layer.CreateField(&field) != OGRERR_NONE) throw std::runtime_error(std::string("field ") + name);
}

void AddPerson(OGRLayer& layer, const std::string& name, int age, const char* town) {
    OGRFeature feature(layer.GetLayerDefn());
    feature.SetField("NAME", name.c_str());
    feature.SetField("AGE", age);
    feature.SetField("TOWN", town);
    if (layer.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("feature");
}

}  // namespace

HostTestData::HostTestData(int extra) {
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("ESRI Shapefile");
    GDALDatasetUniquePtr dataset(driver->Create(People().c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!dataset) throw std::runtime_error("cannot write people.dbf");
    OGRLayer* layer = dataset->CreateLayer("people", nullptr, wkbNone, nullptr);
    AddField(*layer, "NAME", OFTString, 10);
    AddField(*layer, "AGE", OFTInteger, 3);
    AddField(*layer, "TOWN", OFTString, 10);
    AddPerson(*layer, "Ann", 30, "Oslo");
    AddPerson(*layer, "Bob", 45, "Bergen");
    AddPerson(*layer, "Cid", 61, "Oslo");
    for (int n = 0; n < extra; ++n) AddPerson(*layer, "P" + std::to_string(n), n % 90, "Alta");
}

std::string HostTestData::File(const std::string& name) const { return folder_.filePath(QString::fromStdString(name)).toStdString(); }

ScopedQtHost::ScopedQtHost() : window_(std::make_unique<QMainWindow>()) {
    window_->setStatusBar(new QStatusBar(window_.get()));
    services_ = std::make_shared<platform::qt::QtHostServices>(window_->statusBar(), window_.get());
    previous_ = platform::SetHostServices(services_);
}

ScopedQtHost::~ScopedQtHost() {
    platform::SetHostServices(previous_);
    services_.reset();
    ProcessEvents();
}
