#!/usr/bin/env bash
# Fails when product code opens a file for writing anywhere but the safe save (model/file_io.cpp):
# every file the programs write goes through that one door, which keeps links, owners, modes,
# devices, read-only files, the command's inputs and settings files safe. The lines listed below
# open no file: a serial port, and byte arrays in memory.
set -euo pipefail
cd "$(dirname "$0")/.."

writes='std::(o)?fstream|fopen|freopen|QSaveFile|QTemporaryFile|O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND|'
writes+='QIODevice::(WriteOnly|ReadWrite|Append|Truncate|NewOnly)|\brename\(|\blink\(|QFile::copy|copy_file|'
writes+='\bcreat\(|setOutputFileName|mkstemp|QPdfWriter [a-z]+\(["a-zQ]'

# file:text of lines that open no file
allowed=(
    'link/termios_port.cpp:Io_.Open(path.c_str(), O_RDWR' # the serial port
    'ui/channel_clipboard.cpp:QDataStream out(&bytes, QIODevice::WriteOnly)'
    'print/channel_print.cpp:buffer.open(QIODevice::WriteOnly)' # the PDF's bytes, for the safe save
)

status=0
while IFS= read -r hit; do
    file=${hit%%:*}
    text=${hit#*:*:}
    [[ $file == model/file_io.cpp ]] && continue
    ok=0
    for entry in "${allowed[@]}"; do
        [[ $file == "${entry%%:*}" && $text == *"${entry#*:}"* ]] && ok=1
    done
    if ((ok == 0)); then
        echo "$hit: a file is written only through the safe save (model/file_io.h)" >&2
        status=1
    fi
done < <(grep -rnE --include='*.cpp' --include='*.h' "$writes" model link session sim ui app cli print collation || true)
exit $status
