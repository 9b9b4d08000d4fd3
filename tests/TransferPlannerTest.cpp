#include "models/transfer/TransferPlanner.h"

#include <QtTest>

using namespace quillmere;

// Conflicts are found by exact name; the i-th answer belongs to the i-th conflict.
class TransferPlannerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nothingToTransferPlansNothing() {
        QVERIFY(detectConflicts({}, {u"a"_qs}).isEmpty());
        QCOMPARE(planTransfer({}, u"/dest"_qs, {u"a"_qs}, {ConflictResolution::skip()}), TransferPlan());
    }

    void conflictsKeepSourceOrderAndCompareNamesExactly() {
        const QStringList sources{u"/s/b.txt"_qs, u"/s/A.txt"_qs, u"/s/c.txt"_qs, u"/s/a.txt"_qs};
        QCOMPARE(detectConflicts(sources, {u"a.txt"_qs, u"b.txt"_qs}),
                 (QStringList{u"/s/b.txt"_qs, u"/s/a.txt"_qs}));
        // Canonically equivalent spellings are one name: precomposed é against e + U+0301.
        QCOMPARE(detectConflicts({u"/s/caf\u00e9"_qs}, {u"cafe\u0301"_qs}), QStringList{u"/s/caf\u00e9"_qs});
    }

    void resolutionsApplyToConflictsInOrder() {
        const QStringList sources{u"/s/one"_qs, u"/s/two"_qs, u"/s/three"_qs};
        const QSet<QString> existing{u"two"_qs};
        const TransferPlan skipped = planTransfer(sources, u"/d"_qs, existing, {ConflictResolution::skip()});
        QCOMPARE(skipped.operations, (QList<TransferOperation>{{u"/s/one"_qs, u"/d/one"_qs, false},
                                                               {u"/s/three"_qs, u"/d/three"_qs, false}}));
        QCOMPARE(skipped.mappings,
                 (QList<PathMapping>{{u"/s/one"_qs, u"/d/one"_qs}, {u"/s/three"_qs, u"/d/three"_qs}}));

        const TransferPlan answered =
            planTransfer({u"/s/x"_qs, u"/s/y"_qs, u"/s/z"_qs}, u"/d"_qs, {u"x"_qs, u"z"_qs},
                         {ConflictResolution::rename(u"x 2"_qs), ConflictResolution::overwrite()});
        QCOMPARE(answered.operations, (QList<TransferOperation>{{u"/s/x"_qs, u"/d/x 2"_qs, false},
                                                                {u"/s/y"_qs, u"/d/y"_qs, false},
                                                                {u"/s/z"_qs, u"/d/z"_qs, true}}));
    }

    void conflictWithoutResolutionIsLeftOut() {
        const TransferPlan plan = planTransfer({u"/s/a"_qs, u"/s/b"_qs, u"/s/c"_qs}, u"/d"_qs,
                                               {u"a"_qs, u"c"_qs}, {ConflictResolution::overwrite()});
        QCOMPARE(plan.operations,
                 (QList<TransferOperation>{{u"/s/a"_qs, u"/d/a"_qs, true}, {u"/s/b"_qs, u"/d/b"_qs, false}}));
        QCOMPARE(plan.mappings.size(), 2);
    }

    void mappingsUseStandardisedPaths() {
        const TransferPlan plan = planTransfer({u"/a/./b"_qs}, u"/d/../e/"_qs, {}, {});
        QCOMPARE(plan.mappings, (QList<PathMapping>{{u"/a/b"_qs, u"/e/b"_qs}}));
        QCOMPARE(plan.operations.first().source, u"/a/./b"_qs);
    }
};

QTEST_GUILESS_MAIN(TransferPlannerTest)
#include "TransferPlannerTest.moc"
