#include "models/listing/FileOrdering.h"
#include "platform/HomeFolder.h"
#include "platform/PathCodec.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "views/table/FileListModel.h"

#include <QApplication>
#include <QCoroTask>
#include <QHeaderView>
#include <QMainWindow>
#include <QStatusBar>
#include <QTableView>

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

QCoro::Task<> showListing(quillmere::FileSystemService& service, QString folder,
                          quillmere::FileListModel& model, QStatusBar& status) {
    try {
        QList<quillmere::FileItem> items = co_await service.listDirectory(folder, false);
        quillmere::sortItems(items, quillmere::SortKey::name, quillmere::SortDirection::ascending);
        status.showMessage(QApplication::translate("main", "%1 items").arg(items.size()));
        model.setItems(std::move(items));
    } catch (const std::exception& error) {
        status.showMessage(QString::fromUtf8(error.what()));
    }
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
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Quillmere"_s);
    QApplication::setOrganizationDomain(u"quillmere.org"_s);

    const QString home = quillmere::HomeFolder::path();
    QMainWindow window;
    window.setWindowTitle(u"Quillmere — "_s + quillmere::PathCodec::displayText(home));
    auto* table = new QTableView(&window);
    auto* model = new quillmere::FileListModel(table);
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setShowGrid(false);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setColumnWidth(quillmere::FileListModel::name, 360);
    table->setColumnWidth(quillmere::FileListModel::dateModified, 170);
    window.setCentralWidget(table);
    window.resize(900, 600);
    window.show();

    quillmere::DefaultFileSystemService service;
    auto listing = showListing(service, home, *model, *window.statusBar());
    return app.exec();
}
