package pelmora.app;

import java.util.Arrays;
import java.util.List;
import java.util.Properties;
import java.util.concurrent.BlockingQueue;
import java.util.concurrent.LinkedBlockingQueue;
import java.util.concurrent.atomic.AtomicBoolean;

/**
 * The application's life: {@link #run} opens the documents of the launch, then those that later launches
 * hand over through {@link #deliver}, until the command "quit". Documents are opened on the thread that
 * runs, in the order they arrived; {@link #deliver} only logs and queues, so it returns at once on any
 * thread. "quit" makes {@link #run} return without opening what is still queued, also when it arrived
 * before the run started; the run leaves nothing behind for the next one.
 */
public final class ApplicationRun {
    public static final String QUIT = "quit";

    /** Queued by "quit" to wake the running thread; compared by identity. */
    private static final LaunchArguments QUIT_REQUEST = LaunchArguments.parse(List.of());

    private final ApplicationLog log;
    private final DocumentOpener opener;
    private final BlockingQueue<LaunchArguments> launches = new LinkedBlockingQueue<>();
    private final AtomicBoolean quitRequested = new AtomicBoolean();

    public ApplicationRun(ApplicationLog log, DocumentOpener opener) {
        this.log = log;
        this.opener = opener;
    }

    /**
     * Runs the application until "quit" or an interrupt. Reads pelmora.root, pelmora.language and
     * java.class.path from {@code properties}.
     */
    public void run(String[] arguments, Properties properties) {
        List<String> received = listOf(arguments);
        log.line(LogMessages.root(properties.getProperty("pelmora.root")));
        log.line(LogMessages.language(properties.getProperty("pelmora.language")));
        log.line(LogMessages.classPath(properties.getProperty("java.class.path")));
        log.line(LogMessages.main(received));
        try {
            LaunchArguments launch = LaunchArguments.parse(received);
            reportUnknown(launch);
            open(launch);
            while (!quitRequested.get()) {
                LaunchArguments next = launches.take();
                if (next != QUIT_REQUEST) {
                    open(next);
                }
            }
            log.line(LogMessages.quit());
        } catch (InterruptedException e) {
            Thread.currentThread().interrupt();
            log.line(LogMessages.interrupted());
        } finally {
            launches.clear();
            quitRequested.set(false);
            log.line(LogMessages.mainReturns());
        }
    }

    /** Takes the arguments of a later launch, or a single command word such as "quit". */
    public void deliver(String[] arguments) {
        List<String> received = listOf(arguments);
        log.line(LogMessages.commands(received));
        if (received.size() == 1) {
            if (QUIT.equals(received.get(0))) {
                quitRequested.set(true);
                launches.add(QUIT_REQUEST);
            } else {
                log.line(LogMessages.unknownCommand(received.get(0)));
            }
            return;
        }
        LaunchArguments launch = LaunchArguments.parse(received);
        reportUnknown(launch);
        if (!launch.documents().isEmpty()) {
            launches.add(launch);
        }
    }

    private void reportUnknown(LaunchArguments launch) {
        for (String word : launch.unknownWords()) {
            log.line(LogMessages.unknownArgument(word));
        }
        for (String problem : launch.problems()) {
            log.line(problem);
        }
    }

    private void open(LaunchArguments launch) {
        for (String document : launch.documents()) {
            if (quitRequested.get()) {
                return;
            }
            log.line(opener.open(launch.workingFolder(), document));
        }
    }

    private static List<String> listOf(String[] arguments) {
        return arguments == null ? List.of() : Arrays.asList(arguments.clone());
    }
}
