#include "app/QuillmereApp.h"
#include "views/common/SystemIcon.h"
#include "views/shell/MainWindow.h"

#include <QApplication>
#include <QLoggingCategory>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

bool hasDisplay() {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char* argv[]) {
    if (!hasDisplay()) {
        std::fputs(
            "Quillmere needs a graphical display, and none was found (DISPLAY and WAYLAND_DISPLAY are not "
            "set).\nStart it from a desktop session, or under Xvfb.\n",
            stderr);
        return 1;
    }
    QApplication application(argc, argv);
    // The trace of every key and command is there for QT_LOGGING_RULES to turn on;
    // a terminal that started the program stays quiet.
    QLoggingCategory::setFilterRules(u"org.quillmere.Quillmere.UI.info=false"_s);
    QApplication::setApplicationName(u"Quillmere"_s);
    QApplication::setOrganizationDomain(u"quillmere.org"_s);
    QApplication::setDesktopFileName(u"org.quillmere.Quillmere"_s);
    // Closing the window goes through the application's ordered end instead.
    QApplication::setQuitOnLastWindowClosed(false);
    quillmere::SystemIcon::ensureTheme();

    quillmere::QuillmereApp app(quillmere::AppServices::defaults());
    QObject::connect(&app, &quillmere::QuillmereApp::terminated, &application, &QApplication::quit);
    app.window().resize(1100, 680);
    app.window().show();
    [[maybe_unused]] auto starting = app.start();
    return application.exec();
}
