#!/usr/bin/env bash
# Checks the #include lines of src/ against the layers, bottom up:
#   platform -> models (records and rules) -> services -> stateful models -> views -> app
# Fails naming every line that reaches the wrong way.
set -uo pipefail
cd "$(dirname "$0")/../src"

# The stateful models sit above the services; every other file in models/ is a plain
# record or a pure rule.
stateful='"models/(navigation/Navigator|tabs/AppState|tabs/BrowserTab|trash/TrashActions|undo/UndoRunner|volumes/MountedVolumes)\.h"'
stateful_files='^models/(navigation/Navigator|tabs/AppState|tabs/BrowserTab|trash/TrashActions|undo/UndoRunner|volumes/MountedVolumes)\.(h|cpp)$'
# The one deliberate exception: the palette store lists what the application state holds.
stateful_readers='^services/palette/CommandPaletteStore\.(h|cpp)$'
widgets='<(QtWidgets|QtGui)[/>]|<Q(Application|GuiApplication|Widget|Clipboard|KeyEvent|Action|Menu|Dialog|MainWindow|Icon)>'

failures=0
# rule "files" "forbidden include pattern" [files to leave out]
rule() {
  local name="$1" files="$2" forbidden="$3" exempt="${4:-^$}"
  local file hits
  while IFS= read -r file; do
    [[ "$file" =~ $exempt ]] && continue
    hits=$(grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*($forbidden)" "$file") || continue
    while IFS= read -r hit; do
      echo "$name: $file:$hit"
      failures=$((failures + 1))
    done <<< "$hits"
  done < <(find $files -name '*.cpp' -o -name '*.h' 2>/dev/null | sort)
}

rule "platform includes only the system and Qt" platform '"(models|services|views|app)/'
rule "records and rules include no service" models '"services/' "$stateful_files"
rule "records and rules include no stateful model" models "$stateful" "$stateful_files"
rule "models include no view" models '"views/|"app/'
rule "services include no stateful model" services "$stateful" "$stateful_readers"
rule "services include no view" services '"views/|"app/'
rule "the core includes no widgets" "platform models services" "$widgets"
rule "views never reach the platform" views '"platform/'

if [ "$failures" -ne 0 ]; then
  echo "$failures include line(s) break the layers"
  exit 1
fi
echo "layers hold"
