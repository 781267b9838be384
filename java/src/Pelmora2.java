import pelmora.app.ApplicationLog;
import pelmora.app.ApplicationRun;
import pelmora.app.DocumentOpener;
import pelmora.app.DocumentPaths;

/**
 * The application as the launcher starts it: {@link #main} runs it and returns when it ends, and
 * {@link #commands}, called on another thread, hands it the arguments of a later launch or a command word.
 * This reference application opens the game records it is given and tells on standard output what it
 * received and what each record holds; it ends on the command "quit".
 *
 * <p>main receives "-delayexit", "-workdir" and the caller's current folder, "-open", the documents, and
 * "-endOpen"; commands the same without "-delayexit", or a single word. Relative documents are found in
 * the working folder; Windows drive paths are mapped through Wine's drive table when this runs elsewhere
 * ({@link DocumentPaths}). "-delayexit" has no effect here: main never ends the process. Unknown words and
 * unreadable documents are reported, never thrown. It reads the system properties pelmora.root (the
 * installation folder) and pelmora.language (may be absent).
 *
 * <p>The log: every line goes to standard output in UTF-8, flushed at once, as {@code Pelmora2: } and one
 * of the following. Strings are in double quotes with {@code \" \\ \n \r \t} and {@code \}{@code uXXXX}
 * escapes for control characters and unpaired surrogates, other characters as they are; a list is
 * {@code ["a", "b"]}; an absent value is {@code (none)}; a null string {@code null}.
 *
 * <pre>
 * root "C:\\Program Files\\Pelmora"                        at start: pelmora.root, or root (none)
 * language "de"                                           at start: pelmora.language, or language (none)
 * class path ["C:\\Pelmora\\Pelmora.jar", "lib\\x.jar"]   at start: java.class.path split at its separator
 * main ["-delayexit", "-workdir", "Z:\\home\\me", "-open", "a.sgf", "-endOpen"]   all that main received
 * commands ["-workdir", "Z:\\home\\me", "-open", "b.sgf", "-endOpen"]             all of each commands call
 * unknown argument "-x"                                   a word of main or commands it does not know
 * unknown command "stop"                                  a single word other than "quit"
 * missing folder after "-workdir"                         "-workdir" as the last word
 * opened "a.sgf" (file "/home/me/a.sgf"): game "Short game", black "Alice", white (none), board 9x9, moves 12
 * cannot open "b.sgf" (file "/home/me/b.sgf"): no such file
 * cannot open "": no document name                        without "(file ...)" when the name gives no path
 * quit                                                    main ends on the command "quit"
 * interrupted                                             main ends because its thread was interrupted
 * main returns                                            the last line of every run
 * </pre>
 *
 * <p>In "opened", game, black and white are the root's GN, PB and PW (line breaks as spaces), board is SZ
 * (19 without it) and moves counts the B and W properties of the main line, passes included. Reasons
 * after "cannot open" are texts such as "no such file", "is a folder", "not a game record",
 * "board size \"60\" is not supported" or the name and message of a read error.
 *
 * <p>A "quit" that arrives while no main runs ends the next main right after its start lines.
 */
public final class Pelmora2 {
    private static final ApplicationRun APPLICATION = new ApplicationRun(
            new ApplicationLog(System.out), new DocumentOpener(DocumentPaths.forThisSystem()));

    private Pelmora2() {}

    public static void main(String[] args) {
        APPLICATION.run(args, System.getProperties());
    }

    /** Thread-safe; returns at once, documents are opened by the thread running main. */
    public static void commands(String[] args) {
        APPLICATION.deliver(args);
    }
}
