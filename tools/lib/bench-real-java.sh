# The real-Java measures of tools/bench (sourced by it): records through the handler with the server running
# the build's Pelmora.jar on real Java through the bridge, against the renderer alone in one JVM.
host="$bench/host"
"$root/tests/doubles/java-bridge/host-start.sh" "$bin/java-bridge/java-bridge.jar" "$host" >/dev/null
export PELMORA_JAVA_BRIDGE_PORT="$(cat "$host/port")"
real="$bench/PelmoraReal"
rm -rf "$real" && mkdir -p "$real/jre/bin/server" "$real/lib"
cp dist/PelmoraThumbSrv64.exe dist/Pelmora.jar dist/Pelmora.cp "$real/" && cp dist/lib/*.jar "$real/lib/"
cp "$bin/java-bridge/jvm.dll" "$real/jre/bin/server/"
cp "$root/samples/19x19 Position.sgf" "$real/record.sgf"
record="$(windows_path "$real/record.sgf")"
for round in $(seq "$record_rounds"); do
    for threads in 1 4; do
        wait_for_no_process "$own_servers"
        for class in '{C3C9E83C-8D4A-4E5E-94E2-02F15DF311A3}' '{8CF824D6-3EB5-4747-9FFB-0DE2230D1DA4}'; do
            timeout 30 wine reg add "HKCR\\CLSID\\$class\\LocalServer32" /ve \
                /d "\"$(windows_path "$real/PelmoraThumbSrv64.exe")\"" /f >/dev/null
        done
        subject="$(warm_through_handler "$records" "$threads")"
        floor="$(java -Djava.awt.headless=true -cp "$real/Pelmora.jar:$real/lib/*" "$root/tools/lib/RenderFloor.java" \
            "$real/record.sgf" "$records" | ms_of)"
        record_round "$records records through the handler with real Java, $threads thread(s) (per record)" \
            "the renderer alone in one JVM" "$subject" "$floor"
    done
done
record="$(windows_path "$install/bench.sgf")"
