#pragma once

#include "models/paths/NameChecks.h"
#include "views/sheets/CreateItemKind.h"

#include <QCoroTask>
#include <QDialog>
#include <QPointer>
#include <QSet>

#include <memory>

class QLabel;
class QLineEdit;

namespace quillmere {

class AppState;
class Navigator;
class SheetFrame;

// Creates an empty file or a folder in the active tab's folder. The name is checked on
// every keystroke against the entries the navigator lists (a hidden entry that is not
// listed does not count); only a name that passes can be created. The name is used as
// typed, surrounding blanks included. A failure is shown in place.
class CreateItemSheet final : public QDialog {
    Q_OBJECT

public:
    CreateItemSheet(CreateItemKind kind, AppState& appState, Navigator& navigator, QWidget* parent = nullptr);
    ~CreateItemSheet() override;

    CreateNameCheck check() const;

private:
    void confirm();
    void updateCheck();
    QCoro::Task<> create(QString name);

    CreateItemKind m_kind;
    AppState& m_appState;
    // The tab may go while the sheet is open; its names then no longer count.
    QPointer<Navigator> m_navigator;
    QSet<QString> m_existingNames;
    std::unique_ptr<SheetFrame> m_frame;
    QLineEdit* m_field;
    QLabel* m_checkMessage;
};

} // namespace quillmere
