#!/usr/bin/env bash
# Creates (once) a Wine prefix, makes it headless and crash-quiet, and keeps its wineserver alive until
# prefix-teardown.sh stops it. Used by the CTest fixture and by the demonstration.
set -euo pipefail
prefix="$1"
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  timeout 300 wineboot -i </dev/null >/dev/null 2>&1
fi

reg() { timeout 60 wine reg "$@" </dev/null >/dev/null 2>&1; }
reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f
reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f

# Start over with a server whose processes (the desktop among them) all see the settings above: a desktop
# started before them, as during the prefix's creation, has no graphics driver, and windows made then cannot
# be found by other processes. This also ends whatever an earlier run left behind.
wineserver -k </dev/null >/dev/null 2>&1 || true
wineserver -w </dev/null >/dev/null 2>&1 || true
wineserver -p </dev/null >/dev/null 2>&1 &
timeout 60 wine cmd /c exit </dev/null >/dev/null 2>&1 || true
echo "wine prefix ready: $prefix"
