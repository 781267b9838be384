# Shared by the scripts that install the deliverables into a Wine prefix of their own (sourced, not run).
# Expects root (the repository) and WINEPREFIX to be set.

# The Windows form of a Unix path in this prefix.
windows_path() { winepath -w "$1" 2>/dev/null; }

# Makes the prefix (once) and keeps its wineserver alive until stop_prefix.
start_prefix() {
    "$root/tests/wine/prefix-setup.sh" "$WINEPREFIX" >/dev/null
}
stop_prefix() {
    "$root/tests/wine/prefix-teardown.sh" "$WINEPREFIX" >/dev/null 2>&1 || true
}

# Registers the thumbnail server of the folder and the handler: the server's own switch, the type-library
# entry only Wine's marshaler needs (locale 0, see the README), regsvr32.
register_thumbnails() {
    local folder="$1"
    timeout 60 wine "$folder/PelmoraThumbSrv64.exe" /RegServer
    timeout 30 wine reg add 'HKCR\TypeLib\{340BE246-6FF1-428C-A98A-4B3A58737DAF}\1.1\0\win64' /ve \
        /d "$(windows_path "$folder/PelmoraThumbSrv64.exe")" /f >/dev/null
    timeout 60 wine regsvr32 /s "$(windows_path "$folder/PelmoraThumb.dll")"
}
unregister_thumbnails() {
    local folder="$1"
    timeout 60 wine regsvr32 /s /u "$(windows_path "$folder/PelmoraThumb.dll")" || true
    timeout 60 wine "$folder/PelmoraThumbSrv64.exe" /UnregServer || true
}

# Waits until no process whose command line matches the pattern runs (at most 30 s), then ends any left.
wait_for_no_process() {
    local pattern="$1" waited=0
    while pgrep -f "$pattern" >/dev/null && [ "$waited" -lt 300 ]; do sleep 0.1; waited=$((waited + 1)); done
    pkill -f "$pattern" 2>/dev/null || true
}
