#include "models/errors/OperationErrorText.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

// The parts in which the messages of the three multi-item operations differ.
struct Phrases {
    QString verb;            // what could not be done to the item
    QString restoredTo;      // where the rollback put everything
    QString checkAfterwards; // what the user should look at when the rollback failed
};

const QString openQuote = u"\u300C"_s;
const QString closeQuote = u"\u300D"_s;

template <typename Tag> QString compose(const ItemOperationError<Tag>& error, const Phrases& p) {
    using Case = typename ItemOperationError<Tag>::Case;
    const QString restored = u"すべての項目は"_s + p.restoredTo + u"に戻しました。"_s;
    switch (error.kind) {
    case Case::permissionDenied:
        return u"権限がないため"_s + openQuote + error.item + closeQuote + u"を"_s + p.verb +
               u"できませんでした。アクセス権を確認してください。"_s + restored;
    case Case::failed:
        if (error.reason.isEmpty())
            return openQuote + error.item + closeQuote + u"を"_s + p.verb + u"できませんでした。"_s +
                   restored;
        return openQuote + error.item + closeQuote + u"を"_s + p.verb + u"できませんでした: "_s +
               error.reason + u"。"_s + restored;
    case Case::rollbackFailed:
        if (error.stranded.isEmpty())
            return p.verb + u"に失敗し、復元にも失敗しました。"_s + p.checkAfterwards;
        return p.verb + u"に失敗し、次の項目を"_s + p.restoredTo + u"に戻せませんでした: "_s +
               error.stranded.join(u'\u3001') + u"。"_s + p.checkAfterwards;
    case Case::cancelled:
        if (error.stranded.isEmpty())
            return p.verb + u"を中止しました。"_s + restored;
        return p.verb + u"を中止しましたが、次の項目を"_s + p.restoredTo + u"に戻せませんでした: "_s +
               error.stranded.join(u'\u3001') + u"。"_s + p.checkAfterwards;
    }
    return {};
}

} // namespace

QString OperationErrorText::of(const DeleteError& error) {
    return compose(error, {u"削除"_s, u"元の場所"_s, u"ゴミ箱を確認してください。"_s});
}

QString OperationErrorText::of(const TransferError& error) {
    return compose(error, {u"移動またはコピー"_s, u"元の場所"_s,
                           u"移動元・移動先のフォルダとゴミ箱を確認してください。"_s});
}

QString OperationErrorText::of(const BatchRenameError& error) {
    return compose(error, {u"リネーム"_s, u"元の名前"_s, u"フォルダ内のファイル名を確認してください。"_s});
}

QString OperationErrorText::of(const RenameError& error) {
    switch (error.kind) {
    case RenameError::Case::collision:
        return u"同じ名前の項目が既に存在します。別の名前を入力してください。"_s;
    case RenameError::Case::permissionDenied:
        return u"権限がないため名前を変更できませんでした。アクセス権を確認してください。"_s;
    case RenameError::Case::other:
        if (error.description.isEmpty())
            return u"名前を変更できませんでした。"_s;
        return u"名前を変更できませんでした: "_s + error.description;
    }
    return {};
}

QString OperationErrorText::of(const PermanentDeleteError& error) {
    switch (error.kind) {
    case PermanentDeleteError::Case::permissionDenied:
        return qtTrId("deleteForGood.permissionDenied").arg(error.item);
    case PermanentDeleteError::Case::failed:
        if (error.reason.isEmpty())
            return qtTrId("deleteForGood.failed").arg(error.item);
        return qtTrId("deleteForGood.failedBecause").arg(error.item, error.reason);
    case PermanentDeleteError::Case::rollbackFailed:
        return qtTrId("deleteForGood.notDeleted").arg(error.stranded.join(qtTrId("recovery.separator")));
    case PermanentDeleteError::Case::cancelled: return qtTrId("deleteForGood.cancelled");
    }
    return {};
}

} // namespace quillmere
