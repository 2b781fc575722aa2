#!/usr/bin/env bash
# Fails when a file includes a header of a folder its own folder must not depend on. Dependencies
# point inward: model knows nothing of ours; link only model; session only model and link; sim
# only model and link; collation and print (the channel list on paper and in PDF, shared by the
# window and the tool) only model; the window and the tool reach the link only through the session;
# the window folders never the command-line tool, nor ui the program's own app/; the session's
# headers never the link's.
set -euo pipefail
cd "$(dirname "$0")/.."

# folder: the folders (besides itself) whose headers it may include
declare -A allowed=(
    [model]=""
    [link]="model"
    [session]="model link"
    [sim]="model link"
    [collation]="model"
    [print]="model"
    [ui]="model session collation print"
    [app]="model session sim collation print ui"
    [cli]="model session sim collation print"
)

status=0
for folder in "${!allowed[@]}"; do
    while IFS= read -r line; do
        file=${line%%:*}
        header=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"${line#*:}")
        [[ $header == */* ]] || continue # a header of the same folder
        top=${header%%/*}
        [[ $top == "$folder" ]] && continue
        if [[ " ${allowed[$folder]} " != *" $top "* ]]; then
            echo "$file includes $header: $folder may not depend on $top/" >&2
            status=1
        fi
    done < <(grep -rn --include='*.h' --include='*.cpp' '^#include "' "$folder" | cut -d: -f1,3-)
done
# The session's own headers are what the front ends see of it: nothing of the link shows there.
while IFS= read -r line; do
    echo "${line%%:*} includes a link header: the session's headers show nothing of the link" >&2
    status=1
done < <(grep -ln --include='*.h' '^#include "link/' -r session || true)
exit $status
