#!/usr/bin/env bash
# Stops this prefix's wineserver and every Windows process still running in it.
export WINEPREFIX="$1"
wineserver -k </dev/null >/dev/null 2>&1 || true
wineserver -w </dev/null >/dev/null 2>&1 || true
echo "wine prefix stopped: $1"
