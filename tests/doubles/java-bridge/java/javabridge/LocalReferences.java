package javabridge;

import java.util.ArrayDeque;
import java.util.ArrayList;
import java.util.Deque;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

/**
 * The local references of one attached thread, in frames. A reference is a positive number; 0 is null. The
 * bottom frame is the thread's own and is never popped.
 */
final class LocalReferences {
    private final Map<Long, Object> objects = new HashMap<>();
    private final Deque<List<Long>> frames = new ArrayDeque<>();
    private long lastReference;

    LocalReferences() {
        frames.push(new ArrayList<>());
    }

    long add(Object object) {
        if (object == null) return 0;
        final long reference = ++lastReference;
        objects.put(reference, object);
        frames.peek().add(reference);
        return reference;
    }

    boolean isLive(long reference) {
        return reference == 0 || objects.containsKey(reference);
    }

    /** The object of a live reference; null for 0. Call isLive first. */
    Object get(long reference) {
        return reference == 0 ? null : objects.get(reference);
    }

    void delete(long reference) {
        objects.remove(reference);
    }

    void pushFrame() {
        frames.push(new ArrayList<>());
    }

    boolean hasPushedFrame() {
        return frames.size() > 1;
    }

    /** Frees the top frame and returns a reference to the result in the frame below. */
    long popFrame(Object result) {
        for (long reference : frames.pop()) objects.remove(reference);
        return add(result);
    }

    /** What detaching does: every local reference goes. */
    void clear() {
        objects.clear();
        frames.clear();
        frames.push(new ArrayList<>());
    }
}
