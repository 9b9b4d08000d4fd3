#include "services/desktop/LanguageEnvironment.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

#include <map>

using namespace Qt::StringLiterals;

using namespace quillmere;

namespace {

// One message of a .ts file: its forms are the plain translation, or one per plural form.
struct Message {
    bool numerus = false;
    QString type; // "unfinished", "vanished", …; empty when the translation is done
    QStringList forms;

    // Lupdate marks what the sources no longer use; lrelease leaves it out of the program.
    bool isLive() const { return type != u"vanished" && type != u"obsolete"; }
};

using Catalog = std::map<QString, Message>;

// Messages without an id are texts looked up by context, not interface keys.
Catalog readCatalog(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    Catalog catalog;
    QXmlStreamReader xml(&file);
    Message* message = nullptr;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"message") {
            const QString id = xml.attributes().value(u"id"_s).toString();
            if (catalog.contains(id))
                qFatal("%s: %s twice", qPrintable(path), qPrintable(id));
            message = id.isEmpty() ? nullptr : &catalog[id];
            if (message)
                message->numerus = xml.attributes().value(u"numerus"_s) == u"yes";
        } else if (message && xml.name() == u"translation") {
            message->type = xml.attributes().value(u"type"_s).toString();
            if (!message->numerus)
                message->forms = {xml.readElementText()};
        } else if (message && xml.name() == u"numerusform") {
            message->forms.append(xml.readElementText());
        }
    }
    if (xml.hasError())
        qFatal("%s: %s", qPrintable(path), qPrintable(xml.errorString()));
    return catalog;
}

// The keys the sources name, as lupdate finds them: qtTrId and QT_TRID_NOOP literals.
QStringList keysInSources() {
    QTemporaryDir folder;
    const QString extracted = folder.filePath(u"sources.ts"_s);
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(QUILLMERE_LUPDATE),
                  {u"-silent"_s, u"-locations"_s, u"none"_s, QStringLiteral(QUILLMERE_SOURCE_DIR "/src"),
                   u"-ts"_s, extracted});
    if (!lupdate.waitForFinished(120000) || lupdate.exitCode() != 0)
        qFatal("lupdate failed: %s", lupdate.readAll().constData());
    QStringList keys;
    for (const auto& [key, message] : readCatalog(extracted))
        keys.append(key);
    return keys;
}

QString translationFile(AppLanguage language) {
    return QStringLiteral(QUILLMERE_SOURCE_DIR "/translations/quillmere_") + rawText(language) + u".ts"_s;
}

// %1 … %99 and %n; a key's arguments are filled the same way whatever the language.
// %Ln is the same count written with the locale's digit grouping.
QStringList placeholders(const QString& text) {
    static const QRegularExpression pattern(u"%L?(\\d{1,2}|n)"_s);
    QStringList found;
    for (const auto& match : pattern.globalMatch(text))
        found.append(u'%' + match.captured(1));
    found.sort();
    found.removeDuplicates();
    return found;
}

// Counts the LanguageChange events the application receives, as every widget would.
class LanguageChangeCounter : public QObject {
public:
    LanguageChangeCounter() { QCoreApplication::instance()->installEventFilter(this); }
    ~LanguageChangeCounter() override { QCoreApplication::instance()->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::LanguageChange)
            ++count;
        return false;
    }
};

const QLocale japanese(QLocale::Japanese, QLocale::Japan);
const QLocale english(QLocale::English, QLocale::UnitedStates);

} // namespace

// Both translations hold exactly the keys the sources use, with finished, matching texts,
// and the language environment switches between them at run time.
class TranslationsTest : public QObject {
    Q_OBJECT

    QStringList m_keys;
    std::map<AppLanguage, Catalog> m_catalogs;

private Q_SLOTS:
    void initTestCase() {
        m_keys = keysInSources();
        QVERIFY(m_keys.size() > 30);
        for (AppLanguage language : {AppLanguage::ja, AppLanguage::en})
            m_catalogs[language] = readCatalog(translationFile(language));
    }

    void bothTranslationsHoldExactlyTheKeysOfTheSources() {
        for (const auto& [language, catalog] : m_catalogs) {
            const QString name = rawText(language) + u": "_s;
            for (const QString& key : m_keys) {
                const auto found = catalog.find(key);
                QVERIFY2(found != catalog.end(), qPrintable(name + key + u" is missing"_s));
                // Vanished, obsolete or unfinished: the translation needs a look.
                QVERIFY2(found->second.type.isEmpty(),
                         qPrintable(name + key + u" is "_s + found->second.type));
            }
            for (const auto& [key, message] : catalog)
                QVERIFY2(!message.isLive() || m_keys.contains(key),
                         qPrintable(name + key + u" is used nowhere; mark it vanished"_s));
        }
    }

    void placeholdersAgreeBetweenLanguagesAndForms() {
        const Catalog& en = m_catalogs[AppLanguage::en];
        for (const auto& [key, ja] : m_catalogs[AppLanguage::ja]) {
            const auto other = en.find(key);
            if (other == en.end())
                continue; // reported by the key set check
            QCOMPARE(other->second.numerus, ja.numerus);
            // Japanese has one plural form, English two.
            QCOMPARE(ja.forms.size(), 1);
            QCOMPARE(other->second.forms.size(), ja.numerus ? 2 : 1);
            const QStringList expected = placeholders(ja.forms.value(0));
            for (const QString& form : ja.forms + other->second.forms)
                QVERIFY2(placeholders(form) == expected,
                         qPrintable(key + u": \""_s + form + u"\" does not use "_s + expected.join(u' ')));
            // A count is filled only into a plural message, and every plural form shows it.
            QCOMPARE(expected.contains(u"%n"_s), ja.numerus);
        }
    }

    // An empty answer from the compiled file is what makes qtTrId show the raw key: an empty
    // translation, or one left out of the build.
    void compiledTranslationsAnswerEveryKey() {
        for (AppLanguage language : {AppLanguage::ja, AppLanguage::en}) {
            QTranslator translator;
            QVERIFY(translator.load(LanguageEnvironment::translationPath(language)));
            for (const QString& key : m_keys)
                QVERIFY2(!translator.translate(nullptr, key.toUtf8().constData(), nullptr, 1).isEmpty(),
                         qPrintable(rawText(language) + u" does not answer "_s + key));
        }
    }

    void systemLanguageIsJapaneseOnlyForAJapaneseLocale_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<AppLanguage>("expected");
        QTest::newRow("ja_JP") << japanese << AppLanguage::ja;
        QTest::newRow("zh_CN") << QLocale(QLocale::Chinese, QLocale::China) << AppLanguage::en;
    }
    void systemLanguageIsJapaneseOnlyForAJapaneseLocale() {
        QFETCH(QLocale, locale);
        QFETCH(AppLanguage, expected);
        QCOMPARE(LanguageEnvironment::languageFor(std::nullopt, locale), expected);
        QCOMPARE(LanguageEnvironment::languageFor(AppLanguage::en, locale), AppLanguage::en);
        QCOMPARE(LanguageEnvironment::languageFor(AppLanguage::ja, locale), AppLanguage::ja);
    }

    void switchingRetranslatesAtOnceAndSignalsOnce() {
        {
            LanguageEnvironment environment(japanese);
            QCOMPARE(qtTrId("nav.goBack"), u"戻る"_s);
            environment.follow(AppLanguage::en);
            QCOMPARE(qtTrId("nav.goBack"), u"Back"_s);
        }
        LanguageEnvironment environment(english);
        QCOMPARE(qtTrId("nav.goBack"), u"Back"_s);
        QSignalSpy changed(&environment, &LanguageEnvironment::languageChanged);
        LanguageChangeCounter languageEvents;

        environment.follow(AppLanguage::ja);
        QCOMPARE(changed.count(), 1);
        QVERIFY(languageEvents.count >= 1);
        QCOMPARE(qtTrId("palette.errorNotFound").arg(u"写真"_s), u"「写真」が見つかりません。"_s);

        const int eventsBefore = languageEvents.count;
        environment.setLanguage(AppLanguage::ja);
        environment.follow(AppLanguage::ja);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(languageEvents.count, eventsBefore);

        // Clearing the setting on an English system goes back to English.
        environment.follow(std::nullopt);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(LanguageEnvironment::text(u"nav.goBack"_s), u"Back"_s);
    }

    void aMissingKeyReadsAsItselfAndNothingOutlivesTheEnvironment() {
        {
            LanguageEnvironment environment(japanese);
            QCOMPARE(qtTrId("no.such.key"), u"no.such.key"_s);
            QCOMPARE(LanguageEnvironment::text(u"no.such.key"_s), u"no.such.key"_s);
            QCOMPARE(LanguageEnvironment::text(u"no.such.key"_s, 3), u"no.such.key"_s);
        }
        QCOMPARE(qtTrId("nav.goBack"), u"nav.goBack"_s);
    }
};

QTEST_GUILESS_MAIN(TranslationsTest)
#include "TranslationsTest.moc"
