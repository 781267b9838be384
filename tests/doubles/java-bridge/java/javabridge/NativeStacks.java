package javabridge;

import java.util.Arrays;
import java.util.Collections;
import java.util.IdentityHashMap;
import java.util.Set;

/**
 * Stack traces as a thread attached through JNI has them: no Java frames below the called method. The
 * bridge's own frames, and the reflection that carries its calls, are cut from the bottom of each trace in an
 * exception's chain; an exception the bridge raised itself keeps no frames at all.
 */
final class NativeStacks {
    private NativeStacks() {}

    static void cutBridgeFrames(Throwable throwable) {
        final Set<Throwable> seen = Collections.newSetFromMap(new IdentityHashMap<>());
        for (Throwable t = throwable; t != null && seen.add(t); t = t.getCause()) {
            final StackTraceElement[] frames = t.getStackTrace();
            final int end = firstBridgeFrame(frames);
            if (end < frames.length) t.setStackTrace(Arrays.copyOf(frames, end));
        }
    }

    private static int firstBridgeFrame(StackTraceElement[] frames) {
        for (int i = 0; i < frames.length; ++i) {
            if (!frames[i].getClassName().startsWith("javabridge.")) continue;
            int end = i;
            while (end > 0 && isReflection(frames[end - 1].getClassName())) --end;
            return end;
        }
        return frames.length;
    }

    private static boolean isReflection(String className) {
        return className.startsWith("jdk.internal.reflect.") || className.equals("java.lang.reflect.Method");
    }
}
