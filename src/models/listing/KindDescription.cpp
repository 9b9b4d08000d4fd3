#include "models/listing/KindDescription.h"

namespace quillmere {
namespace {

// Shared texts, so that a listing of many files holds one copy of each.
struct KindTexts {
    QString folder = QStringLiteral("Folder");
    QString file = QStringLiteral("File");
    QString swift = QStringLiteral("Swift");
    QString markdown = QStringLiteral("Markdown");
    QString plainText = QStringLiteral("Plain Text");
    QString json = QStringLiteral("JSON");
    QString yaml = QStringLiteral("YAML");
    QString image = QStringLiteral("Image");
    QString pdf = QStringLiteral("PDF");
};

const KindTexts& texts() {
    static const KindTexts shared;
    return shared;
}

} // namespace

QStringView KindDescription::pathExtension(QStringView name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot <= 0 || dot == name.size() - 1)
        return {};
    return name.mid(dot + 1);
}

QString KindDescription::of(QStringView name, bool isDirectory) {
    const KindTexts& t = texts();
    if (isDirectory)
        return t.folder;
    const QStringView extension = pathExtension(name);
    if (extension.isEmpty())
        return t.file;
    auto is = [&](QStringView candidate) { return extension.compare(candidate, Qt::CaseInsensitive) == 0; };
    if (is(u"swift"))
        return t.swift;
    if (is(u"md") || is(u"markdown"))
        return t.markdown;
    if (is(u"txt"))
        return t.plainText;
    if (is(u"json"))
        return t.json;
    if (is(u"yml") || is(u"yaml"))
        return t.yaml;
    if (is(u"png") || is(u"jpg") || is(u"jpeg") || is(u"gif") || is(u"heic") || is(u"webp"))
        return t.image;
    if (is(u"pdf"))
        return t.pdf;
    return extension.toString().toLower().toUpper();
}

} // namespace quillmere
