#include "models/commands/CommandCatalog.h"
#include "support/KeyCommandText.h"

#include <QTranslator>
#include <QtTest>

using namespace Qt::StringLiterals;

using namespace quillmere;
using C = KeyCommand::Case;

// Help, hints and the palette describe each binding once, grouped as the user sees
// them; menu shortcuts are described but never count as key commands.
class CommandCatalogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyCommandIsListedOnceInOneGroup() {
        QStringList titles;
        QList<KeyCommand> listed;
        for (const CommandCatalog::Category& category : CommandCatalog::categories()) {
            // The table keeps a group's rows together; a stray row would open the group twice.
            QVERIFY2(!titles.contains(category.titleKey), qPrintable(category.titleKey));
            titles.append(category.titleKey);
            for (const CommandCatalog::Entry& entry : category.entries) {
                QVERIFY(!entry.keyHint.isEmpty());
                if (entry.command)
                    listed.append(*entry.command);
            }
        }
        QList<KeyCommand> flattened;
        for (const CommandCatalog::Entry& entry : CommandCatalog::commandEntries())
            flattened.append(*entry.command);
        QCOMPARE(flattened, listed);

        const QList<KeyCommand> all = KeyCommand::allCommands();
        QCOMPARE(listed.size(), all.size());
        QStringList texts;
        for (const KeyCommand& command : all) {
            QVERIFY2(listed.count(command) == 1, qPrintable(command.text()));
            QCOMPARE(CommandCatalog::entry(command)->command, std::optional(command));
            texts.append(command.text());
        }
        // Log lines tell every command apart, sortBy by its key.
        texts.removeDuplicates();
        QCOMPARE(texts.size(), all.size());
    }

    void helpTextIsTheLabelAndTheKey() {
        // Without a translation a key reads as itself.
        QCOMPARE(CommandCatalog::helpText(C::showHelp), u"nav.showHelp ( ? )"_s);
        QTranslator english;
        QVERIFY(english.load(u":/i18n/quillmere_en.qm"_s));
        QCoreApplication::installTranslator(&english);
        QCOMPARE(CommandCatalog::helpText(C::goBack), qtTrId("nav.goBack") + u" ( b )");
        QVERIFY(qtTrId("nav.goBack") != u"nav.goBack");
        QCoreApplication::removeTranslator(&english);
    }
};

QTEST_GUILESS_MAIN(CommandCatalogTest)
#include "CommandCatalogTest.moc"
