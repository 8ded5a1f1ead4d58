#pragma once
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "platform/qt/QtHostServices.h"

class QMainWindow;

// A folder holding people.dbf: NAME, AGE, TOWN; rows in FID order
// 0 Ann 30 Oslo, 1 Bob 45 Bergen, 2 Cid 61 Oslo, then `extra` rows
// "P<n>" aged n % 90 in "Alta".
class HostTestData {
public:
    explicit HostTestData(int extra = 0);
    std::string People() const { return File("people.dbf"); }
    std::string File(const std::string& name) const;
    QString Folder() const { return folder_.path(); }

private:
    QTemporaryDir folder_;
};

// Qt host services on a main window with a status bar, installed for a scope.
class ScopedQtHost {
public:
    ScopedQtHost();
    ~ScopedQtHost();
    ScopedQtHost(const ScopedQtHost&) = delete;
    ScopedQtHost& operator=(const ScopedQtHost&) = delete;

    platform::qt::QtHostServices* operator->() const { return services_.get(); }
    QMainWindow& MainWindow() const { return *window_; }

private:
    std::unique_ptr<QMainWindow> window_;
    std::shared_ptr<platform::qt::QtHostServices> services_;
    std::shared_ptr<platform::HostServices> previous_;
};
