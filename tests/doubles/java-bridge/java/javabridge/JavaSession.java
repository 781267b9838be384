package javabridge;

import java.io.BufferedInputStream;
import java.io.ByteArrayOutputStream;
import java.io.DataInputStream;
import java.io.DataOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.net.Socket;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

/**
 * One Windows process's Java process. The Windows process sends its current folder, a few environment
 * variables and its JVM options on the control connection; the session starts "java" with them, in that
 * folder, and the bridge's main class, forwards the process's output and, when it
 * ends, its exit code. When the control connection closes (the Windows process is gone) the Java process is
 * killed.
 */
final class JavaSession {
    private final Socket control;
    private final Path java;
    private final Path bridgeJar;
    private DataOutputStream toWindows;
    private volatile Process process;

    JavaSession(Socket control, Path java, Path bridgeJar) {
        this.control = control;
        this.java = java;
        this.bridgeJar = bridgeJar;
    }

    void kill() {
        final Process running = process;
        if (running != null) running.destroyForcibly();
    }

    void run() {
        try (control) {
            control.setTcpNoDelay(true);
            final DataInputStream in = new DataInputStream(new BufferedInputStream(control.getInputStream()));
            toWindows = new DataOutputStream(control.getOutputStream());
            if (in.read() != Protocol.SPAWN) return;
            final Path workingFolder = Paths.get(realPathOf(Protocol.readUtf8(in)));
            final Map<String, String> variables = new HashMap<>();
            for (int n = in.readInt(); n > 0; --n) variables.put(Protocol.readUtf8(in), Protocol.readUtf8(in));
            final List<String> command = commandFor(in);
            System.err.println("javabridge host: starting " + command);
            // A JVM in the Windows process would share its current folder, and relative paths count from it.
            final ProcessBuilder builder = new ProcessBuilder(command).directory(workingFolder.toFile());
            final Map<String, String> environment = builder.environment();
            // A JVM made by JNI_CreateJavaVM reads neither of these; the java launcher would.
            environment.remove("CLASSPATH");
            environment.remove("JDK_JAVA_OPTIONS");
            environment.put("LC_ALL", "C.UTF-8");
            environment.putAll(variables);
            try {
                process = builder.start();
            } catch (IOException e) {
                send(Protocol.HOST_STDERR, ("cannot start " + java + ": " + e.getMessage() + "\n").getBytes(StandardCharsets.UTF_8));
                sendExit(1);
                return;
            }
            final Thread errors = pump(process.getErrorStream(), Protocol.HOST_STDERR, false);
            final Thread output = pump(process.getInputStream(), Protocol.HOST_STDOUT, true);
            final Thread watch = new Thread(() -> {
                try {
                    while (in.read() >= 0) {}
                } catch (IOException e) {
                    // Same as the end of the connection.
                }
                kill();
            }, "control watch");
            watch.setDaemon(true);
            watch.start();
            final int code = process.waitFor();
            errors.join();
            output.join();
            sendExit(code);
        } catch (IOException | InterruptedException e) {
            kill();
        }
    }

    private List<String> commandFor(DataInputStream in) throws IOException {
        final List<String> command = new ArrayList<>();
        command.add(java.toString());
        final int count = in.readInt();
        for (int i = 0; i < count; ++i) {
            final int kind = in.readUnsignedByte();
            if (kind == Protocol.OPTION_PLAIN) {
                command.add(Protocol.readUtf8(in));
            } else {
                final String prefix = Protocol.readUtf8(in);
                final List<String> paths = new ArrayList<>();
                for (int n = in.readInt(); n > 0; --n) paths.add(realPathOf(Protocol.readUtf8(in)));
                command.add(prefix + String.join(":", paths));
            }
        }
        command.add("-Xbootclasspath/a:" + bridgeJar);
        command.add(BridgeJvm.class.getName());
        return command;
    }

    /**
     * Wine's Unix names of C: paths run through "dosdevices/c:", whose colon would split a Java class path:
     * the links are resolved, as far as the path exists.
     */
    static String realPathOf(String unixPath) {
        final Path path = Paths.get(unixPath);
        if (!path.isAbsolute()) return unixPath;
        for (Path existing = path; existing != null; existing = existing.getParent()) {
            if (Files.exists(existing)) {
                try {
                    return existing.toRealPath().resolve(existing.relativize(path)).toString();
                } catch (IOException e) {
                    return unixPath;
                }
            }
        }
        return unixPath;
    }

    private Thread pump(InputStream stream, int kind, boolean announcesPort) {
        final Thread thread = new Thread(() -> {
            try (InputStream source = new BufferedInputStream(stream)) {
                if (announcesPort) awaitPort(source);
                final byte[] buffer = new byte[8192];
                for (int n; (n = source.read(buffer)) > 0; ) send(kind, Arrays.copyOf(buffer, n));
            } catch (IOException e) {
                // The process or the Windows side is gone.
            }
        }, "pump");
        thread.start();
        return thread;
    }

    /** Forwards output lines until the bridge's port announcement, which goes to the Windows side. */
    private void awaitPort(InputStream source) throws IOException {
        final ByteArrayOutputStream line = new ByteArrayOutputStream();
        for (int b; (b = source.read()) >= 0; ) {
            line.write(b);
            if (b != '\n') continue;
            final String text = line.toString(StandardCharsets.UTF_8);
            if (text.startsWith(BridgeJvm.PORT_ANNOUNCEMENT)) {
                final int port = Integer.parseInt(text.substring(BridgeJvm.PORT_ANNOUNCEMENT.length()).trim());
                final ByteArrayOutputStream message = new ByteArrayOutputStream();
                new DataOutputStream(message).writeInt(port);
                sendRaw(Protocol.HOST_PORT, message.toByteArray());
                return;
            }
            send(Protocol.HOST_STDOUT, line.toByteArray());
            line.reset();
        }
        if (line.size() > 0) send(Protocol.HOST_STDOUT, line.toByteArray());
    }

    private void send(int kind, byte[] bytes) throws IOException {
        final ByteArrayOutputStream message = new ByteArrayOutputStream();
        Protocol.writeBytes(new DataOutputStream(message), bytes);
        sendRaw(kind, message.toByteArray());
    }

    private void sendExit(int code) throws IOException {
        final ByteArrayOutputStream message = new ByteArrayOutputStream();
        new DataOutputStream(message).writeInt(code);
        sendRaw(Protocol.HOST_EXIT, message.toByteArray());
    }

    private synchronized void sendRaw(int kind, byte[] payload) throws IOException {
        toWindows.writeByte(kind);
        toWindows.write(payload);
        toWindows.flush();
    }
}
