#!/usr/bin/env bash
# Fails when an include runs upward through the layers, from one front end
# into another, or reaches a toolkit outside its front end:
#   runtime/exact < runtime < actions < window < window/qt|win32|web
# quad.h, the estimate's 113-bit type, stays inside the engine.
#   check_layers.sh SOURCE_DIR
set -euo pipefail
cd "$1"

rank() {  # FOLDER OF A FILE -> its layer, or a front end's own name
  case $1 in
    runtime/exact*) echo 0 ;;
    runtime*) echo 1 ;;
    actions*) echo 2 ;;
    window/qt* | window/win32* | window/web*) echo "${1#window/}" | cut -d/ -f1 ;;
    window*) echo 3 ;;
  esac
}
toolkit_of() {  # SYSTEM HEADER -> the front end it belongs to, if any
  case $1 in
    Q[A-Z]* | Qt* | fontconfig/*) echo qt ;;
    windows.h | commctrl.h | commdlg.h | uxtheme.h | oleacc.h | ole2.h | objbase.h | \
      uiautomation*.h | shellscalingapi.h | winuser.h) echo win32 ;;
    emscripten*) echo web ;;
  esac
}

status=0
while IFS= read -r file; do
  from=$(rank "$(dirname "$file")")
  while IFS= read -r header; do
    if [[ $header == \"*\" ]]; then
      header=${header//\"/}
      [[ -e $header ]] || continue  # generated, or beside the file
      to=$(rank "$(dirname "$header")")
      if [[ $header == runtime/exact/quad.h && $from != 0 ]]; then
        echo "$file: quad.h outside the engine"; status=1
      elif [[ $from =~ ^[0-9]$ && ! $to =~ ^[0-9]$ ]] ||
           [[ ! $from =~ ^[0-9]$ && ! $to =~ ^[0-9]$ && $from != "$to" ]] ||
           [[ $from =~ ^[0-9]$ && $to -gt $from ]]; then
        echo "$file: includes $header, above it or in another front end"; status=1
      fi
    else
      header=${header//[<>]/}
      toolkit=$(toolkit_of "$header")
      if [[ -n $toolkit && $toolkit != "$from" ]]; then
        echo "$file: includes <$header> outside its front end"; status=1
      fi
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*\([<"][^>"]*[>"]\).*/\1/p' "$file")
done < <(find runtime actions window -name '*.h' -o -name '*.cpp')
[[ $status -eq 0 ]] && echo "every include runs down the layers; each toolkit stays in its front end"
exit $status
