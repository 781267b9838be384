package pelmora.app;

import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.NoSuchFileException;
import java.nio.file.Path;
import pelmora.sgf.GameRecord;
import pelmora.sgf.GameRecordReader;
import pelmora.sgf.NotAGameRecordException;

/**
 * Opens the documents named on a command line: finds the file, reads the game record and says in a log
 * message what it holds or why it cannot be opened. Nothing it meets makes it throw.
 */
public final class DocumentOpener {
    /** Larger files are refused rather than read: no game record comes near this size. */
    public static final int MAX_RECORD_BYTES = 16 * 1024 * 1024;

    private final DocumentPaths paths;

    public DocumentOpener(DocumentPaths paths) {
        this.paths = paths;
    }

    /** Opens the document named in the working folder (null for none); returns the message for the log. */
    public String open(String workingFolder, String document) {
        if (document == null || document.isEmpty()) {
            return LogMessages.cannotOpen(document, null, "no document name");
        }
        Path file;
        try {
            file = paths.resolve(workingFolder, document);
        } catch (InvalidPathException e) {
            return LogMessages.cannotOpen(document, null, "invalid path: " + e.getMessage());
        }
        try {
            return LogMessages.opened(document, file, read(file));
        } catch (NoSuchFileException e) {
            return LogMessages.cannotOpen(document, file, "no such file");
        } catch (IOException | NotAGameRecordException e) {
            return LogMessages.cannotOpen(document, file, describe(e));
        } catch (RuntimeException | OutOfMemoryError e) {
            return LogMessages.cannotOpen(document, file, "failed: " + e);
        }
    }

    private static GameRecord read(Path file) throws IOException, NotAGameRecordException {
        if (Files.isDirectory(file)) {
            throw new IOException("is a folder");
        }
        if (!Files.exists(file)) {
            throw new NoSuchFileException(file.toString());
        }
        if (Files.size(file) > MAX_RECORD_BYTES) {
            throw new IOException("larger than " + MAX_RECORD_BYTES + " bytes");
        }
        byte[] data = DocumentFiles.readStart(file, MAX_RECORD_BYTES);
        return GameRecordReader.read(data);
    }

    private static String describe(Exception e) {
        String message = e.getMessage();
        boolean ownMessage = e instanceof NotAGameRecordException || e.getClass() == IOException.class;
        if (ownMessage && message != null) {
            return message;
        }
        return e.getClass().getSimpleName() + (message == null ? "" : ": " + message);
    }
}
