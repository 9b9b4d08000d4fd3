#include "models/settings/AppLanguage.h"

using namespace Qt::StringLiterals;

namespace quillmere {

QString rawText(AppLanguage language) {
    return language == AppLanguage::ja ? u"ja"_s : u"en"_s;
}

std::optional<AppLanguage> appLanguageFromRawText(QStringView text) {
    if (text == u"ja")
        return AppLanguage::ja;
    if (text == u"en")
        return AppLanguage::en;
    return std::nullopt;
}

} // namespace quillmere
