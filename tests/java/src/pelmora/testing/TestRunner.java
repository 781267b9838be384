package pelmora.testing;

import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.Method;
import java.util.ArrayList;
import java.util.Comparator;
import java.util.List;

/**
 * Runs the {@link Test} methods of test classes, each on a new instance, in name order. Prints every case,
 * each failure with its stack, and a last line "N passed, N failed".
 */
public final class TestRunner {
    private int passed;
    private final List<String> failures = new ArrayList<>();

    /** Runs the classes' cases; returns the process exit code, 1 when any failed. */
    public static int run(Class<?>... testClasses) {
        TestRunner runner = new TestRunner();
        for (Class<?> testClass : testClasses) {
            runner.runClass(testClass);
        }
        for (String failure : runner.failures) {
            System.out.println("FAILED " + failure);
        }
        System.out.println(runner.passed + " passed, " + runner.failures.size() + " failed");
        return runner.failures.isEmpty() && runner.passed > 0 ? 0 : 1;
    }

    private void runClass(Class<?> testClass) {
        List<Method> cases = new ArrayList<>();
        for (Method method : testClass.getDeclaredMethods()) {
            if (method.isAnnotationPresent(Test.class)) {
                cases.add(method);
            }
        }
        cases.sort(Comparator.comparing(Method::getName));
        if (cases.isEmpty()) {
            failures.add(testClass.getName() + ": no test cases");
        }
        for (Method method : cases) {
            String name = testClass.getSimpleName() + "." + method.getName();
            try {
                method.setAccessible(true);
                method.invoke(testClass.getDeclaredConstructor().newInstance());
                passed++;
                System.out.println("ok     " + name);
            } catch (InvocationTargetException e) {
                fail(name, e.getCause());
            } catch (ReflectiveOperationException | RuntimeException e) {
                fail(name, e);
            }
        }
    }

    private void fail(String name, Throwable cause) {
        System.out.println("FAILED " + name + ": " + cause);
        cause.printStackTrace(System.out);
        failures.add(name + ": " + cause);
    }
}
