#include "views/settings/GeneralSettingsView.h"

#include "services/persistence/AppSettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quillmere {

namespace {

// The entries of the language picker, in order; the raw value is empty for the system's.
std::optional<AppLanguage> languageAt(int index) {
    switch (index) {
    case 1: return AppLanguage::ja;
    case 2: return AppLanguage::en;
    default: return std::nullopt;
    }
}

int indexOf(const std::optional<AppLanguage>& language) {
    if (!language)
        return 0;
    return *language == AppLanguage::ja ? 1 : 2;
}

} // namespace

GeneralSettingsView::GeneralSettingsView(AppSettingsStore& store, QWidget* parent)
    : QWidget(parent)
    , m_store(store) {
    setObjectName(u"settings.general"_s);

    m_languageSection = new QGroupBox(this);
    m_language = new QComboBox(m_languageSection);
    m_language->setObjectName(u"settings.general.language"_s);
    // The language names are written in their own language, the same in both interfaces.
    m_language->addItems({QString(), u"日本語"_s, u"English"_s});
    auto* languageColumn = new QVBoxLayout(m_languageSection);
    languageColumn->addWidget(m_language);

    m_updatesSection = new QGroupBox(this);
    m_autoCheck = new QCheckBox(m_updatesSection);
    m_autoCheck->setObjectName(u"settings.general.autoCheck"_s);
    m_checkNow = new QPushButton(m_updatesSection);
    m_checkNow->setObjectName(u"settings.general.checkNow"_s);
    m_updatesNote = new QLabel(m_updatesSection);
    m_updatesNote->setObjectName(u"settings.general.updatesNote"_s);
    m_updatesNote->setWordWrap(true);
    auto* updatesColumn = new QVBoxLayout(m_updatesSection);
    updatesColumn->addWidget(m_autoCheck);
    updatesColumn->addWidget(m_checkNow, 0, Qt::AlignLeft);
    updatesColumn->addWidget(m_updatesNote);
    m_updatesSection->setEnabled(false);

    auto* column = new QVBoxLayout(this);
    column->addWidget(m_languageSection);
    column->addWidget(m_updatesSection);
    column->addStretch(1);

    connect(m_language, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_store.setLanguage(languageAt(index)); });
    connect(&m_store, &AppSettingsStore::settingsChanged, this, &GeneralSettingsView::showSettings);

    retranslate();
    showSettings();
}

void GeneralSettingsView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void GeneralSettingsView::retranslate() {
    setAccessibleName(qtTrId("settings.tab.general"));
    m_languageSection->setTitle(qtTrId("settings.general.language"));
    m_language->setItemText(0, qtTrId("settings.general.languageSystem"));
    m_language->setAccessibleName(qtTrId("settings.general.language"));
    m_updatesSection->setTitle(qtTrId("settings.general.updates"));
    m_autoCheck->setText(qtTrId("settings.general.autoCheck"));
    m_autoCheck->setAccessibleName(m_autoCheck->text());
    m_checkNow->setText(qtTrId("settings.general.checkNow"));
    m_checkNow->setAccessibleName(m_checkNow->text());
    m_updatesNote->setText(qtTrId("settings.general.updatesByDistribution"));
    m_updatesNote->setAccessibleName(m_updatesNote->text());
}

void GeneralSettingsView::showSettings() {
    const QSignalBlocker quiet(m_language);
    m_language->setCurrentIndex(indexOf(m_store.settings().language()));
}

} // namespace quillmere
