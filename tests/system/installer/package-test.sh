#!/usr/bin/env bash
# The Windows Installer package under Wine's own msiexec, in a prefix made anew for the run:
#   1. a silent installation of an older package, whose private jre\ is the test runtime: files, entries,
#      shortcut; a thumbnail asked for as Explorer does and a record opened by the shell reach Java;
#   2. the silent upgrade to the build's package (no jre\: it finds the test runtime as the installed Java);
#   3. a repair after a file and entries were deleted by hand;
#   4. the silent removal while a server runs, and a second removal;
#   5. no downgrade, and an association another program took over is left alone;
#   6. a removal after the installation folder was deleted by hand does not get stuck;
#   7. an installation whose registration cannot run (a folder too deep for the server) fails, leaving no file.
# Arguments: the repository, the build's bin folder, the custom actions (PelmoraSetup.dll), the deliverables
# (dist), the version, the build's package ("" when the build's package brings a runtime of its own: the
# tests then build one without), a work folder.
set -euo pipefail
root="$1" bin="$2" setup_dll="$3" dist="$4" version="$5" package="$6" work="$7"
export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
source "$root/tools/lib/wine-install.sh"
fail() { echo "FAIL: $*" >&2; exit 1; }

trap stop_prefix EXIT
stop_prefix
rm -rf "$work" && mkdir -p "$work/logs"
start_prefix
install="$(install_folder)"
make_package() {
    "$root/installer/make-package.sh" --dist "$dist" --setup-dll "$setup_dll" --icon "$root/launcher/Pelmora.ico" "$@"
}
older="$work/Pelmora-0.9.0-x64.msi"
mkdir -p "$work/jre/bin/server" && cp "$bin/testjvm/jvm.dll" "$work/jre/bin/server/"
make_package --version 0.9.0 --jre "$work/jre" --output "$older"
if [ -z "$package" ]; then
    package="$work/Pelmora-$version-x64.msi"
    make_package --version "$version" --output "$package"
fi
record_win='C:\users\Public\Documents\13x13 Teaching Game.sgf'
mkdir -p "$(dirname "$(unix_path "$record_win")")" && cp "$root/samples/13x13 Teaching Game.sgf" "$(unix_path "$record_win")"
jvm_log="$work/testjvm.log"
private_java="$install_folder_win\\jre\\bin\\server\\jvm.dll" system_java='C:\TestJava\bin\server\jvm.dll'

# What registration writes: classes, ProgIDs, AppIDs, type libraries, interfaces, the shell's handler keys.
registration_keys=()
for clsid in C3C9E83C-8D4A-4E5E-94E2-02F15DF311A3 8CF824D6-3EB5-4747-9FFB-0DE2230D1DA4 \
    EDCCAA5E-9344-44EC-B16F-17D31447C734 529ADC9B-2B78-4E89-ADE9-93E4CB9CF6DE; do
    registration_keys+=("HKCR\\CLSID\\{$clsid}")
done
for progid in PelmoraThumbSrv.ThumbExtractor PelmoraThumbSrv.ExtThumbExtractor PelmoraThumb.PelmoraExtractor \
    PelmoraThumb.PelmoraExtThumb; do
    registration_keys+=("HKCR\\$progid" "HKCR\\$progid.1")
done
registration_keys+=('HKCR\AppID\{4CDD8573-32D8-4B66-A35C-745469ABB5B6}' 'HKCR\AppID\PelmoraThumbSrv64.EXE'
    'HKCR\AppID\{AF001D01-E0CC-445A-91D2-E268F671E3F1}' 'HKCR\AppID\PelmoraThumb.DLL'
    "HKCR\\TypeLib\\$server_library_id" 'HKCR\TypeLib\{4052CD3A-52F9-45CC-9903-A7E46BF2ED1B}'
    'HKCR\Interface\{2562604E-6D65-4FB1-BFC1-71709531D24D}' 'HKCR\Interface\{4E09B4E7-CFC1-4903-BA3F-B8688C146F23}'
    'HKCR\Interface\{CD9A1924-4E12-4542-88A8-C89682CDC4F1}' 'HKCR\.sgf\shellex' 'HKCR\.ugi\shellex')

has_key() { timeout 30 wine reg query "$1" >/dev/null 2>&1; }
# A string value ("" for the default value); empty when absent.
value_of() {
    local selector=(/v "$2") name="$2"
    [ -n "$2" ] || selector=(/ve) name='\([^)]*\)'
    timeout 30 wine reg query "$1" "${selector[@]}" 2>/dev/null | tr -d '\r' | sed -n -E "s/^ +$name +REG_SZ +//p"
}
# The versions of the Pelmora entries in Programs and Features.
product_entries() {
    local key
    timeout 30 wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' | tr -d '\r' |
        grep -E '\\\{[0-9A-F-]+\}$' | while read -r key; do
            [ "$(value_of "$key" DisplayName)" != Pelmora ] || value_of "$key" DisplayVersion
        done
}
shortcuts() { find "$WINEPREFIX/drive_c" -name Pelmora.lnk; }
servers() { prefix_processes PelmoraThumbSrv64; }

# msiexec WHAT EXPECTED-EXIT-CODES PACKAGE, the codes separated by "|"; an exit code reaches Unix as its low
# byte.
msi() {
    local log="$work/logs/$(date +%s%N)-$1.log" code=0 expected
    "${1}_package" "$3" "$log" || code=$?
    for expected in ${2//|/ }; do
        if [ "$code" -eq $((expected & 255)) ]; then
            echo "ok: $1 $(basename "$3"): exit code $expected"
            return
        fi
    done
    tail -n 40 "$log" >&2 || true
    fail "$1 of $(basename "$3") ended with $code, not $2"
}
expect_installed() {
    local with_jre="$1" expected_version="$2" file key
    for file in Pelmora64.exe PelmoraThumbSrv64.exe PelmoraThumb.dll PelmoraWin64.dll Pelmora.jar Pelmora.cp \
        $(tr -d '\r' <"$dist/Pelmora.cp" | sed -n 's|^\(..*\)$|lib/\1|p'); do
        [ -f "$install/$file" ] || fail "$file is not installed"
    done
    if [ "$with_jre" = jre ]; then [ -f "$install/jre/bin/server/jvm.dll" ] || fail "no private jre"; fi
    if [ "$with_jre" = no-jre ]; then [ ! -e "$install/jre" ] || fail "a jre folder is left"; fi
    for key in "${registration_keys[@]}"; do has_key "$key" || fail "registration wrote no $key"; done
    [ "$(value_of 'HKCR\CLSID\{C3C9E83C-8D4A-4E5E-94E2-02F15DF311A3}\LocalServer32' '')" = \
      "\"$install_folder_win\\PelmoraThumbSrv64.exe\"" ] || fail "the server is not registered from $install_folder_win"
    [ "$(value_of 'HKCR\.sgf' '')" = Pelmora.sgf ] || fail ".sgf is not associated with Pelmora.sgf"
    [ "$(value_of 'HKCR\Pelmora.sgf\shell\open\command' '')" = "\"$install_folder_win\\Pelmora64.exe\" \"%1\"" ] ||
        fail "the open verb is $(value_of 'HKCR\Pelmora.sgf\shell\open\command' '')"
    [ -n "$(value_of 'HKCR\Pelmora.sgf\DefaultIcon' '')" ] || fail "no icon for Pelmora.sgf"
    [ -n "$(shortcuts)" ] || fail "no Start menu shortcut"
    [ "$(product_entries)" = "$expected_version" ] || fail "Programs and Features lists: $(product_entries | tr '\n' ' ')"
    echo "ok: Pelmora $expected_version installed ($with_jre)"
}
expect_removed() {
    local key
    [ ! -e "$install" ] || fail "left in the installation folder: $(find "$install" | head)"
    for key in "${registration_keys[@]}" 'HKCR\Pelmora.sgf' "$@"; do ! has_key "$key" || fail "$key is left"; done
    [ -z "$(shortcuts)" ] || fail "the shortcut is left"
    [ -z "$(product_entries)" ] || fail "Programs and Features still lists Pelmora"
    [ -z "$(servers)" ] || fail "a server still runs"
    echo "ok: nothing of Pelmora is left"
}
# Runs a command with the test runtime logging to jvm_log, its renderer drawing a picture of 48 x 40.
with_test_runtime() {
    : >"$jvm_log"
    PELMORA_TESTJVM_LOG="$(windows_path "$jvm_log")" PELMORA_TESTJVM_SCRIPT='render=image:48x40x24' "$@"
}
thumbnail_through() {
    local output
    output="$(with_test_runtime timeout 120 wine "$bin/explorer-thumbnail.exe" stream 64 "$record_win" </dev/null)" ||
        fail "no thumbnail: $output"
    [[ "$output" == *bitmap=48x40* ]] || fail "explorer-thumbnail: $output"
    grep -qF "module=$1" "$jvm_log" || fail "the server did not run $1: $(head -n 8 "$jvm_log")"
    echo "ok: a thumbnail through the registered handler and server, drawn by $1"
}
open_through_shell() {
    with_test_runtime timeout 60 wine start "$record_win" </dev/null || fail "start failed"
    for ((tenths = 0; tenths < 600; tenths++)); do grep -q 'return method=main' "$jvm_log" && break; sleep 0.1; done
    grep -qF "arg=$record_win" "$jvm_log" && grep -qF "module=$1" "$jvm_log" ||
        fail "the launcher did not reach main with the record: $(cat "$jvm_log")"
    echo "ok: the shell's open verb reached main through the launcher"
}

echo "1. Silent installation of an older package, with the test runtime as its private jre"
msi install 0 "$older"
expect_installed jre 0.9.0
add_wine_typelib_entry
thumbnail_through "$private_java"
open_through_shell "$private_java"

echo "2. Upgrade in place to $(basename "$package")"
[ -n "$(servers)" ] || fail "no server runs before the upgrade"
msi install 0 "$package"
expect_installed no-jre "$version"
[ -z "$(servers)" ] || fail "the older package's server still runs"
register_system_java "$bin/testjvm/jvm.dll" 'C:\TestJava'
add_wine_typelib_entry
thumbnail_through "$system_java"
open_through_shell "$system_java"

echo "3. Repair after a file and entries were deleted by hand"
rm "$install/PelmoraThumb.dll"
timeout 30 wine reg delete 'HKCR\CLSID\{529ADC9B-2B78-4E89-ADE9-93E4CB9CF6DE}' /f >/dev/null
timeout 30 wine reg delete 'HKCR\Pelmora.sgf\shell' /f >/dev/null
msi repair 0 "$package"
expect_installed no-jre "$version"
thumbnail_through "$system_java"

echo "4. Silent removal while a server runs"
[ -n "$(servers)" ] || fail "no server runs before the removal"
remove_wine_typelib_entry
msi remove 0 "$package"
expect_removed 'HKCR\.sgf' 'HKCR\.ugi'
# Windows answers 1605 (not installed); Wine's msiexec runs the removal once more and ends with 0.
msi remove '1605|0' "$package"
expect_removed 'HKCR\.sgf' 'HKCR\.ugi'

echo "5. No downgrade; an association another program took over stays"
msi install 0 "$package"
msi install 1603 "$older"
[ "$(product_entries)" = "$version" ] || fail "the downgrade changed Programs and Features"
timeout 30 wine reg add 'HKCR\.sgf' /ve /d Other.Viewer /f >/dev/null
msi remove 0 "$package"
expect_removed
[ "$(value_of 'HKCR\.sgf' '')" = Other.Viewer ] || fail "the other program's association went"

echo "6. Removal after the installation folder was deleted by hand"
msi install 0 "$package"
rm -rf "$install"
msi remove 0 "$package"
[ -z "$(product_entries)" ] || fail "Programs and Features still lists Pelmora"
msi install 0 "$package"
expect_installed no-jre "$version"
msi remove 0 "$package"
expect_removed

echo "7. An installation whose registration fails is rolled back"
deep='C:\Deep'
while [ ${#deep} -lt 260 ]; do deep="$deep\abcdefghijklmnopqrstuvwxyz"; done
code=0
run_msiexec /i "$package" "$work/logs/deep-install.log" "INSTALLDIR=$deep" || code=$?
[ "$code" -ne 0 ] || fail "an installation whose server cannot register ended with 0"
[ -z "$(find "$(unix_path 'C:\Deep')" -type f 2>/dev/null)" ] || fail "the failed installation left files"
[ -z "$(product_entries)" ] || fail "the failed installation is listed in Programs and Features"
echo "ok: the installation failed with exit code $code (low byte) and left no file"

# A passing run keeps its logs, not its prefix (about 700 MB).
stop_prefix
rm -rf "$WINEPREFIX"
