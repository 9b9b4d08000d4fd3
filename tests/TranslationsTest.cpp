#include "services/desktop/LanguageEnvironment.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

#include <map>
#include <set>

using namespace quillmere;

namespace {

// One message of a .ts file: its forms are the plain translation, or one per plural form.
struct Message {
    bool numerus = false;
    QString type; // "unfinished", "obsolete", …; empty when the translation is done
    QStringList forms;
};

using Catalog = std::map<QString, Message>;

QString repositoryPath(const QString& relative) {
    // The test's own source file locates the checkout, so it runs from any build folder.
    return QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + u"/../"_qs + relative;
}

QString translationFile(AppLanguage language) {
    return repositoryPath(u"translations/quillmere_"_qs + rawText(language) + u".ts"_qs);
}

Catalog readCatalog(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    Catalog catalog;
    QXmlStreamReader xml(&file);
    QString id;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"message") {
            id = xml.attributes().value(u"id"_qs).toString();
            if (id.isEmpty() || catalog.contains(id))
                qFatal("%s: a message without an id, or %s twice", qPrintable(path), qPrintable(id));
            catalog[id].numerus = xml.attributes().value(u"numerus"_qs) == u"yes";
        } else if (xml.name() == u"translation") {
            Message& message = catalog[id];
            message.type = xml.attributes().value(u"type"_qs).toString();
            if (!message.numerus)
                message.forms = {xml.readElementText()};
        } else if (xml.name() == u"numerusform") {
            catalog[id].forms.append(xml.readElementText());
        }
    }
    if (xml.hasError())
        qFatal("%s: %s", qPrintable(path), qPrintable(xml.errorString()));
    return catalog;
}

std::set<QString> keysOf(const Catalog& catalog) {
    std::set<QString> keys;
    for (const auto& entry : catalog)
        keys.insert(entry.first);
    return keys;
}

std::set<QString> listedKeys() {
    QFile file(repositoryPath(u"translations/keys.txt"_qs));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read keys.txt");
    std::set<QString> keys;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n'))
        if (!line.isEmpty() && !line.startsWith(u'#'))
            keys.insert(line);
    return keys;
}

QString describe(const std::set<QString>& keys) {
    return QStringList(keys.begin(), keys.end()).join(u", "_qs);
}

std::set<QString> missingFrom(const std::set<QString>& wanted, const std::set<QString>& present) {
    std::set<QString> missing;
    for (const QString& key : wanted)
        if (!present.contains(key))
            missing.insert(key);
    return missing;
}

// %1 … %99 and %n; a key's arguments are filled the same way whatever the language.
QStringList placeholders(const QString& text) {
    static const QRegularExpression pattern(u"%(\\d{1,2}|n)"_qs);
    QStringList found;
    for (const auto& match : pattern.globalMatch(text))
        found.append(match.captured());
    found.sort();
    found.removeDuplicates();
    return found;
}

// Comments are dropped first so that prose about the lookup forms is not read as keys.
QString withoutComments(const QString& source) {
    QString stripped;
    stripped.reserve(source.size());
    enum class State { code, string, character, lineComment, blockComment } state = State::code;
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar c = source[i];
        const QChar next = i + 1 < source.size() ? source[i + 1] : QChar();
        switch (state) {
        case State::code:
            if (c == u'/' && next == u'/') {
                state = State::lineComment;
                continue;
            }
            if (c == u'/' && next == u'*') {
                state = State::blockComment;
                ++i;
                continue;
            }
            if (c == u'"')
                state = State::string;
            else if (c == u'\'')
                state = State::character;
            stripped.append(c);
            break;
        case State::string:
        case State::character:
            stripped.append(c);
            if (c == u'\\') {
                stripped.append(next);
                ++i;
            } else if (c == (state == State::string ? u'"' : u'\'')) {
                state = State::code;
            }
            break;
        case State::lineComment:
            if (c == u'\n') {
                state = State::code;
                stripped.append(c);
            }
            break;
        case State::blockComment:
            if (c == u'*' && next == u'/') {
                state = State::code;
                ++i;
            }
            break;
        }
    }
    return stripped;
}

// The keys a source text names: string literals given to qtTrId or QT_TRID_NOOP.
std::set<QString> keysNamedIn(const QString& source) {
    static const QRegularExpression lookup(
        u"\\b(?:qtTrId|QT_TRID_NOOP)\\s*\\(\\s*\"((?:[^\"\\\\]|\\\\.)*)\""_qs);
    std::set<QString> keys;
    for (const auto& match : lookup.globalMatch(withoutComments(source)))
        keys.insert(match.captured(1));
    return keys;
}

std::map<QString, std::set<QString>> keysUsedInSources() {
    std::map<QString, std::set<QString>> usedBy;
    QDirIterator files(repositoryPath(u"src"_qs), {u"*.cpp"_qs, u"*.h"_qs}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(file.fileName()));
        for (const QString& key : keysNamedIn(QString::fromUtf8(file.readAll())))
            usedBy[key].insert(QFileInfo(file.fileName()).fileName());
    }
    return usedBy;
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

// Both translations hold every key of the interface with finished, matching texts, and the
// language environment switches between them at run time.
class TranslationsTest : public QObject {
    Q_OBJECT

    Catalog m_ja;
    Catalog m_en;

private Q_SLOTS:
    void initTestCase() {
        m_ja = readCatalog(translationFile(AppLanguage::ja));
        m_en = readCatalog(translationFile(AppLanguage::en));
    }

    void bothTranslationsHoldExactlyTheListedKeys() {
        const std::set<QString> listed = listedKeys();
        QVERIFY(listed.size() > 100);
        for (const auto& [name, catalog] : {std::pair{u"ja"_qs, &m_ja}, std::pair{u"en"_qs, &m_en}}) {
            const std::set<QString> keys = keysOf(*catalog);
            QVERIFY2(missingFrom(listed, keys).empty(),
                     qPrintable(name + u" lacks: "_qs + describe(missingFrom(listed, keys))));
            QVERIFY2(missingFrom(keys, listed).empty(), qPrintable(name + u" has keys not in keys.txt: "_qs +
                                                                   describe(missingFrom(keys, listed))));
        }
    }

    void everyTranslationIsFinishedAndNotEmpty() {
        for (const auto& [name, catalog, pluralForms] :
             {std::tuple{u"ja"_qs, &m_ja, 1}, std::tuple{u"en"_qs, &m_en, 2}}) {
            for (const auto& [key, message] : *catalog) {
                const QString where = name + u": "_qs + key;
                QVERIFY2(message.type.isEmpty(), qPrintable(where + u" is "_qs + message.type));
                QCOMPARE(message.forms.size(), message.numerus ? pluralForms : 1);
                for (const QString& form : message.forms)
                    QVERIFY2(!form.trimmed().isEmpty(), qPrintable(where + u" is empty"_qs));
            }
        }
    }

    void placeholdersAgreeBetweenLanguagesAndForms() {
        for (const auto& [key, ja] : m_ja) {
            const auto en = m_en.find(key);
            if (en == m_en.end())
                continue; // reported by the key set check
            QCOMPARE(en->second.numerus, ja.numerus);
            const QStringList expected = placeholders(ja.forms.value(0));
            for (const QString& form : ja.forms + en->second.forms)
                QVERIFY2(placeholders(form) == expected,
                         qPrintable(key + u": \""_qs + form + u"\" does not use "_qs + expected.join(u' ')));
            // A count is filled only into a plural message, and every plural form shows it.
            QCOMPARE(expected.contains(u"%n"_qs), ja.numerus);
        }
    }

    void keyScannerFindsBothLookupFormsOutsideComments() {
        const QString source =
            u"// qtTrId(\"in.lineComment\")\n"
            u"/* QT_TRID_NOOP(\"in.blockComment\") */\n"
            u"const QString url = \"http://example.org\"; label->setText(qtTrId(\"nav.goBack\"));\n"
            u"const char* keys[] = {QT_TRID_NOOP ( \"help.title\" ), QT_TRID_NOOP(\"Tab %lld\")};\n"
            u"const QString count = qtTrId(\"%lld items\", n); tr(\"Not a key\");\n"_qs;
        QCOMPARE(keysNamedIn(source),
                 (std::set<QString>{u"nav.goBack"_qs, u"help.title"_qs, u"Tab %lld"_qs, u"%lld items"_qs}));
    }

    void everyKeyUsedInTheSourcesIsTranslated() {
        const std::set<QString> ja = keysOf(m_ja);
        const std::set<QString> en = keysOf(m_en);
        for (const auto& [key, files] : keysUsedInSources()) {
            const QString where = key + u" (used in "_qs + describe(files) + u")"_qs;
            QVERIFY2(ja.contains(key), qPrintable(u"ja lacks "_qs + where));
            QVERIFY2(en.contains(key), qPrintable(u"en lacks "_qs + where));
        }
    }

    void compiledTranslationsAnswerEveryKeyInTheirLanguage() {
        const std::set<QString> listed = listedKeys();
        for (AppLanguage language : {AppLanguage::ja, AppLanguage::en}) {
            QTranslator translator;
            QVERIFY(translator.load(LanguageEnvironment::translationPath(language)));
            // An empty answer is what makes qtTrId show the raw key.
            for (const QString& key : listed)
                QVERIFY2(!translator.translate(nullptr, key.toUtf8().constData(), nullptr, 1).isEmpty(),
                         qPrintable(rawText(language) + u" does not answer "_qs + key));
        }

        QTranslator ja;
        QVERIFY(ja.load(LanguageEnvironment::translationPath(AppLanguage::ja)));
        QCOMPARE(ja.translate(nullptr, "nav.goBack"), u"戻る"_qs);
        QCOMPARE(ja.translate(nullptr, "settings.tab.general"), u"一般"_qs);
        QCOMPARE(ja.translate(nullptr, "Date Modified"), u"変更日"_qs);
        QTranslator en;
        QVERIFY(en.load(LanguageEnvironment::translationPath(AppLanguage::en)));
        QCOMPARE(en.translate(nullptr, "nav.goBack"), u"Back"_qs);
        QCOMPARE(en.translate(nullptr, "settings.tab.general"), u"General"_qs);
        QCOMPARE(en.translate(nullptr, "新規フォルダ"), u"New folder"_qs);
    }

    void systemLanguageIsJapaneseOnlyForAJapaneseLocale_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<AppLanguage>("expected");
        QTest::newRow("ja_JP") << japanese << AppLanguage::ja;
        QTest::newRow("ja") << QLocale(u"ja"_qs) << AppLanguage::ja;
        QTest::newRow("en_US") << english << AppLanguage::en;
        QTest::newRow("fr_FR") << QLocale(QLocale::French, QLocale::France) << AppLanguage::en;
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << AppLanguage::en;
        QTest::newRow("zh_CN") << QLocale(QLocale::Chinese, QLocale::China) << AppLanguage::en;
        QTest::newRow("C") << QLocale::c() << AppLanguage::en;
    }

    void systemLanguageIsJapaneseOnlyForAJapaneseLocale() {
        QFETCH(QLocale, locale);
        QFETCH(AppLanguage, expected);
        QCOMPARE(LanguageEnvironment::systemLanguage(locale), expected);
        QCOMPARE(LanguageEnvironment::languageFor(std::nullopt, locale), expected);
        QCOMPARE(LanguageEnvironment::languageFor(AppLanguage::en, locale), AppLanguage::en);
        QCOMPARE(LanguageEnvironment::languageFor(AppLanguage::ja, locale), AppLanguage::ja);
    }

    void environmentStartsInTheSystemLanguage() {
        {
            LanguageEnvironment environment(japanese);
            QCOMPARE(environment.language(), AppLanguage::ja);
            QCOMPARE(qtTrId("nav.goBack"), u"戻る"_qs);
        }
        LanguageEnvironment environment(QLocale(QLocale::French, QLocale::France));
        QCOMPARE(environment.language(), AppLanguage::en);
        QCOMPARE(qtTrId("nav.goBack"), u"Back"_qs);
    }

    void switchingRetranslatesAtOnceAndSignalsOnce() {
        LanguageEnvironment environment(english);
        QSignalSpy changed(&environment, &LanguageEnvironment::languageChanged);
        LanguageChangeCounter languageEvents;

        environment.follow(AppLanguage::ja);
        QCOMPARE(changed.count(), 1);
        QVERIFY(languageEvents.count >= 1);
        QCOMPARE(environment.language(), AppLanguage::ja);
        QCOMPARE(qtTrId("help.title"), u"キーボードショートカット"_qs);

        const int eventsBefore = languageEvents.count;
        environment.setLanguage(AppLanguage::ja);
        environment.follow(AppLanguage::ja);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(languageEvents.count, eventsBefore);

        // Clearing the setting on an English system goes back to English.
        environment.follow(std::nullopt);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(environment.language(), AppLanguage::en);
        QCOMPARE(qtTrId("help.title"), u"Keyboard shortcuts"_qs);
    }

    void englishChosenOnAJapaneseSystemStaysEnglish() {
        LanguageEnvironment environment(japanese);
        environment.follow(AppLanguage::en);
        QCOMPARE(qtTrId("nav.openSelection"), u"Open"_qs);
    }

    void lookupsFillCountsAndArguments() {
        LanguageEnvironment environment(japanese);
        QCOMPARE(LanguageEnvironment::text(u"delete.message"_qs, 3),
                 u"マークした 3 件の項目をゴミ箱に移動しますか？"_qs);
        QCOMPARE(qtTrId("palette.errorNotFound").arg(u"写真"_qs), u"「写真」が見つかりません。"_qs);

        environment.setLanguage(AppLanguage::en);
        QCOMPARE(LanguageEnvironment::text(u"delete.message"_qs, 1), u"Move 1 marked item to the trash?"_qs);
        QCOMPARE(LanguageEnvironment::text(u"delete.message"_qs, 4), u"Move 4 marked items to the trash?"_qs);
        QCOMPARE(
            qtTrId("conflict.message.withDest", 2).arg(u"Documents"_qs),
            u"2 items with the same names already exist in “Documents”. Choose what to do with each."_qs);
        QCOMPARE(qtTrId("%lld / %lld").arg(3).arg(10), u"3 / 10"_qs);
    }

    void aMissingKeyReadsAsItselfAndNothingOutlivesTheEnvironment() {
        {
            LanguageEnvironment environment(japanese);
            QCOMPARE(qtTrId("no.such.key"), u"no.such.key"_qs);
            QCOMPARE(LanguageEnvironment::text(u"no.such.key"_qs), u"no.such.key"_qs);
        }
        QCOMPARE(qtTrId("nav.goBack"), u"nav.goBack"_qs);
    }
};

QTEST_GUILESS_MAIN(TranslationsTest)
#include "TranslationsTest.moc"
