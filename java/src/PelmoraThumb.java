import java.nio.file.Path;
import pelmora.app.DocumentFiles;
import pelmora.app.DocumentPaths;
import pelmora.sgf.GameRecord;
import pelmora.sgf.GameRecordReader;
import pelmora.sgf.NotAGameRecordException;
import pelmora.thumbnail.BoardPicture;
import pelmora.thumbnail.DeviceIndependentBitmap;

/**
 * The thumbnail renderer the thumbnail server calls: a picture of the final position of a game record's main
 * line, as a bitmap buffer, or null. It never throws: null arguments, sizes below 1, data that is no game
 * record (see {@link pelmora.sgf.SgfReader}), a board size it cannot draw, an unreadable file and any failure
 * while drawing, memory included, all give null. The server starts its Java headless; this class draws only
 * into memory.
 *
 * <p>The picture is square, of side S = min(x, y, {@value #MAX_SIDE}) pixels; larger requests get the
 * largest side, which the handler scales. Geometry and colours are those of {@link BoardPicture}: with N
 * lines, cell = S / (double) N, the point in column c and row r ("aa" is column 0, row 0, the first letter
 * the column) has its centre at x = (c + 0.5) * cell, y = (r + 0.5) * cell from the top-left corner; board
 * RGB(0xDC, 0xB3, 0x5C), grid lines RGB(0x40, 0x30, 0x10), black stones RGB(0, 0, 0), white stones RGB(255,
 * 255, 255) with a thin outline of the lines' colour, stones of radius 0.45 * cell.
 *
 * <p>The buffer is the one {@link DeviceIndependentBitmap} describes: a 40-byte BITMAPINFOHEADER (biWidth =
 * biHeight = S, 24 bits, biSizeImage = stride * S), then S rows from the bottom of the picture up of blue,
 * green, red bytes, each row padded with zeros to stride = ((S * 24 + 31) / 32) * 4 bytes.
 */
public final class PelmoraThumb {
    public static final int MAX_SIDE = 1024;
    /** The path variant reads no more of a file; a cut record shows its position at the cut. */
    public static final int MAX_FILE_BYTES = 2 * 1024 * 1024;

    private PelmoraThumb() {}

    /**
     * The picture of the record in the file; Windows drive paths are mapped as {@link DocumentPaths} says.
     *
     * @param kind the kind of picture; only thumbnails exist, any value gives one
     */
    public static byte[] create(int kind, String path, int x, int y) {
        try {
            if (path == null || x < 1 || y < 1) {
                return null;
            }
            Path file = DocumentPaths.forThisSystem().map(path);
            byte[] data = DocumentFiles.readStart(file, MAX_FILE_BYTES);
            return render(data, data.length, x, y);
        } catch (Throwable anyFailure) {
            return null;
        }
    }

    /**
     * The picture of the record whose first bytes are given (the server sends up to 20,000); a record cut
     * short shows the position at the cut.
     *
     * @param kind the kind of picture; only thumbnails exist, any value gives one
     */
    public static byte[] create(int kind, byte[] bytes, int x, int y) {
        try {
            if (bytes == null || x < 1 || y < 1) {
                return null;
            }
            return render(bytes, Math.min(bytes.length, MAX_FILE_BYTES), x, y);
        } catch (Throwable anyFailure) {
            return null;
        }
    }

    private static byte[] render(byte[] data, int length, int x, int y) {
        GameRecord record;
        try {
            record = GameRecordReader.read(data, length);
        } catch (NotAGameRecordException e) {
            return null;
        }
        int side = Math.min(Math.min(x, y), MAX_SIDE);
        return DeviceIndependentBitmap.encode(BoardPicture.draw(record.finalPosition(), side));
    }
}
