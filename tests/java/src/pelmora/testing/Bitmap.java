package pelmora.testing;

import java.nio.ByteBuffer;
import java.nio.ByteOrder;

/** Reads a bottom-up 24-bit bitmap buffer: header fields and pixels by picture coordinates, y down. */
public final class Bitmap {
    public static final int HEADER_SIZE = 40;

    private final ByteBuffer buffer;

    public Bitmap(byte[] bytes) {
        buffer = ByteBuffer.wrap(bytes).order(ByteOrder.LITTLE_ENDIAN);
    }

    public int headerInt(int offset) {
        return buffer.getInt(offset);
    }

    public int headerShort(int offset) {
        return buffer.getShort(offset);
    }

    public int width() {
        return headerInt(4);
    }

    public int height() {
        return headerInt(8);
    }

    /** Computed from the width, not taken from the buffer, so that the buffer's layout gets checked. */
    public int stride() {
        return (width() * 3 + 3) / 4 * 4;
    }

    /** 0xRRGGBB of the pixel in column x and row y, counted from the top-left of the picture. */
    public int rgb(int x, int y) {
        int at = HEADER_SIZE + (height() - 1 - y) * stride() + x * 3;
        int blue = buffer.get(at) & 0xFF;
        int green = buffer.get(at + 1) & 0xFF;
        int red = buffer.get(at + 2) & 0xFF;
        return red << 16 | green << 8 | blue;
    }

    public byte byteAt(int offset) {
        return buffer.get(offset);
    }

    public int length() {
        return buffer.capacity();
    }
}
