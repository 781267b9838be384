package pelmora.sgf;

/** The data is no game record this application can show; the message says why, for the user. */
public final class NotAGameRecordException extends Exception {
    private static final long serialVersionUID = 1L;

    public NotAGameRecordException(String reason) {
        super(reason);
    }
}
