#include "KeyEventMonitor.h"

#include "KeyMapping.h"
#include "services/desktop/Logger.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

bool isTextEditor(const QWidget* widget) {
    if (!widget)
        return false;
    if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
        qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget))
        return true;
    const auto* combo = qobject_cast<const QComboBox*>(widget);
    return combo && combo->isEditable();
}

// The press's text for the log, with control characters (Return, Escape, Tab) written
// as code points so that they cannot break the log line.
QString loggedText(const QString& text) {
    if (text.isEmpty())
        return u"?"_s;
    QString out;
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            out += u"U+" + QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0');
        else
            out += c;
    }
    return out;
}

} // namespace

KeyEventMonitor::KeyEventMonitor(QWidget& host, Dispatch dispatch, MarksPresent hasMarkedItems,
                                 QObject* parent)
    : QObject(parent)
    , m_host(&host)
    , m_dispatch(std::move(dispatch))
    , m_hasMarkedItems(std::move(hasMarkedItems)) {
    QCoreApplication::instance()->installEventFilter(this);
}

KeyEventMonitor::~KeyEventMonitor() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

void KeyEventMonitor::leaveKeysTo(QWidget& area) {
    m_keyOwners.append(&area);
}

bool KeyEventMonitor::eventFilter(QObject* watched, QEvent* event) {
    // Qt hands a press to its window first and then from widget to widget; the
    // window's turn is the one place where each press is seen exactly once.
    if (event->type() != QEvent::KeyPress || !watched->isWindowType() || !isAddressedToHostWindow(watched))
        return false;
    return route(*static_cast<QKeyEvent*>(event));
}

bool KeyEventMonitor::isAddressedToHostWindow(const QObject* receiver) const {
    if (!m_host)
        return false;
    const QWindow* window = m_host->window()->windowHandle();
    if (!window || receiver != window)
        return false;
    // A view the window does not show (another tab's kind of content) takes no keys.
    if (!m_host->isVisible())
        return false;
    // An open popup (a menu, a completer) or a keyboard grab takes the window's presses.
    return !QApplication::activePopupWidget() && !QWidget::keyboardGrabber();
}

bool KeyEventMonitor::route(const QKeyEvent& event) {
    QUILLMERE_LOG(logUI(), LogLevel::debug,
                  u"raw keyDown: keyCode=" + QString::number(event.key()) + u" chars=" +
                      loggedText(event.text()) + u" mods=" +
                      QString::number(uint(event.modifiers().toInt())));
    QWidget* focused = m_host->window()->focusWidget();
    for (const QPointer<QWidget>& owner : std::as_const(m_keyOwners))
        if (owner && focused && (owner == focused || owner->isAncestorOf(focused)))
            return false;
    const std::optional<KeyCommand> command = KeyMapping::from(event, isTextEditor(focused));
    if (!command || !m_dispatch)
        return false;
    // With nothing marked, Escape stays with the window (to close a search, for instance).
    if (*command == KeyCommand::Case::clearMarks && !(m_hasMarkedItems && m_hasMarkedItems()))
        return false;
    // The command may take this monitor down with its view (a tab switch rebuilds the
    // content view), so nothing of this object is used after the call.
    const Dispatch dispatch = m_dispatch;
    dispatch(*command);
    return true;
}

} // namespace quillmere
