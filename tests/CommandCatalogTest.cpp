#include "models/commands/CommandCatalog.h"
#include "support/KeyCommandText.h"

#include <QTranslator>
#include <QtTest>

using namespace quillmere;
using C = KeyCommand::Case;

namespace {

QStringList titleKeys() {
    QStringList keys;
    for (const CommandCatalog::Category& category : CommandCatalog::categories())
        keys.append(category.titleKey);
    return keys;
}

} // namespace

// Help, hints and the palette describe each binding once, grouped as the user sees
// them; menu shortcuts are described but never count as key commands.
class CommandCatalogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyCommandIsInExactlyOneOfEightCategories() {
        QCOMPARE(titleKeys(),
                 (QStringList{u"help.section.navigation"_qs, u"help.section.view"_qs, u"help.section.file"_qs,
                              u"help.section.mark"_qs, u"help.section.batch"_qs, u"help.section.tab"_qs,
                              u"help.section.app"_qs, u"help.section.help"_qs}));
        qsizetype entryCount = 0;
        QList<KeyCommand> listed;
        for (const CommandCatalog::Category& category : CommandCatalog::categories()) {
            entryCount += category.entries.size();
            for (const CommandCatalog::Entry& entry : category.entries) {
                // Only the application's menu shortcuts stand for no command.
                QCOMPARE(!entry.command, category.titleKey == u"help.section.app");
                if (entry.command)
                    listed.append(*entry.command);
            }
        }
        QCOMPARE(entryCount, 31);
        QCOMPARE(listed.size(), 25);
        for (const KeyCommand& command : KeyCommand::allCommands())
            QVERIFY2(listed.count(command) == 1, qPrintable(command.text()));

        QList<KeyCommand> flattened;
        for (const CommandCatalog::Entry& entry : CommandCatalog::commandEntries())
            flattened.append(*entry.command);
        QCOMPARE(flattened, listed);
    }

    void findsTheEntryOfACommand() {
        const std::optional<CommandCatalog::Entry> size =
            CommandCatalog::entry(KeyCommand::sortBy(SortKey::size));
        QVERIFY(size);
        QCOMPARE(size->labelKey, u"nav.sortBySize"_qs);
        QCOMPARE(size->keyHint, u"3"_qs);
        QCOMPARE(CommandCatalog::entry(KeyCommand::sortBy(SortKey::dateModified))->labelKey,
                 u"nav.sortByDate"_qs);
        QCOMPARE(CommandCatalog::entry(KeyCommand::sortBy(SortKey::kind))->labelKey, u"nav.sortByKind"_qs);
        QCOMPARE(CommandCatalog::entry(C::openSelection)->keyHint, u"\u21A9"_qs);
        QCOMPARE(CommandCatalog::entry(C::toggleMark)->keyHint, u"Space"_qs);
        QCOMPARE(CommandCatalog::entry(C::clearMarks)->keyHint, u"Esc"_qs);
        QCOMPARE(CommandCatalog::entry(C::createFolder)->keyHint, u"N"_qs);
    }

    void helpTextIsTheLabelAndTheKey() {
        // Without a translation a key reads as itself.
        QCOMPARE(CommandCatalog::helpText(C::showHelp), u"nav.showHelp ( ? )"_qs);
        QTranslator english;
        QVERIFY(english.load(u":/i18n/quillmere_en.qm"_qs));
        QCoreApplication::installTranslator(&english);
        QCOMPARE(CommandCatalog::helpText(C::goBack), qtTrId("nav.goBack") + u" ( b )");
        QVERIFY(qtTrId("nav.goBack") != u"nav.goBack");
        QCoreApplication::removeTranslator(&english);
    }

    void commandsReadAsTheirCaseNames() {
        QCOMPARE(KeyCommand(C::goBack).text(), u"goBack"_qs);
        QCOMPARE(KeyCommand::sortBy(SortKey::dateModified).text(), u"sortBy(dateModified)"_qs);
        QVERIFY(KeyCommand::sortBy(SortKey::size) != KeyCommand::sortBy(SortKey::kind));
        QCOMPARE(KeyCommand(C::goBack, SortKey::size), KeyCommand(C::goBack));
    }
};

QTEST_GUILESS_MAIN(CommandCatalogTest)
#include "CommandCatalogTest.moc"
