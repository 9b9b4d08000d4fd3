#include "views/sheets/BatchRenameSheet.h"

#include "models/paths/NameChecks.h"
#include "models/rename/BatchRenamePlanner.h"
#include "views/sheets/BatchRenamePreviewModel.h"
#include "views/sheets/CallerAction.h"
#include "views/sheets/SheetFrame.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>
#include <QtConcurrent>

#include <algorithm>
#include <exception>
#include <limits>

using namespace Qt::StringLiterals;

namespace quillmere {

namespace {

constexpr int symbolColumnWidth = 22;
constexpr int messageColumnWidth = 150;

} // namespace

BatchRenameSheet::BatchRenameSheet(QList<FileItem> items, QSet<QString> existingNames, OnConfirm onConfirm,
                                   QWidget* parent)
    : QDialog(parent)
    , m_items(std::move(items))
    , m_existingNames(std::move(existingNames))
    , m_onConfirm(std::move(onConfirm))
    , m_frame(std::make_unique<SheetFrame>(*this, width, qtTrId("batchRename.title"),
                                           qtTrId("batchRename.button.cancel"),
                                           qtTrId("batchRename.button.rename"))) {
    auto* count = SheetFrame::calloutLabel(this, false);
    count->setObjectName(u"count"_s);
    count->setText(qtTrId("batchRename.count",
                          int(std::min<qsizetype>(m_items.size(), std::numeric_limits<int>::max()))));
    QPalette countPalette = count->palette();
    countPalette.setColor(QPalette::WindowText, countPalette.color(QPalette::PlaceholderText));
    count->setPalette(countPalette);
    m_frame->content()->addWidget(count);

    // A segmented picker: the arrow keys move between the kinds while it has the focus.
    m_kind = new QTabBar(this);
    m_kind->setObjectName(u"ruleKind"_s);
    m_kind->setAccessibleName(qtTrId("batchRename.rule"));
    m_kind->setExpanding(true);
    m_kind->setDrawBase(false);
    m_kind->setFocusPolicy(Qt::StrongFocus);
    for (const char* key :
         {QT_TRID_NOOP("batchRename.mode.sequential"), QT_TRID_NOOP("batchRename.mode.replace"),
          QT_TRID_NOOP("batchRename.mode.affix"), QT_TRID_NOOP("batchRename.mode.regex")})
        m_kind->addTab(qtTrId(key));
    m_frame->content()->addWidget(m_kind);

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(u"ruleFields"_s);
    auto* sequential = new QWidget(m_pages);
    m_sequentialBase =
        addField(sequential, u"sequentialBase"_s, QT_TRID_NOOP("batchRename.field.baseName"), {});
    m_sequentialStart =
        addField(sequential, u"sequentialStart"_s, QT_TRID_NOOP("batchRename.field.startNumber"), u"1"_s);
    m_sequentialDigits =
        addField(sequential, u"sequentialDigits"_s, QT_TRID_NOOP("batchRename.field.digits"), u"2"_s);
    auto* replace = new QWidget(m_pages);
    m_replaceFind = addField(replace, u"replaceFind"_s, QT_TRID_NOOP("batchRename.field.findString"), {});
    m_replaceWith = addField(replace, u"replaceWith"_s, QT_TRID_NOOP("batchRename.field.replaceWith"), {});
    auto* affix = new QWidget(m_pages);
    m_affixPrefix = addField(affix, u"affixPrefix"_s, QT_TRID_NOOP("batchRename.field.prefix"), {});
    m_affixSuffix = addField(affix, u"affixSuffix"_s, QT_TRID_NOOP("batchRename.field.suffix"), {});
    auto* regex = new QWidget(m_pages);
    m_regexPattern = addField(regex, u"regexPattern"_s, QT_TRID_NOOP("batchRename.field.regexPattern"), {});
    m_regexTemplate =
        addField(regex, u"regexTemplate"_s, QT_TRID_NOOP("batchRename.field.regexTemplate"), {});
    for (QWidget* page : {sequential, replace, affix, regex})
        m_pages->addWidget(page);
    m_frame->content()->addWidget(m_pages);

    m_model = new BatchRenamePreviewModel(m_items, palette().color(QPalette::PlaceholderText),
                                          SheetFrame::errorColor(), this);
    m_preview = new QTableView(this);
    m_preview->setObjectName(u"preview"_s);
    m_preview->setAccessibleName(qtTrId("batchRename.preview"));
    m_preview->setModel(m_model);
    m_preview->setFixedHeight(previewHeight);
    m_preview->setTabKeyNavigation(false); // Tab leaves the list for the buttons
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_preview->setSelectionMode(QAbstractItemView::SingleSelection);
    m_preview->setTextElideMode(Qt::ElideMiddle);
    m_preview->setShowGrid(false);
    m_preview->setWordWrap(false);
    m_preview->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_preview->horizontalHeader()->hide();
    m_preview->verticalHeader()->hide();
    // Fixed sizes: nothing is measured over all rows, however many there are.
    m_preview->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_preview->verticalHeader()->setDefaultSectionSize(m_preview->fontMetrics().height() + 6);
    QHeaderView* columns = m_preview->horizontalHeader();
    columns->setMinimumSectionSize(0);
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setSectionResizeMode(BatchRenamePreviewModel::presentName, QHeaderView::Stretch);
    columns->setSectionResizeMode(BatchRenamePreviewModel::newName, QHeaderView::Stretch);
    columns->resizeSection(BatchRenamePreviewModel::status, symbolColumnWidth);
    columns->resizeSection(BatchRenamePreviewModel::arrow, symbolColumnWidth);
    columns->resizeSection(BatchRenamePreviewModel::message, messageColumnWidth);
    m_frame->content()->addWidget(m_preview);

    // The kinds, every field (the hidden pages' ones are skipped), the list, the buttons.
    QWidget* previous = m_kind;
    for (QWidget* next : std::initializer_list<QWidget*>{
             m_sequentialBase, m_sequentialStart, m_sequentialDigits, m_replaceFind, m_replaceWith,
             m_affixPrefix, m_affixSuffix, m_regexPattern, m_regexTemplate, m_preview,
             m_frame->cancelButton(), m_frame->confirmButton()}) {
        setTabOrder(previous, next);
        previous = next;
    }

    connect(m_kind, &QTabBar::currentChanged, this, [this](int index) {
        m_pages->setCurrentIndex(index);
        ruleChanged();
    });
    for (QLineEdit* field : std::as_const(m_fields))
        connect(field, &QLineEdit::textChanged, this, &BatchRenameSheet::ruleChanged);
    connect(&m_worker, &QFutureWatcher<Preview>::finished, this, &BatchRenameSheet::previewFinished);
    connect(m_frame->confirmButton(), &QPushButton::clicked, this, &BatchRenameSheet::confirm);

    ruleChanged();
    m_sequentialBase->setFocus();
}

BatchRenameSheet::~BatchRenameSheet() {
    // A preview still running finishes on its own copies; nobody waits for it.
    m_worker.disconnect(this);
}

QLineEdit* BatchRenameSheet::addField(QWidget* page, const QString& objectName, const char* labelKey,
                                      const QString& text) {
    auto* form = qobject_cast<QFormLayout*>(page->layout());
    if (!form) {
        form = new QFormLayout(page);
        form->setContentsMargins(0, 0, 0, 0);
        form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    }
    const QString title = qtTrId(labelKey);
    auto* field = new QLineEdit(text, page);
    field->setObjectName(objectName);
    field->setAccessibleName(title);
    field->setClearButtonEnabled(false);
    auto* label = new QLabel(title, page);
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(field);
    form->addRow(label, field);
    m_fields.append(field);
    return field;
}

BatchRenameSheet::RuleKind BatchRenameSheet::kind() const {
    return RuleKind(m_kind->currentIndex());
}

qint64 BatchRenameSheet::integerOrZero(const QString& text) {
    const QString trimmed = trimmedBlanks(text);
    QStringView digits(trimmed);
    bool negative = false;
    if (!digits.isEmpty() && (digits.front() == u'+' || digits.front() == u'-')) {
        negative = digits.front() == u'-';
        digits = digits.sliced(1);
    }
    if (digits.isEmpty())
        return 0;
    // Accumulated towards the negative end, which reaches one further than the positive.
    constexpr qint64 lowest = std::numeric_limits<qint64>::min();
    qint64 value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return 0;
        const int digit = c.unicode() - u'0';
        if (value < (lowest + digit) / 10)
            return 0;
        value = value * 10 - digit;
    }
    if (negative)
        return value;
    return value == lowest ? 0 : -value;
}

BatchRenameRule BatchRenameSheet::rule() const {
    switch (kind()) {
    case RuleKind::sequential:
        return BatchRenameRule::sequential(m_sequentialBase->text(), integerOrZero(m_sequentialStart->text()),
                                           std::max<qint64>(integerOrZero(m_sequentialDigits->text()), 0));
    case RuleKind::replace: return BatchRenameRule::replace(m_replaceFind->text(), m_replaceWith->text());
    case RuleKind::affix: return BatchRenameRule::affix(m_affixPrefix->text(), m_affixSuffix->text());
    case RuleKind::regex: return BatchRenameRule::regex(m_regexPattern->text(), m_regexTemplate->text());
    }
    return {};
}

const QList<BatchRenamePreviewRow>& BatchRenameSheet::previewRows() const {
    return m_model->rows();
}

bool BatchRenameSheet::canConfirm() const {
    return !m_items.isEmpty() && isPreviewCurrent() && m_allUsable && !m_isProcessing;
}

BatchRenameSheet::Preview BatchRenameSheet::computePreview(const QList<FileItem>& items,
                                                           const BatchRenameRule& rule,
                                                           const QSet<QString>& existingNames,
                                                           quint64 generation) {
    Preview preview{previewBatchRename(items, rule, existingNames), true, generation};
    preview.allUsable =
        std::all_of(preview.rows.cbegin(), preview.rows.cend(),
                    [](const BatchRenamePreviewRow& row) { return row.validity == Validity::ok; });
    return preview;
}

void BatchRenameSheet::ruleChanged() {
    ++m_generation;
    if (m_items.size() <= largestImmediatePreview) {
        showPreview(computePreview(m_items, rule(), m_existingNames, m_generation));
        return;
    }
    updateControls(); // the rows shown no longer vouch for the rule
    // One preview at a time: the one running is finished and dropped, then the latest
    // rule is previewed.
    if (!m_worker.isRunning())
        startPreview();
}

void BatchRenameSheet::startPreview() {
    m_worker.setFuture(
        QtConcurrent::run(&BatchRenameSheet::computePreview, m_items, rule(), m_existingNames, m_generation));
}

void BatchRenameSheet::previewFinished() {
    if (m_worker.future().resultCount() == 0)
        return;
    Preview preview = m_worker.result();
    if (preview.generation != m_generation) {
        startPreview();
        return;
    }
    showPreview(std::move(preview));
}

void BatchRenameSheet::showPreview(Preview preview) {
    m_shownGeneration = preview.generation;
    m_allUsable = preview.allUsable;
    m_model->setRows(std::move(preview.rows));
    updateControls();
    Q_EMIT previewUpdated();
}

void BatchRenameSheet::updateControls() {
    m_frame->cancelButton()->setEnabled(!m_isProcessing);
    m_frame->confirmButton()->setEnabled(canConfirm());
    m_kind->setEnabled(!m_isProcessing);
    for (QLineEdit* field : std::as_const(m_fields))
        field->setReadOnly(m_isProcessing);
}

void BatchRenameSheet::reject() {
    // Escape and the window's close button end up here too: the rename has to finish (or
    // be rolled back) before the sheet may go.
    if (!m_isProcessing)
        QDialog::reject();
}

void BatchRenameSheet::confirm() {
    if (canConfirm())
        rename();
}

QCoro::Task<> BatchRenameSheet::rename() {
    QPointer<BatchRenameSheet> self(this);
    const BatchRenameRule chosen = rule();
    m_isProcessing = true;
    m_frame->setBusy(true);
    updateControls();
    const std::optional<QString> failure =
        co_await awaitCallerAction(m_onConfirm, chosen, qtTrId("batchRename.error.failed"));
    // A sheet that stepped aside leaves the outcome to the window.
    if (!self || m_frame->isHandedOff())
        co_return;
    m_isProcessing = false;
    m_frame->setBusy(false);
    updateControls();
    m_frame->finish(failure);
}

QueuedOperationObserver BatchRenameSheet::operationObserver() const {
    return m_frame->operationObserver();
}

} // namespace quillmere
