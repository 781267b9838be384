package pelmora.app;

import java.util.List;

/**
 * Texts in the log written so that every string reads back unambiguously: in double quotes, with {@code \"},
 * {@code \\}, {@code \n}, {@code \r}, {@code \t} and {@code \}{@code uXXXX} for other control characters and
 * unpaired surrogates; other characters, non-ASCII ones too, as they are. A null string shows as
 * {@code null}, an absent optional value as {@code (none)}.
 */
public final class LogText {
    public static final String NONE = "(none)";

    private LogText() {}

    public static String quote(String text) {
        if (text == null) {
            return "null";
        }
        StringBuilder quoted = new StringBuilder(text.length() + 2).append('"');
        for (int i = 0; i < text.length(); i++) {
            char c = text.charAt(i);
            switch (c) {
                case '"':
                    quoted.append("\\\"");
                    break;
                case '\\':
                    quoted.append("\\\\");
                    break;
                case '\n':
                    quoted.append("\\n");
                    break;
                case '\r':
                    quoted.append("\\r");
                    break;
                case '\t':
                    quoted.append("\\t");
                    break;
                default:
                    if (Character.isISOControl(c) || isUnpairedSurrogate(text, i)) {
                        quoted.append(String.format("\\u%04X", (int) c));
                    } else {
                        quoted.append(c);
                    }
            }
        }
        return quoted.append('"').toString();
    }

    /** The quoted text, or {@link #NONE} for null. */
    public static String optional(String text) {
        return text == null ? NONE : quote(text);
    }

    /** {@code ["a", "b"]}; an empty list is {@code []}. */
    public static String list(List<String> texts) {
        StringBuilder list = new StringBuilder("[");
        for (int i = 0; i < texts.size(); i++) {
            if (i > 0) {
                list.append(", ");
            }
            list.append(quote(texts.get(i)));
        }
        return list.append(']').toString();
    }

    private static boolean isUnpairedSurrogate(String text, int i) {
        char c = text.charAt(i);
        if (Character.isHighSurrogate(c)) {
            return i + 1 >= text.length() || !Character.isLowSurrogate(text.charAt(i + 1));
        }
        if (Character.isLowSurrogate(c)) {
            return i == 0 || !Character.isHighSurrogate(text.charAt(i - 1));
        }
        return false;
    }
}
