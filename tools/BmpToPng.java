import java.awt.image.BufferedImage;
import java.io.File;
import java.io.IOException;
import javax.imageio.ImageIO;

/**
 * Turns the bitmaps the demonstration saves into PNG files, with the JDK's own image I/O:
 *
 * <pre>java tools/BmpToPng.java in.bmp out.png [in.bmp out.png ...]</pre>
 *
 * Prints "WxH out.png" for each pair. Exit code 1 when a bitmap cannot be read or a PNG not written, 2 on bad
 * usage; pairs before a failure are converted.
 */
public final class BmpToPng {
    private BmpToPng() {}

    public static void main(String[] args) {
        if (args.length == 0 || args.length % 2 != 0) {
            System.err.println("usage: java tools/BmpToPng.java in.bmp out.png [in.bmp out.png ...]");
            System.exit(2);
        }
        for (int i = 0; i < args.length; i += 2) {
            try {
                BufferedImage picture = ImageIO.read(new File(args[i]));
                if (picture == null) throw new IOException("not a bitmap ImageIO can read");
                File png = new File(args[i + 1]);
                File folder = png.getAbsoluteFile().getParentFile();
                if (folder != null) folder.mkdirs();
                if (!ImageIO.write(picture, "png", png)) throw new IOException("no PNG writer");
                System.out.println(picture.getWidth() + "x" + picture.getHeight() + " " + args[i + 1]);
            } catch (IOException | RuntimeException failure) {
                System.err.println("BmpToPng: " + args[i] + ": " + failure.getMessage());
                System.exit(1);
            }
        }
    }
}
