#include "models/errors/OperationErrorText.h"

namespace quillmere {
namespace {

// The parts in which the messages of the three multi-item operations differ.
struct Phrases {
    QString verb;            // what could not be done to the item
    QString restoredTo;      // where the rollback put everything
    QString checkAfterwards; // what the user should look at when the rollback failed
};

const QString openQuote = QStringLiteral("\u300C");
const QString closeQuote = QStringLiteral("\u300D");

template <typename Tag> QString compose(const ItemOperationError<Tag>& error, const Phrases& p) {
    using Case = typename ItemOperationError<Tag>::Case;
    const QString restored = u"すべての項目は"_qs + p.restoredTo + u"に戻しました。"_qs;
    switch (error.kind) {
    case Case::permissionDenied:
        return u"権限がないため"_qs + openQuote + error.item + closeQuote + u"を"_qs + p.verb +
               u"できませんでした。アクセス権を確認してください。"_qs + restored;
    case Case::failed:
        if (error.reason.isEmpty())
            return openQuote + error.item + closeQuote + u"を"_qs + p.verb + u"できませんでした。"_qs +
                   restored;
        return openQuote + error.item + closeQuote + u"を"_qs + p.verb + u"できませんでした: "_qs +
               error.reason + u"。"_qs + restored;
    case Case::rollbackFailed:
        if (error.stranded.isEmpty())
            return p.verb + u"に失敗し、復元にも失敗しました。"_qs + p.checkAfterwards;
        return p.verb + u"に失敗し、次の項目を"_qs + p.restoredTo + u"に戻せませんでした: "_qs +
               error.stranded.join(u'\u3001') + u"。"_qs + p.checkAfterwards;
    }
    return {};
}

} // namespace

QString OperationErrorText::of(const DeleteError& error) {
    return compose(error, {u"削除"_qs, u"元の場所"_qs, u"ゴミ箱を確認してください。"_qs});
}

QString OperationErrorText::of(const TransferError& error) {
    return compose(error, {u"移動またはコピー"_qs, u"元の場所"_qs,
                           u"移動元・移動先のフォルダとゴミ箱を確認してください。"_qs});
}

QString OperationErrorText::of(const BatchRenameError& error) {
    return compose(error, {u"リネーム"_qs, u"元の名前"_qs, u"フォルダ内のファイル名を確認してください。"_qs});
}

QString OperationErrorText::of(const RenameError& error) {
    switch (error.kind) {
    case RenameError::Case::collision:
        return u"同じ名前の項目が既に存在します。別の名前を入力してください。"_qs;
    case RenameError::Case::permissionDenied:
        return u"権限がないため名前を変更できませんでした。アクセス権を確認してください。"_qs;
    case RenameError::Case::other:
        if (error.description.isEmpty())
            return u"名前を変更できませんでした。"_qs;
        return u"名前を変更できませんでした: "_qs + error.description;
    }
    return {};
}

} // namespace quillmere
