package javabridge;

import java.io.IOException;
import java.net.InetAddress;
import java.net.ServerSocket;
import java.net.Socket;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.StandardCopyOption;
import java.util.Set;
import java.util.concurrent.ConcurrentHashMap;
import java.util.concurrent.atomic.AtomicLong;

/**
 * The Linux side of the bridge: it listens on a loopback port and starts a fresh Java process for each
 * JNI_CreateJavaVM of a Windows process (see JavaSession). Tests and the demonstration start one host and name
 * its port to the Windows processes in the environment variable PELMORA_JAVA_BRIDGE_PORT.
 *
 * <p>Usage: BridgeHost --port-file FILE [--idle-minutes N]. The port is written to FILE once the host listens.
 * The host ends when it is killed or after N idle minutes (default 30) without a session, and takes its Java
 * processes with it.
 */
public final class BridgeHost {
    private static final Set<JavaSession> sessions = ConcurrentHashMap.newKeySet();
    private static final AtomicLong lastActivity = new AtomicLong(System.nanoTime());

    private BridgeHost() {}

    public static void main(String[] args) throws Exception {
        Path portFile = null;
        long idleMinutes = 30;
        for (int i = 0; i + 1 < args.length; i += 2) {
            if (args[i].equals("--port-file")) portFile = Paths.get(args[i + 1]);
            else if (args[i].equals("--idle-minutes")) idleMinutes = Long.parseLong(args[i + 1]);
            else throw new IllegalArgumentException("unknown option " + args[i]);
        }
        if (portFile == null) throw new IllegalArgumentException("usage: BridgeHost --port-file FILE");

        final Path bridgeJar = Paths.get(BridgeHost.class.getProtectionDomain().getCodeSource().getLocation().toURI());
        final Path java = Paths.get(System.getProperty("java.home"), "bin", "java");
        Runtime.getRuntime().addShutdownHook(new Thread(() -> sessions.forEach(JavaSession::kill)));
        startIdleWatch(idleMinutes);

        try (ServerSocket server = new ServerSocket(0, 50, InetAddress.getLoopbackAddress())) {
            final Path written = portFile.resolveSibling(portFile.getFileName() + ".tmp");
            Files.write(written, String.valueOf(server.getLocalPort()).getBytes(StandardCharsets.US_ASCII));
            Files.move(written, portFile, StandardCopyOption.REPLACE_EXISTING, StandardCopyOption.ATOMIC_MOVE);
            while (true) {
                final Socket control = server.accept();
                final JavaSession session = new JavaSession(control, java, bridgeJar);
                sessions.add(session);
                lastActivity.set(System.nanoTime());
                final Thread thread = new Thread(() -> {
                    try {
                        session.run();
                    } finally {
                        sessions.remove(session);
                        lastActivity.set(System.nanoTime());
                    }
                }, "session");
                thread.setDaemon(true);
                thread.start();
            }
        }
    }

    private static void startIdleWatch(long idleMinutes) {
        final long limit = idleMinutes * 60_000_000_000L;
        final Thread watch = new Thread(() -> {
            while (true) {
                try {
                    Thread.sleep(10_000);
                } catch (InterruptedException e) {
                    return;
                }
                if (sessions.isEmpty() && System.nanoTime() - lastActivity.get() > limit) System.exit(0);
            }
        }, "idle watch");
        watch.setDaemon(true);
        watch.start();
    }
}
