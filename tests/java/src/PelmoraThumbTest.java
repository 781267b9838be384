import java.io.ByteArrayOutputStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import pelmora.sgf.BoardPosition;
import pelmora.sgf.GameRecordReader;
import pelmora.sgf.Stone;
import pelmora.testing.Bitmap;
import pelmora.testing.Check;
import pelmora.testing.Samples;
import pelmora.testing.TemporaryFolder;
import pelmora.testing.Test;

/** The renderer's buffers checked against the geometry and colours its class comment states. */
public final class PelmoraThumbTest {
    private static final int BOARD = 0xDCB35C;
    private static final int BLACK = 0x000000;
    private static final int WHITE = 0xFFFFFF;

    private static byte[] render(String record, int x, int y) {
        return PelmoraThumb.create(1, record.getBytes(StandardCharsets.UTF_8), x, y);
    }

    private static String hex(int rgb) {
        return String.format("%06X", rgb);
    }

    @Test
    void writesTheBitmapHeader() {
        byte[] buffer = PelmoraThumb.create(1, Samples.bytes(Samples.SHORT_9X9), 200, 150);
        Bitmap bitmap = new Bitmap(buffer);
        int stride = 452; // 150 pixels of 3 bytes, rounded up to whole 4-byte words
        Check.equal(40, bitmap.headerInt(0), "biSize");
        Check.equal(150, bitmap.headerInt(4), "biWidth: the smaller side asked for");
        Check.equal(150, bitmap.headerInt(8), "biHeight, positive");
        Check.equal(1, bitmap.headerShort(12), "biPlanes");
        Check.equal(24, bitmap.headerShort(14), "biBitCount");
        Check.equal(0, bitmap.headerInt(16), "biCompression");
        Check.equal(stride * 150, bitmap.headerInt(20), "biSizeImage");
        for (int offset = 24; offset < 40; offset += 4) {
            Check.equal(0, bitmap.headerInt(offset), "field at " + offset);
        }
        Check.equal(40 + stride * 150, buffer.length, "length");
    }

    @Test
    void padsRowsWithZeros() {
        for (int side : new int[] {13, 97, 1, 2, 3, 5}) {
            byte[] buffer = render("(;SZ[5]AB[aa:ee])", side, side);
            Bitmap bitmap = new Bitmap(buffer);
            int stride = bitmap.stride();
            Check.equal(40 + stride * side, buffer.length, "length for side " + side);
            int padding = stride - side * 3;
            Check.isTrue(stride % 4 == 0 && padding >= 0 && padding < 4, "stride " + stride);
            for (int row = 0; row < side; row++) {
                for (int pad = side * 3; pad < stride; pad++) {
                    Check.equal((byte) 0, bitmap.byteAt(40 + row * stride + pad), "padding of row " + row);
                }
            }
        }
    }

    @Test
    void storesTheBottomRowFirst() {
        // A black stone in the top-left corner: cell 10, centre (5, 5), so picture row 5 is buffer row 84.
        byte[] buffer = render("(;SZ[9];B[aa])", 90, 90);
        int stride = 272;
        Check.equal("000000", bgr(buffer, 40 + 84 * stride + 5 * 3), "the stone in buffer row 84");
        Check.isTrue(!bgr(buffer, 40 + 5 * stride + 5 * 3).equals("000000"), "no stone in buffer row 5");
        Check.equal("5CB3DC", bgr(buffer, 40 + 9 * stride + 10 * 3), "picture (10, 80) between lines: board");
    }

    /** The three bytes at the offset as hexadecimal, in buffer order: blue, green, red. */
    private static String bgr(byte[] buffer, int offset) {
        return String.format("%02X%02X%02X", buffer[offset], buffer[offset + 1], buffer[offset + 2]);
    }

    /** Every sample at some sizes: the stones' colours at their centres, the board's where the rule says. */
    @Test
    void drawsTheFinalPositionAsTheGeometrySays() throws Exception {
        for (String sample : Samples.ALL) {
            byte[] data = Samples.bytes(sample);
            BoardPosition position = GameRecordReader.read(data).finalPosition();
            for (int side : new int[] {256, 200, 333}) {
                Bitmap bitmap = new Bitmap(PelmoraThumb.create(1, data, side, side));
                checkPicture(sample + " at " + side, position, bitmap);
            }
        }
    }

    private static void checkPicture(String what, BoardPosition position, Bitmap bitmap) {
        int lines = position.size();
        int side = bitmap.width();
        double cell = side / (double) lines;
        List<double[]> stones = new ArrayList<>();
        for (int row = 0; row < lines; row++) {
            for (int column = 0; column < lines; column++) {
                Stone stone = position.stoneAt(column, row);
                if (stone == Stone.EMPTY) {
                    continue;
                }
                double x = (column + 0.5) * cell;
                double y = (row + 0.5) * cell;
                stones.add(new double[] {x, y});
                int expected = stone == Stone.BLACK ? BLACK : WHITE;
                Check.equal(hex(expected), hex(bitmap.rgb((int) x, (int) y)),
                            what + ": stone at " + column + "," + row);
            }
        }
        Check.isTrue(!stones.isEmpty(), what + ": has stones");
        int boardPixels = 0;
        for (int py = 0; py < side; py++) {
            for (int px = 0; px < side; px++) {
                double x = px + 0.5;
                double y = py + 0.5;
                if (nearStone(stones, x, y, 0.6 * cell) || nearGridLine(x, y, cell, lines)) {
                    continue;
                }
                boardPixels++;
                int rgb = bitmap.rgb(px, py);
                if (rgb != BOARD) {
                    throw new AssertionError(what + ": pixel " + px + "," + py + " is " + hex(rgb));
                }
            }
        }
        Check.isTrue(boardPixels > side * side / 4, what + ": board pixels checked: " + boardPixels);
    }

    private static boolean nearStone(List<double[]> stones, double x, double y, double distance) {
        for (double[] stone : stones) {
            if (Math.hypot(stone[0] - x, stone[1] - y) <= distance) {
                return true;
            }
        }
        return false;
    }

    /** Whether the pixel centre is nearer than 2 pixels to a grid line, a segment between its end points. */
    private static boolean nearGridLine(double x, double y, double cell, int lines) {
        return nearLine(x, y, cell, lines) || nearLine(y, x, cell, lines);
    }

    /** Whether (across, along) is near one of the lines at across = (k + 0.5) * cell. */
    private static boolean nearLine(double across, double along, double cell, int lines) {
        double first = 0.5 * cell;
        double last = (lines - 0.5) * cell;
        double index = Math.min(lines - 1, Math.max(0, Math.round((across - first) / cell)));
        double nearest = first + index * cell;
        return Math.abs(across - nearest) < 2 && along > first - 2 && along < last + 2;
    }

    @Test
    void boundsTheSide() {
        Check.equal(1024, new Bitmap(render("(;SZ[9];B[ee])", Integer.MAX_VALUE, Integer.MAX_VALUE)).width(),
                    "a huge request gets the largest side");
        Check.equal(300, new Bitmap(render("(;SZ[9];B[ee])", 5000, 300)).width(), "the smaller side counts");
        Check.equal(1, new Bitmap(render("(;SZ[19];B[aa])", 1, 1)).width(), "one pixel");
    }

    @Test
    void givesNullForBadArguments() {
        byte[] record = "(;SZ[9];B[ee])".getBytes(StandardCharsets.UTF_8);
        Check.isNull(PelmoraThumb.create(1, (byte[]) null, 100, 100), "null bytes");
        Check.isNull(PelmoraThumb.create(1, (String) null, 100, 100), "null path");
        Check.isNull(PelmoraThumb.create(1, record, 0, 100), "x of 0");
        Check.isNull(PelmoraThumb.create(1, record, 100, -1), "negative y");
        Check.isNull(PelmoraThumb.create(1, record, Integer.MIN_VALUE, 100), "smallest x");
        Check.isNull(PelmoraThumb.create(1, new byte[0], 100, 100), "no bytes");
        Check.isNull(render("garbage (;B[aa])", 100, 100), "no game record");
        Check.isNull(render("(;SZ[60];B[aa])", 100, 100), "a board too large to draw");
        Check.notNull(PelmoraThumb.create(7, record, 100, 100), "any kind gives a thumbnail");
    }

    @Test
    void drawsARecordCutAtTwentyThousandBytes() throws Exception {
        ByteArrayOutputStream record = new ByteArrayOutputStream();
        record.writeBytes("(;GM[1]SZ[19]".getBytes(StandardCharsets.UTF_8));
        String comment = "C[" + "A long comment about this move. ".repeat(12) + "]";
        for (int row = 0; row < 19; row++) {
            for (int column = 0; column < 19; column += 2) {
                String point = "" + (char) ('a' + column) + (char) ('a' + row);
                record.writeBytes((";B[" + point + "]" + comment).getBytes(StandardCharsets.UTF_8));
            }
        }
        record.writeBytes(")".getBytes(StandardCharsets.UTF_8));
        byte[] whole = record.toByteArray();
        Check.isTrue(whole.length > 60_000, "a big record: " + whole.length);
        byte[] start = Arrays.copyOf(whole, 20_000);
        Bitmap bitmap = new Bitmap(PelmoraThumb.create(1, start, 190, 190));
        BoardPosition position = GameRecordReader.read(start).finalPosition();
        int stones = position.count(Stone.BLACK);
        Check.isTrue(stones > 10 && stones < 100, "stones before the cut: " + stones);
        Check.equal(hex(BLACK), hex(bitmap.rgb(5, 5)), "the first move, aa");
        Check.isTrue(bitmap.rgb(185, 185) != BLACK, "the last move, ss, came after the cut");
        checkPicture("cut record", position, bitmap);
    }

    @Test
    void readsTheFileOfAPath() throws Exception {
        try (TemporaryFolder folder = new TemporaryFolder()) {
            Path game = folder.write("game.sgf", Samples.bytes(Samples.POSITION_19X19));
            byte[] fromPath = PelmoraThumb.create(1, game.toString(), 190, 190);
            Check.notNull(fromPath, "picture of the file");
            byte[] fromBytes = PelmoraThumb.create(1, Samples.bytes(Samples.POSITION_19X19), 190, 190);
            Check.isTrue(Arrays.equals(fromBytes, fromPath), "the same picture as from the bytes");
            Check.isNull(PelmoraThumb.create(1, folder.path().resolve("missing.sgf").toString(), 190, 190),
                         "missing file");
            Check.isNull(PelmoraThumb.create(1, folder.path().toString(), 190, 190), "a folder");
            Path text = folder.write("text.sgf", "just text".getBytes(StandardCharsets.UTF_8));
            Check.isNull(PelmoraThumb.create(1, text.toString(), 190, 190), "a file that is no game record");
            Check.isNull(PelmoraThumb.create(1, "bad\u0000path", 190, 190), "a path this system cannot have");
            Files.delete(game);
        }
    }
}
