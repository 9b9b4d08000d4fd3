#include "models/rename/BatchRenameRule.h"

namespace quillmere {

BatchRenameRule BatchRenameRule::sequential(QString base, qint64 start, qint64 digits) {
    BatchRenameRule rule;
    rule.kind = Kind::sequential;
    rule.base = std::move(base);
    rule.start = start;
    rule.digits = digits;
    return rule;
}

BatchRenameRule BatchRenameRule::replace(QString find, QString with) {
    BatchRenameRule rule;
    rule.kind = Kind::replace;
    rule.find = std::move(find);
    rule.with = std::move(with);
    return rule;
}

BatchRenameRule BatchRenameRule::affix(QString prefix, QString suffix) {
    BatchRenameRule rule;
    rule.kind = Kind::affix;
    rule.prefix = std::move(prefix);
    rule.suffix = std::move(suffix);
    return rule;
}

BatchRenameRule BatchRenameRule::regex(QString pattern, QString templateText) {
    BatchRenameRule rule;
    rule.kind = Kind::regex;
    rule.pattern = std::move(pattern);
    rule.templateText = std::move(templateText);
    return rule;
}

bool BatchRenameRule::operator==(const BatchRenameRule& other) const {
    if (kind != other.kind)
        return false;
    switch (kind) {
    case Kind::sequential: return base == other.base && start == other.start && digits == other.digits;
    case Kind::replace: return find == other.find && with == other.with;
    case Kind::affix: return prefix == other.prefix && suffix == other.suffix;
    case Kind::regex: return pattern == other.pattern && templateText == other.templateText;
    }
    return false;
}

} // namespace quillmere
