#!/usr/bin/env bash
# The files that make Quillmere a desktop application.
#   check-desktop-files.sh validate SOURCE_DIR
#     The desktop entry and the AppStream metainfo pass the freedesktop.org validators.
#   check-desktop-files.sh install SOURCE_DIR BUILD_DIR VERSION
#     `cmake --install` into a temporary prefix puts the program, the desktop entry, the
#     icon and the metainfo where desktops look for them, and nothing else; the files
#     agree with each other; and the installed program, started the way a desktop
#     starts it from the entry with a folder's URI, opens that folder in a tab.
set -euo pipefail

mode="$1"
source_dir="$2"
app_id=org.quillmere.Quillmere
desktop_file="$source_dir/data/$app_id.desktop"
metainfo_file="$source_dir/data/$app_id.metainfo.xml"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

validate() {
  local missing=()
  if command -v desktop-file-validate >/dev/null; then
    # Warnings and hints count too: a clean entry gives no output at all.
    local report
    report="$(desktop-file-validate "$desktop_file" 2>&1)" || fail "desktop-file-validate: $report"
    [ -z "$report" ] || fail "desktop-file-validate: $report"
    echo "desktop entry valid"
  else
    missing+=("desktop-file-validate (package desktop-file-utils)")
  fi
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo_file" || fail "appstreamcli validate rejects the metainfo"
  else
    missing+=("appstreamcli (package appstream)")
  fi
  if [ ${#missing[@]} -ne 0 ]; then
    echo "SKIP   : not installed: ${missing[*]}"
  fi
}

# The value of KEY in the [Desktop Entry] group of a desktop file.
entry_value() {
  sed -n "/^\[Desktop Entry\]/,/^\[/s/^$2=//p" "$1" | head -n 1
}

install_and_start() {
  local build_dir="$3" version="$4"
  work="$(mktemp -d)"
  trap 'if [ -n "${pid:-}" ]; then kill -KILL "$pid" 2>/dev/null || true; fi; rm -rf "$work"' EXIT

  local prefix="$work/prefix"
  cmake --install "$build_dir" --prefix "$prefix" >"$work/install.log" ||
    fail "cmake --install failed: $(cat "$work/install.log")"

  # Exactly these files, so a stray library or test program would show up.
  local expected actual
  expected="$(printf '%s\n' bin/quillmere share/applications/$app_id.desktop \
    share/icons/hicolor/scalable/apps/$app_id.svg share/metainfo/$app_id.metainfo.xml | sort)"
  actual="$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)"
  [ "$actual" = "$expected" ] || fail "installed files differ; expected:
$expected
installed:
$actual"
  [ -x "$prefix/bin/quillmere" ] || fail "the installed program is not executable"
  local installed_entry="$prefix/share/applications/$app_id.desktop"
  local installed_metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
  cmp -s "$installed_entry" "$desktop_file" || fail "the installed desktop entry differs from data/"

  # The entry, the icon, the metainfo and the program name each other consistently.
  local exec icon
  exec="$(entry_value "$installed_entry" Exec)"
  icon="$(entry_value "$installed_entry" Icon)"
  [ "${exec%% *}" = quillmere ] || fail "Exec starts '${exec%% *}', not the installed program's name"
  [[ " $exec " == *" %U "* ]] || fail "Exec '$exec' does not take URIs (%U)"
  [ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no icon file for Icon=$icon"
  [[ "$(entry_value "$installed_entry" MimeType)" == *"inode/directory;"* ]] ||
    fail "the entry is not offered for folders (MimeType lacks inode/directory)"
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$installed_metainfo" ||
    fail "the metainfo does not launch $app_id.desktop"
  grep -q "<binary>quillmere</binary>" "$installed_metainfo" || fail "the metainfo does not provide the binary"
  grep -q "<release version=\"$version\"" "$installed_metainfo" ||
    fail "the metainfo has no release for the project's version $version"

  # --version needs neither a display nor a home.
  local printed
  printed="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/quillmere" --version)" ||
    fail "quillmere --version failed"
  [ "$printed" = "Quillmere $version" ] || fail "quillmere --version printed '$printed'"

  # Started as a desktop starts it: the program found on PATH, %U replaced by the URI of
  # a folder whose name needs percent-encoding, in a home of its own.
  local home="$work/home"
  local folder="$home/Open with/My Folder 名前"
  mkdir -p "$folder" "$work/config" "$work/data" "$work/cache" "$work/runtime"
  chmod 700 "$work/runtime"
  local uri="file://$home/Open%20with/My%20Folder%20%E5%90%8D%E5%89%8D"
  local arguments=()
  local word
  for word in $exec; do
    if [ "$word" = %U ]; then arguments+=("$uri"); else arguments+=("$word"); fi
  done
  (cd "$home" && exec env HOME="$home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime" PATH="$prefix/bin:$PATH" \
    QT_QPA_PLATFORM=offscreen "${arguments[@]}") >"$work/program.log" 2>&1 &
  pid=$!
  # The session is written shortly after the tabs change, which shows the folder opened.
  local session="$work/config/quillmere/session.json"
  local tries=0
  until grep -qF "\"currentPath\":\"$folder\"" "$session" 2>/dev/null; do
    kill -0 "$pid" 2>/dev/null || fail "the program ended at start: $(cat "$work/program.log")"
    tries=$((tries + 1))
    [ "$tries" -lt 600 ] || fail "the folder from the URI was not opened in a tab: $(cat "$work/program.log")"
    sleep 0.1
  done
  # SIGTERM ends it in order, as closing the window does.
  kill -TERM "$pid"
  local status=0
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status on SIGTERM: $(cat "$work/program.log")"
  echo "installed program started from its desktop entry and opened $uri"
}

case "$mode" in
  validate) validate ;;
  install) install_and_start "$@" ;;
  *) fail "unknown mode $mode" ;;
esac
