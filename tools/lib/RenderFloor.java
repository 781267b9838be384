// The floor of the real-Java thumbnail benchmark: the renderer alone in one JVM, asked for the same picture
// again and again, as the server asks it (the record's first 20,000 bytes, 256 x 256). Run with the JDK's
// source launcher and the application's class path: java -cp <Pelmora.jar:lib/*> RenderFloor.java FILE COUNT
// Prints "ms=<milliseconds per picture>".
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;

public class RenderFloor {
    public static void main(String[] arguments) throws Exception {
        byte[] record = Files.readAllBytes(Path.of(arguments[0]));
        byte[] start = Arrays.copyOf(record, Math.min(record.length, 20000));
        int count = Integer.parseInt(arguments[1]);
        long began = System.nanoTime();
        for (int i = 0; i < count; i++) {
            if (PelmoraThumb.create(1, start, 256, 256) == null) throw new IllegalStateException("no picture");
        }
        System.out.printf("ms=%.3f%n", (System.nanoTime() - began) / 1e6 / count);
    }
}
