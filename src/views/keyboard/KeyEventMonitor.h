#pragma once

#include "models/commands/KeyCommand.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

class QKeyEvent;

namespace quillmere {

// Turns key presses in the main window into commands before the window's widgets see
// them. It filters the application's events and looks only at presses addressed to
// the window holding its host widget, while the host is shown; presses in any other
// window (dialogs, popups, the settings) pass untouched. A mapped press goes to
// dispatch and is consumed; everything else, including Escape while nothing is marked,
// goes on to the focused widget, so text fields and menu shortcuts keep their keys.
class KeyEventMonitor final : public QObject {
    Q_OBJECT

public:
    using Dispatch = std::function<void(const KeyCommand&)>;
    using MarksPresent = std::function<bool()>;

    // host: the widget whose window is served; the monitor serves nothing once it is gone.
    // hasMarkedItems: whether the active tab has marked entries, read at each Escape.
    KeyEventMonitor(QWidget& host, Dispatch dispatch, MarksPresent hasMarkedItems, QObject* parent = nullptr);
    ~KeyEventMonitor() override;

    // Presses made while the focus is inside area go to the focused widget untouched, so
    // its buttons take Space, Return and Escape for themselves.
    void leaveKeysTo(QWidget& area);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isAddressedToHostWindow(const QObject* receiver) const;
    // True when the press was turned into a command.
    bool route(const QKeyEvent& event);

    QPointer<QWidget> m_host;
    Dispatch m_dispatch;
    MarksPresent m_hasMarkedItems;
    QList<QPointer<QWidget>> m_keyOwners;
};

} // namespace quillmere
