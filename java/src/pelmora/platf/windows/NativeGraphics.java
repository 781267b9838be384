package pelmora.platf.windows;

/**
 * GDI drawing for diagrams: fonts and text, pens and brushes, lines, curves, paths, shapes and filled
 * polygons on a device context, plus the enhanced metafiles that record them for printing, export and the
 * clipboard. Implemented by PelmoraWin64.dll.
 *
 * <p>Handles (device contexts, fonts, pens, brushes, metafiles) are {@code long} values that belong to the
 * caller until passed back to their release method: {@link #deleteObject}, {@link #deleteRefDC},
 * {@link #deleteEMF}. The two text-extent methods take the device context as an {@code int}, which the
 * library sign-extends to a handle. Coordinates are logical units of the device context, rounded half up
 * to whole units; colours are red, green and blue of which only the low 8 bits count. Windows results come
 * back unchanged (0 for failure); no method throws.
 */
public final class NativeGraphics {
    static {
        System.loadLibrary("PelmoraWin64");
    }

    private NativeGraphics() {}

    // Fonts and text.

    /** A font of the face (at most 31 characters), {@code size} logical units high, of the given weight. */
    public static native long createFontUnicode(String faceName, int size, int weight);

    public static native int outTextUnicode(long dc, String text, float x, float y);

    public static native int getTextAlign(long dc);

    /** Returns the previous alignment. */
    public static native int setTextAlign(long dc, int align);

    public static native int GetTextExtentPoint32Unicode_height(int dc, String text);

    public static native int GetTextExtentPoint32Unicode_width(int dc, String text);

    /**
     * -1 when every character of {@code text} exists in the system's ANSI code page, 0 when not.
     *
     * @param dc the device context the text is meant for; not used, the answer depends on the code page only
     */
    public static native int canPresentASCII(long dc, String text);

    /**
     * Always -1: Unicode output presents every text. Takes the same parameters as {@link #canPresentASCII}
     * so that callers can choose either method; both are ignored.
     */
    public static native int canPresentUnicode(long dc, String text);

    /** Returns the previous colour as red + green * 256 + blue * 65536. */
    public static native int setTextColor(long dc, int red, int green, int blue);

    // Pens, brushes and other GDI objects.

    /** Selects the stock object with the given index; returns the previously selected object. */
    public static native long selectStockObject(long dc, int index);

    /** Returns the previously selected object of the same kind. */
    public static native long selectObject(long dc, long object);

    public static native int deleteObject(long object);

    /** A solid brush when {@code solid} is non-zero, else a hollow one. */
    public static native long createBrush(int solid, int red, int green, int blue);

    /** A solid pen of the width truncated toward zero; a negative width gives a pen that draws nothing. */
    public static native long createPen(float width, int red, int green, int blue);

    // Lines, paths and shapes.

    public static native int moveTo(long dc, float x, float y);

    public static native int lineTo(long dc, float x, float y);

    public static native int getPenX(long dc);

    public static native int getPenY(long dc);

    public static native int beginPath(long dc);

    public static native int endPath(long dc);

    public static native int closeFigure(long dc);

    public static native int fillPath(long dc);

    /** Replaces the clip region with the current path. */
    public static native int selectClipPath(long dc);

    /** Returns the previous mode. */
    public static native int setPolyFillMode(long dc, int mode);

    /** A Bézier curve from the current position: two control points and the end point. */
    public static native int polyBezierTo(long dc, float x1, float y1, float x2, float y2, float x3, float y3);

    public static native int drawEllipse(long dc, float left, float top, float right, float bottom);

    public static native int drawRectangle(long dc, float left, float top, float right, float bottom);

    /**
     * Fills polygons with the selected brush and no outline. {@code points} holds x, y pairs (an odd last
     * value is ignored); {@code counts} the number of vertices of each polygon, in order. Returns the null
     * pen that was selected while drawing, or 0 when the counts ask for more points than given (nothing is
     * drawn then). The previously selected pen is selected again in every case.
     */
    public static native long polyPolygon(long dc, float[] points, int[] counts);

    // Metafiles and the clipboard.

    /** A device context of the default printer, or 0 when there is none. */
    public static native long createRefDC();

    public static native int deleteRefDC(long dc);

    /** A device context that records an enhanced metafile with the frame in 0.01 mm. */
    public static native long createEMFUnicode(long refDc, float left, float top, float right, float bottom);

    /** Ends the recording; returns the enhanced metafile. */
    public static native long closeEMF(long emfDc);

    public static native int deleteEMF(long emf);

    /**
     * An old-style Windows metafile of the enhanced one, which stays the caller's. {@code refDc} 0 converts
     * for the screen.
     */
    public static native long convertEMF2WMF(long emf, long refDc);

    /**
     * Replaces the clipboard's content with the enhanced metafile and/or the Windows metafile (either may
     * be 0) with the suggested size in 0.01 mm. Returns 1, or 0 when the clipboard could not be opened.
     * After success the clipboard owns the metafiles.
     */
    public static native int toClipboardMF(long emf, long wmf, float width, float height);

    /** The enhanced metafile's bytes as stored in an .emf file, or null. */
    public static native byte[] clipboardBitsEMF(long emf);
}
