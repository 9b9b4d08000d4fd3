#include "services/desktop/LanguageEnvironment.h"

#include <QCoreApplication>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace quillmere {

LanguageEnvironment::LanguageEnvironment(QObject* parent)
    : LanguageEnvironment(QLocale::system(), parent) {}

LanguageEnvironment::LanguageEnvironment(const QLocale& systemLocale, QObject* parent)
    : QObject(parent)
    , m_systemLocale(systemLocale)
    , m_language(systemLanguage(systemLocale)) {
    install(m_language);
}

LanguageEnvironment::~LanguageEnvironment() {
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
}

AppLanguage LanguageEnvironment::systemLanguage(const QLocale& locale) {
    return locale.language() == QLocale::Japanese ? AppLanguage::ja : AppLanguage::en;
}

AppLanguage LanguageEnvironment::languageFor(std::optional<AppLanguage> chosen, const QLocale& systemLocale) {
    return chosen.value_or(systemLanguage(systemLocale));
}

void LanguageEnvironment::setLanguage(AppLanguage language) {
    if (language == m_language)
        return;
    m_language = language;
    install(language);
    Q_EMIT languageChanged();
}

void LanguageEnvironment::follow(std::optional<AppLanguage> setting) {
    setLanguage(languageFor(setting, m_systemLocale));
}

QString LanguageEnvironment::text(const QString& key) {
    return qtTrId(key.toUtf8().constData());
}

QString LanguageEnvironment::text(const QString& key, int count) {
    return qtTrId(key.toUtf8().constData(), count);
}

QString LanguageEnvironment::translationPath(AppLanguage language) {
    return u":/i18n/quillmere_"_s + rawText(language) + u".qm"_s;
}

void LanguageEnvironment::install(AppLanguage language) {
    // The old translation goes first, so lookups never mix the two languages.
    if (m_translator) {
        QCoreApplication::removeTranslator(m_translator.get());
        m_translator.reset();
    }
    auto translator = std::make_unique<QTranslator>();
    // Without its translation the interface shows the keys, which is still usable.
    if (!translator->load(translationPath(language)))
        return;
    // Kept even when installing fails: the application may still hold on to it.
    m_translator = std::move(translator);
    QCoreApplication::installTranslator(m_translator.get());
}

} // namespace quillmere
