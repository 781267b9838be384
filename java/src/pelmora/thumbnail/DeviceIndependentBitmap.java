package pelmora.thumbnail;

import java.awt.image.BufferedImage;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;

/**
 * A picture as a Windows device-independent bitmap in memory, the form the thumbnail handler takes: a 40-byte
 * BITMAPINFOHEADER (little-endian; 24 bits per pixel, no compression, positive height) followed by the rows
 * from the bottom of the picture up, each as blue, green, red bytes per pixel, padded with zeros to
 * {@link #stride} bytes.
 */
public final class DeviceIndependentBitmap {
    public static final int HEADER_SIZE = 40;
    private static final int BITS_PER_PIXEL = 24;

    private DeviceIndependentBitmap() {}

    /** Bytes per row: whole 32-bit words. */
    public static int stride(int width) {
        return (width * BITS_PER_PIXEL + 31) / 32 * 4;
    }

    public static byte[] encode(BufferedImage image) {
        int width = image.getWidth();
        int height = image.getHeight();
        int stride = stride(width);
        ByteBuffer bitmap = ByteBuffer.allocate(HEADER_SIZE + stride * height).order(ByteOrder.LITTLE_ENDIAN);
        bitmap.putInt(HEADER_SIZE); // biSize
        bitmap.putInt(width);
        bitmap.putInt(height); // positive: bottom-up
        bitmap.putShort((short) 1); // biPlanes
        bitmap.putShort((short) BITS_PER_PIXEL);
        bitmap.putInt(0); // biCompression: BI_RGB
        bitmap.putInt(stride * height); // biSizeImage
        bitmap.putInt(0); // biXPelsPerMeter
        bitmap.putInt(0); // biYPelsPerMeter
        bitmap.putInt(0); // biClrUsed
        bitmap.putInt(0); // biClrImportant
        int[] row = new int[width];
        for (int y = height - 1; y >= 0; y--) {
            image.getRGB(0, y, width, 1, row, 0, width);
            int rowStart = bitmap.position();
            for (int rgb : row) {
                bitmap.put((byte) rgb).put((byte) (rgb >> 8)).put((byte) (rgb >> 16));
            }
            bitmap.position(rowStart + stride);
        }
        return bitmap.array();
    }
}
