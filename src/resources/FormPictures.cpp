#include "src/resources/FormPictures.h"

#include <functional>
#include <mutex>

#include "platform/forms/PictureRegistry.h"
#include "src/resources/PictureMakers.h"

namespace tessaly {
namespace {

using pictures::FieldKind;

struct Entry {
    std::string_view name;
    std::function<platform::Bitmap()> make;
};

std::vector<Entry> Entries() {
    using namespace pictures;
    return {
        {"cornerbars", CornerBars},
        {"tessalylogo", TessalyLogo},
        {"makerlogo", MakerLogo},
        {"handcursor", HandCursor},
        {"sumhelp", SummarizeHelpPage},
        {"stat_unticked", [] { return StatisticBox(false); }},
        {"stat_ticked", [] { return StatisticBox(true); }},
        {"field_text", [] { return FieldPicture(FieldKind::Text); }},
        {"field_numeric", [] { return FieldPicture(FieldKind::Numeric); }},
        {"field_oid", [] { return FieldPicture(FieldKind::ObjectId); }},
        {"field_date", [] { return FieldPicture(FieldKind::Date); }},
        {"browse", BrowseFolder},
        // The same pictures as the toolbar's Open Table, Calculate Statistics and
        // Switch Selected Features.
        {"opentable", [] { return CommandPicture(101); }},
        {"statistics", [] { return CommandPicture(103); }},
        {"switchselection", [] { return CommandPicture(106); }},
        {"op_equals", [] { return OperatorPicture("="); }},
        {"op_notequal", [] { return OperatorPicture("<>"); }},
        {"op_less", [] { return OperatorPicture("<"); }},
        {"op_lessequal", [] { return OperatorPicture("<="); }},
        {"op_greater", [] { return OperatorPicture(">"); }},
        {"op_greaterequal", [] { return OperatorPicture(">="); }},
        {"op_and", [] { return OperatorPicture("And"); }},
        {"op_or", [] { return OperatorPicture("Or"); }},
        {"op_not", [] { return OperatorPicture("Not"); }},
        {"op_parentheses", [] { return OperatorPicture("( )"); }},
    };
}

}  // namespace

std::vector<std::string_view> FormPictureNames() {
    std::vector<std::string_view> names;
    for (const Entry& entry : Entries()) names.push_back(entry.name);
    return names;
}

void RegisterFormPictures() {
    static std::once_flag registered;
    std::call_once(registered, [] {
        for (const Entry& entry : Entries()) platform::RegisterPicture(std::string(entry.name), entry.make());
    });
}

}  // namespace tessaly
