package pelmora.sgf;

import java.util.Collections;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.Set;

/**
 * One node of a game record: its properties in the order they were read, each with its values, escapes
 * already resolved and the text decoded. Property identifiers are upper case ("AB", "GN").
 */
public final class SgfNode {
    private final Map<String, List<String>> properties;

    SgfNode(Map<String, List<String>> properties) {
        Map<String, List<String>> copy = new LinkedHashMap<>();
        properties.forEach((id, values) -> copy.put(id, Collections.unmodifiableList(values)));
        this.properties = Collections.unmodifiableMap(copy);
    }

    public Set<String> ids() {
        return properties.keySet();
    }

    public boolean has(String id) {
        return properties.containsKey(id);
    }

    /** The values of the property; empty when the node has none. */
    public List<String> values(String id) {
        return properties.getOrDefault(id, List.of());
    }

    /** The first value of the property, or null when the node has none. */
    public String firstValue(String id) {
        List<String> values = properties.get(id);
        return values == null || values.isEmpty() ? null : values.get(0);
    }

    @Override
    public String toString() {
        return properties.toString();
    }
}
