#pragma once

#include <QCoroTask>
#include <QObject>
#include <QPointer>

class QWidget;

namespace quillmere {

class ToastView;
class UndoRunner;

// What the window shows of undo and redo: a toast naming what was taken back or done
// again ("Undid: move 3 items to “Photos”"), or the alert saying why it could not be.
class UndoPresenter final : public QObject {
    Q_OBJECT

public:
    // The toast sits at the bottom of host; alerts are modal to host's window.
    UndoPresenter(UndoRunner& runner, QWidget* host);

    void undo();
    void redo();
    ToastView& toast() const { return *m_toast; }

private:
    QCoro::Task<> run(bool undo);

    UndoRunner& m_runner;
    QPointer<QWidget> m_host;
    ToastView* m_toast;
};

} // namespace quillmere
