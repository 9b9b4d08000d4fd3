#!/usr/bin/env bash
# Installs the Debian 12 packages Quillmere needs to build, test and benchmark.
# Packages already present are left alone, so repeated runs cost one dpkg query.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config make
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  libgl-dev qcoro-qt6-dev libglib2.0-dev libbenchmark-dev
  # gio: the trash tests check that GLib and this program read each other's trash.
  libglib2.0-bin
  qt6-qpa-plugins
  # The window's symbols come from the icon theme; its symbolic icons are SVG files.
  adwaita-icon-theme libqt6svg6
  # Checked by the format test; xvfb-run shows the window on a machine without a display.
  clang-format xvfb xauth
  # The desktop entry and the AppStream metainfo are checked by their validators.
  desktop-file-utils appstream
  # Used by the tests for case-insensitive volumes and private mounts.
  fuse3 fusefat exfat-fuse dosfstools exfatprogs util-linux
)

missing=()
for p in "${packages[@]}"; do
  [[ "$p" == \#* ]] && continue
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
