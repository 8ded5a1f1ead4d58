#include "platform/qt/MessageBoxes.h"

#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

using Button = std::pair<QMessageBox::StandardButton, int>;

std::vector<Button> Buttons(int style) {
    switch (style & 0xF) {
    case 1: return {{QMessageBox::Ok, 1}, {QMessageBox::Cancel, 2}};
    case 2: return {{QMessageBox::Abort, 3}, {QMessageBox::Retry, 4}, {QMessageBox::Ignore, 5}};
    case 3: return {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}, {QMessageBox::Cancel, 2}};
    case 4: return {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}};
    case 5: return {{QMessageBox::Retry, 4}, {QMessageBox::Cancel, 2}};
    default: return {{QMessageBox::Ok, 1}};
    }
}

QMessageBox::Icon IconOf(int style) {
    switch (style & 0x70) {
    case 16: return QMessageBox::Critical;
    case 32: return QMessageBox::Question;
    case 48: return QMessageBox::Warning;
    case 64: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

}  // namespace

int ShowMessageBox(QWidget* parent, const std::string& prompt, int style, const std::string& title) {
    QMessageBox box(IconOf(style), ToQString(title), WithLineFeeds(prompt), QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    const std::vector<Button> buttons = Buttons(style);
    std::vector<std::pair<QAbstractButton*, int>> answers;
    for (const auto& [standard, answer] : buttons) answers.emplace_back(box.addButton(standard), answer);
    const std::size_t defaultButton = static_cast<std::size_t>((style >> 8) & 0x3);
    if (defaultButton < answers.size()) box.setDefaultButton(static_cast<QPushButton*>(answers[defaultButton].first));
    box.exec();
    for (const auto& [button, answer] : answers) {
        if (box.clickedButton() == button) return answer;
    }
    // Closed without a button: the box's escape answer, as Escape gives.
    for (const auto& [standard, answer] : buttons) {
        if (standard == QMessageBox::Cancel) return answer;
    }
    return buttons.size() == 1 ? buttons.front().second : buttons.back().second;
}

}  // namespace platform::qt
