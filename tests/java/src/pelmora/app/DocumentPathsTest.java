package pelmora.app;

import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import pelmora.testing.Check;
import pelmora.testing.TemporaryFolder;
import pelmora.testing.Test;

/** Wine's drive table in a fake prefix: c: links to drive_c, z: to a folder elsewhere, q: is missing. */
public final class DocumentPathsTest {
    @Test
    void mapsDrivePathsThroughTheDriveTable() throws Exception {
        try (TemporaryFolder temporary = new TemporaryFolder()) {
            Path prefix = temporary.path().resolve("prefix");
            Path driveC = Files.createDirectories(prefix.resolve("drive_c"));
            Path unixRoot = Files.createDirectories(temporary.path().resolve("unix-root"));
            Path dosdevices = Files.createDirectories(prefix.resolve("dosdevices"));
            Files.createSymbolicLink(dosdevices.resolve("c:"), Paths.get("../drive_c"));
            Files.createSymbolicLink(dosdevices.resolve("z:"), unixRoot);
            DocumentPaths paths = new DocumentPaths(false, prefix);

            Check.equal(driveC.resolve("users/me/Game 1.sgf"), paths.map("C:\\users\\me\\Game 1.sgf"),
                        "backslashes, upper-case drive, relative link");
            Check.equal(driveC.resolve("users/me"), paths.map("c:/users/me"), "slashes, lower-case drive");
            Check.equal(unixRoot.resolve("home/x.sgf"), paths.map("Z:\\home\\x.sgf"), "absolute link");
            Check.equal(driveC, paths.map("C:\\"), "the drive itself");
            Check.equal(dosdevices.resolve("q:").resolve("games"), paths.map("Q:\\games"),
                        "a drive without a link keeps the table's path");
        }
    }

    @Test
    void leavesOtherPathsAsTheyAre() {
        DocumentPaths paths = new DocumentPaths(false, Paths.get("/nonexistent/prefix"));
        String[] notDrivePaths = {"/home/me/a.sgf", "games\\a.sgf", "a.sgf", "C:", "C:a.sgf", "1:\\a",
                                  "\\\\server\\share", "é:\\x", "\u212A:\\x", "CD:\\"};
        for (String path : notDrivePaths) {
            Check.isTrue(!DocumentPaths.isDrivePath(path), "no drive path: " + path);
            Check.equal(Paths.get(path), paths.map(path), path);
        }
        DocumentPaths windows = new DocumentPaths(true, Paths.get("/nonexistent/prefix"));
        Check.equal(Paths.get("C:\\users\\a.sgf"), windows.map("C:\\users\\a.sgf"), "on Windows");
    }

    @Test
    void resolvesDocumentsAgainstTheWorkingFolder() throws Exception {
        try (TemporaryFolder temporary = new TemporaryFolder()) {
            Path prefix = temporary.path();
            Path unixRoot = Files.createDirectories(temporary.path().resolve("unix-root"));
            Files.createDirectories(prefix.resolve("dosdevices"));
            Files.createSymbolicLink(prefix.resolve("dosdevices/z:"), unixRoot);
            DocumentPaths paths = new DocumentPaths(false, prefix);

            Check.equal(unixRoot.resolve("games/First Game.sgf"),
                        paths.resolve("Z:\\games", "First Game.sgf"), "relative document in a drive folder");
            Check.equal(unixRoot.resolve("b.sgf"), paths.resolve("Z:\\games", "Z:\\b.sgf"),
                        "absolute document");
            Check.equal(Paths.get("/tmp/a.sgf"), paths.resolve("Z:\\games", "/tmp/a.sgf"), "Unix path");
            Check.equal(Paths.get("/work/a.sgf"), paths.resolve("/work", "a.sgf"), "Unix working folder");
            Check.equal(Paths.get("a.sgf"), paths.resolve(null, "a.sgf"), "no working folder");
            Check.equal(Paths.get("a.sgf"), paths.resolve("", "a.sgf"), "empty working folder");
        }
    }
}
