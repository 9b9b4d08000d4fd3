#include "models/errors/OperationErrorText.h"

#include <QtTest>

using namespace Qt::StringLiterals;

using namespace quillmere;

// The user's message for every shape of error. The three multi-item operations share one
// sentence pattern, so delete is checked in every case and the others where their
// phrases (verb, where things went back to, what to check) appear.
class OperationErrorTextTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void messagesOfEveryErrorCase_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QStringList ab{u"a"_s, u"b"_s};
        QTest::newRow("delete failed")
            << OperationErrorText::of(DeleteError::failed(u"x"_s, u"理由"_s))
            << u"「x」を削除できませんでした: 理由。すべての項目は元の場所に戻しました。"_s;
        QTest::newRow("delete failed, no reason")
            << OperationErrorText::of(DeleteError::failed(u"x"_s, {}))
            << u"「x」を削除できませんでした。すべての項目は元の場所に戻しました。"_s;
        QTest::newRow("delete stranded")
            << OperationErrorText::of(DeleteError::rollbackFailed(ab))
            << u"削除に失敗し、次の項目を元の場所に戻せませんでした: a、b。ゴミ箱を確認してください。"_s;
        QTest::newRow("delete stranded, none named")
            << OperationErrorText::of(DeleteError::rollbackFailed({}))
            << u"削除に失敗し、復元にも失敗しました。ゴミ箱を確認してください。"_s;
        QTest::newRow("transfer stranded")
            << OperationErrorText::of(TransferError::rollbackFailed(ab))
            << u"移動またはコピーに失敗し、次の項目を元の場所に戻せませんでした: a、b。移動元・移動先のフォルダとゴミ箱を確認してください。"_s;
        QTest::newRow("batch stranded")
            << OperationErrorText::of(BatchRenameError::rollbackFailed(ab))
            << u"リネームに失敗し、次の項目を元の名前に戻せませんでした: a、b。フォルダ内のファイル名を確認してください。"_s;
        QTest::newRow("rename other")
            << OperationErrorText::of(RenameError::other(u"Busy"_s)) << u"名前を変更できませんでした: Busy"_s;
        QTest::newRow("rename other, empty")
            << OperationErrorText::of(RenameError::other({})) << u"名前を変更できませんでした。"_s;
    }
    void messagesOfEveryErrorCase() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }
};

QTEST_GUILESS_MAIN(OperationErrorTextTest)
#include "OperationErrorTextTest.moc"
