#include "models/listing/KindDescription.h"

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

// Shared texts, so that a listing of many files holds one copy of each.
struct KindTexts {
    QString folder = u"Folder"_s;
    QString file = u"File"_s;
    QString swift = u"Swift"_s;
    QString markdown = u"Markdown"_s;
    QString plainText = u"Plain Text"_s;
    QString json = u"JSON"_s;
    QString yaml = u"YAML"_s;
    QString image = u"Image"_s;
    QString pdf = u"PDF"_s;
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
