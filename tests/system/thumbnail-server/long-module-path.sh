#!/usr/bin/env bash
# A server whose own path is 260 characters or longer refuses to register (its registry entries would name
# a path cut short) and writes nothing. No Windows program can start a program that deep under Wine, so
# this test starts it from the Unix side. Arguments: the server executable, the Wine prefix.
set -euo pipefail
server="$1"
export WINEPREFIX="$2" WINEDEBUG=-all

folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
deep="$folder"
while [ ${#deep} -lt 260 ]; do deep="$deep/abcdefghijklmnopqrstuvwxyz"; done
mkdir -p "$deep"
cp "$server" "$deep/"

status=0
timeout 60 wine "$deep/$(basename "$server")" /RegServer || status=$?
# Only the low byte of the exit code reaches Unix: 0x7A of HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER).
if [ "$status" -ne 122 ]; then
    echo "expected exit status 122 (0x8007007A), got $status"
    exit 1
fi
for key in 'HKCR\AppID\PelmoraThumbSrv64.EXE' 'HKCR\AppID\{4CDD8573-32D8-4B66-A35C-745469ABB5B6}' \
           'HKCR\CLSID\{C3C9E83C-8D4A-4E5E-94E2-02F15DF311A3}' 'HKCR\PelmoraThumbSrv.ThumbExtractor'; do
    if timeout 30 wine reg query "$key" >/dev/null 2>&1; then
        echo "registration wrote $key"
        exit 1
    fi
done
echo "refused with 0x8007007A, nothing written"
