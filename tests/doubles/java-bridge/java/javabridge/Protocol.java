package javabridge;

import java.io.DataInputStream;
import java.io.DataOutputStream;
import java.io.IOException;
import java.nio.charset.StandardCharsets;

/**
 * The wire format between the bridge jvm.dll and the Java side, big-endian throughout. The numbers must stay
 * equal to those of Protocol.h.
 */
final class Protocol {
    private Protocol() {}

    // Control connection, Windows process to host: one spawn request (the current folder,
    // environment variables for the Java process as name and value, then the options).
    static final int SPAWN = 'S';
    static final int OPTION_PLAIN = 0;
    static final int OPTION_PATH_LIST = 1;

    // Control connection, host to Windows process.
    static final int HOST_PORT = 1;
    static final int HOST_STDOUT = 2;
    static final int HOST_STDERR = 3;
    static final int HOST_EXIT = 4;

    // First byte of a thread connection.
    static final int HELLO_CREATOR = 0;
    static final int HELLO_ATTACH = 1;
    static final int HELLO_ATTACH_DAEMON = 2;

    // Requests on a thread connection.
    static final int FIND_CLASS = 1;
    static final int GET_STATIC_METHOD_ID = 2;
    static final int NEW_STRING = 3;
    static final int NEW_STRING_UTF = 4;
    static final int NEW_OBJECT_ARRAY = 5;
    static final int SET_OBJECT_ARRAY_ELEMENT = 6;
    static final int CALL_STATIC = 7;
    static final int EXCEPTION_OCCURRED = 8;
    static final int EXCEPTION_DESCRIBE = 9;
    static final int EXCEPTION_CLEAR = 10;
    static final int NEW_BYTE_ARRAY = 11;
    static final int SET_BYTE_ARRAY_REGION = 12;
    static final int GET_BYTE_ARRAY_REGION = 13;
    static final int GET_ARRAY_LENGTH = 14;
    static final int PUSH_LOCAL_FRAME = 15;
    static final int POP_LOCAL_FRAME = 16;
    static final int DELETE_LOCAL_REF = 17;
    static final int DETACH = 18;
    static final int DESTROY = 19;

    // Reply status: a fault is a misuse the Windows side reports loudly, not a Java exception.
    static final int OK = 0;
    static final int FAULT = 1;

    static byte[] readBytes(DataInputStream in) throws IOException {
        final int length = in.readInt();
        if (length < 0) throw new IOException("negative length " + length);
        final byte[] bytes = new byte[length];
        in.readFully(bytes);
        return bytes;
    }

    static String readUtf8(DataInputStream in) throws IOException {
        return new String(readBytes(in), StandardCharsets.UTF_8);
    }

    static void writeBytes(DataOutputStream out, byte[] bytes) throws IOException {
        out.writeInt(bytes.length);
        out.write(bytes);
    }

    static void writeUtf8(DataOutputStream out, String text) throws IOException {
        writeBytes(out, text.getBytes(StandardCharsets.UTF_8));
    }
}
