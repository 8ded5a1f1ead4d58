#include "app/LoadedCommands.h"

#include <QAction>
#include <QImage>
#include <QPixmap>
#include <functional>

#include "platform/com/ComError.h"
#include "platform/com/ServerLoader.h"
#include "platform/map/Application.h"
#include "platform/map/CommandBars.h"

namespace desktop {

namespace {
std::string TextOf(const platform::ComPtr<platform::ICommand>& command,
                   platform::HRESULT (platform::ICommand::*member)(std::string*) noexcept) {
    std::string text;
    if (platform::FAILED(((*command).*member)(&text))) text.clear();
    return text;
}

// A click that outlives the command set (a command bar entry, a late signal)
// does nothing: the actions and command bars hold no reference of their own,
// since a command holds the application that holds its command bars.
std::function<void()> Clicker(platform::ICommand* command, std::weak_ptr<bool> alive) {
    return [command, alive = std::move(alive)] {
        if (!alive.expired()) command->OnClick();
    };
}
}  // namespace

QIcon IconFromBitmap(platform::OLE_HANDLE handle) {
    const auto bitmap = platform::BitmapFromHandle(handle);
    if (!bitmap || bitmap->width <= 0 || bitmap->height <= 0) return {};
    QImage image(bitmap->rgb.data(), bitmap->width, bitmap->height, bitmap->width * 3, QImage::Format_RGB888);
    // The pixels belong to the command; the icon keeps a copy of its own.
    return QIcon(QPixmap::fromImage(image.copy()));
}

LoadedCommands::LoadedCommands(const std::vector<std::string>& progIds,
                               const std::shared_ptr<platform::Application>& application, QObject* actionParent) {
    for (const auto& progId : progIds) {
        platform::ComPtr<platform::IUnknown> object;
        if (const auto hr = platform::CreateInstanceByProgID(progId, platform::IUnknown::Iid, object.PutVoid());
            platform::FAILED(hr)) {
            problems_.push_back(progId + ": " + platform::HresultError(hr, progId).what());
            continue;
        }
        if (auto toolBar = object.As<platform::IToolBarDef>()) {
            toolBars_.push_back(std::move(toolBar));
            continue;
        }
        auto command = object.As<platform::ICommand>();
        if (!command) continue;
        if (platform::FAILED(command->OnCreate(application))) problems_.push_back(progId + ": OnCreate failed");

        LoadedCommand loaded{progId, QString::fromStdString(TextOf(command, &platform::ICommand::Category)), command,
                             new QAction(actionParent)};
        const QString caption = QString::fromStdString(TextOf(command, &platform::ICommand::Caption));
        loaded.action->setText(caption);
        // As a host shows them: the tooltip on the button, the message in the
        // status bar while the pointer is over it.
        loaded.action->setToolTip(QString::fromStdString(TextOf(command, &platform::ICommand::Tooltip)));
        loaded.action->setStatusTip(QString::fromStdString(TextOf(command, &platform::ICommand::Message)));
        loaded.action->setObjectName(QString::fromStdString(progId));
        platform::OLE_HANDLE bitmap = 0;
        if (platform::SUCCEEDED(command->Bitmap(&bitmap))) loaded.action->setIcon(IconFromBitmap(bitmap));
        QObject::connect(loaded.action, &QAction::triggered, actionParent, Clicker(command.Get(), alive_));
        application->CommandBars()->Add(
            std::make_shared<platform::CommandItem>(progId, caption.toStdString(), Clicker(command.Get(), alive_)));
        commands_.push_back(std::move(loaded));
    }
    RefreshEnabled();
}

LoadedCommands::~LoadedCommands() {
    for (const auto& command : commands_) delete command.action;
}

const LoadedCommand* LoadedCommands::Find(const std::string& progId) const {
    for (const auto& command : commands_)
        if (command.progId == progId) return &command;
    return nullptr;
}

void LoadedCommands::RefreshEnabled() const {
    for (const auto& command : commands_) {
        bool enabled = false;
        if (platform::FAILED(command.command->Enabled(&enabled))) enabled = false;
        command.action->setEnabled(enabled);
    }
}

}  // namespace desktop
