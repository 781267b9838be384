import java.nio.charset.StandardCharsets;

/**
 * What the bridge runtime's tests call: each method shows on standard output what it received, or returns it
 * in a form the native side can read back (byte arrays).
 */
public final class BridgeProbe {
    private BridgeProbe() {}

    /** The UTF-16 code units of the text, in hex. */
    public static void showUnits(String label, String text) {
        final StringBuilder line = new StringBuilder(label).append(':');
        for (int i = 0; i < text.length(); ++i) line.append(String.format(" %04X", (int) text.charAt(i)));
        System.out.println(line);
    }

    public static void showProperty(String name) {
        System.out.println(name + "=" + System.getProperty(name));
    }

    public static void showThread() {
        final Thread thread = Thread.currentThread();
        System.out.println("thread " + thread.getName() + " daemon=" + thread.isDaemon());
    }

    public static void showProcess() {
        System.out.println("pid " + ProcessHandle.current().pid());
    }

    public static byte[] reversed(byte[] bytes) {
        final byte[] result = new byte[bytes.length];
        for (int i = 0; i < bytes.length; ++i) result[i] = bytes[bytes.length - 1 - i];
        return result;
    }

    /** Every argument as text, in UTF-8. */
    public static byte[] describe(boolean z, byte b, char c, short s, int i, long j, float f, double d, String text,
                                  byte[] bytes) {
        final String description = z + " " + b + " " + (int) c + " " + s + " " + i + " " + j + " " + f + " " + d + " "
                + text + " " + (bytes == null ? "null" : String.valueOf(bytes.length));
        return description.getBytes(StandardCharsets.UTF_8);
    }

    public static void fail(String message) {
        throw new IllegalStateException(message);
    }

    public static void exit(int code) {
        System.exit(code);
    }

    /** A non-daemon thread that ends after the given time: DestroyJavaVM must wait for it. */
    public static void startWorker(int millis) {
        new Thread(() -> {
            try {
                Thread.sleep(millis);
            } catch (InterruptedException e) {
                Thread.currentThread().interrupt();
            }
            System.out.println("worker done");
        }, "worker").start();
    }
}
