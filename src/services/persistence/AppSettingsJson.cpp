#include "services/persistence/AppSettingsJson.h"

#include "services/persistence/JsonDecodeError.h"
#include "services/persistence/StrictJson.h"

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

using Key = QLatin1StringView;

template <typename Enum, typename Parse>
Enum enumeration(const QJsonObject& object, Key key, Enum fallback, Parse parse) {
    if (!object.contains(key))
        return fallback;
    const auto value = parse(StrictJson::string(object.value(key), key));
    if (!value)
        throw JsonDecodeError(QString(key) + u": unknown value"_s);
    return *value;
}

} // namespace

QJsonObject AppSettingsJson::encode(const AppSettings& settings) {
    QJsonObject object;
    object.insert(Key("markGlyph"), settings.markGlyph());
    if (settings.markColorHex())
        object.insert(Key("markColorHex"), *settings.markColorHex());
    object.insert(Key("terminalApp"), rawText(settings.terminalApp()));
    object.insert(Key("terminalOpenMode"), rawText(settings.terminalOpenMode()));
    if (settings.language())
        object.insert(Key("language"), rawText(*settings.language()));
    return object;
}

AppSettings AppSettingsJson::decode(const QJsonValue& value) {
    const QJsonObject object = StrictJson::object(value, "settings");
    const AppSettings defaults;
    QString glyph = defaults.markGlyph();
    if (object.contains(Key("markGlyph")))
        glyph = StrictJson::string(object.value(Key("markGlyph")), Key("markGlyph"));
    std::optional<QString> color;
    if (object.contains(Key("markColorHex")))
        color = StrictJson::string(object.value(Key("markColorHex")), Key("markColorHex"));
    const TerminalApp app = enumeration(object, Key("terminalApp"), defaults.terminalApp(),
                                        [](const QString& text) { return terminalAppFromRawText(text); });
    const TerminalOpenMode mode =
        enumeration(object, Key("terminalOpenMode"), defaults.terminalOpenMode(),
                    [](const QString& text) { return terminalOpenModeFromRawText(text); });
    std::optional<AppLanguage> language;
    if (object.contains(Key("language")))
        language = enumeration(object, Key("language"), AppLanguage::en,
                               [](const QString& text) { return appLanguageFromRawText(text); });
    return AppSettings(glyph, color, app, mode, language);
}

} // namespace quillmere
