package javabridge;

/** JNI's modified UTF-8, decoded leniently as HotSpot does: a malformed byte stands for itself. */
final class ModifiedUtf8 {
    private ModifiedUtf8() {}

    static String decode(byte[] bytes) {
        final StringBuilder text = new StringBuilder(bytes.length);
        int i = 0;
        while (i < bytes.length) {
            final int first = bytes[i] & 0xFF;
            if (first < 0x80) {
                text.append((char) first);
                i += 1;
            } else if ((first & 0xE0) == 0xC0 && i + 1 < bytes.length && isContinuation(bytes[i + 1])) {
                text.append((char) (((first & 0x1F) << 6) | (bytes[i + 1] & 0x3F)));
                i += 2;
            } else if ((first & 0xF0) == 0xE0 && i + 2 < bytes.length && isContinuation(bytes[i + 1])
                       && isContinuation(bytes[i + 2])) {
                text.append((char) (((first & 0x0F) << 12) | ((bytes[i + 1] & 0x3F) << 6)
                                    | (bytes[i + 2] & 0x3F)));
                i += 3;
            } else {
                text.append((char) first);
                i += 1;
            }
        }
        return text.toString();
    }

    private static boolean isContinuation(byte b) {
        return (b & 0xC0) == 0x80;
    }
}
