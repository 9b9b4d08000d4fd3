#include "models/transfer/TransferPlanner.h"

#include <QtTest>

using namespace Qt::StringLiterals;

using namespace quillmere;

// Conflicts are found by exact name; the i-th answer belongs to the i-th conflict.
class TransferPlannerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nothingToTransferPlansNothing() {
        QCOMPARE(planTransfer({}, u"/dest"_s, {u"a"_s}, {ConflictResolution::skip()}), TransferPlan());
    }

    void conflictsKeepSourceOrderAndCompareNamesExactly() {
        const QStringList sources{u"/s/b.txt"_s, u"/s/A.txt"_s, u"/s/c.txt"_s, u"/s/a.txt"_s};
        QCOMPARE(detectConflicts(sources, {u"a.txt"_s, u"b.txt"_s}),
                 (QStringList{u"/s/b.txt"_s, u"/s/a.txt"_s}));
        // Canonically equivalent spellings are one name: precomposed é against e + U+0301.
        QCOMPARE(detectConflicts({u"/s/caf\u00e9"_s}, {u"cafe\u0301"_s}), QStringList{u"/s/caf\u00e9"_s});
    }

    void resolutionsApplyToConflictsInOrder() {
        const QStringList sources{u"/s/one"_s, u"/s/two"_s, u"/s/three"_s};
        const QSet<QString> existing{u"two"_s};
        const TransferPlan skipped = planTransfer(sources, u"/d"_s, existing, {ConflictResolution::skip()});
        QCOMPARE(skipped.operations, (QList<TransferOperation>{{u"/s/one"_s, u"/d/one"_s, false},
                                                               {u"/s/three"_s, u"/d/three"_s, false}}));
        QCOMPARE(skipped.mappings,
                 (QList<PathMapping>{{u"/s/one"_s, u"/d/one"_s}, {u"/s/three"_s, u"/d/three"_s}}));

        const TransferPlan answered =
            planTransfer({u"/s/x"_s, u"/s/y"_s, u"/s/z"_s}, u"/d"_s, {u"x"_s, u"z"_s},
                         {ConflictResolution::rename(u"x 2"_s), ConflictResolution::overwrite()});
        QCOMPARE(answered.operations, (QList<TransferOperation>{{u"/s/x"_s, u"/d/x 2"_s, false},
                                                                {u"/s/y"_s, u"/d/y"_s, false},
                                                                {u"/s/z"_s, u"/d/z"_s, true}}));
    }

    void conflictWithoutResolutionIsLeftOut() {
        const TransferPlan plan = planTransfer({u"/s/a"_s, u"/s/b"_s, u"/s/c"_s}, u"/d"_s, {u"a"_s, u"c"_s},
                                               {ConflictResolution::overwrite()});
        QCOMPARE(plan.operations,
                 (QList<TransferOperation>{{u"/s/a"_s, u"/d/a"_s, true}, {u"/s/b"_s, u"/d/b"_s, false}}));
        QCOMPARE(plan.mappings.size(), 2);
    }

    void mappingsUseStandardisedPaths() {
        const TransferPlan plan = planTransfer({u"/a/./b"_s}, u"/d/../e/"_s, {}, {});
        QCOMPARE(plan.mappings, (QList<PathMapping>{{u"/a/b"_s, u"/e/b"_s}}));
        QCOMPARE(plan.operations.first().source, u"/a/./b"_s);
    }
};

QTEST_GUILESS_MAIN(TransferPlannerTest)
#include "TransferPlannerTest.moc"
