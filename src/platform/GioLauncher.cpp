#include "GioLauncher.h"

#include "PathCodec.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

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

} // namespace

bool GioLauncher::openWithDefaultApplication(const QString& path) {
    const QByteArray bytes = PathCodec::encode(path);
    const GioObject<GFile> file(g_file_new_for_path(bytes.constData()));
    // Following links: a link to a PDF opens in the PDF viewer.
    const GioObject<GFileInfo> info(g_file_query_info(file.get(), G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                                                      G_FILE_QUERY_INFO_NONE, nullptr, nullptr));
    if (!info)
        return false;
    const char* contentType = g_file_info_get_content_type(info.get());
    if (!contentType)
        return false;
    const GioObject<GAppInfo> application(g_app_info_get_default_for_type(contentType, FALSE));
    if (!application)
        return false;

    const std::unique_ptr<char, MemoryRelease> uri(g_file_get_uri(file.get()));
    GList uris{};
    uris.data = uri.get();
    GError* error = nullptr;
    const bool launched = g_app_info_launch_uris(application.get(), &uris, nullptr, &error);
    g_clear_error(&error);
    return launched;
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
