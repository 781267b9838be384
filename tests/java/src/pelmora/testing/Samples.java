package pelmora.testing;

import java.io.IOException;
import java.io.UncheckedIOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;

/** The sample game records of the repository; the build names their folder in pelmora.samples. */
public final class Samples {
    public static final String SHORT_9X9 = "Short 9x9 Game.sgf";
    public static final String POSITION_19X19 = "19x19 Position.sgf";
    public static final String TEACHING_13X13 = "13x13 Teaching Game.sgf";
    public static final String[] ALL = {SHORT_9X9, POSITION_19X19, TEACHING_13X13};

    private Samples() {}

    public static Path folder() {
        String folder = System.getProperty("pelmora.samples");
        if (folder == null) {
            throw new IllegalStateException("the system property pelmora.samples is not set");
        }
        return Paths.get(folder);
    }

    public static byte[] bytes(String name) {
        try {
            return Files.readAllBytes(folder().resolve(name));
        } catch (IOException e) {
            throw new UncheckedIOException(e);
        }
    }
}
