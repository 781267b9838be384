#!/usr/bin/env bash
# Starts the bridge host for one test run or demonstration: it listens on a free loopback port, which it
# writes to <folder>/port; Windows processes find it through PELMORA_JAVA_BRIDGE_PORT. host-stop.sh ends it
# and every Java process it started.
set -euo pipefail
jar="$1"
folder="$2"
mkdir -p "$folder"
"$(dirname "$0")/host-stop.sh" "$folder" >/dev/null
rm -f "$folder/port"
# Its own session, and no standard stream shared with the caller: CTest must not wait for it.
setsid java -cp "$jar" javabridge.BridgeHost --port-file "$folder/port" --idle-minutes 30 \
  </dev/null >"$folder/host.log" 2>&1 &
echo $! >"$folder/host.pid"
for _ in $(seq 300); do
  if [ -s "$folder/port" ]; then
    echo "bridge host listening on port $(cat "$folder/port")"
    exit 0
  fi
  sleep 0.1
done
echo "the bridge host did not start; its log:" >&2
cat "$folder/host.log" >&2
exit 1
