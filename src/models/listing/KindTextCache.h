#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <unordered_map>

namespace quillmere {

// KindDescription for the entries of one listing, computed once per distinct
// extension so that a folder of a million files holds a handful of kind texts
// instead of building one per file.
class KindTextCache final {
public:
    QString kindOf(QStringView name, bool isDirectory);

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::u16string_view text) const { return std::hash<std::u16string_view>()(text); }
    };
    std::unordered_map<std::u16string, QString, Hash, std::equal_to<>> m_byExtension;
};

} // namespace quillmere
