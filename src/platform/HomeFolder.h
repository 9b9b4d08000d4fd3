#pragma once

#include <QByteArray>
#include <QString>

namespace quillmere {

// The user's home folder and XDG data folder, read the way Qt reads them but
// through the lossless path codec.
namespace HomeFolder {

// $HOME when set and absolute, else the password database entry.
QString path();
QByteArray pathBytes();
// $XDG_DATA_HOME when set and absolute, else ~/.local/share.
QByteArray dataHomeBytes();
// $XDG_STATE_HOME when set and absolute, else ~/.local/state.
QByteArray stateHomeBytes();

} // namespace HomeFolder

} // namespace quillmere
