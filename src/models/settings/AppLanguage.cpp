#include "models/settings/AppLanguage.h"

namespace quillmere {

QString rawText(AppLanguage language) {
    return language == AppLanguage::ja ? QStringLiteral("ja") : QStringLiteral("en");
}

std::optional<AppLanguage> appLanguageFromRawText(QStringView text) {
    if (text == u"ja")
        return AppLanguage::ja;
    if (text == u"en")
        return AppLanguage::en;
    return std::nullopt;
}

} // namespace quillmere
