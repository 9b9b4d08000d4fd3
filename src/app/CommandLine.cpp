#include "app/CommandLine.h"

#include "models/paths/FilePath.h"
#include "models/paths/PercentEncoding.h"
#include "platform/PathCodec.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

// An argument as the messages show it: bytes that are not UTF-8 become U+FFFD.
QString shown(const QByteArray& argument) {
    return PathCodec::displayText(PathCodec::decode(argument));
}

// "scheme:" at the start, in the letters a URI scheme may use.
std::optional<QByteArray> uriScheme(const QByteArray& argument) {
    const qsizetype colon = argument.indexOf(':');
    if (colon < 1)
        return std::nullopt;
    for (qsizetype i = 0; i < colon; ++i) {
        const char c = argument[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool allowed =
            letter || (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
        if (!allowed)
            return std::nullopt;
    }
    return argument.left(colon).toLower();
}

struct Parsed {
    QString folder;
    QString error;
};

// file:///path, file://localhost/path and file:/path name a local folder; the path's
// percent-encoded bytes are the file name's bytes, whatever their encoding.
Parsed folderFromFileUri(const QByteArray& argument) {
    QByteArrayView rest = QByteArrayView(argument).sliced(qsizetype(sizeof("file:") - 1));
    if (rest.startsWith("//")) {
        rest = rest.sliced(2);
        const qsizetype slash = rest.indexOf('/');
        const QByteArrayView host = slash < 0 ? rest : rest.first(slash);
        if (!host.isEmpty() && host.toByteArray().toLower() != "localhost")
            return {{},
                    u"%1: the folder is on another computer (%2); only local folders can be opened"_s.arg(
                        shown(argument), shown(host.toByteArray()))};
        rest = slash < 0 ? QByteArrayView() : rest.sliced(slash);
    }
    if (!rest.startsWith('/'))
        return {{}, u"%1: the URI names no absolute path"_s.arg(shown(argument))};
    if (rest.contains('?') || rest.contains('#'))
        return {
            {},
            u"%1: a folder's URI has no query or fragment (in a name, '?' is written %3F and '#' %23)"_s.arg(
                shown(argument))};
    const std::optional<QByteArray> bytes = PercentEncoding::decode(rest);
    if (!bytes)
        return {{}, u"%1: '%' must be followed by two hexadecimal digits"_s.arg(shown(argument))};
    if (bytes->contains('\0'))
        return {{}, u"%1: a path cannot contain a zero byte"_s.arg(shown(argument))};
    return {FilePath::standardised(PathCodec::decode(*bytes)), {}};
}

Parsed folderFromArgument(const QByteArray& argument, const QString& currentFolder) {
    if (argument.isEmpty())
        return {{}, u"an empty argument names no folder"_s};
    if (const std::optional<QByteArray> scheme = uriScheme(argument)) {
        if (*scheme == "file" && argument.size() > 5 && argument[5] == '/')
            return folderFromFileUri(argument);
        // A relative path may hold a colon; only "scheme://" is taken for a URI.
        if (argument.indexOf("://") == scheme->size())
            return {{},
                    u"%1: only local folders can be opened (file:// URIs or paths), not %2: locations"_s.arg(
                        shown(argument), QString::fromLatin1(*scheme))};
    }
    const QString path = PathCodec::decode(argument);
    if (path.startsWith(u'/'))
        return {FilePath::standardised(path), {}};
    if (currentFolder.isEmpty())
        return {{},
                u"%1: the current folder cannot be found, so a relative path cannot be opened"_s.arg(
                    shown(argument))};
    return {FilePath::standardised(QString(currentFolder + u'/' + path)), {}};
}

} // namespace

CommandLine CommandLine::parse(const QList<QByteArray>& arguments, const QString& currentFolder) {
    CommandLine result;
    bool optionsEnded = false;
    for (const QByteArray& argument : arguments) {
        if (!optionsEnded && argument.startsWith('-')) {
            if (argument == "--")
                optionsEnded = true;
            else if (argument == "-h" || argument == "--help")
                result.showHelp = true;
            else if (argument == "--version")
                result.showVersion = true;
            else
                result.errors.append(u"unknown option %1"_s.arg(shown(argument)));
            continue;
        }
        const Parsed parsed = folderFromArgument(argument, currentFolder);
        if (parsed.error.isEmpty())
            result.folders.append(parsed.folder);
        else
            result.errors.append(parsed.error);
    }
    return result;
}

QString CommandLine::usage() {
    return uR"(Usage: quillmere [OPTION]... [FOLDER]...
A keyboard-driven file manager.

Each FOLDER, a path or a file:// URI, opens in a new tab after the tabs of the
last session; the last one named is shown. A relative path is taken from the
current folder.

  -h, --help     show this help and exit
      --version  show the version and exit
      --         take every later argument as a folder, even one starting with '-'
)"_s;
}

QString CommandLine::versionText() {
    return u"Quillmere %1\n"_s.arg(QStringLiteral(QUILLMERE_VERSION));
}

} // namespace quillmere
