package pelmora.app;

import java.io.File;
import java.nio.file.Path;
import java.util.Arrays;
import java.util.List;
import java.util.regex.Pattern;
import pelmora.sgf.GameRecord;

/**
 * The texts of the log's lines, after {@link ApplicationLog#PREFIX}. Strings are written as
 * {@link LogText} says; tests of the whole product match these lines, so their form stays as it is.
 */
public final class LogMessages {
    private LogMessages() {}

    /** {@code root "C:\\Pelmora"} or {@code root (none)}. */
    public static String root(String root) {
        return "root " + LogText.optional(root);
    }

    /** {@code language "de"} or {@code language (none)}. */
    public static String language(String language) {
        return "language " + LogText.optional(language);
    }

    /** {@code class path ["a.jar", "lib/b.jar"]}: the entries of java.class.path, split at the separator. */
    public static String classPath(String classPath) {
        List<String> entries = classPath == null || classPath.isEmpty()
                ? List.of()
                : Arrays.asList(classPath.split(Pattern.quote(File.pathSeparator), -1));
        return "class path " + LogText.list(entries);
    }

    /** {@code main ["-delayexit", "-workdir", "C:\\x", "-open", "a.sgf", "-endOpen"]}. */
    public static String main(List<String> arguments) {
        return "main " + LogText.list(arguments);
    }

    /** {@code commands ["quit"]}. */
    public static String commands(List<String> arguments) {
        return "commands " + LogText.list(arguments);
    }

    /** {@code unknown argument "-x"}. */
    public static String unknownArgument(String word) {
        return "unknown argument " + LogText.quote(word);
    }

    /** {@code unknown command "frobnicate"}. */
    public static String unknownCommand(String word) {
        return "unknown command " + LogText.quote(word);
    }

    /**
     * {@code opened "a.sgf" (file "/home/me/a.sgf"): game "Short", black "Alice", white (none), board 9x9,
     * moves 12}.
     */
    public static String opened(String document, Path file, GameRecord record) {
        int size = record.boardSize();
        return "opened " + LogText.quote(document) + " (file " + LogText.quote(file.toString()) + "): game "
                + LogText.optional(record.gameName()) + ", black " + LogText.optional(record.blackPlayer())
                + ", white " + LogText.optional(record.whitePlayer()) + ", board " + size + "x" + size
                + ", moves " + record.moveCount();
    }

    /**
     * {@code cannot open "a.sgf" (file "/home/me/a.sgf"): no such file}, or without the file when the name
     * gives no path.
     */
    public static String cannotOpen(String document, Path file, String reason) {
        String where = file == null ? "" : " (file " + LogText.quote(file.toString()) + ")";
        return "cannot open " + LogText.quote(document) + where + ": " + reason;
    }

    public static String quit() {
        return "quit";
    }

    /** The thread running main was interrupted: the application ends without a quit command. */
    public static String interrupted() {
        return "interrupted";
    }

    public static String mainReturns() {
        return "main returns";
    }
}
