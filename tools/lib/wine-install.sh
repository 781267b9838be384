# Shared by the scripts that install Pelmora into a Wine prefix of their own (sourced, not run): the
# demonstration, the benchmark and the package tests. They all install the Windows Installer package with
# Wine's msiexec, as an administrator deploys it. Expects root (the repository) and WINEPREFIX to be set.

# Where the package installs, as Windows sees it.
install_folder_win='C:\Program Files\Pelmora'
# The thumbnail server's type library (thumbnail-server/PelmoraThumbSrv.idl).
server_library_id='{340BE246-6FF1-428C-A98A-4B3A58737DAF}'

# The Windows form of a Unix path in this prefix, and the Unix form of a Windows path.
windows_path() { winepath -w "$1" 2>/dev/null; }
unix_path() { realpath -m "$(winepath -u "$1" 2>/dev/null)"; }
install_folder() { unix_path "$install_folder_win"; }

# Makes the prefix (once) and keeps its wineserver alive until stop_prefix.
start_prefix() {
    "$root/tests/wine/prefix-setup.sh" "$WINEPREFIX" >/dev/null
}
stop_prefix() {
    "$root/tests/wine/prefix-teardown.sh" "$WINEPREFIX" >/dev/null 2>&1 || true
}

# The package the build left in a dist folder (the newest, should older versions lie beside it).
built_package() { ls -t "$1"/Pelmora-*-x64.msi 2>/dev/null | head -n 1; }

# Silent msiexec with a verbose log; its exit code, of which Unix keeps the low byte (1603 arrives as 67).
#   install_package PACKAGE LOG     installs, or upgrades an older Pelmora in place
#   repair_package PACKAGE LOG      every file again, the registry entries, the shortcut: what /fvomus does,
#                                   which Wine's msiexec does not implement
#   remove_package PACKAGE LOG
run_msiexec() {
    local action="$1" package="$2" log="$3"
    shift 3
    timeout 300 wine msiexec "$action" "$(windows_path "$package")" "$@" /qn /l*v "$(windows_path "$log")" </dev/null
}
install_package() { run_msiexec /i "$1" "$2"; }
repair_package() { run_msiexec /i "$1" "$2" REINSTALL=ALL REINSTALLMODE=vomus; }
remove_package() { run_msiexec /x "$1" "$2"; }

# Wine's type-library marshaler looks for the server's library under locale 0 only, while the server
# registers it under 0x409 as Windows expects (see the README): Wine needs one more entry, which must go
# before the package is removed, or the library's key outlives it.
add_wine_typelib_entry() {
    timeout 30 wine reg add "HKCR\\TypeLib\\$server_library_id\\1.1\\0\\win64" /ve \
        /d "$install_folder_win\\PelmoraThumbSrv64.exe" /f >/dev/null
}
remove_wine_typelib_entry() {
    timeout 30 wine reg delete "HKCR\\TypeLib\\$server_library_id\\1.1\\0" /f >/dev/null 2>&1 || true
}

# A jvm.dll installed as a Java installer installs one for the whole machine: in <home>\bin\server, with
# the home and the library under HKLM\SOFTWARE\JavaSoft\JRE\<version>, where the launcher and the server
# look for the installed Java when their folder has no jre\.
register_system_java() {
    local jvm="$1" home_win="$2" key='HKLM\SOFTWARE\JavaSoft\JRE\17'
    local home
    home="$(unix_path "$home_win")"
    mkdir -p "$home/bin/server"
    cp "$jvm" "$home/bin/server/jvm.dll"
    timeout 30 wine reg add "$key" /v JavaHome /d "$home_win" /f >/dev/null
    timeout 30 wine reg add "$key" /v RuntimeLib /d "$home_win\\bin\\server\\jvm.dll" /f >/dev/null
}

# The Linux ids of this prefix's processes whose command line matches the pattern: other prefixes run
# programs of the same names from the same Windows paths.
prefix_processes() {
    local pattern="$1" pid
    for pid in $(pgrep -f "$pattern"); do
        if tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            echo "$pid"
        fi
    done
}
# Waits until none of them runs (at most 30 s), then ends any left.
wait_for_no_process() {
    local pattern="$1" waited=0
    while [ -n "$(prefix_processes "$pattern")" ] && [ "$waited" -lt 300 ]; do
        sleep 0.1
        waited=$((waited + 1))
    done
    local pid
    for pid in $(prefix_processes "$pattern"); do kill "$pid" 2>/dev/null || true; done
}
