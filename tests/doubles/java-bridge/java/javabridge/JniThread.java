package javabridge;

import java.io.BufferedInputStream;
import java.io.BufferedOutputStream;
import java.io.ByteArrayOutputStream;
import java.io.DataInputStream;
import java.io.DataOutputStream;
import java.io.EOFException;
import java.io.IOException;
import java.io.PrintWriter;
import java.io.StringWriter;
import java.lang.reflect.Array;
import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.Method;
import java.net.Socket;
import java.util.Arrays;

/**
 * The Java thread of one attached native thread: it performs that thread's JNI calls, one request at a time,
 * and keeps its local references and its pending exception, as JNI keeps them per thread.
 */
final class JniThread {
    /** A misuse of JNI that a real JVM would not survive; the Windows side ends its process loudly. */
    private static final class Fault extends Exception {
        private static final long serialVersionUID = 1L;

        Fault(String message) {
            super(message);
        }
    }

    private final Socket socket;
    private final DataInputStream in;
    private final DataOutputStream out;
    private final MethodTable methods;
    private final boolean creator;
    private final LocalReferences locals = new LocalReferences();
    private Throwable pending;

    JniThread(Socket socket, DataInputStream in, MethodTable methods, boolean creator) throws IOException {
        this.socket = socket;
        this.in = in;
        this.out = new DataOutputStream(new BufferedOutputStream(socket.getOutputStream()));
        this.methods = methods;
        this.creator = creator;
    }

    static DataInputStream inputOf(Socket socket) throws IOException {
        socket.setTcpNoDelay(true);
        return new DataInputStream(new BufferedInputStream(socket.getInputStream()));
    }

    /** Serves requests until the thread detaches, or for the creating thread until DestroyJavaVM is done. */
    void serve() throws IOException {
        try {
            out.writeByte(Protocol.OK);
            out.flush();
            while (true) {
                final int request = in.read();
                if (request < 0) throw new EOFException("the native thread went away");
                final ByteArrayOutputStream body = new ByteArrayOutputStream();
                try {
                    perform(request, new DataOutputStream(body));
                    if (pending != null) NativeStacks.cutBridgeFrames(pending);
                } catch (Fault fault) {
                    out.writeByte(Protocol.FAULT);
                    Protocol.writeUtf8(out, fault.getMessage());
                    out.flush();
                    continue;
                }
                out.writeByte(Protocol.OK);
                out.writeByte(pending != null ? 1 : 0);
                body.writeTo(out);
                out.flush();
                if (request == Protocol.DETACH && !creator) return;
                if (request == Protocol.DESTROY) {
                    // The Windows side closes the connection once it knows; the process ends after that.
                    while (in.read() >= 0) {}
                    return;
                }
            }
        } finally {
            socket.close();
        }
    }

    private void perform(int request, DataOutputStream reply) throws IOException, Fault {
        switch (request) {
            case Protocol.FIND_CLASS:
                reply.writeLong(locals.add(findClass(ModifiedUtf8.decode(Protocol.readBytes(in)))));
                break;
            case Protocol.GET_STATIC_METHOD_ID: {
                final Class<?> type = classAt(in.readLong());
                final String name = ModifiedUtf8.decode(Protocol.readBytes(in));
                final String descriptor = ModifiedUtf8.decode(Protocol.readBytes(in));
                reply.writeInt(staticMethodId(type, name, descriptor));
                break;
            }
            case Protocol.NEW_STRING: {
                final char[] units = new char[in.readInt()];
                for (int i = 0; i < units.length; ++i) units[i] = in.readChar();
                reply.writeLong(locals.add(new String(units)));
                break;
            }
            case Protocol.NEW_STRING_UTF:
                reply.writeLong(locals.add(ModifiedUtf8.decode(Protocol.readBytes(in))));
                break;
            case Protocol.NEW_OBJECT_ARRAY: {
                final int length = in.readInt();
                final Class<?> type = classAt(in.readLong());
                final Object initial = objectAt(in.readLong());
                reply.writeLong(locals.add(newObjectArray(length, type, initial)));
                break;
            }
            case Protocol.SET_OBJECT_ARRAY_ELEMENT: {
                final Object array = objectAt(in.readLong());
                final int index = in.readInt();
                setObjectArrayElement(array, index, objectAt(in.readLong()));
                break;
            }
            case Protocol.CALL_STATIC:
                callStatic(reply);
                break;
            case Protocol.EXCEPTION_OCCURRED:
                reply.writeLong(locals.add(pending));
                break;
            case Protocol.EXCEPTION_DESCRIBE:
                Protocol.writeUtf8(reply, describePending());
                break;
            case Protocol.EXCEPTION_CLEAR:
                pending = null;
                break;
            case Protocol.NEW_BYTE_ARRAY: {
                final int length = in.readInt();
                if (length < 0) {
                    pending = new NegativeArraySizeException(String.valueOf(length));
                    reply.writeLong(0);
                } else {
                    reply.writeLong(locals.add(allocate(length)));
                }
                break;
            }
            case Protocol.SET_BYTE_ARRAY_REGION: {
                final byte[] array = byteArrayAt(in.readLong());
                final int start = in.readInt();
                final byte[] bytes = Protocol.readBytes(in);
                if (regionFits(array, start, bytes.length)) System.arraycopy(bytes, 0, array, start, bytes.length);
                break;
            }
            case Protocol.GET_BYTE_ARRAY_REGION: {
                final byte[] array = byteArrayAt(in.readLong());
                final int start = in.readInt();
                final int length = in.readInt();
                final boolean fits = regionFits(array, start, length);
                Protocol.writeBytes(reply, fits ? Arrays.copyOfRange(array, start, start + length) : new byte[0]);
                break;
            }
            case Protocol.GET_ARRAY_LENGTH: {
                final Object array = objectAt(in.readLong());
                if (array == null || !array.getClass().isArray()) throw new Fault("GetArrayLength of a non-array");
                reply.writeInt(Array.getLength(array));
                break;
            }
            case Protocol.PUSH_LOCAL_FRAME: {
                final int capacity = in.readInt();
                if (capacity < 0) {
                    pending = new OutOfMemoryError("Could not push local frame of capacity " + capacity);
                    reply.writeInt(-1);
                } else {
                    locals.pushFrame();
                    reply.writeInt(0);
                }
                break;
            }
            case Protocol.POP_LOCAL_FRAME: {
                final Object result = objectAt(in.readLong());
                if (!locals.hasPushedFrame()) throw new Fault("PopLocalFrame without a frame pushed");
                reply.writeLong(locals.popFrame(result));
                break;
            }
            case Protocol.DELETE_LOCAL_REF:
                final long reference = in.readLong();
                objectAt(reference);
                locals.delete(reference);
                break;
            case Protocol.DETACH:
                locals.clear();
                pending = null;
                break;
            case Protocol.DESTROY:
                if (!creator) throw new Fault("DestroyJavaVM on another connection than the creating thread's");
                awaitOtherNonDaemonThreads();
                break;
            default:
                throw new Fault("unknown request " + request);
        }
    }

    private Object objectAt(long reference) throws Fault {
        if (!locals.isLive(reference)) throw new Fault("invalid local reference " + reference);
        return locals.get(reference);
    }

    private Class<?> classAt(long reference) throws Fault {
        final Object object = objectAt(reference);
        if (!(object instanceof Class)) throw new Fault("a class was expected, got " + describe(object));
        return (Class<?>) object;
    }

    private byte[] byteArrayAt(long reference) throws Fault {
        final Object object = objectAt(reference);
        if (!(object instanceof byte[])) throw new Fault("a byte array was expected, got " + describe(object));
        return (byte[]) object;
    }

    private static String describe(Object object) {
        return object == null ? "null" : "a " + object.getClass().getName();
    }

    private Class<?> findClass(String name) {
        // JNI names use slashes; a dotted name is no class name at all.
        if (name.indexOf('.') >= 0) {
            pending = new NoClassDefFoundError(name);
            return null;
        }
        try {
            return Class.forName(name.replace('/', '.'), true, ClassLoader.getSystemClassLoader());
        } catch (ClassNotFoundException e) {
            pending = new NoClassDefFoundError(name).initCause(e);
        } catch (LinkageError e) {
            pending = e;
        }
        return null;
    }

    private int staticMethodId(Class<?> type, String name, String descriptor) {
        try {
            if (!type.isArray() && !type.isPrimitive()) Class.forName(type.getName(), true, type.getClassLoader());
        } catch (ClassNotFoundException | LinkageError e) {
            pending = e instanceof LinkageError ? e : new NoClassDefFoundError(type.getName()).initCause(e);
            return 0;
        }
        final Method method = MethodTable.findStatic(type, name, descriptor);
        if (method == null) {
            pending = new NoSuchMethodError("static " + MethodTable.descriptorOf(type) + "." + name + descriptor);
            return 0;
        }
        try {
            // JNI calls ignore Java's access checks.
            method.setAccessible(true);
        } catch (RuntimeException e) {
            // Public members of exported packages need no help; others fail when called.
        }
        return methods.idOf(method);
    }

    private Object newObjectArray(int length, Class<?> type, Object initial) {
        if (length < 0) {
            pending = new NegativeArraySizeException(String.valueOf(length));
            return null;
        }
        if (initial != null && !type.isInstance(initial)) {
            pending = new ArrayStoreException(initial.getClass().getName());
            return null;
        }
        try {
            final Object[] array = (Object[]) Array.newInstance(type, length);
            Arrays.fill(array, initial);
            return array;
        } catch (OutOfMemoryError e) {
            pending = e;
            return null;
        }
    }

    private void setObjectArrayElement(Object array, int index, Object value) throws Fault {
        if (!(array instanceof Object[])) throw new Fault("an object array was expected, got " + describe(array));
        final Object[] elements = (Object[]) array;
        if (index < 0 || index >= elements.length) {
            pending = new ArrayIndexOutOfBoundsException(
                "Index " + index + " out of bounds for length " + elements.length);
        } else if (value != null && !elements.getClass().getComponentType().isInstance(value)) {
            pending = new ArrayStoreException(value.getClass().getName());
        } else {
            elements[index] = value;
        }
    }

    private Object allocate(int length) {
        try {
            return new byte[length];
        } catch (OutOfMemoryError e) {
            pending = e;
            return null;
        }
    }

    private boolean regionFits(byte[] array, int start, int length) {
        if (start < 0 || length < 0 || start > array.length - length) {
            pending = new ArrayIndexOutOfBoundsException(
                "Array region " + start + ".." + ((long) start + length) + " out of bounds for length " + array.length);
            return false;
        }
        return true;
    }

    private void callStatic(DataOutputStream reply) throws IOException, Fault {
        objectAt(in.readLong());
        final Method method = methods.method(in.readInt());
        if (method == null) throw new Fault("a method id this runtime never gave out");
        final int count = in.readInt();
        final Class<?>[] types = method.getParameterTypes();
        if (count != types.length) throw new Fault(count + " arguments for " + method);
        final Object[] arguments = new Object[count];
        for (int i = 0; i < count; ++i) arguments[i] = readArgument(types[i], i);
        Object result = null;
        try {
            result = method.invoke(null, arguments);
        } catch (InvocationTargetException e) {
            pending = e.getCause();
        } catch (IllegalAccessException e) {
            throw new Fault("cannot call " + method + ": " + e.getMessage());
        } catch (LinkageError e) {
            pending = e;
        }
        writeResult(reply, method.getReturnType(), result);
    }

    private Object readArgument(Class<?> type, int index) throws IOException, Fault {
        final int tag = in.readUnsignedByte();
        final String expected = MethodTable.descriptorOf(type);
        final char kind = expected.charAt(0) == '[' ? 'L' : expected.charAt(0);
        if (tag != kind) throw new Fault("argument " + index + " sent as '" + (char) tag + "' for " + expected);
        switch (tag) {
            case 'Z':
                return in.readInt() != 0;
            case 'B':
                return (byte) in.readInt();
            case 'C':
                return (char) in.readInt();
            case 'S':
                return (short) in.readInt();
            case 'I':
                return in.readInt();
            case 'J':
                return in.readLong();
            case 'F':
                return Float.intBitsToFloat(in.readInt());
            case 'D':
                return Double.longBitsToDouble(in.readLong());
            default: {
                final Object object = objectAt(in.readLong());
                if (object != null && !type.isInstance(object)) {
                    throw new Fault("argument " + index + " is " + describe(object) + ", not " + type.getName());
                }
                return object;
            }
        }
    }

    private void writeResult(DataOutputStream reply, Class<?> type, Object result) throws IOException {
        final boolean none = pending != null || result == null;
        if (type == void.class) return;
        if (!type.isPrimitive()) {
            reply.writeLong(pending != null ? 0 : locals.add(result));
        } else if (type == long.class) {
            reply.writeLong(none ? 0 : (Long) result);
        } else if (type == double.class) {
            reply.writeLong(none ? 0 : Double.doubleToRawLongBits((Double) result));
        } else if (type == float.class) {
            reply.writeInt(none ? 0 : Float.floatToRawIntBits((Float) result));
        } else if (type == boolean.class) {
            reply.writeInt(none ? 0 : ((Boolean) result ? 1 : 0));
        } else if (type == char.class) {
            reply.writeInt(none ? 0 : (Character) result);
        } else {
            reply.writeInt(none ? 0 : ((Number) result).intValue());
        }
    }

    private String describePending() {
        if (pending == null) return "";
        final StringWriter text = new StringWriter();
        text.write("Exception in thread \"" + Thread.currentThread().getName() + "\" ");
        pending.printStackTrace(new PrintWriter(text, true));
        pending = null;
        return text.toString();
    }

    /** What DestroyJavaVM waits for: every other live non-daemon thread has ended. */
    private static void awaitOtherNonDaemonThreads() {
        while (true) {
            Thread other = null;
            for (Thread thread : Thread.getAllStackTraces().keySet()) {
                if (thread != Thread.currentThread() && !thread.isDaemon() && thread.isAlive()) other = thread;
            }
            if (other == null) return;
            try {
                other.join();
            } catch (InterruptedException e) {
                Thread.currentThread().interrupt();
                return;
            }
        }
    }
}
