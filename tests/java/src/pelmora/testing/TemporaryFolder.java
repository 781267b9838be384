package pelmora.testing;

import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Comparator;
import java.util.stream.Stream;

/** A folder for one test case's files, removed with everything in it on close. */
public final class TemporaryFolder implements AutoCloseable {
    private final Path path;

    public TemporaryFolder() throws IOException {
        path = Files.createTempDirectory("pelmora-java-test").toRealPath();
    }

    public Path path() {
        return path;
    }

    public Path write(String name, byte[] content) throws IOException {
        Path file = path.resolve(name);
        Files.createDirectories(file.getParent());
        return Files.write(file, content);
    }

    @Override
    public void close() throws IOException {
        try (Stream<Path> paths = Files.walk(path)) {
            for (Path each : (Iterable<Path>) paths.sorted(Comparator.reverseOrder())::iterator) {
                Files.deleteIfExists(each);
            }
        }
    }
}
