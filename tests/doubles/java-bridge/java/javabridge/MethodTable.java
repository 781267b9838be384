package javabridge;

import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

/**
 * Static methods found by GetStaticMethodID, under process-wide ids that stay valid as long as the process:
 * JNI method ids are not references, and one method always has the same id.
 */
final class MethodTable {
    private final List<Method> methods = new ArrayList<>();
    private final Map<Method, Integer> ids = new HashMap<>();

    /** The static method of that name and descriptor in the class or a superclass, or null. */
    static Method findStatic(Class<?> type, String name, String descriptor) {
        for (Class<?> k = type; k != null; k = k.getSuperclass()) {
            for (Method method : k.getDeclaredMethods()) {
                if (Modifier.isStatic(method.getModifiers()) && method.getName().equals(name)
                    && descriptorOf(method).equals(descriptor)) {
                    return method;
                }
            }
        }
        return null;
    }

    synchronized int idOf(Method method) {
        return ids.computeIfAbsent(method, m -> {
            methods.add(m);
            return methods.size();
        });
    }

    /** Null for an id this table never gave out. */
    synchronized Method method(int id) {
        return id >= 1 && id <= methods.size() ? methods.get(id - 1) : null;
    }

    static String descriptorOf(Method method) {
        final StringBuilder descriptor = new StringBuilder("(");
        for (Class<?> parameter : method.getParameterTypes()) descriptor.append(descriptorOf(parameter));
        return descriptor.append(')').append(descriptorOf(method.getReturnType())).toString();
    }

    static String descriptorOf(Class<?> type) {
        if (type == void.class) return "V";
        if (type == boolean.class) return "Z";
        if (type == byte.class) return "B";
        if (type == char.class) return "C";
        if (type == short.class) return "S";
        if (type == int.class) return "I";
        if (type == long.class) return "J";
        if (type == float.class) return "F";
        if (type == double.class) return "D";
        if (type.isArray()) return type.getName().replace('.', '/');
        return "L" + type.getName().replace('.', '/') + ";";
    }
}
