import java.io.BufferedReader;
import java.io.InputStreamReader;
import java.io.OutputStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.List;
import java.util.concurrent.TimeUnit;
import pelmora.testing.Check;
import pelmora.testing.Samples;
import pelmora.testing.Test;

/** Pelmora2 through its static entry points, in this process and in a process of its own. */
public final class Pelmora2Test {
    private static final long TIMEOUT_MILLIS = 30_000;

    private static Thread runMain(String[] arguments) {
        Thread application = new Thread(() -> Pelmora2.main(arguments), "Pelmora2 main");
        application.start();
        return application;
    }

    @Test
    void quitFromAnotherThreadEndsMain() throws Exception {
        Thread application = runMain(new String[] {"-delayexit", "-unknown"});
        Thread.sleep(200);
        Check.isTrue(application.isAlive(), "main waits for commands");
        Pelmora2.commands(new String[] {"not-a-command"});
        Pelmora2.commands(null);
        Pelmora2.commands(new String[] {});
        Thread.sleep(100);
        Check.isTrue(application.isAlive(), "other commands leave it running");
        Thread commands = new Thread(() -> Pelmora2.commands(new String[] {"quit"}), "commands");
        commands.start();
        application.join(TIMEOUT_MILLIS);
        Check.isTrue(!application.isAlive(), "main returned after quit");
    }

    @Test
    void mainTakesANullArgumentList() throws Exception {
        Thread application = runMain(null);
        Pelmora2.commands(new String[] {"quit"});
        application.join(TIMEOUT_MILLIS);
        Check.isTrue(!application.isAlive(), "main returned after quit");
    }

    /**
     * The launcher's sequence in a process whose default encoding is ASCII: the log still comes in UTF-8, and
     * commands from another thread open documents and end the application.
     */
    @Test
    void logsALaunchOnStandardOutput() throws Exception {
        Path java = Paths.get(System.getProperty("java.home"), "bin", "java");
        String samples = Samples.folder().toString();
        List<String> command = List.of(java.toString(), "-Dfile.encoding=US-ASCII",
                "-Dpelmora.root=C:\\Pelmora Å", "-cp", System.getProperty("java.class.path"),
                "Pelmora2Driver", "-delayexit", "-workdir", samples, "-open", Samples.SHORT_9X9, "-endOpen");
        Process process = new ProcessBuilder(command).redirectError(ProcessBuilder.Redirect.INHERIT).start();
        List<String> lines = new ArrayList<>();
        try (BufferedReader output = new BufferedReader(
                        new InputStreamReader(process.getInputStream(), StandardCharsets.UTF_8));
                OutputStream input = process.getOutputStream()) {
            Thread watchdog = new Thread(() -> {
                try {
                    if (!process.waitFor(TIMEOUT_MILLIS, TimeUnit.MILLISECONDS)) {
                        process.destroyForcibly();
                    }
                } catch (InterruptedException e) {
                    process.destroyForcibly();
                }
            });
            watchdog.setDaemon(true);
            watchdog.start();
            for (String line = output.readLine(); line != null; line = output.readLine()) {
                lines.add(line);
                String reply = null;
                if (line.startsWith("Pelmora2: opened")) {
                    reply = "-workdir\t" + samples + "\t-open\tnone.sgf\t-endOpen";
                }
                if (line.startsWith("Pelmora2: cannot open")) {
                    reply = "quit";
                }
                if (reply != null) {
                    input.write((reply + "\n").getBytes(StandardCharsets.UTF_8));
                    input.flush();
                }
            }
        }
        Check.isTrue(process.waitFor(TIMEOUT_MILLIS, TimeUnit.MILLISECONDS), "the process ended: " + lines);
        Check.equal(0, process.exitValue(), "exit code");
        Check.equal(10, lines.size(), "lines: " + lines);
        String folder = "\"" + samples.replace("\\", "\\\\") + "\"";
        String opened = "Pelmora2: opened \"Short 9x9 Game.sgf\" (file \""
                + Samples.folder().resolve(Samples.SHORT_9X9).toString().replace("\\", "\\\\")
                + "\"): game \"Short game with a capture\", black \"Alice Marchand\","
                + " white \"Bruno Åkesson\", board 9x9, moves 16";
        Check.equal(List.of(
                "Pelmora2: root \"C:\\\\Pelmora Å\"",
                "Pelmora2: language (none)",
                "Pelmora2: main [\"-delayexit\", \"-workdir\", " + folder
                        + ", \"-open\", \"Short 9x9 Game.sgf\", \"-endOpen\"]",
                opened,
                "Pelmora2: commands [\"-workdir\", " + folder + ", \"-open\", \"none.sgf\", \"-endOpen\"]",
                "Pelmora2: commands [\"quit\"]",
                "Pelmora2: quit",
                "Pelmora2: main returns"),
                List.of(lines.get(0), lines.get(1), lines.get(3), lines.get(4), lines.get(5), lines.get(7),
                        lines.get(8), lines.get(9)), "log: " + lines);
        Check.isTrue(lines.get(2).startsWith("Pelmora2: class path ["), "class path line: " + lines.get(2));
        Check.isTrue(lines.get(6).startsWith("Pelmora2: cannot open \"none.sgf\" (file "),
                     "line: " + lines.get(6));
    }
}
