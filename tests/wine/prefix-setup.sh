#!/usr/bin/env bash
# Creates (once) the Wine prefix a build tree owns, makes it headless and crash-quiet,
# and keeps its wineserver alive for the test run.
set -euo pipefail
prefix="$1"
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  timeout 300 wineboot -i </dev/null >/dev/null 2>&1
fi

# Stays up (and keeps its state) between the test programs; stopped by the cleanup fixture.
wineserver -p </dev/null >/dev/null 2>&1 &

reg() { timeout 60 wine reg "$@" </dev/null >/dev/null 2>&1; }
reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f
reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
echo "wine prefix ready: $prefix"
