#pragma once

#include "models/settings/AppLanguage.h"

#include <QLocale>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class QTranslator;

namespace quillmere {

// The interface language. It installs the translation of its language on the application, so
// every qtTrId() lookup answers in that language and widgets receive QEvent::LanguageChange to
// retranslate when it changes. A key without a translation reads as the key itself.
//
// A key is written as a string literal in one of two forms: the argument of qtTrId where it is
// looked up, or of QT_TRID_NOOP where a table keeps it for a later lookup through text().
// TranslationsTest finds keys in exactly these two forms and requires both translations to hold
// them. Counts fill %n (qtTrId(key, n) or text(key, n), plural-aware); other arguments are %1, %2,
// filled with arg().
class LanguageEnvironment final : public QObject {
    Q_OBJECT

public:
    // Starts in the system language; the locale is injectable for tests.
    explicit LanguageEnvironment(QObject* parent = nullptr);
    explicit LanguageEnvironment(const QLocale& systemLocale, QObject* parent = nullptr);
    ~LanguageEnvironment() override;

    // Japanese for a Japanese locale, English for every other one.
    static AppLanguage systemLanguage(const QLocale& locale);
    // The chosen language, or the system's when none is chosen.
    static AppLanguage languageFor(std::optional<AppLanguage> chosen, const QLocale& systemLocale);

    AppLanguage language() const { return m_language; }
    // Installs the other translation and emits languageChanged(); the same language again does nothing.
    void setLanguage(AppLanguage language);
    // Follows the language setting, where an absent value means the system language.
    void follow(std::optional<AppLanguage> setting);

    // Lookups of keys held in variables.
    static QString text(const QString& key);
    static QString text(const QString& key, int count);

    // The compiled translation of a language, embedded in the program.
    static QString translationPath(AppLanguage language);

Q_SIGNALS:
    void languageChanged();

private:
    void install(AppLanguage language);

    QLocale m_systemLocale;
    AppLanguage m_language;
    std::unique_ptr<QTranslator> m_translator;
};

} // namespace quillmere
