package pelmora.app;

import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.Locale;

/**
 * Turns the Windows paths the native side hands over into paths of this system. On Windows they are used as
 * they are. Elsewhere the Java side runs beside Wine: a drive path "X:\rest" or "X:/rest" goes through Wine's
 * drive table, {@code <prefix>/dosdevices/x:} (its link resolved when it exists) followed by the rest with
 * slashes; the prefix is $WINEPREFIX, or ~/.wine without it. Other paths are used as they are.
 *
 * <p>Methods throw {@link java.nio.file.InvalidPathException} for text that is no path on this system.
 */
public final class DocumentPaths {
    private final boolean windows;
    private final Path winePrefix;

    /** @param winePrefix the Wine prefix for drive paths; not used on Windows */
    public DocumentPaths(boolean windows, Path winePrefix) {
        this.windows = windows;
        this.winePrefix = winePrefix;
    }

    /** Paths as this process sees them, with the Wine prefix of its environment. */
    public static DocumentPaths forThisSystem() {
        String prefix = System.getenv("WINEPREFIX");
        Path winePrefix = prefix != null && !prefix.isEmpty()
                ? Paths.get(prefix)
                : Paths.get(System.getProperty("user.home", ""), ".wine");
        return new DocumentPaths(File.separatorChar == '\\', winePrefix);
    }

    /** Whether the text has the form "X:\rest" or "X:/rest" with a drive letter X. */
    public static boolean isDrivePath(String path) {
        if (path.length() < 3 || path.charAt(1) != ':') {
            return false;
        }
        char drive = path.charAt(0);
        char separator = path.charAt(2);
        boolean letter = (drive >= 'a' && drive <= 'z') || (drive >= 'A' && drive <= 'Z');
        return letter && (separator == '\\' || separator == '/');
    }

    /** The path of this system that the text names. */
    public Path map(String path) {
        if (windows || !isDrivePath(path)) {
            return Paths.get(path);
        }
        String driveName = path.substring(0, 1).toLowerCase(Locale.ROOT) + ":";
        Path drive = winePrefix.resolve("dosdevices").resolve(driveName);
        if (Files.exists(drive)) {
            try {
                drive = drive.toRealPath();
            } catch (IOException unresolvable) {
                // The link as it is still names the drive for every later file operation.
            }
        }
        String rest = path.substring(3).replace('\\', '/');
        while (rest.startsWith("/")) {
            rest = rest.substring(1);
        }
        return rest.isEmpty() ? drive : drive.resolve(rest);
    }

    /**
     * The path of a document named on a command line given in {@code workingFolder}: a relative name is
     * resolved against the mapped working folder, when there is one.
     */
    public Path resolve(String workingFolder, String document) {
        Path path = map(document);
        if (path.isAbsolute() || workingFolder == null || workingFolder.isEmpty()) {
            return path;
        }
        return map(workingFolder).resolve(path);
    }
}
