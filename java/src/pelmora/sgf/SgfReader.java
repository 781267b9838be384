package pelmora.sgf;

import java.nio.charset.Charset;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.function.Predicate;

/**
 * Reads the main line of the first game tree of a game record: the root node and, at every branch point,
 * the first variation. Nodes go to a visitor one at a time, so a long record costs no more memory than its
 * largest node, and the reading stops where the main line ends.
 *
 * <p>Data is a game record when it starts, after an optional UTF-8 byte order mark and white space, with
 * "(" and, after optional white space, ";". The text is decoded as UTF-8 unless the root node names in
 * CA[...] another charset that Java knows and that writes ASCII as ASCII; bytes that do not decode become
 * U+FFFD. Property identifiers keep their upper-case letters only (old records wrote "AddBlack" for "AB").
 * Inside a value a backslash makes the next character plain ("\]", "\\"), and a backslash before a line
 * break removes both. Outside values, characters that are not structure, letters or values are skipped.
 *
 * <p>Data cut short is read up to the cut: every value completed before it is kept, the unfinished one is
 * dropped. Reading is iterative, so nesting depth costs nothing; a property keeps at most
 * {@link #MAX_VALUES} values and a node at most {@link #MAX_PROPERTIES} properties, the rest are skipped.
 */
public final class SgfReader {
    public static final int MAX_VALUES = 10_000;
    public static final int MAX_PROPERTIES = 1_000;
    /** No version of the format has longer identifiers; properties with one are skipped. */
    public static final int MAX_ID_LENGTH = 8;

    private static final byte[] UTF8_BYTE_ORDER_MARK = {(byte) 0xEF, (byte) 0xBB, (byte) 0xBF};
    private static final String ASCII_STRUCTURE = "(;)[]\\ABZaz";

    private final String text;
    private int pos;
    /** The properties of the node being read; null before the first node and after a tree's end. */
    private Map<String, List<String>> node;
    private final StringBuilder value = new StringBuilder();

    private SgfReader(String text) {
        this.text = text;
    }

    /** Whether the first {@code length} bytes of {@code data} start a game record. */
    public static boolean startsGameTree(byte[] data, int length) {
        int end = Math.min(length, data.length);
        int i = 0;
        if (end >= 3 && Arrays.equals(data, 0, 3, UTF8_BYTE_ORDER_MARK, 0, 3)) {
            i = 3;
        }
        i = skipWhitespace(data, i, end);
        if (i >= end || data[i] != '(') {
            return false;
        }
        i = skipWhitespace(data, i + 1, end);
        return i < end && data[i] == ';';
    }

    /**
     * Hands the nodes of the main line in the first {@code length} bytes of {@code data} to the visitor, in
     * order, until the main line ends or the visitor returns false.
     *
     * @return false when the data is no game record (then the visitor saw nothing)
     */
    public static boolean readMainLine(byte[] data, int length, Predicate<SgfNode> visitor) {
        int end = Math.min(length, data.length);
        if (!startsGameTree(data, end)) {
            return false;
        }
        String decoded = new String(data, 0, end, textCharset(data, end));
        new SgfReader(decoded).readNodes(visitor);
        return true;
    }

    /** The charset named by the root node's CA when Java knows it and it keeps ASCII; UTF-8 otherwise. */
    private static Charset textCharset(byte[] data, int length) {
        // Every ASCII-compatible charset reads the root's structure alike, so Latin-1 finds CA without loss.
        List<SgfNode> root = new ArrayList<>(1);
        new SgfReader(new String(data, 0, length, StandardCharsets.ISO_8859_1)).readNodes(node -> {
            root.add(node);
            return false;
        });
        String name = root.isEmpty() ? null : root.get(0).firstValue("CA");
        if (name == null) {
            return StandardCharsets.UTF_8;
        }
        try {
            Charset charset = Charset.forName(name.trim());
            boolean keepsAscii = new String(ASCII_STRUCTURE.getBytes(StandardCharsets.US_ASCII), charset)
                    .equals(ASCII_STRUCTURE);
            return keepsAscii ? charset : StandardCharsets.UTF_8;
        } catch (IllegalArgumentException | UnsupportedOperationException unknownCharset) {
            return StandardCharsets.UTF_8;
        }
    }

    private static int skipWhitespace(byte[] data, int from, int end) {
        int i = from;
        while (i < end && (data[i] == ' ' || (data[i] >= '\t' && data[i] <= '\r'))) {
            i++;
        }
        return i;
    }

    private static boolean isLetter(char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    }

    private void readNodes(Predicate<SgfNode> visitor) {
        int length = text.length();
        while (pos < length) {
            char c = text.charAt(pos);
            if (c == '(' || c == ';' || c == ')') {
                pos++;
                if (node != null && !visitor.test(new SgfNode(node))) {
                    return;
                }
                node = c == ';' ? new LinkedHashMap<>() : null;
                // The first tree closing is the first variation of the last branch point: the main line ends.
                if (c == ')') {
                    return;
                }
            } else if (isLetter(c)) {
                if (!readProperty()) {
                    break;
                }
            } else {
                pos++;
            }
        }
        if (node != null) {
            visitor.test(new SgfNode(node));
        }
    }

    /** Reads the property at {@code pos} into the node; false when the text ends inside one of its values. */
    private boolean readProperty() {
        int length = text.length();
        StringBuilder id = new StringBuilder();
        int upperCaseLetters = 0;
        while (pos < length && isLetter(text.charAt(pos))) {
            char c = text.charAt(pos++);
            if (c >= 'A' && c <= 'Z' && ++upperCaseLetters <= MAX_ID_LENGTH) {
                id.append(c);
            }
        }
        boolean kept = node != null && upperCaseLetters > 0 && upperCaseLetters <= MAX_ID_LENGTH;
        List<String> values = null;
        while (true) {
            while (pos < length && Character.isWhitespace(text.charAt(pos))) {
                pos++;
            }
            if (pos >= length || text.charAt(pos) != '[') {
                return true;
            }
            pos++;
            if (!readValue()) {
                return false;
            }
            if (kept && values == null) {
                values = node.get(id.toString());
                if (values == null && node.size() < MAX_PROPERTIES) {
                    values = new ArrayList<>();
                    node.put(id.toString(), values);
                }
                kept = values != null;
            }
            if (kept && values.size() < MAX_VALUES) {
                values.add(value.toString());
            }
        }
    }

    /** Reads a value after its "[" into {@code value}; false when the text ends before its "]". */
    private boolean readValue() {
        int length = text.length();
        value.setLength(0);
        while (pos < length) {
            char c = text.charAt(pos++);
            if (c == ']') {
                return true;
            }
            if (c != '\\') {
                value.append(c);
                continue;
            }
            if (pos >= length) {
                return false;
            }
            char escaped = text.charAt(pos++);
            if (escaped == '\n' || escaped == '\r') {
                // A soft line break; "\r\n" and "\n\r" count as one break.
                if (pos < length) {
                    char after = text.charAt(pos);
                    if ((after == '\n' || after == '\r') && after != escaped) {
                        pos++;
                    }
                }
            } else {
                value.append(escaped);
            }
        }
        return false;
    }
}
