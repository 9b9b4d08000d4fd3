#pragma once

#include <QByteArray>
#include <QString>

namespace quillmere {

// The user's home folder and XDG data folder, read the way Qt reads them but
// through the lossless path codec.
class HomeFolder final {
public:
    // $HOME when set and absolute, else the password database entry.
    static QString path();
    static QByteArray pathBytes();
    // $XDG_DATA_HOME when set and absolute, else ~/.local/share.
    static QByteArray dataHomeBytes();
};

} // namespace quillmere
