package pelmora.app;

import java.io.OutputStream;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;

/**
 * The application's log: one line per event, each starting with {@value #PREFIX} and ending with "\n", in
 * UTF-8 whatever the platform's encoding, flushed at once. Any thread may write; lines never mix.
 */
public final class ApplicationLog {
    public static final String PREFIX = "Pelmora2: ";

    private final PrintStream out;

    public ApplicationLog(OutputStream sink) {
        out = new PrintStream(sink, false, StandardCharsets.UTF_8);
    }

    public synchronized void line(String text) {
        out.print(PREFIX + text + "\n");
        out.flush();
    }
}
