#pragma once
#include <QDialog>
#include <memory>
#include <vector>

#include "app/MapTables.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace platform {
class Application;
}

namespace desktop {

// The host's own Select By Attributes window: a layer or table of the focus
// map, a selection method, and a where clause built from its fields, their
// unique values and the operators, applied to the layer's selection.
// Modeless; Open() lists the focus map's layers again and shows it.
class SelectByAttributesWindow : public QDialog {
public:
    explicit SelectByAttributesWindow(std::shared_ptr<platform::Application> application, QWidget* parent = nullptr);

    void Open();
    // Applies the clause; false (after telling the user why) when the data
    // source rejects it.
    bool Apply();

    // Get Unique Values: the chosen field's values, each written as the
    // layer's source compares it, so that "field = value" selects its rows.
    void FillUniqueValues();

    QComboBox* Layers() const { return layers_; }
    QComboBox* Method() const { return method_; }
    QListWidget* Fields() const { return fields_; }
    QListWidget* Values() const { return values_; }
    QPlainTextEdit* Clause() const { return clause_; }

private:
    const MapTable* Current() const;
    void FillFields();
    void Insert(const QString& text);

    std::shared_ptr<platform::Application> application_;
    std::vector<MapTable> tables_;
    QComboBox* layers_;
    QComboBox* method_;
    QListWidget* fields_;
    QListWidget* values_;
    QLabel* selectFrom_;
    QPlainTextEdit* clause_;
};

}  // namespace desktop
