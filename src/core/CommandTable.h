#pragma once
#include <array>

#include "src/core/ClassInfo.h"

// The library's 21 classes: the toolbar, then the twenty commands in bitmap
// order, with the texts each command's members return. Texts are the system's
// own, blanks and trailing dots included.
namespace tessaly {

inline constexpr const char* kTessalyCommands = "Tessaly Commands";
inline constexpr const char* kTessalyQLCommands = "Tessaly QL Commands";
// The product's long title; the About command's message repeats it.
inline constexpr const char* kProductLongTitle = "GIS Tools for Earth System Science Learning Modules";

namespace info {

using platform::MakeGuid;
using enum Failures;

inline constexpr ClassInfo toolBarTessaly{
    .module = "toolBarTessaly",
    .progId = "TessalyOpenTable.toolBarTessaly",
    .clsid = MakeGuid("{E22BA322-A36A-432F-8F7D-3049305C9E02}"),
    .iid = MakeGuid("{5CF6BC27-591D-4D3E-978B-CF0FDB83D0CE}"),
    .name = "TessalyCommands_TessalyToolBar",
    .caption = "Tessaly Tools",
};

inline constexpr ClassInfo OpenTable{
    .module = "OpenTable",
    .progId = "TessalyOpenTable.OpenTable",
    .clsid = MakeGuid("{28293905-80F0-49C4-A40E-4BD0A7EA62FF}"),
    .iid = MakeGuid("{87C0DC90-0A05-4142-89C4-ABAF5E28F3D4}"),
    .bitmap = 101,
    .name = "TessalyCommands_OpenTableTool",
    .caption = "Open Table",
    .tooltip = "Open Attribute Table",
    .message = "Open attribute tables for all currently active feature themes...",
    .category = kTessalyCommands,
    .failures = ClickBox,
};

inline constexpr ClassInfo cmdMediaViewer{
    .module = "cmdMediaViewer",
    .progId = "TessalyOpenTable.cmdMediaViewer",
    .clsid = MakeGuid("{25591D96-CC53-45B1-9D68-ABD3A3053821}"),
    .iid = MakeGuid("{1C222755-3779-451D-A052-A68B250BA871}"),
    .bitmap = 102,
    .name = "TessalyCommands_MediaViewerTool",
    .caption = "Media Viewer Tool",
    .tooltip = "Open Media Viewer",
    .message = "Open Tessaly media viewer tool, allowing access to additional documents...",
    .category = kTessalyCommands,
};

inline constexpr ClassInfo cmdStats{
    .module = "cmdStats",
    .progId = "TessalyOpenTable.cmdStats",
    .clsid = MakeGuid("{36226C60-E0AC-4B8C-8134-D5319C29768E}"),
    .iid = MakeGuid("{18048851-33F0-44D0-993D-299BD00F5002}"),
    .bitmap = 103,
    .name = "TessalyCommands_StatisticsCommand",
    .caption = "Calculate Statistics",
    .tooltip = "Tessaly Statistics",
    .message = "Calculate statistics on a field in a table...",
    .category = kTessalyCommands,
};

inline constexpr ClassInfo cmdHistogramStats{
    .module = "cmdHistogramStats",
    .progId = "TessalyOpenTable.cmdHistogramStats",
    .clsid = MakeGuid("{761CA13B-08E0-4FD1-872C-C5129FAC5334}"),
    .iid = MakeGuid("{BAA0FEC9-0A1B-485A-9252-85B0D90DAD37}"),
    .bitmap = 104,
    .name = "TessalyCommands_StatisticsHistogramCommand",
    .caption = "ArcGIS Statistics",
    .tooltip = "Statistics on Selected Features",
    .message = "Open the standard ArcGIS statistics window, including simple statistics on selected features...",
    .category = kTessalyCommands,
};

inline constexpr ClassInfo cmdSelectNone{
    .module = "cmdSelectNone",
    .progId = "TessalyOpenTable.cmdSelectNone",
    .clsid = MakeGuid("{70D95D6E-A855-4919-8595-60766D269577}"),
    .iid = MakeGuid("{B60B14DD-09C1-45D7-9245-59C92E70D02A}"),
    .bitmap = 105,
    .name = "TessalyCommands_SelectNoneTool",
    .caption = "Clear Selected Features",
    .tooltip = "Clear Selected Features",
    .message = "Clear selected features for all feature themes and tables...",
    .category = kTessalyCommands,
    .failures = ClickBox,
};

inline constexpr ClassInfo cmdSelectSwitch{
    .module = "cmdSelectSwitch",
    .progId = "TessalyOpenTable.cmdSelectSwitch",
    .clsid = MakeGuid("{3923DB0E-78C5-4BE0-8822-2FA8FDF764D4}"),
    .iid = MakeGuid("{857AECA1-3F4B-4467-9B02-A0806C6B25F1}"),
    .bitmap = 106,
    .name = "TessalyCommands_SelectSwitchTool",
    .caption = "Switch Selected Features",
    .tooltip = "Switch Selected Features",
    .message = "Switch (or Flip) selection set for all currently active feature themes and tables...",
    .category = kTessalyCommands,
    .failures = ClickBox,
};

inline constexpr ClassInfo cmdSelectAll{
    .module = "cmdSelectAll",
    .progId = "TessalyOpenTable.cmdSelectAll",
    .clsid = MakeGuid("{BB8C00D9-D9BC-433A-8247-56F0ABF90F1D}"),
    .iid = MakeGuid("{184A60D7-2769-4A9F-9DA8-0721AC7FFF0A}"),
    .bitmap = 107,
    .name = "TessalyCommands_SelectAllTool",
    .caption = "Select All Features",
    .tooltip = "Select All Features",
    .message = "Select all features for all currently active feature themes and tables...",
    .category = kTessalyCommands,
    .failures = ClickBox,
};

inline constexpr ClassInfo cmdSelByAttributes{
    .module = "cmdSelByAttributes",
    .progId = "TessalyOpenTable.cmdSelByAttributes",
    .clsid = MakeGuid("{513ED305-6182-4939-85E1-4192FDD61AB0}"),
    .iid = MakeGuid("{B9E99FFA-BEC7-4D20-92C9-359F2F9A0E3F}"),
    .bitmap = 108,
    .name = "TessalyCommands_SelectByAttributes",
    .caption = "ArcGIS Select By Attributes",
    .tooltip = "ArcGIS Select By Attributes",
    .message = "Open the standard ArcGIS 'Select By Attributes' window...",
    .category = kTessalyCommands,
};

inline constexpr ClassInfo cmdSelByLocation{
    .module = "cmdSelByLocation",
    .progId = "TessalyOpenTable.cmdSelByLocation",
    .clsid = MakeGuid("{71D7AA7D-100A-4BF2-8B06-D7464E439581}"),
    .iid = MakeGuid("{3A7E91FA-B33C-4356-8629-8BDE7B1E3687}"),
    .bitmap = 109,
    .name = "TessalyCommands_SelectByLocation",
    .caption = "Select By Location",
    .tooltip = "Select By Location",
    .message = "Open the standard ArcGIS 'Select By Location' window...",
    .category = kTessalyCommands,
};

inline constexpr ClassInfo cmdSumTessaly{
    .module = "cmdSumTessaly",
    .progId = "TessalyOpenTable.cmdSumTessaly",
    .clsid = MakeGuid("{A9EC3F96-0BC7-4585-AA45-FFBBB09E79E2}"),
    .iid = MakeGuid("{25549C90-EEED-4546-8E96-7427C679DAC8}"),
    .bitmap = 110,
    .name = "TessalyCommands_TessalySummarize",
    .caption = "Tessaly Summarize",
    .tooltip = "Tessaly Summarize",
    .message = "Open the Tessaly 'Summarize' window...",
    .category = kTessalyCommands,
};

inline constexpr ClassInfo cmdSelByAttTessaly{
    .module = "cmdSelByAttTessaly",
    .progId = "TessalyOpenTable.cmdSelByAttTessaly",
    .clsid = MakeGuid("{09C9DC27-93B6-4513-8502-75E60A882D2D}"),
    .iid = MakeGuid("{83C8B7AB-FC68-43F1-8A23-C2C63F6943E9}"),
    .bitmap = 111,
    .name = "TessalyCommands_TessalySelectByAttributes",
    .caption = "Tessaly Select By Attributes",
    .tooltip = "Tessaly Select By Attributes",
    .message = "Open the Tessaly 'Select By Attributes' window...",
    .category = kTessalyCommands,
};

inline constexpr ClassInfo cmdQuickLoad{
    .module = "cmdQuickLoad",
    .progId = "TessalyOpenTable.cmdQuickLoad",
    .clsid = MakeGuid("{B2580EDD-593B-46C5-8FBA-E9A56E0CF60F}"),
    .iid = MakeGuid("{5AD486E5-4EB8-4CD7-BF1D-2FF99D39D065}"),
    .bitmap = 112,
    .name = "TessalyCommands_QuickLoadTool",
    .caption = "QuickLoad Objects",
    .tooltip = "QuickLoad",
    .message = "QuickLoad:  Shortcuts to layers, queries, spatial bookmarks and maps...",
    .category = kTessalyCommands,
    .failures = ClickBox,
};

inline constexpr ClassInfo cmdQLAddSpatial{
    .module = "cmdQLAddSpatial",
    .progId = "TessalyOpenTable.cmdQLAddSpatial",
    .clsid = MakeGuid("{7DD6BF5F-7212-4346-9672-2F0C21A37DC9}"),
    .iid = MakeGuid("{AEB108C9-EA01-4FEB-8A67-DC28DA658C5F}"),
    .bitmap = 113,
    .name = "TessalyCommands_QLEditAddBookmark",
    .caption = "QL Edit - Add Bookmarks",
    .tooltip = "QuickLoad Edit:  Add Spatial Bookmark",
    .message = "QuickLoad Editor:  Add Spatial Bookmark to QuickLoad.txt file...",
    .category = kTessalyQLCommands,
    .failures = ClickBox,
};

inline constexpr ClassInfo cmdQLAddQuery{
    .module = "cmdQLAddQuery",
    .progId = "TessalyOpenTable.cmdQLAddQuery",
    .clsid = MakeGuid("{8A1EF25B-7BCD-4B5F-87F8-CDE3FAD04712}"),
    .iid = MakeGuid("{99592D00-3725-45F1-936A-7A4C2CA886F6}"),
    .bitmap = 114,
    .name = "TessalyCommands_QLEditAddQuery",
    .caption = "QL Edit - Add Query",
    .tooltip = "QuickLoad Edit:  Add Query",
    .message = "QuickLoad Editor:  Add Query String to QuickLoad.txt file...",
    .category = kTessalyQLCommands,
    .failures = ClickBox,
};

inline constexpr ClassInfo cmdQLAddLayer{
    .module = "cmdQLAddLayer",
    .progId = "TessalyOpenTable.cmdQLAddLayer",
    .clsid = MakeGuid("{38FA2429-8A41-48CB-B42F-240F92EA249B}"),
    .iid = MakeGuid("{E1EB7FD2-7E64-4AC5-A594-DDABA9D39876}"),
    .bitmap = 115,
    .name = "TessalyCommands_QLEditAddLayer",
    .caption = "QL Edit - Add Layer",
    .tooltip = "QuickLoad Edit:  Add Layer",
    .message = "QuickLoad Editor:  Add Layer Reference to QuickLoad.txt file...",
    .category = kTessalyQLCommands,
    .failures = ClickBox,
};

inline constexpr ClassInfo cmdQLDelete{
    .module = "cmdQLDelete",
    .progId = "TessalyOpenTable.cmdQLDelete",
    .clsid = MakeGuid("{EECEB931-0960-4D38-83E7-0DBB38735A29}"),
    .iid = MakeGuid("{D5D3EB6E-3322-4F63-8C14-BEEDEEF4AC8C}"),
    .bitmap = 116,
    .name = "TessalyCommands_QLEditDelete",
    .caption = "QL Edit - Delete Reference",
    .tooltip = "QuickLoad Edit:  Delete Reference",
    .message = "QuickLoad Editor:  Delete references from QuickLoad.txt file...",
    .category = kTessalyQLCommands,
    .failures = ClickBox,
};

inline constexpr ClassInfo cmdDeleteSelLayers{
    .module = "cmdDeleteSelLayers",
    .progId = "TessalyOpenTable.cmdDeleteSelLayers",
    .clsid = MakeGuid("{FAFD1B20-E065-438C-8415-115EE2780918}"),
    .iid = MakeGuid("{D422C3E9-BC5F-4EDC-9047-FA3B384F45A8}"),
    .bitmap = 117,
    .name = "TessalyCommands_DeleteLayersTool",
    .caption = "Delete Layers",
    .tooltip = "Delete Layers",
    .message = "Delete all currently selected feature themes, tables or map...",
    .category = kTessalyCommands,
};

inline constexpr ClassInfo cmdSummarize{
    .module = "cmdSummarize",
    .progId = "TessalyOpenTable.cmdSummarize",
    .clsid = MakeGuid("{53F90533-5A99-41D2-8B14-A8AD3B010F74}"),
    .iid = MakeGuid("{C9F2AAE3-07DE-43A7-A44F-08114AA2C626}"),
    .bitmap = 118,
    .name = "TessalyCommands_Summarize",
    .caption = "ArcGIS Summarize",
    .tooltip = "ArcGIS Summarize",
    .message = "Open the standard ArcGIS 'Summarize' window...",
    .category = kTessalyCommands,
};

inline constexpr ClassInfo cmdSelByGraphic{
    .module = "cmdSelByGraphic",
    .progId = "TessalyOpenTable.cmdSelByGraphic",
    .clsid = MakeGuid("{2308C626-89A8-4313-97F2-0E5D7D6A94DB}"),
    .iid = MakeGuid("{21A92C78-5B4A-41C8-B6B7-13140D7FF243}"),
    .bitmap = 119,
    .name = "TessalyCommands_SelectByGraphicsTool",
    .caption = "Select by Graphics",
    .tooltip = "Select by Graphics",
    .message = "Select from currently active layers, using selected graphic...",
    .category = kTessalyCommands,
    .failures = LeftToHost,
};

inline constexpr ClassInfo cmdAbout{
    .module = "cmdAbout",
    .progId = "TessalyOpenTable.cmdAbout",
    .clsid = MakeGuid("{DD4579F1-409E-4BF5-9452-89827D261327}"),
    .iid = MakeGuid("{524AEB7E-223F-47D9-B14C-699838D9687B}"),
    .bitmap = 120,
    .name = "TessalyCommands_About",
    .caption = "About TESSALY",
    .tooltip = "About TESSALY",
    .message = "TESSALY:  GIS Tools for Earth System Science Learning Modules",
    .category = kTessalyCommands,
    .failures = ClickBox,
};

}  // namespace info

// The twenty commands in bitmap order (101 to 120).
inline constexpr std::array<const ClassInfo*, 20> kCommandTable{
    &info::OpenTable,        &info::cmdMediaViewer,     &info::cmdStats,          &info::cmdHistogramStats,
    &info::cmdSelectNone,    &info::cmdSelectSwitch,    &info::cmdSelectAll,      &info::cmdSelByAttributes,
    &info::cmdSelByLocation, &info::cmdSumTessaly,      &info::cmdSelByAttTessaly, &info::cmdQuickLoad,
    &info::cmdQLAddSpatial,  &info::cmdQLAddQuery,      &info::cmdQLAddLayer,     &info::cmdQLDelete,
    &info::cmdDeleteSelLayers, &info::cmdSummarize,     &info::cmdSelByGraphic,   &info::cmdAbout,
};

}  // namespace tessaly
