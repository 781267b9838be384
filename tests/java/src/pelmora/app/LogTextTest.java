package pelmora.app;

import java.io.ByteArrayOutputStream;
import java.nio.charset.StandardCharsets;
import java.util.Arrays;
import java.util.List;
import pelmora.testing.Check;
import pelmora.testing.Test;

/** Quoting of the log's strings and the log's lines. */
public final class LogTextTest {
    @Test
    void quotesUnambiguously() {
        Check.equal("\"plain\"", LogText.quote("plain"), "plain text");
        Check.equal("\"a\\\"b\\\\c\"", LogText.quote("a\"b\\c"), "quote and backslash");
        Check.equal("\"\\n\\r\\t\\u0001\\u007F\\u0085\"", LogText.quote("\n\r\t\u0001\u007F\u0085"),
                    "control characters");
        Check.equal("\"Åkesson 5½ \uD83D\uDE00\"", LogText.quote("Åkesson 5½ \uD83D\uDE00"), "non-ASCII");
        Check.equal("\"\\uD800x\\uDC00\"", LogText.quote("\uD800x\uDC00"), "unpaired surrogates");
        Check.equal("null", LogText.quote(null), "null");
        Check.equal("\"\"", LogText.quote(""), "empty");
    }

    @Test
    void writesListsAndOptionalValues() {
        Check.equal("[]", LogText.list(List.of()), "empty list");
        Check.equal("[\"-workdir\", \"C:\\\\x\", null]",
                    LogText.list(Arrays.asList("-workdir", "C:\\x", null)), "list");
        Check.equal("(none)", LogText.optional(null), "absent");
        Check.equal("\"\"", LogText.optional(""), "present but empty");
    }

    @Test
    void writesUtf8LinesWithThePrefix() {
        ByteArrayOutputStream sink = new ByteArrayOutputStream();
        new ApplicationLog(sink).line("opened \"Å½\"");
        byte[] expected = "Pelmora2: opened \"Å½\"\n".getBytes(StandardCharsets.UTF_8);
        Check.isTrue(Arrays.equals(expected, sink.toByteArray()),
                     "UTF-8 bytes: " + Arrays.toString(sink.toByteArray()));
    }
}
