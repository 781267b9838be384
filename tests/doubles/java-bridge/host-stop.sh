#!/usr/bin/env bash
# Ends the bridge host started by host-start.sh in <folder>; the host ends its Java processes as it goes.
folder="$1"
if [ -f "$folder/host.pid" ]; then
  pid="$(cat "$folder/host.pid")"
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
  rm -f "$folder/host.pid" "$folder/port"
fi
echo "bridge host stopped: $folder"
