import java.io.BufferedReader;
import java.io.InputStreamReader;
import java.nio.charset.StandardCharsets;

/**
 * Runs Pelmora2 in a process of its own as the launcher does: main on one thread with this program's
 * arguments, and for each line of standard input a commands call from another thread, its arguments
 * separated by tabs. Exits when main returns.
 */
public final class Pelmora2Driver {
    private Pelmora2Driver() {}

    public static void main(String[] args) throws Exception {
        Thread application = new Thread(() -> Pelmora2.main(args), "Pelmora2 main");
        application.start();
        Thread commands = new Thread(() -> {
            try (BufferedReader input =
                         new BufferedReader(new InputStreamReader(System.in, StandardCharsets.UTF_8))) {
                for (String line = input.readLine(); line != null; line = input.readLine()) {
                    Pelmora2.commands(line.split("\t", -1));
                }
            } catch (java.io.IOException e) {
                throw new java.io.UncheckedIOException(e);
            }
        }, "commands");
        commands.setDaemon(true);
        commands.start();
        application.join();
    }
}
