import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.Random;
import java.util.concurrent.Callable;
import java.util.concurrent.ExecutionException;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.Future;
import java.util.concurrent.TimeUnit;
import java.util.concurrent.TimeoutException;
import pelmora.sgf.GameRecord;
import pelmora.sgf.GameRecordReader;
import pelmora.sgf.NotAGameRecordException;
import pelmora.testing.Bitmap;
import pelmora.testing.Check;
import pelmora.testing.MalformedRecords;
import pelmora.testing.Test;

/**
 * Hostile and mutated game records (see {@link MalformedRecords}) through the reader and the renderer. The
 * reader reads each record or refuses it with NotAGameRecordException; the renderer draws exactly the
 * records the reader reads in its first {@link PelmoraThumb#MAX_FILE_BYTES} and returns null for the rest.
 * The bound: each record, up to 6 MB, is read or refused and drawn or not within {@value #BOUND_SECONDS} s
 * (they take well under a second; more is a hang), on a thread of {@value #STACK_BYTES} bytes of stack, in
 * the heap of 128 MB this test is run with (tests/java/CMakeLists.txt); a StackOverflowError, an
 * OutOfMemoryError or any other exception fails it.
 *
 * <p>The mutations come from the seed in the system property pelmora.malformed.seed (a fixed one by
 * default), so -Dpelmora.malformed.seed=N replays a failed run; a failing record is also written to the
 * temporary folder, named after the seed and the case.
 */
public final class MalformedRecordsTest {
    static final long BOUND_SECONDS = 10;
    static final long STACK_BYTES = 256 * 1024;
    private static final long SEED = Long.getLong("pelmora.malformed.seed", 0x5EEDL);
    private static final int MUTATED_CASES = Integer.getInteger("pelmora.malformed.cases", 1500);

    /** What the reader made of a record: the record, or the reason it refused it. */
    private static final class Reading {
        final GameRecord record;
        final String refusal;

        Reading(GameRecord record, String refusal) {
            this.record = record;
            this.refusal = refusal;
        }
    }

    @Test
    void readsOrRefusesEverySeed() throws Exception {
        Map<String, byte[]> seeds = MalformedRecords.seeds();
        try (Bounded bounded = new Bounded()) {
            for (Map.Entry<String, byte[]> seed : seeds.entrySet()) {
                Reading reading = check(bounded, seed.getKey(), seed.getValue(), 256);
                for (String size : new String[] {"SZ[0]", "SZ[-5]", "SZ[999]"}) {
                    if (seed.getKey().equals(size)) {
                        Check.contains("board size", reading.refusal, size + " is refused");
                    }
                }
                if (seed.getKey().equals("a million moves")) {
                    Check.equal(1_000_000, reading.record.moveCount(), "every move is read");
                }
                if (seed.getKey().equals("moves against a board-filling group")) {
                    Check.equal("too costly to play out", reading.refusal, "its cost is bounded");
                }
            }
        }
    }

    @Test
    void readsOrRefusesMutatedRecords() throws Exception {
        List<byte[]> bases = new ArrayList<>(MalformedRecords.seeds().values());
        Random random = new Random(SEED);
        try (Bounded bounded = new Bounded()) {
            for (int i = 0; i < MUTATED_CASES; i++) {
                // Mostly the small seeds, which mutate fast; now and then a large one.
                byte[] base = bases.get(random.nextInt(random.nextInt(8) == 0 ? bases.size() : 12));
                byte[] other = bases.get(random.nextInt(bases.size()));
                byte[] record = MalformedRecords.mutate(base, other, random);
                String name = "seed " + SEED + " case " + i;
                try {
                    check(bounded, name, record, 1 + random.nextInt(64));
                } catch (AssertionError failure) {
                    Path kept = Paths.get(System.getProperty("java.io.tmpdir"),
                                          "pelmora-malformed-" + SEED + "-" + i + ".sgf");
                    Files.write(kept, record);
                    throw new AssertionError(failure.getMessage() + " (the record: " + kept + ")", failure);
                }
            }
        }
    }

    /** Reads and draws the record within the bound; returns the reading. */
    private static Reading check(Bounded bounded, String name, byte[] record, int side) throws Exception {
        Reading reading = bounded.run(name + ": reading", () -> read(record, record.length));
        int drawnLength = Math.min(record.length, PelmoraThumb.MAX_FILE_BYTES);
        Reading drawnPart = drawnLength == record.length ? reading
                : bounded.run(name + ": reading the drawn part", () -> read(record, drawnLength));
        byte[] picture = bounded.run(name + ": drawing", () -> PelmoraThumb.create(1, record, side, side));
        if (drawnPart.record == null) {
            Check.isNull(picture, name + ": a refused record is not drawn");
        } else {
            Check.notNull(picture, name + ": a record that was read is drawn");
            Bitmap bitmap = new Bitmap(picture);
            Check.equal(side, bitmap.headerInt(4), name + ": the picture's side");
            Check.equal(40 + bitmap.stride() * side, picture.length, name + ": the picture's length");
        }
        return reading;
    }

    private static Reading read(byte[] record, int length) {
        try {
            return new Reading(GameRecordReader.read(record, length), null);
        } catch (NotAGameRecordException refused) {
            return new Reading(null, refused.getMessage());
        }
    }

    /**
     * Runs calls on a thread of a small stack and gives up on one after the bound; tells the slowest call at
     * the end, for information.
     */
    private static final class Bounded implements AutoCloseable {
        private final ExecutorService thread = Executors.newSingleThreadExecutor(task -> {
            Thread worker = new Thread(null, task, "malformed records", STACK_BYTES);
            worker.setDaemon(true);
            return worker;
        });
        private long slowestNanos;
        private String slowest = "nothing";

        <T> T run(String what, Callable<T> call) throws InterruptedException {
            long start = System.nanoTime();
            Future<T> result = thread.submit(call);
            try {
                T value = result.get(BOUND_SECONDS, TimeUnit.SECONDS);
                long took = System.nanoTime() - start;
                if (took > slowestNanos) {
                    slowestNanos = took;
                    slowest = what;
                }
                return value;
            } catch (TimeoutException e) {
                throw new AssertionError(what + " took longer than " + BOUND_SECONDS + " s");
            } catch (ExecutionException e) {
                throw new AssertionError(what + " threw " + e.getCause(), e.getCause());
            }
        }

        @Override
        public void close() {
            thread.shutdownNow();
            System.out.println("slowest: " + slowest + ", " + slowestNanos / 1_000_000 + " ms");
        }
    }
}
