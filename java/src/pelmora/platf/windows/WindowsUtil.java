package pelmora.platf.windows;

/**
 * Windows services for the application: a named mutex, the shell's recent documents and mailing a game
 * record. Implemented by PelmoraWin64.dll. Handles are {@code long} values that belong to the caller until
 * passed to {@link #closeHandle}. No method throws.
 */
public final class WindowsUtil {
    static {
        System.loadLibrary("PelmoraWin64");
    }

    /** {@link #mailSgf} results. */
    public static final int MAIL_NOT_AVAILABLE = 1;
    public static final int MAIL_INITIALIZE_FAILED = 2;
    public static final int MAIL_LOGON_FAILED = 3;
    public static final int MAIL_NOT_SENT = 4;
    public static final int MAIL_HANDED_OVER = 5;

    private WindowsUtil() {}

    /**
     * Creates the named mutex, or opens it when it exists (then {@code initialOwner} gives no ownership).
     * Returns its handle, 0 on failure.
     */
    public static native long createMutex(String name, boolean initialOwner);

    /** Must run on the thread that owns the mutex. */
    public static native int releaseMutex(long mutex);

    public static native int closeHandle(long handle);

    /** Adds the file to the shell's list of recently used documents. */
    public static native void documentOpened(String path);

    /**
     * Opens the user's mail program with a new message to the recipient, with the subject and the file
     * attached; returns when the user has sent or abandoned it. Texts travel in the system's ANSI code page.
     * Returns one of the MAIL_ constants (0 when memory ran out).
     */
    public static native int mailSgf(String attachmentPath, String recipientName, String recipientAddress,
                                     String subject);
}
