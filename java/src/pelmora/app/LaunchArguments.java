package pelmora.app;

import java.util.ArrayList;
import java.util.Collections;
import java.util.List;

/**
 * What a launch asks for: "-delayexit", "-workdir" followed by the caller's current folder, and "-open"
 * followed by the documents up to "-endOpen" (or to the end). Every word between "-open" and "-endOpen" is a
 * document, whatever it looks like. Other words are collected as unknown; a "-workdir" without a folder
 * after it is a problem. Null words count as empty ones.
 */
public final class LaunchArguments {
    public static final String DELAY_EXIT = "-delayexit";
    public static final String WORKING_FOLDER = "-workdir";
    public static final String OPEN = "-open";
    public static final String END_OPEN = "-endOpen";

    private final boolean delayExit;
    private final String workingFolder;
    private final List<String> documents;
    private final List<String> unknownWords;
    private final List<String> problems;

    private LaunchArguments(boolean delayExit, String workingFolder, List<String> documents,
                            List<String> unknownWords, List<String> problems) {
        this.delayExit = delayExit;
        this.workingFolder = workingFolder;
        this.documents = Collections.unmodifiableList(documents);
        this.unknownWords = Collections.unmodifiableList(unknownWords);
        this.problems = Collections.unmodifiableList(problems);
    }

    public static LaunchArguments parse(List<String> arguments) {
        boolean delayExit = false;
        String workingFolder = null;
        List<String> documents = new ArrayList<>();
        List<String> unknownWords = new ArrayList<>();
        List<String> problems = new ArrayList<>();
        boolean inOpen = false;
        for (int i = 0; i < arguments.size(); i++) {
            String word = arguments.get(i) == null ? "" : arguments.get(i);
            if (inOpen) {
                if (word.equals(END_OPEN)) {
                    inOpen = false;
                } else {
                    documents.add(word);
                }
            } else if (word.equals(DELAY_EXIT)) {
                delayExit = true;
            } else if (word.equals(WORKING_FOLDER)) {
                if (i + 1 < arguments.size()) {
                    String folder = arguments.get(++i);
                    workingFolder = folder == null ? "" : folder;
                } else {
                    problems.add("missing folder after " + LogText.quote(WORKING_FOLDER));
                }
            } else if (word.equals(OPEN)) {
                inOpen = true;
            } else {
                unknownWords.add(word);
            }
        }
        return new LaunchArguments(delayExit, workingFolder, documents, unknownWords, problems);
    }

    public boolean delayExit() {
        return delayExit;
    }

    /** The caller's current folder; null when the launch gave none. */
    public String workingFolder() {
        return workingFolder;
    }

    /** The documents to open, in order. */
    public List<String> documents() {
        return documents;
    }

    public List<String> unknownWords() {
        return unknownWords;
    }

    /** Messages about malformed arguments. */
    public List<String> problems() {
        return problems;
    }
}
