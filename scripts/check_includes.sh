#!/usr/bin/env bash
# Fails when an include goes against the layers: ledger <- platform <- common
# <- windows <- app. A window folder includes only the layers below it and
# itself; main_window, which opens every other window, may also include their
# window headers. Nothing below app includes main_window.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../src" || exit 2

allowed() { # folder -> the folders its files may include
    case "$1" in
    ledger) echo "ledger" ;;
    platform) echo "ledger platform" ;;
    common) echo "ledger platform common" ;;
    main_window) echo "ledger platform common main_window $(ls -d */ | tr -d / | tr '\n' ' ')" ;;
    *) echo "ledger platform common $1" ;;
    esac
}

status=0
for dir in */; do
    folder=${dir%/}
    ok=" $(allowed "$folder") "
    while IFS=: read -r file line target; do
        [ -n "$file" ] || continue
        included=${target%%/*}
        if [[ "$ok" != *" $included "* ]] || { [ "$included" = main_window ] && [ "$folder" != main_window ]; }; then
            echo "src/$file:$line includes \"$target\": $folder may include only: $(allowed "$folder")"
            status=1
        fi
    done < <(grep -nHoE '^#include "[^"]+/[^"]+"' "$folder" -r | sed -E 's/#include "([^"]+)"/\1/')
done
[ $status -eq 0 ] && echo "includes follow the layers"
exit $status
