package pelmora.app;

import java.io.ByteArrayOutputStream;
import java.io.File;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.Arrays;
import java.util.List;
import java.util.Properties;
import pelmora.testing.Check;
import pelmora.testing.Samples;
import pelmora.testing.TemporaryFolder;
import pelmora.testing.Test;

/** The application's life as its log tells it; each case runs the application on a thread of its own. */
public final class ApplicationRunTest {
    private static final long TIMEOUT_MILLIS = 20_000;

    private final ByteArrayOutputStream output = new ByteArrayOutputStream();
    private final ApplicationRun application = new ApplicationRun(new ApplicationLog(output),
            new DocumentOpener(new DocumentPaths(false, Paths.get("/nonexistent"))));
    private Thread running;

    private List<String> lines() {
        String text;
        synchronized (output) {
            text = output.toString(StandardCharsets.UTF_8);
        }
        return text.isEmpty() ? List.of() : Arrays.asList(text.split("\n"));
    }

    private List<String> lastLines(int count) {
        List<String> lines = lines();
        return lines.subList(Math.max(0, lines.size() - count), lines.size());
    }

    /** The log's form of a string, written out here so that the test does not lean on the code it checks. */
    private static String quoted(Object text) {
        return "\"" + text.toString().replace("\\", "\\\\").replace("\"", "\\\"") + "\"";
    }

    private void start(Properties properties, String... arguments) {
        running = new Thread(() -> application.run(arguments, properties), "application");
        running.start();
    }

    private void start(String... arguments) {
        start(new Properties(), arguments);
    }

    /** Waits for the log to have the line; returns the log then. */
    private List<String> awaitLine(String expected) throws InterruptedException {
        long end = System.currentTimeMillis() + TIMEOUT_MILLIS;
        while (System.currentTimeMillis() < end) {
            if (lines().contains(expected)) {
                return lines();
            }
            Thread.sleep(10);
        }
        throw new AssertionError("no line <" + expected + "> in " + lines());
    }

    private void quitAndAwaitEnd() throws InterruptedException {
        application.deliver(new String[] {"quit"});
        running.join(TIMEOUT_MILLIS);
        Check.isTrue(!running.isAlive(), "the run ended after quit");
    }

    @Test
    void logsWhatItWasStartedWith() throws Exception {
        Properties properties = new Properties();
        properties.setProperty("pelmora.root", "C:\\Program Files\\Pelmora");
        String library = "lib" + File.separator + "x.jar";
        properties.setProperty("java.class.path", "Pelmora.jar" + File.pathSeparator + library);
        start(properties, "-delayexit", "-workdir", "Z:\\home", "-open", "-endOpen");
        List<String> lines = awaitLine(
                "Pelmora2: main [\"-delayexit\", \"-workdir\", \"Z:\\\\home\", \"-open\", \"-endOpen\"]");
        Check.equal(List.of("Pelmora2: root \"C:\\\\Program Files\\\\Pelmora\"", "Pelmora2: language (none)",
                            "Pelmora2: class path [\"Pelmora.jar\", " + quoted(library) + "]"),
                    lines.subList(0, 3), "start lines");
        quitAndAwaitEnd();
        Check.equal(List.of("Pelmora2: commands [\"quit\"]", "Pelmora2: quit", "Pelmora2: main returns"),
                    lastLines(3), "last lines");
    }

    @Test
    void opensTheDocumentsOfTheLaunchAndReportsFailures() throws Exception {
        try (TemporaryFolder folder = new TemporaryFolder()) {
            Path game = folder.write("First Game.sgf", Samples.bytes(Samples.SHORT_9X9));
            folder.write("notes.txt", "not a record".getBytes(StandardCharsets.UTF_8));
            folder.write("huge.sgf", "(;SZ[60])".getBytes(StandardCharsets.UTF_8));
            Files.createDirectories(folder.path().resolve("folder.sgf"));
            Path root = folder.path();
            start("-workdir", root.toString(), "-open", "First Game.sgf", "missing.sgf", "notes.txt",
                  "huge.sgf", "folder.sgf", "", game.toString(), "-endOpen");
            String opened = "Pelmora2: opened %s (file " + quoted(game) + "): game \"Short game with a"
                    + " capture\", black \"Alice Marchand\", white \"Bruno Åkesson\", board 9x9, moves 16";
            List<String> lines = awaitLine(String.format(opened, quoted(game)));
            int first = lines.indexOf(String.format(opened, "\"First Game.sgf\""));
            Check.isTrue(first > 0, "relative document opened: " + lines);
            Check.equal(List.of(cannotOpen(root, "missing.sgf", "no such file"),
                                cannotOpen(root, "notes.txt", "not a game record"),
                                cannotOpen(root, "huge.sgf", "board size \"60\" is not supported"),
                                cannotOpen(root, "folder.sgf", "is a folder"),
                                "Pelmora2: cannot open \"\": no document name"),
                        lines.subList(first + 1, first + 6), "failures in order");
            quitAndAwaitEnd();
        }
    }

    private static String cannotOpen(Path folder, String name, String reason) {
        String file = quoted(folder.resolve(name));
        return "Pelmora2: cannot open " + quoted(name) + " (file " + file + "): " + reason;
    }

    @Test
    void opensDocumentsOfLaterLaunchesAndReportsUnknownWords() throws Exception {
        try (TemporaryFolder folder = new TemporaryFolder()) {
            folder.write("later.sgf", Samples.bytes(Samples.TEACHING_13X13));
            start("-delayexit", "-bogus", "-workdir");
            awaitLine("Pelmora2: missing folder after \"-workdir\"");
            Check.isTrue(lines().contains("Pelmora2: unknown argument \"-bogus\""), "unknown word of main");
            String[] later = {"-workdir", folder.path().toString(), "-open", "later.sgf", "-endOpen"};
            application.deliver(later);
            List<String> lines = awaitLine("Pelmora2: opened \"later.sgf\" (file "
                    + quoted(folder.path().resolve("later.sgf")) + "): game \"Teaching game\", black"
                    + " \"Student\", white \"Teacher\", board 13x13, moves 32");
            String commands = "Pelmora2: commands [\"-workdir\", " + quoted(folder.path())
                    + ", \"-open\", \"later.sgf\", \"-endOpen\"]";
            Check.isTrue(lines.contains(commands), "commands line: " + lines);
            application.deliver(new String[] {"stop"});
            application.deliver(new String[] {"-what", "-open", "-endOpen"});
            application.deliver(null);
            awaitLine("Pelmora2: commands []");
            Check.isTrue(lines().contains("Pelmora2: unknown command \"stop\""), "unknown command");
            Check.isTrue(lines().contains("Pelmora2: unknown argument \"-what\""), "commands' unknown word");
            Check.isTrue(running.isAlive(), "unknown commands do not end the application");
            quitAndAwaitEnd();
        }
    }

    @Test
    void quitBeforeTheRunEndsItAfterItsStartLines() throws Exception {
        application.deliver(new String[] {"quit"});
        start("-open", Samples.folder().resolve(Samples.SHORT_9X9).toString(), "-endOpen");
        running.join(TIMEOUT_MILLIS);
        Check.isTrue(!running.isAlive(), "the run ended by itself");
        Check.equal(List.of("Pelmora2: quit", "Pelmora2: main returns"), lastLines(2), "end");
        Check.isTrue(lines().stream().noneMatch(line -> line.contains("opened")), "nothing opened");

        // The quit was used up: the next run waits again.
        output.reset();
        start();
        awaitLine("Pelmora2: main []");
        Thread.sleep(200);
        Check.isTrue(running.isAlive(), "a second run waits for its own quit");
        quitAndAwaitEnd();
    }

    @Test
    void endsWhenItsThreadIsInterrupted() throws Exception {
        start();
        awaitLine("Pelmora2: main []");
        running.interrupt();
        running.join(TIMEOUT_MILLIS);
        Check.isTrue(!running.isAlive(), "ended");
        Check.equal(List.of("Pelmora2: interrupted", "Pelmora2: main returns"), lastLines(2), "end");
    }
}
