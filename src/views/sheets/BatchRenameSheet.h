#pragma once

#include "models/listing/FileItem.h"
#include "models/rename/BatchRenamePreviewRow.h"
#include "models/rename/BatchRenameRule.h"

#include "models/operations/QueuedOperation.h"

#include <QCoroTask>
#include <QDialog>
#include <QFutureWatcher>
#include <QList>
#include <QSet>

#include <functional>
#include <memory>
#include <optional>

class QLineEdit;
class QStackedWidget;
class QTabBar;
class QTableView;

namespace quillmere {

class BatchRenamePreviewModel;
class SheetFrame;

// Renames the marked entries of one folder by a rule: numbering, replacing text, adding
// a prefix and suffix, or a regular expression. Every kind keeps its own fields, so
// switching back and forth loses nothing typed. The preview shows, for each entry in
// the order of numbering, the name it would get and whether that name can be used; the
// rename button is enabled only while every row can.
//
// Confirming hands the rule to onConfirm, which renames and answers with the failure's
// message or nothing. A failure does not close the sheet; the message is shown in place
// and the rule stays as it was. While the rename runs the sheet cannot be dismissed, but
// a rename that turns long closes it (operationObserver) and is followed in the window.
//
// A large batch is previewed on a worker thread, so typing never waits for it: the
// rows and the rename button follow when the preview of the latest rule is ready, and
// previews of rules typed over in the meantime are dropped.
class BatchRenameSheet final : public QDialog {
    Q_OBJECT

public:
    using OnConfirm = std::function<QCoro::Task<std::optional<QString>>(BatchRenameRule)>;
    enum class RuleKind { sequential, replace, affix, regex };

    static constexpr int width = 520;
    static constexpr int previewHeight = 220;
    // Up to this many entries the preview is computed on the spot (about a millisecond
    // here); beyond it, on a worker thread, since a keystroke must not wait for it.
    static constexpr qsizetype largestImmediatePreview = 1000;

    // items: the entries in the order they are numbered; existingNames: every name in
    // their folder, theirs included.
    BatchRenameSheet(QList<FileItem> items, QSet<QString> existingNames, OnConfirm onConfirm,
                     QWidget* parent = nullptr);
    ~BatchRenameSheet() override;

    RuleKind kind() const;
    // The rule the kind and its fields stand for now.
    BatchRenameRule rule() const;
    // The rows shown, and whether they belong to the rule as it is now.
    const QList<BatchRenamePreviewRow>& previewRows() const;
    bool isPreviewCurrent() const { return m_shownGeneration == m_generation; }
    bool isProcessing() const { return m_isProcessing; }
    bool canConfirm() const;
    // For the action's caller: hands the sheet the operation the action queued, so the
    // sheet can step aside when it turns long (SheetFrame::operationObserver).
    QueuedOperationObserver operationObserver() const;

    // A start or digits field's text as a number: blanks around it are ignored, then an
    // optional sign and decimal digits within 64 bits; anything else is 0.
    static qint64 integerOrZero(const QString& text);

public Q_SLOTS:
    void reject() override;

Q_SIGNALS:
    // The preview shows the rows of the rule as it is now.
    void previewUpdated();

private:
    struct Preview {
        QList<BatchRenamePreviewRow> rows;
        bool allUsable = false;
        quint64 generation = 0;
    };
    static Preview computePreview(const QList<FileItem>& items, const BatchRenameRule& rule,
                                  const QSet<QString>& existingNames, quint64 generation);

    QLineEdit* addField(QWidget* page, const QString& objectName, const char* labelKey, const QString& text);
    void ruleChanged();
    void startPreview();
    void previewFinished();
    void showPreview(Preview preview);
    void updateControls();
    void confirm();
    QCoro::Task<> rename();

    QList<FileItem> m_items;
    QSet<QString> m_existingNames;
    OnConfirm m_onConfirm;
    std::unique_ptr<SheetFrame> m_frame;
    QTabBar* m_kind;
    QStackedWidget* m_pages;
    QLineEdit* m_sequentialBase;
    QLineEdit* m_sequentialStart;
    QLineEdit* m_sequentialDigits;
    QLineEdit* m_replaceFind;
    QLineEdit* m_replaceWith;
    QLineEdit* m_affixPrefix;
    QLineEdit* m_affixSuffix;
    QLineEdit* m_regexPattern;
    QLineEdit* m_regexTemplate;
    QList<QLineEdit*> m_fields;
    BatchRenamePreviewModel* m_model;
    QTableView* m_preview;
    QFutureWatcher<Preview> m_worker;
    quint64 m_generation = 0;      // of the rule as it is now
    quint64 m_shownGeneration = 0; // of the rows shown
    bool m_allUsable = false;      // of the rows shown
    bool m_isProcessing = false;
};

} // namespace quillmere
