#pragma once

#include <QString>

#include <optional>

namespace quillmere {

// The interface languages.
enum class AppLanguage { ja, en };

QString rawText(AppLanguage language);
std::optional<AppLanguage> appLanguageFromRawText(QStringView text);

} // namespace quillmere
