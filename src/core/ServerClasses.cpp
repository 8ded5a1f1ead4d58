#include "src/core/ServerClasses.h"

#include "src/core/CommandTable.h"
#include "src/core/OpenTable.h"
#include "src/core/cmdAbout.h"
#include "src/core/cmdDeleteSelLayers.h"
#include "src/core/cmdHistogramStats.h"
#include "src/core/cmdSelByAttributes.h"
#include "src/core/cmdSelByGraphic.h"
#include "src/core/cmdSelByLocation.h"
#include "src/core/cmdSelectAll.h"
#include "src/core/cmdSelectNone.h"
#include "src/core/cmdSelectSwitch.h"
#include "src/core/cmdSummarize.h"
#include "src/core/toolBarTessaly.h"
#include "src/query_summary/cmdSelByAttTessaly.h"
#include "src/query_summary/cmdSumTessaly.h"
#include "src/quickload_media/cmdMediaViewer.h"
#include "src/quickload_media/cmdQLAddLayer.h"
#include "src/quickload_media/cmdQLAddQuery.h"
#include "src/quickload_media/cmdQLAddSpatial.h"
#include "src/quickload_media/cmdQLDelete.h"
#include "src/quickload_media/cmdQuickLoad.h"
#include "src/statistics/cmdStats.h"

namespace tessaly {
namespace {

template <class T, const ClassInfo& Info>
constexpr platform::ClassEntry Entry() {
    return platform::ClassEntryOf<T>(Info.clsid, Info.progId);
}

const platform::ClassEntry kClasses[] = {
    Entry<toolBarTessaly, info::toolBarTessaly>(),
    Entry<OpenTable, info::OpenTable>(),
    Entry<cmdMediaViewer, info::cmdMediaViewer>(),
    Entry<cmdStats, info::cmdStats>(),
    Entry<cmdHistogramStats, info::cmdHistogramStats>(),
    Entry<cmdSelectNone, info::cmdSelectNone>(),
    Entry<cmdSelectSwitch, info::cmdSelectSwitch>(),
    Entry<cmdSelectAll, info::cmdSelectAll>(),
    Entry<cmdSelByAttributes, info::cmdSelByAttributes>(),
    Entry<cmdSelByLocation, info::cmdSelByLocation>(),
    Entry<cmdSumTessaly, info::cmdSumTessaly>(),
    Entry<cmdSelByAttTessaly, info::cmdSelByAttTessaly>(),
    Entry<cmdQuickLoad, info::cmdQuickLoad>(),
    Entry<cmdQLAddSpatial, info::cmdQLAddSpatial>(),
    Entry<cmdQLAddQuery, info::cmdQLAddQuery>(),
    Entry<cmdQLAddLayer, info::cmdQLAddLayer>(),
    Entry<cmdQLDelete, info::cmdQLDelete>(),
    Entry<cmdDeleteSelLayers, info::cmdDeleteSelLayers>(),
    Entry<cmdSummarize, info::cmdSummarize>(),
    Entry<cmdSelByGraphic, info::cmdSelByGraphic>(),
    Entry<cmdAbout, info::cmdAbout>(),
};

}  // namespace

std::span<const platform::ClassEntry> ServerClasses() { return kClasses; }

}  // namespace tessaly

// The library's entry points; each is its own exception firewall (InprocServer.h).
extern "C" platform::HRESULT DllGetClassObject(const platform::CLSID& clsid, const platform::IID& iid, void** out) {
    return platform::ServerGetClassObject(tessaly::ServerClasses(), clsid, iid, out);
}

extern "C" platform::HRESULT DllCanUnloadNow() { return platform::ServerCanUnloadNow(); }

extern "C" platform::HRESULT DllRegisterServer() { return platform::ServerRegister(tessaly::ServerClasses()); }

extern "C" platform::HRESULT DllUnregisterServer() { return platform::ServerUnregister(tessaly::ServerClasses()); }
