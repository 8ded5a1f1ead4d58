#pragma once
#include <QDialog>
#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTreeWidget;

namespace platform {
class SummarizeDialog;
class Table;
}  // namespace platform

namespace platform::qt {

// The host's own summarize dialog: the field to summarize on (the caller's
// field proposed), statistics chosen per field (Minimum, Maximum, Average,
// Sum, Standard Deviation, Variance for numbers; Minimum and Maximum for
// texts and dates), selected records only, and the output dBASE table. OK
// writes the summary table and adds it to the application's focus map; a
// failure is shown and the dialog stays open.
class SummarizeWindow : public QDialog {
public:
    SummarizeWindow(const SummarizeDialog& dialog, QWidget* parent);
    ~SummarizeWindow() override;

    QComboBox* CaseField() const { return caseField_; }
    QTreeWidget* Statistics() const { return statistics_; }
    QCheckBox* SelectedOnly() const { return selectedOnly_; }
    QLineEdit* Output() const { return output_; }
    // The checked statistics as the geoprocessor takes them ("Minimum.POP, Sum.AREA").
    std::string Summary() const;
    // The table written by OK; null before.
    const std::shared_ptr<Table>& Result() const { return result_; }

    void accept() override;

private:
    void FillStatistics();
    void Browse();
    void AddToFocusMap(const std::string& name);
    void Fail(const QString& text);

    const SummarizeDialog& dialog_;
    QComboBox* caseField_;
    QTreeWidget* statistics_;
    QCheckBox* selectedOnly_;
    QLineEdit* output_;
    std::shared_ptr<Table> result_;
};

}  // namespace platform::qt
