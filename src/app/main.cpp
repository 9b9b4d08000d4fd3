#include "app/CommandLine.h"
#include "app/QuillmereApp.h"
#include "platform/WorkingFolder.h"
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

QList<QByteArray> argumentsOf(int argc, char* argv[]) {
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    return arguments;
}

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
}

} // namespace

int main(int argc, char* argv[]) {
    // Help and the version need no display. Qt's own options (-platform, -style, ...)
    // are only known once QApplication has taken them out, so other errors wait till then.
    const QString workingFolder = quillmere::WorkingFolder::path();
    const quillmere::CommandLine early =
        quillmere::CommandLine::parse(argumentsOf(argc, argv), workingFolder);
    if (early.showHelp || early.showVersion) {
        print(stdout,
              early.showHelp ? quillmere::CommandLine::usage() : quillmere::CommandLine::versionText());
        return 0;
    }
    if (!hasDisplay()) {
        std::fputs(
            "Quillmere needs a graphical display, and none was found (DISPLAY and WAYLAND_DISPLAY are not "
            "set).\nStart it from a desktop session, or under Xvfb.\n",
            stderr);
        return 1;
    }
    QApplication application(argc, argv);
    const quillmere::CommandLine commandLine =
        quillmere::CommandLine::parse(argumentsOf(argc, argv), workingFolder);
    if (!commandLine.errors.isEmpty()) {
        for (const QString& error : commandLine.errors)
            print(stderr, u"quillmere: %1\n"_s.arg(error));
        print(stderr, u"Try 'quillmere --help' for more information.\n"_s);
        return 2;
    }
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
    // The folders named on the command line open once the last session's tabs are back.
    QObject::connect(&app, &quillmere::QuillmereApp::started, &app, [&app, folders = commandLine.folders] {
        [[maybe_unused]] auto opening = app.openFolders(folders);
    });
    [[maybe_unused]] auto starting = app.start();
    return application.exec();
}
