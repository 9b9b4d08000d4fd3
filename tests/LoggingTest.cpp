#include "services/desktop/LogLine.h"
#include "services/desktop/Logger.h"

#include <QtTest>

using namespace Qt::StringLiterals;

using namespace quillmere;

namespace {

struct Written {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<Written> written;

void recordMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    written.append({type, QByteArray(context.category), text});
}

} // namespace

// Log lines: the level prefix, a tab, File.function:line, ": " and the message, and
// which Qt message type and category each is written with.
class LoggingTest : public QObject {
    Q_OBJECT

    QtMessageHandler m_previous = nullptr;

private Q_SLOTS:
    void init() {
        written.clear();
        m_previous = qInstallMessageHandler(recordMessage);
    }
    void cleanup() {
        qInstallMessageHandler(m_previous);
        QLoggingCategory::setFilterRules(QString());
    }

    void placeIsTheFileNameWithoutFolderAndExtension() {
        const std::pair<const char*, QString> cases[] = {
            {"/work/src/views/ContentView.cpp", u"ContentView"_s},
            {"ContentView.h", u"ContentView"_s},
            {"src/a.b.cpp", u"a.b"_s},
            {"dir/ Spaced .cpp", u"Spaced"_s},
            {"dir/Makefile", u"Makefile"_s}};
        for (const auto& [file, name] : cases)
            QCOMPARE(LogLine::place(file, "openInTerminal", 503), u'\t' + name + u".openInTerminal:503"_s);
    }

    void levelsAreWrittenWithTheirMessageTypeInTheirCategory() {
        const int line = __LINE__ + 1;
        QUILLMERE_LOG(logTerminal(), LogLevel::error, u"Terminal error: 見つかりません"_s);
        QUILLMERE_LOG(logUI(), LogLevel::debug, u"key j"_s);

        QCOMPARE(written.size(), 2);
        QCOMPARE(written[0].type, QtCriticalMsg);
        QCOMPARE(written[0].category, QByteArray("org.quillmere.Quillmere.Terminal"));
        QCOMPARE(written[0].text,
                 u"💀 [ERROR]\tLoggingTest.levelsAreWrittenWithTheirMessageTypeInTheirCategory:"_s +
                     QString::number(line) + u": Terminal error: 見つかりません"_s);
        QCOMPARE(written[1].type, QtInfoMsg);
        QCOMPARE(written[1].category, QByteArray("org.quillmere.Quillmere.UI"));
    }

    void aDisabledTypeWritesNothing() {
        QLoggingCategory::setFilterRules(u"org.quillmere.Quillmere.UI.info=false"_s);
        QUILLMERE_LOG(logUI(), LogLevel::debug, u"hidden"_s);
        QUILLMERE_LOG(logUI(), LogLevel::error, u"shown"_s);
        QCOMPARE(written.size(), 1);
        QVERIFY(written[0].text.endsWith(u": shown"_s));
    }
};

QTEST_GUILESS_MAIN(LoggingTest)
#include "LoggingTest.moc"
