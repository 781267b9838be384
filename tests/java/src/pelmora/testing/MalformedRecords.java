package pelmora.testing;

import java.io.ByteArrayOutputStream;
import java.nio.charset.StandardCharsets;
import java.util.Arrays;
import java.util.LinkedHashMap;
import java.util.Map;
import java.util.Random;

/**
 * Game records a reader must survive: a fixed seed set of hostile records, and records mutated from them by
 * a seeded random source, so that a failing case can be made again from its seed and number.
 */
public final class MalformedRecords {
    /** Texts a mutation inserts: the structure of a record and the properties the reader interprets. */
    private static final String[] INSERTIONS = {
        "(", ")", ";", "[", "]", "\\", "\\]", ":", "(;", ";B[aa]", ";W[tt]", "AB[aa:ZZ]", "SZ[", "SZ[52]",
        "SZ[0]", "CA[UTF-16]", "CA[ISO-2022-JP]", "GN[", "\r\n", "\u0000", "\u00ff", "\ufffd"
    };
    /** Mutations grow a record to at most this; the seed set holds the large ones. */
    private static final int MAX_MUTATED_LENGTH = 1 << 16;

    private MalformedRecords() {}

    /** The seed set by name, in a fixed order: small records first, then those of megabytes. */
    public static Map<String, byte[]> seeds() {
        Map<String, byte[]> seeds = new LinkedHashMap<>();
        for (String sample : Samples.ALL) {
            seeds.put("sample " + sample, Samples.bytes(sample));
        }
        seeds.put("SZ[0]", ascii("(;SZ[0];B[aa])"));
        seeds.put("SZ[-5]", ascii("(;SZ[-5];B[aa])"));
        seeds.put("SZ[999]", ascii("(;SZ[999]AB[aa:ZZ];B[aa])"));
        byte[] invalidUtf8 = bytes(0xC3, 0x28, 0xFF, 0xFE, 0xED, 0xA0, 0x80, 0xF0, 0x9F);
        seeds.put("invalid UTF-8", concat(ascii("(;GN["), invalidUtf8, ascii("]PB["), bytes(0xE2, 0x82),
                                          ascii("];B[aa])")));
        seeds.put("NUL bytes", ascii("(;GN[a\u0000b]\u0000PB[\u0000];\u0000B[a\u0000a];W[bb]\u0000)"));
        seeds.put("only NUL bytes", new byte[4096]);
        seeds.put("a charset that keeps no ASCII", ascii("(;CA[UTF-16]GN[x];B[aa])"));
        seeds.put("unclosed value with escapes", ascii("(;GN[\\\\\\]\\"));
        seeds.put("100,000 nested variations",
                  ascii("(;SZ[9]" + "(;B[aa]".repeat(100_000) + ")".repeat(100_001)));
        seeds.put("100,000 unclosed variations", ascii("(;" + "(;W[bb]".repeat(100_000)));
        seeds.put("huge property value", ascii("(;GN[" + "x".repeat(2_000_000) + "]PB[a];B[aa])"));
        seeds.put("huge value of escapes", ascii("(;C[" + "\\]".repeat(1_000_000) + "];B[aa])"));
        seeds.put("huge unfinished value", ascii("(;SZ[9]AB[aa];C[" + "\\\r\n".repeat(500_000)));
        seeds.put("a million values", ascii("(;SZ[19]AB" + "[aa:ss]".repeat(1_000_000) + ")"));
        seeds.put("a million moves", ascii("(;SZ[19]" + ";B[aa];W[ab]".repeat(500_000) + ")"));
        seeds.put("moves against a board-filling group",
                  ascii("(;SZ[52]AB[aa:ZZ]AE[ZZ]" + ";W[ba];B[ba]".repeat(200_000) + ")"));
        return seeds;
    }

    /** A copy of record changed by one to four random mutations, parts of other taken in as well. */
    public static byte[] mutate(byte[] record, byte[] other, Random random) {
        byte[] mutated = record;
        int mutations = 1 + random.nextInt(4);
        for (int i = 0; i < mutations; i++) {
            mutated = mutateOnce(mutated, other, random);
        }
        return mutated.length > MAX_MUTATED_LENGTH ? Arrays.copyOf(mutated, MAX_MUTATED_LENGTH) : mutated;
    }

    private static byte[] mutateOnce(byte[] record, byte[] other, Random random) {
        int at = random.nextInt(record.length + 1);
        int span = record.length == at ? 0 : 1 + random.nextInt(Math.min(record.length - at, 64));
        switch (random.nextInt(6)) {
            case 0: {
                byte[] changed = record.clone();
                if (at < changed.length) {
                    changed[at] = (byte) random.nextInt(256);
                }
                return changed;
            }
            case 1:
                return splice(record, at, 0, utf8(INSERTIONS[random.nextInt(INSERTIONS.length)]));
            case 2:
                return splice(record, at, span, new byte[0]);
            case 3: {
                byte[] part = Arrays.copyOfRange(record, at, at + span);
                return splice(record, at, 0, concat(part, part, part));
            }
            case 4:
                return Arrays.copyOf(record, at);
            default: {
                int from = random.nextInt(other.length + 1);
                int to = Math.min(other.length, from + 1 + random.nextInt(256));
                byte[] part = Arrays.copyOfRange(other, from, to);
                return splice(record, at, span, part);
            }
        }
    }

    private static byte[] splice(byte[] record, int at, int removed, byte[] inserted) {
        ByteArrayOutputStream out = new ByteArrayOutputStream(record.length + inserted.length);
        out.write(record, 0, at);
        out.write(inserted, 0, inserted.length);
        out.write(record, at + removed, record.length - at - removed);
        return out.toByteArray();
    }

    private static byte[] ascii(String text) {
        return text.getBytes(StandardCharsets.ISO_8859_1);
    }

    private static byte[] utf8(String text) {
        return text.getBytes(StandardCharsets.UTF_8);
    }

    private static byte[] bytes(int... values) {
        byte[] bytes = new byte[values.length];
        for (int i = 0; i < values.length; i++) {
            bytes[i] = (byte) values[i];
        }
        return bytes;
    }

    private static byte[] concat(byte[]... parts) {
        ByteArrayOutputStream out = new ByteArrayOutputStream();
        for (byte[] part : parts) {
            out.write(part, 0, part.length);
        }
        return out.toByteArray();
    }
}
