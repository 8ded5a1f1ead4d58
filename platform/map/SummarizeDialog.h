#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/data/Field.h"
#include "platform/data/Table.h"
#include "platform/map/HostObject.h"

namespace platform {

class Application;

// The host's own summarize dialog, preset by its caller and shown modally by
// the installed host services.
class SummarizeDialog : public HostObject {
public:
    const std::shared_ptr<platform::Application>& Application() const { return application_; }
    void Application(std::shared_ptr<platform::Application> application) { application_ = std::move(application); }
    // The layer or standalone table to summarize, as its Table view.
    const std::shared_ptr<platform::Table>& Table() const { return table_; }
    void Table(std::shared_ptr<platform::Table> table) { table_ = std::move(table); }
    // The field proposed to summarize on.
    const std::shared_ptr<const platform::Field>& Field() const { return field_; }
    void Field(std::shared_ptr<const platform::Field> field) { field_ = std::move(field); }
    bool Flag() const { return flag_; }
    void Flag(bool flag) { flag_ = flag; }

    // Shows the dialog over the window `hWnd` and returns when it closes. A
    // dialog without a table raises ComError E_POINTER.
    bool DoModal(std::int64_t hWnd);

    // The preset field's name ("" without one) and the table as a host object
    // (the layer or standalone table itself; null for another kind of table).
    std::string FieldName() const { return field_ ? field_->Name() : std::string(); }
    const HostObject* TableObject() const { return dynamic_cast<const HostObject*>(table_.get()); }

private:
    std::shared_ptr<platform::Application> application_;
    std::shared_ptr<platform::Table> table_;
    std::shared_ptr<const platform::Field> field_;
    bool flag_ = false;
};

}  // namespace platform
