#include "views/settings/MarkSettingsView.h"

#include "services/persistence/AppSettingsStore.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quillmere {

namespace {

constexpr int swatchSize = 22;

// A filled circle, with a check mark when it is the chosen colour.
QIcon swatchIcon(const QColor& color, bool chosen) {
    QPixmap pixmap(swatchSize, swatchSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color.darker(130), 1));
    painter.setBrush(color);
    painter.drawEllipse(QRectF(1, 1, swatchSize - 2, swatchSize - 2));
    if (chosen) {
        // White on light colours is lost; the check takes whichever contrasts.
        painter.setPen(QPen(color.lightnessF() > 0.6 ? Qt::black : Qt::white, 2.2, Qt::SolidLine,
                            Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        const QPointF points[] = {{6.5, 11.5}, {9.8, 14.8}, {15.5, 8}};
        painter.drawPolyline(points, 3);
    }
    return QIcon(pixmap);
}

} // namespace

const QList<MarkColorOption>& MarkSettingsView::colorOptions() {
    static const QList<MarkColorOption> options{
        {std::nullopt, QT_TRID_NOOP("settings.mark.color.accent")},
        {u"#E74C3C"_s, QT_TRID_NOOP("settings.mark.color.red")},
        {u"#E67E22"_s, QT_TRID_NOOP("settings.mark.color.orange")},
        {u"#F1C40F"_s, QT_TRID_NOOP("settings.mark.color.yellow")},
        {u"#2ECC71"_s, QT_TRID_NOOP("settings.mark.color.green")},
        {u"#3498DB"_s, QT_TRID_NOOP("settings.mark.color.blue")},
        {u"#9B59B6"_s, QT_TRID_NOOP("settings.mark.color.purple")},
        {u"#95A5A6"_s, QT_TRID_NOOP("settings.mark.color.gray")},
        {u"#2C3E50"_s, QT_TRID_NOOP("settings.mark.color.black")},
    };
    return options;
}

MarkSettingsView::MarkSettingsView(AppSettingsStore& store, QWidget* parent)
    : QWidget(parent)
    , m_store(store) {
    setObjectName(u"settings.mark"_s);
    setMinimumSize(420, 300);

    m_glyphSection = new QGroupBox(this);
    m_glyph = new QLineEdit(m_glyphSection);
    m_glyph->setObjectName(u"settings.mark.glyph"_s);
    m_glyph->setMaximumWidth(80);
    m_glyph->setAlignment(Qt::AlignCenter);
    m_glyph->installEventFilter(this);

    m_colorTitle = new QLabel(m_glyphSection);
    m_swatchRow = new QWidget(m_glyphSection);
    m_swatchRow->setObjectName(u"settings.mark.colors"_s);
    auto* swatchLine = new QHBoxLayout(m_swatchRow);
    swatchLine->setContentsMargins(0, 0, 0, 0);
    swatchLine->setSpacing(4);
    const QList<MarkColorOption>& options = colorOptions();
    for (int index = 0; index < options.size(); ++index) {
        auto* swatch = new QToolButton(m_swatchRow);
        swatch->setObjectName(options[index].id ? u"settings.mark.color."_s + options[index].id->mid(1)
                                                : u"settings.mark.color.accent"_s);
        swatch->setCheckable(true);
        swatch->setAutoRaise(true);
        swatch->setIconSize(QSize(swatchSize, swatchSize));
        swatch->installEventFilter(this);
        connect(swatch, &QToolButton::clicked, this, [this, index] { chooseColor(index); });
        swatchLine->addWidget(swatch);
        m_swatches.append(swatch);
    }
    swatchLine->addStretch(1);

    auto* glyphColumn = new QVBoxLayout(m_glyphSection);
    glyphColumn->addWidget(m_glyph);
    glyphColumn->addWidget(m_colorTitle);
    glyphColumn->addWidget(m_swatchRow);

    m_previewSection = new QGroupBox(this);
    m_previewGlyph = new QLabel(m_previewSection);
    m_previewGlyph->setObjectName(u"settings.mark.previewGlyph"_s);
    m_previewGlyph->setTextFormat(Qt::PlainText);
    QFont large = m_previewGlyph->font();
    large.setPointSizeF(large.pointSizeF() * 2.2);
    m_previewGlyph->setFont(large);
    m_previewName = new QLabel(m_previewSection);
    m_previewName->setObjectName(u"settings.mark.previewFilename"_s);
    auto* previewLine = new QHBoxLayout(m_previewSection);
    previewLine->addWidget(m_previewGlyph);
    previewLine->addWidget(m_previewName, 1);

    m_reset = new QPushButton(this);
    m_reset->setObjectName(u"settings.mark.resetToDefault"_s);
    m_reset->setAutoDefault(true);

    auto* column = new QVBoxLayout(this);
    column->addWidget(m_glyphSection);
    column->addWidget(m_previewSection);
    column->addWidget(m_reset, 0, Qt::AlignLeft);
    column->addStretch(1);

    connect(m_glyph, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_store.setMarkGlyph(text);
        // An edit that normalises to the stored glyph changes nothing and sends no notice.
        showSettings();
    });
    connect(m_reset, &QPushButton::clicked, this, [this] { m_store.resetToDefaults(); });
    connect(&m_store, &AppSettingsStore::settingsChanged, this, &MarkSettingsView::showSettings);

    retranslate();
    showSettings();
}

QColor MarkSettingsView::optionColor(const MarkColorOption& option) const {
    if (option.id) {
        if (const std::optional<RgbColor> rgb = AppSettings::markColor(*option.id))
            return QColor(rgb->red, rgb->green, rgb->blue);
    }
    return palette().color(QPalette::Active, QPalette::Highlight);
}

QColor MarkSettingsView::markColor() const {
    return optionColor({m_store.settings().markColorHex(), nullptr});
}

void MarkSettingsView::chooseColor(int index) {
    m_store.setMarkColorHex(colorOptions()[index].id);
    // A click on the chosen swatch unchecks it; the store's answer puts it right, and an
    // unchanged setting sends none.
    showSettings();
}

void MarkSettingsView::showSettings() {
    const AppSettings& settings = m_store.settings();
    if (m_glyph->text() != settings.markGlyph()) {
        const QSignalBlocker quiet(m_glyph);
        m_glyph->setText(settings.markGlyph());
    }
    if (m_glyph->hasFocus())
        m_glyph->selectAll();

    const QList<MarkColorOption>& options = colorOptions();
    bool anyChosen = false;
    for (int index = 0; index < options.size(); ++index) {
        const bool chosen = options[index].id == settings.markColorHex();
        anyChosen = anyChosen || chosen;
        m_swatches[index]->setChecked(chosen);
        m_swatches[index]->setIcon(swatchIcon(optionColor(options[index]), chosen));
    }
    // One Tab stop for the row: the chosen swatch, or the first when the stored colour is
    // none of the options.
    for (int index = 0; index < options.size(); ++index) {
        const bool stop = m_swatches[index]->isChecked() || (!anyChosen && index == 0);
        m_swatches[index]->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
    }

    const QColor color = markColor();
    QPalette glyphPalette = m_previewGlyph->palette();
    glyphPalette.setColor(QPalette::WindowText, color);
    m_previewGlyph->setPalette(glyphPalette);
    m_previewGlyph->setText(settings.markGlyph());
    m_previewGlyph->setAccessibleName(settings.markGlyph());
}

bool MarkSettingsView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_glyph) {
        // However the field gets the focus (a tab switch, a click), the glyph is selected,
        // so typing replaces it instead of adding a character that would be dropped. Queued
        // behind the field's own handling of the focus and of the click.
        if (event->type() == QEvent::FocusIn)
            QMetaObject::invokeMethod(m_glyph, &QLineEdit::selectAll, Qt::QueuedConnection);
        return false;
    }
    const qsizetype current = m_swatches.indexOf(static_cast<QToolButton*>(watched));
    if (current < 0 || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    qsizetype target = current;
    switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up: target = current - 1; break;
    case Qt::Key_Right:
    case Qt::Key_Down: target = current + 1; break;
    case Qt::Key_Home: target = 0; break;
    case Qt::Key_End: target = m_swatches.size() - 1; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: chooseColor(int(current)); return true;
    default: return false;
    }
    target = std::clamp<qsizetype>(target, 0, m_swatches.size() - 1);
    if (target != current) {
        chooseColor(int(target));
        m_swatches[target]->setFocus(Qt::TabFocusReason);
    }
    return true;
}

void MarkSettingsView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    else if (event->type() == QEvent::PaletteChange)
        showSettings(); // the accent colour may have changed
    QWidget::changeEvent(event);
}

void MarkSettingsView::retranslate() {
    setAccessibleName(qtTrId("settings.tab.mark"));
    m_glyphSection->setTitle(qtTrId("settings.mark.glyph"));
    m_glyph->setAccessibleName(qtTrId("settings.mark.glyph"));
    m_colorTitle->setText(qtTrId("settings.mark.color"));
    m_swatchRow->setAccessibleName(qtTrId("settings.mark.color"));
    const QList<MarkColorOption>& options = colorOptions();
    for (int index = 0; index < options.size(); ++index) {
        const QString name = qtTrId(options[index].label);
        m_swatches[index]->setAccessibleName(name);
        m_swatches[index]->setToolTip(name);
    }
    m_previewSection->setTitle(qtTrId("settings.mark.preview"));
    m_previewName->setText(qtTrId("settings.mark.previewFilename"));
    m_previewName->setAccessibleName(m_previewName->text());
    m_reset->setText(qtTrId("settings.mark.resetToDefault"));
    m_reset->setAccessibleName(m_reset->text());
}

} // namespace quillmere
