#include "services/desktop/LogLine.h"
#include "services/desktop/Logger.h"

#include <QtTest>

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
            {"/work/src/views/ContentView.cpp", u"ContentView"_qs},
            {"ContentView.h", u"ContentView"_qs},
            {"src/a.b.cpp", u"a.b"_qs},
            {"dir/ Spaced .cpp", u"Spaced"_qs},
            {"dir/Makefile", u"Makefile"_qs}};
        for (const auto& [file, name] : cases)
            QCOMPARE(LogLine::place(file, "openInTerminal", 503), u'\t' + name + u".openInTerminal:503"_qs);
    }

    void levelsAreWrittenWithTheirMessageTypeInTheirCategory() {
        const int line = __LINE__ + 1;
        QUILLMERE_LOG(logTerminal(), LogLevel::error, QStringLiteral("Terminal error: 見つかりません"));
        QUILLMERE_LOG(logUI(), LogLevel::debug, QStringLiteral("key j"));

        QCOMPARE(written.size(), 2);
        QCOMPARE(written[0].type, QtCriticalMsg);
        QCOMPARE(written[0].category, QByteArray("org.quillmere.Quillmere.Terminal"));
        QCOMPARE(
            written[0].text,
            QStringLiteral("💀 [ERROR]\tLoggingTest.levelsAreWrittenWithTheirMessageTypeInTheirCategory:") +
                QString::number(line) + QStringLiteral(": Terminal error: 見つかりません"));
        QCOMPARE(written[1].type, QtInfoMsg);
        QCOMPARE(written[1].category, QByteArray("org.quillmere.Quillmere.UI"));
    }

    void aDisabledTypeWritesNothing() {
        QLoggingCategory::setFilterRules(QStringLiteral("org.quillmere.Quillmere.UI.info=false"));
        QUILLMERE_LOG(logUI(), LogLevel::debug, QStringLiteral("hidden"));
        QUILLMERE_LOG(logUI(), LogLevel::error, QStringLiteral("shown"));
        QCOMPARE(written.size(), 1);
        QVERIFY(written[0].text.endsWith(QStringLiteral(": shown")));
    }
};

QTEST_GUILESS_MAIN(LoggingTest)
#include "LoggingTest.moc"
