#!/bin/sh
# Fails unless every Windows program named imports only DLLs that come with
# Windows itself, so that it runs with nothing beside it.
# Usage: check-dlls.sh PROGRAM.exe...
set -eu
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
status=0
for exe in "$@"; do
    for dll in $("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
        case $(echo "$dll" | tr A-Z a-z) in
        kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | msvcrt.dll | \
        ucrtbase.dll | api-ms-win-*.dll) ;;
        *) echo "$exe imports $dll, which Windows lacks" >&2; status=1 ;;
        esac
    done
done
exit $status
