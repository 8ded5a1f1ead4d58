#pragma once
#include <memory>

#include "platform/forms/Forms.h"
#include "src/core/AnchorObjectList.h"

namespace platform {
class StringArray;
}

namespace tessaly {

// "QuickLoad", the picker of one QuickLoad target: a data frame, a spatial
// bookmark, a layer or a query. It only lists names; the caller knows what
// they stand for.
//
// Protocol:
//   1. create it, or reuse a kept one (OK and Cancel only hide it, so it keeps
//      its option, lines and size);
//   2. set all four lists (setting one does not load the form or touch the
//      list box; a list must be set before its option is chosen);
//   3. optionally set booShouldContinue false, set an option and the options'
//      enabling, and call optQueries_Click;
//   4. Show(vbModal);
//   5. when booShouldContinue is true, take lbxList's ListIndex in the list of
//      the option that is set.
// The first load chooses "Data Frames" when no option is set.
class tessaly_QuickJumpDialog : public platform::Form {
public:
    tessaly_QuickJumpDialog();

    platform::Frame cpSavedTypes{*this, "cpSavedTypes"};
    platform::OptionButton optViews{*this, "optViews"};
    platform::OptionButton optExtents{*this, "optExtents"};
    platform::OptionButton optLayers{*this, "optLayers"};
    platform::OptionButton optQueries{*this, "optQueries"};
    platform::ListBox lbxList{*this, "lbxList"};
    platform::CommandButton cmdOK{*this, "cmdOK"};
    platform::CommandButton cmdCancel{*this, "cmdCancel"};
    platform::Image imgCornerBars{*this, "imgCornerBars"};

    void strMapFrames(std::shared_ptr<const platform::StringArray> names) { mapFrames_ = std::move(names); }
    void strBookmarks(std::shared_ptr<const platform::StringArray> names) { bookmarks_ = std::move(names); }
    void strQueries(std::shared_ptr<const platform::StringArray> names) { queries_ = std::move(names); }
    void strLayers(std::shared_ptr<const platform::StringArray> names) { layers_ = std::move(names); }
    // True only after OK. Neither accessor loads the form.
    void booShouldContinue(bool value) { shouldContinue_ = value; }
    bool booShouldContinue() const { return shouldContinue_; }

    // Lists the query names; public for callers that restrict the picker to queries.
    void optQueries_Click();
    // OK: the choice stands and the dialog hides.
    void cmdOK_Click();

protected:
    void Design() override;
    void Form_Load() override;

private:
    void optViews_Click();
    void optExtents_Click();
    void optLayers_Click();
    void lbxList_Click();
    void lbxList_DblClick();
    void cmdCancel_Click();
    // What every option's handler does with its list.
    void ListNames(const std::shared_ptr<const platform::StringArray>& names);

    std::shared_ptr<const platform::StringArray> mapFrames_;
    std::shared_ptr<const platform::StringArray> bookmarks_;
    std::shared_ptr<const platform::StringArray> queries_;
    std::shared_ptr<const platform::StringArray> layers_;
    bool shouldContinue_ = false;
    std::unique_ptr<AnchorObjectList> anchors_;
};

}  // namespace tessaly
