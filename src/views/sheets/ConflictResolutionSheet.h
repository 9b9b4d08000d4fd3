#pragma once

#include "models/transfer/ConflictResolution.h"

#include "models/operations/QueuedOperation.h"

#include <QCoroTask>
#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QScrollArea;

namespace quillmere {

class SheetFrame;

// Asks what to do with each source whose name is taken in the destination folder:
// overwrite the entry there, skip the source, or transfer it under a new name. Every
// choice starts at skip, so confirming untouched transfers only what does not collide.
//
// Confirming hands one resolution per conflict, in conflict order, to onResolve, which
// runs the transfer and answers with the failure's message or nothing. A failure does not
// close the sheet; the message is shown in place and the choices stay as they were. A
// transfer that turns long closes it (operationObserver) and is followed in the window.
// Only blank new names are refused here; any other bad name fails in the transfer, which
// says why.
class ConflictResolutionSheet final : public QDialog {
    Q_OBJECT

public:
    using OnResolve = std::function<QCoro::Task<std::optional<QString>>(QList<ConflictResolution>)>;
    enum class Choice { overwrite, skip, rename };

    static constexpr int width = 460;
    static constexpr int maximumListHeight = 260;

    // conflicts: the colliding source paths; destinationName: the folder's name, or empty.
    ConflictResolutionSheet(QStringList conflicts, QString destinationName, OnResolve onResolve,
                            QWidget* parent = nullptr);
    ~ConflictResolutionSheet() override;

    bool isProcessing() const { return m_isProcessing; }
    QList<ConflictResolution> resolutions() const;
    bool canConfirm() const;
    // For the action's caller: hands the sheet the operation the action queued, so the
    // sheet can step aside when it turns long (SheetFrame::operationObserver).
    QueuedOperationObserver operationObserver() const;

public Q_SLOTS:
    void reject() override;

private:
    struct Row {
        QString name; // as the file system has it
        QComboBox* choice;
        QLineEdit* newName;
    };

    void addRow(qsizetype index, const QString& path, QWidget* list);
    Choice choiceAt(qsizetype index) const;
    void updateControls();
    void fitList();
    void confirm();
    QCoro::Task<> resolve();

    OnResolve m_onResolve;
    QList<Row> m_rows;
    std::unique_ptr<SheetFrame> m_frame;
    QScrollArea* m_list;
    bool m_isProcessing = false;
};

} // namespace quillmere
