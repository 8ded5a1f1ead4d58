#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/map/ActiveView.h"
#include "platform/map/CommandBars.h"
#include "platform/map/ContentsView.h"
#include "platform/map/HostObject.h"
#include "platform/map/Maps.h"

namespace platform {

class Layer;

// A map document: its maps with the focus map among them, the table of
// contents with its three views ("Display", "Source", "Selection"; "Display"
// current in a new document) and the command bars. Saved as a .tmd file
// (DocumentFile.h).
class MapDocument : public HostObject {
public:
    // A new document holding one empty map, "Layers". Without command bars it
    // makes its own (the application passes its shared ones).
    explicit MapDocument(std::shared_ptr<platform::CommandBars> commandBars = nullptr);

    // Reads a .tmd document; see DocumentFile.h.
    static std::shared_ptr<MapDocument> Load(const std::string& path,
                                             std::shared_ptr<platform::CommandBars> commandBars = nullptr);
    // Writes the document to path (data sources relative to its folder) and
    // makes path the document's file.
    void Save(const std::string& path);
    // The document's full path; "" until saved or loaded.
    const std::string& FilePath() const { return filePath_; }
    void FilePath(std::string path) { filePath_ = std::move(path); }
    const std::string& Title() const { return title_; }
    void Title(std::string title) { title_ = std::move(title); }

    // The active map. When the focus map leaves the document, the first map
    // takes its place.
    std::shared_ptr<Map> FocusMap() const;
    const std::shared_ptr<platform::Maps>& Maps() const { return maps_; }
    // The focus map's view.
    std::shared_ptr<platform::ActiveView> ActiveView() const { return FocusMap(); }
    // Activates a map of this document, which becomes the focus map. Anything
    // else raises ComError E_INVALIDARG.
    void ActiveView(const std::shared_ptr<platform::ActiveView>& view);
    // Adds a layer to the focus map.
    void AddLayer(const std::shared_ptr<Layer>& layer);

    // The current contents view's selected item.
    std::shared_ptr<HostObject> SelectedItem() const { return current_->SelectedItem(); }
    const std::shared_ptr<platform::ContentsView>& CurrentContentsView() const { return current_; }
    // One of this document's views; anything else raises ComError E_INVALIDARG.
    void CurrentContentsView(const std::shared_ptr<platform::ContentsView>& view);
    // Raises ComError E_INVALIDARG for an index outside 0 to ContentsViewCount - 1.
    const std::shared_ptr<platform::ContentsView>& ContentsView(std::int32_t index) const;
    std::int32_t ContentsViewCount() const { return static_cast<std::int32_t>(views_.size()); }
    // Asks the host to redraw the table of contents.
    void UpdateContents();

    const std::shared_ptr<platform::CommandBars>& CommandBars() const { return commandBars_; }

private:
    std::string filePath_;
    std::string title_;
    std::shared_ptr<platform::Maps> maps_ = std::make_shared<platform::Maps>();
    std::shared_ptr<Map> focus_;
    std::vector<std::shared_ptr<platform::ContentsView>> views_;
    std::shared_ptr<platform::ContentsView> current_;
    std::shared_ptr<platform::CommandBars> commandBars_;
};

using MxDocument = MapDocument;

}  // namespace platform
