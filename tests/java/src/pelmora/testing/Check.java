package pelmora.testing;

import java.util.Objects;

/** Assertions for the test cases; a failed one throws an {@link AssertionError} saying what differed. */
public final class Check {
    /** Code under test that may throw anything. */
    @FunctionalInterface
    public interface Action {
        void run() throws Exception;
    }

    private Check() {}

    public static void equal(Object expected, Object actual, String what) {
        if (!Objects.equals(expected, actual)) {
            throw new AssertionError(what + ": expected <" + expected + "> but was <" + actual + ">");
        }
    }

    public static void isTrue(boolean condition, String what) {
        if (!condition) {
            throw new AssertionError(what);
        }
    }

    public static void isNull(Object actual, String what) {
        if (actual != null) {
            throw new AssertionError(what + ": expected null but was <" + actual + ">");
        }
    }

    public static void notNull(Object actual, String what) {
        if (actual == null) {
            throw new AssertionError(what + ": was null");
        }
    }

    public static void contains(String expectedPart, String actual, String what) {
        if (actual == null || !actual.contains(expectedPart)) {
            throw new AssertionError(what + ": <" + actual + "> does not contain <" + expectedPart + ">");
        }
    }

    /** Runs the action and returns what it threw, which must be of the type. */
    public static <T extends Throwable> T throwsA(Class<T> type, Action action, String what) {
        try {
            action.run();
        } catch (Throwable thrown) {
            if (type.isInstance(thrown)) {
                return type.cast(thrown);
            }
            String expected = type.getSimpleName();
            throw new AssertionError(what + ": threw " + thrown + " instead of " + expected, thrown);
        }
        throw new AssertionError(what + ": threw nothing, expected " + type.getSimpleName());
    }
}
