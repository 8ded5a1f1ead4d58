// tessaly-desktop: the desktop host of the Tessaly toolbar.
//   tessaly-desktop [DOCUMENT.tmd]     opens the map document (or a new one)
//   tessaly-desktop --register LIB     enters the library's classes in the registry
//   tessaly-desktop --unregister LIB   takes them out again
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <filesystem>
#include <string>

#include <sys/auxv.h>

#include "app/Guarded.h"
#include "app/MainWindow.h"
#include "app/ServerRegistration.h"
#include "platform/com/ComError.h"

namespace {
int Registration(bool enter, const std::string& library) {
    const platform::HRESULT hr = enter ? desktop::RegisterLibrary(library) : desktop::UnregisterLibrary(library);
    if (platform::FAILED(hr)) {
        std::fprintf(stderr, "%s: %s\n", library.c_str(), platform::HresultError(hr, library).what());
        return 1;
    }
    std::printf("%s %s\n", enter ? "Registered" : "Unregistered", library.c_str());
    return 0;
}
// The folder of this program. Started as the dynamic loader's argument
// ("ld-linux-x86-64.so.2 tessaly-desktop"), the running executable is the
// loader, and the loader hands the program's own path on as AT_EXECFN.
std::string ProgramFolder() {
    const auto* program = reinterpret_cast<const char*>(getauxval(AT_EXECFN));
    std::error_code error;
    if (getauxval(AT_BASE) == 0 && program != nullptr) {
        const auto path = std::filesystem::canonical(program, error);
        if (!error) return path.parent_path().string();
    }
    return QApplication::applicationDirPath().toStdString();
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && (std::string(argv[1]) == "--register" || std::string(argv[1]) == "--unregister"))
        return Registration(std::string(argv[1]) == "--register", argv[2]);

    desktop::HostApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaly Desktop"));
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 2 || (arguments.size() == 2 && arguments[1].startsWith(QStringLiteral("--")))) {
        std::fprintf(stderr, "usage: tessaly-desktop [DOCUMENT.tmd] | --register LIB | --unregister LIB\n");
        return 2;
    }

    desktop::MainWindow window(desktop::LibraryBesideProgram(ProgramFolder()));
    window.show();
    if (!window.LoadProblems().isEmpty()) QMessageBox::warning(&window, window.windowTitle(), window.LoadProblems());
    if (arguments.size() == 2) window.OpenDocument(arguments[1]);
    return QApplication::exec();
}
