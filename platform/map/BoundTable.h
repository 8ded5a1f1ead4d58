#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/data/SelectionSet.h"
#include "platform/data/SourceTable.h"
#include "platform/data/TableView.h"
#include "platform/map/TableFields.h"

namespace platform {

// What a feature layer and a standalone table share: where their data come
// from, the view through their definition expression, their selection and
// their field settings. When the data did not open the binding is invalid: it
// keeps the description (so a document saves it back unchanged) and refuses
// every data operation with ComError E_DATAUNREADABLE.
class BoundTable {
public:
    struct FieldSetting {
        std::string field;
        std::string alias;
        bool visible = true;
    };

    // Opens layerName of the data source at path; a source that does not open
    // leaves the binding invalid with the reason in OpenError.
    void Open(std::string path, std::string layerName, std::string definitionExpression);
    void Bind(std::shared_ptr<SourceTable> source, std::string definitionExpression);

    bool Valid() const { return view_ != nullptr; }
    const std::string& OpenError() const { return openError_; }
    const std::string& DataSourcePath() const { return path_; }
    const std::string& DataLayerName() const { return layerName_; }
    const std::shared_ptr<TableView>& View() const { return view_; }
    // The view of a valid binding; raises E_FAIL naming `owner` when invalid.
    TableView& RequireView(const std::string& owner) const;

    const std::string& DefinitionExpression() const;
    // Checked by the source first when valid. The selection is not changed:
    // selected rows the expression hides stay selected (and counted), and show
    // selected again once an expression shows them.
    void DefinitionExpression(std::string expression);

    std::shared_ptr<SelectionSet> Selection() const { return selection_; }
    void Select(const QueryFilter* filter, int method, bool justOne, const std::string& owner);
    void ClearSelection();

    int FieldCount() const;
    std::shared_ptr<const Field> FieldAt(int index) const;
    std::shared_ptr<FieldInfo> FieldInfoAt(int index) const;
    // Settings that differ from the defaults (alias = name, visible), with those
    // read for fields the data no longer has, for saving.
    std::vector<FieldSetting> FieldSettings() const;
    void FieldSettings(const std::vector<FieldSetting>& settings);

private:
    std::shared_ptr<FieldInfo> InfoFor(const std::string& field) const;

    std::string path_;
    std::string layerName_;
    std::string definitionExpression_;
    std::string openError_;
    std::shared_ptr<TableView> view_;
    std::shared_ptr<SelectionSet> selection_;
    // In first-use order; keyed by field name.
    mutable std::vector<std::pair<std::string, std::shared_ptr<FieldInfo>>> infos_;
};

}  // namespace platform
