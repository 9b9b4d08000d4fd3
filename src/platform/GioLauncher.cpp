#include "GioLauncher.h"

#include "PathCodec.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace quillmere {
namespace {

struct ObjectRelease {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct MemoryRelease {
    void operator()(gpointer memory) const { g_free(memory); }
};
template <typename T> using GioObject = std::unique_ptr<T, ObjectRelease>;

// Takes GLib's message out of an error and frees it.
QString takeMessage(GError*& error) {
    QString message = error && error->message ? QString::fromUtf8(error->message) : QString();
    g_clear_error(&error);
    return message;
}

// The file's content type, following links: a link to a PDF opens in the PDF viewer.
std::optional<QByteArray> contentTypeOf(GFile* file, QString* reason = nullptr) {
    GError* error = nullptr;
    const GioObject<GFileInfo> info(g_file_query_info(file, G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                                                      G_FILE_QUERY_INFO_NONE, nullptr, &error));
    const QString message = takeMessage(error);
    if (reason)
        *reason = message;
    const char* contentType = info ? g_file_info_get_content_type(info.get()) : nullptr;
    if (!contentType)
        return std::nullopt;
    return QByteArray(contentType);
}

GioLauncher::Launch launch(GAppInfo* application, GFile* file) {
    const std::unique_ptr<char, MemoryRelease> uri(g_file_get_uri(file));
    GList uris{};
    uris.data = uri.get();
    GError* error = nullptr;
    if (g_app_info_launch_uris(application, &uris, nullptr, &error)) {
        g_clear_error(&error);
        return {GioLauncher::Launch::Result::launched, {}};
    }
    return {GioLauncher::Launch::Result::failed, takeMessage(error)};
}

GioObject<GFile> fileAt(const QString& path) {
    return GioObject<GFile>(g_file_new_for_path(PathCodec::encode(path).constData()));
}

} // namespace

GioLauncher::Launch GioLauncher::openWithDefaultApplication(const QString& path) {
    const GioObject<GFile> file = fileAt(path);
    QString reason;
    const std::optional<QByteArray> contentType = contentTypeOf(file.get(), &reason);
    if (!contentType)
        return {Launch::Result::failed, reason};
    const GioObject<GAppInfo> application(g_app_info_get_default_for_type(contentType->constData(), FALSE));
    if (!application)
        return {Launch::Result::noApplication, {}};
    return launch(application.get(), file.get());
}

QList<GioLauncher::Application> GioLauncher::applicationsFor(const QString& path) {
    const GioObject<GFile> file = fileAt(path);
    const std::optional<QByteArray> contentType = contentTypeOf(file.get());
    if (!contentType)
        return {};
    const GioObject<GAppInfo> preferred(g_app_info_get_default_for_type(contentType->constData(), FALSE));
    const auto entryOf = [](GAppInfo* info) {
        const char* id = g_app_info_get_id(info);
        return Application{QString::fromUtf8(id ? id : ""),
                           QString::fromUtf8(g_app_info_get_display_name(info))};
    };
    QList<Application> others;
    GList* all = g_app_info_get_all_for_type(contentType->constData());
    for (GList* node = all; node; node = node->next) {
        auto* info = G_APP_INFO(node->data);
        if (!g_app_info_should_show(info) || (preferred && g_app_info_equal(info, preferred.get())))
            continue;
        others.append(entryOf(info));
    }
    g_list_free_full(all, g_object_unref);
    std::sort(others.begin(), others.end(),
              [](const Application& a, const Application& b) { return a.name < b.name; });
    if (preferred)
        others.prepend(entryOf(preferred.get()));
    return others;
}

GioLauncher::Launch GioLauncher::openWith(const QString& path, const QString& applicationId) {
    const GioObject<GDesktopAppInfo> application(g_desktop_app_info_new(applicationId.toUtf8().constData()));
    if (!application)
        return {Launch::Result::noApplication, {}};
    return launch(G_APP_INFO(application.get()), fileAt(path).get());
}

bool GioLauncher::hasDesktopEntry(const QString& desktopFileId) {
    const GioObject<GDesktopAppInfo> application(g_desktop_app_info_new(desktopFileId.toUtf8().constData()));
    return application != nullptr;
}

std::optional<QString> GioLauncher::desktopEntryExecutable(const QString& desktopFileId) {
    const GioObject<GDesktopAppInfo> application(g_desktop_app_info_new(desktopFileId.toUtf8().constData()));
    if (!application)
        return std::nullopt;
    const char* executable = g_app_info_get_executable(G_APP_INFO(application.get()));
    if (!executable || !*executable)
        return std::nullopt;
    return PathCodec::decode(QByteArrayView(executable, qsizetype(std::strlen(executable))));
}

bool GioLauncher::openUri(const QString& uri) {
    GError* error = nullptr;
    const bool launched = g_app_info_launch_default_for_uri(uri.toUtf8().constData(), nullptr, &error);
    g_clear_error(&error);
    return launched;
}

} // namespace quillmere
