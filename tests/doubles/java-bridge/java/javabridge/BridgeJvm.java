package javabridge;

import java.io.DataInputStream;
import java.io.IOException;
import java.io.InputStream;
import java.net.InetAddress;
import java.net.ServerSocket;
import java.net.Socket;

/**
 * The main class of a Java process behind the bridge jvm.dll. It was started with the options the Windows
 * process gave JNI_CreateJavaVM, and the application's classes are on its class path. The thread that created
 * the VM is served by this process's main thread; every thread that attaches later gets a Java thread of its
 * own, a daemon thread when it attached as a daemon.
 */
public final class BridgeJvm {
    /** The line on standard output that tells the host which port to hand to the Windows process. */
    static final String PORT_ANNOUNCEMENT = "\u0001javabridge port ";

    private BridgeJvm() {}

    public static void main(String[] args) throws IOException {
        watchHost(System.in);
        final MethodTable methods = new MethodTable();
        try (ServerSocket server = new ServerSocket(0, 50, InetAddress.getLoopbackAddress())) {
            System.out.println(PORT_ANNOUNCEMENT + server.getLocalPort());
            System.out.flush();
            final Socket creator = server.accept();
            final DataInputStream creatorIn = JniThread.inputOf(creator);
            if (creatorIn.read() != Protocol.HELLO_CREATOR) throw new IOException("the creating thread must come first");
            Protocol.readBytes(creatorIn);
            final Thread acceptor = new Thread(() -> acceptAttachingThreads(server, methods), "javabridge acceptor");
            acceptor.setDaemon(true);
            acceptor.start();
            try {
                new JniThread(creator, creatorIn, methods, true).serve();
            } catch (IOException e) {
                // The Windows process is gone without DestroyJavaVM: so is this VM.
                Runtime.getRuntime().halt(1);
            }
        }
    }

    private static void acceptAttachingThreads(ServerSocket server, MethodTable methods) {
        while (true) {
            try {
                final Socket socket = server.accept();
                final DataInputStream in = JniThread.inputOf(socket);
                final int kind = in.read();
                final String name = ModifiedUtf8.decode(Protocol.readBytes(in));
                final JniThread jniThread = new JniThread(socket, in, methods, false);
                final Runnable serve = () -> {
                    try {
                        jniThread.serve();
                    } catch (IOException e) {
                        // The native thread ended without detaching; its Java thread ends with it.
                    }
                };
                final Thread thread = name.isEmpty() ? new Thread(serve) : new Thread(serve, name);
                thread.setDaemon(kind == Protocol.HELLO_ATTACH_DAEMON);
                thread.start();
            } catch (IOException e) {
                if (server.isClosed()) return;
            }
        }
    }

    /** The host holds this process's standard input open; when the host goes, this process goes too. */
    private static void watchHost(InputStream hostPipe) {
        final Thread watcher = new Thread(() -> {
            try {
                while (hostPipe.read() >= 0) {}
            } catch (IOException e) {
                // Treated as the end of the pipe.
            }
            Runtime.getRuntime().halt(1);
        }, "javabridge host watcher");
        watcher.setDaemon(true);
        watcher.start();
    }
}
