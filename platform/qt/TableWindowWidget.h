#pragma once
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

class QLabel;
class QTableView;

namespace platform {
class HostObject;
}

namespace platform::qt {

class TableRowsModel;

// The window of a host table window: the rows of a feature layer or standalone
// table with its selection. Rows the user selects become the layer's
// selection (announced as changed, so maps and other windows follow); a
// selection changed elsewhere is shown when Refresh is asked.
class TableWindowWidget : public QWidget {
public:
    TableWindowWidget(std::shared_ptr<HostObject> target, QWidget* parent);
    ~TableWindowWidget() override;

    const std::shared_ptr<HostObject>& Target() const { return target_; }
    QTableView* View() const { return view_; }
    TableRowsModel* Rows() const { return rows_; }
    // The user closed the window.
    void SetOnClosed(std::function<void()> handler) { onClosed_ = std::move(handler); }

    // Shows the selection as the layer now has it.
    void ShowSelection();
    // Reads the rows again when the layer's definition expression changed
    // since they were read (or always, with `force`).
    void Reload(bool force);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void UserSelected();
    void CountRows();
    void ShowCount();
    std::string Expression() const;

    std::shared_ptr<HostObject> target_;
    QTableView* view_;
    QLabel* count_;
    TableRowsModel* rows_;
    std::function<void()> onClosed_;
    std::string readExpression_;
    qint64 total_ = 0;
    bool showing_ = false;
};

// The caption of a table window: "Attributes of " and the layer's name.
std::string TableWindowCaption(const HostObject& target);

}  // namespace platform::qt
