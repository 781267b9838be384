package pelmora.app;

import java.io.IOException;
import java.io.InputStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;

/** Reads document files with a limit, so that a huge file costs no more memory than the caller allows. */
public final class DocumentFiles {
    private DocumentFiles() {}

    /** The first {@code maxBytes} bytes of the file, or all of it when it is shorter. */
    public static byte[] readStart(Path file, int maxBytes) throws IOException {
        try (InputStream in = Files.newInputStream(file)) {
            byte[] buffer = new byte[(int) Math.min(maxBytes, Math.max(Files.size(file), 8192))];
            int length = 0;
            while (length < maxBytes) {
                if (length == buffer.length) {
                    buffer = Arrays.copyOf(buffer, (int) Math.min(maxBytes, 2L * buffer.length));
                }
                int read = in.read(buffer, length, buffer.length - length);
                if (read < 0) {
                    break;
                }
                length += read;
            }
            return length == buffer.length ? buffer : Arrays.copyOf(buffer, length);
        }
    }
}
