#pragma once

#include "models/navigation/Navigator.h"
#include "models/tabs/AppState.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "support/FakeFileOpener.h"
#include "support/FaultInjectingCalls.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <memory>
#include <optional>

namespace quillmere::test {

// An AppState over the real file-system service (with fault injection) on a temporary
// tree, and a window for the sheets to be modal over.
struct SheetFixture {
    SheetFixture()
        : calls(std::make_shared<FaultInjectingCalls>())
        , service(calls)
        , state(
              [this](const QString& folder) {
                  return std::make_unique<Navigator>(folder, service, nullptr, opener);
              },
              tree.path("home"), nullptr, service) {
        // However slow the machine, an operation stays in its sheet: stepping aside is
        // the window's business, tested there.
        state.operationQueue().setLongAfter(std::chrono::hours(1));
        window.show();
    }

    // A tab on "tree", listed.
    void openTree() {
        state.newTab(tree.path("tree"));
        await(active().reload());
    }
    Navigator& active() { return state.activeTab()->navigator(); }

    TemporaryTree tree;
    std::shared_ptr<FaultInjectingCalls> calls;
    DefaultFileSystemService service;
    FakeFileOpener opener;
    AppState state;
    QWidget window;
};

template <typename T = QWidget> T* part(QDialog& sheet, const QString& name) {
    T* found = sheet.findChild<T*>(name);
    if (!found)
        qFatal("no %s in the sheet", qPrintable(name));
    return found;
}

inline QPushButton* confirmOf(QDialog& sheet) {
    return part<QPushButton>(sheet, QStringLiteral("confirmButton"));
}

// The red line under the input, or nothing while it is hidden.
inline std::optional<QString> errorOf(QDialog& sheet) {
    auto* label = part<QLabel>(sheet, QStringLiteral("sheetError"));
    return label->isHidden() ? std::nullopt : std::optional(label->text());
}

} // namespace quillmere::test
