package pelmora.sgf;

import static java.nio.charset.StandardCharsets.ISO_8859_1;
import static java.nio.charset.StandardCharsets.UTF_8;

import java.io.ByteArrayOutputStream;
import java.util.ArrayList;
import java.util.List;
import pelmora.testing.Check;
import pelmora.testing.Test;

public final class SgfReaderTest {
    private static List<SgfNode> mainLine(byte[] data) {
        List<SgfNode> nodes = new ArrayList<>();
        Check.isTrue(SgfReader.readMainLine(data, data.length, nodes::add), "read as a game record");
        return nodes;
    }

    private static List<SgfNode> mainLine(String record) {
        return mainLine(record.getBytes(UTF_8));
    }

    private static List<String> firstValues(List<SgfNode> nodes, String id) {
        List<String> values = new ArrayList<>();
        for (SgfNode node : nodes) {
            values.add(node.firstValue(id));
        }
        return values;
    }

    @Test
    void readsPropertiesWithOneOrMoreValues() {
        List<SgfNode> nodes = mainLine("(;GM[1]FF[4]AB[aa][bb]\n  [cc]C[two words];B[dd])");
        Check.equal(2, nodes.size(), "nodes");
        SgfNode root = nodes.get(0);
        Check.equal(List.of("GM", "FF", "AB", "C"), List.copyOf(root.ids()), "root's identifiers in order");
        Check.equal(List.of("aa", "bb", "cc"), root.values("AB"), "values of AB");
        Check.equal("two words", root.firstValue("C"), "C");
        Check.equal(List.of(), root.values("AW"), "an absent property has no values");
        Check.isNull(root.firstValue("AW"), "first value of an absent property");
        Check.equal("dd", nodes.get(1).firstValue("B"), "the move");
    }

    @Test
    void resolvesEscapesAndSoftLineBreaks() {
        SgfNode root = mainLine("(;C[a\\]b\\\\c\\d]GN[soft\\\nbreak]PB[one\\\r\ntwo]PW[line\nkept])").get(0);
        Check.equal("a]b\\cd", root.firstValue("C"), "escaped ], \\ and a plain letter");
        Check.equal("softbreak", root.firstValue("GN"), "backslash before \\n");
        Check.equal("onetwo", root.firstValue("PB"), "backslash before \\r\\n removes both characters");
        Check.equal("line\nkept", root.firstValue("PW"), "a line break without backslash stays");
    }

    @Test
    void keepsTheUpperCaseLettersOfOldIdentifiers() {
        SgfNode root = mainLine("(;AddBlack[aa]CoPyright[me]GaMe[1])").get(0);
        Check.equal(List.of("AB", "CP", "GM"), List.copyOf(root.ids()), "identifiers");
    }

    @Test
    void skipsWhitespaceAndStrayCharactersBetweenTokens() {
        List<SgfNode> nodes = mainLine(" \r\n( \t; GN [x] \n ; B\n[aa] 12 ; W [bb]\n)");
        Check.equal(List.of("x"), nodes.get(0).values("GN"), "root");
        Check.equal(List.of("aa", "bb"), List.of(nodes.get(1).firstValue("B"), nodes.get(2).firstValue("W")),
                    "moves");
    }

    @Test
    void followsTheFirstVariationAtEveryBranchPoint() {
        String record = "(;GN[x];B[aa](;W[bb](;B[cc])(;B[dd]));W[ee])(;W[ff]))(;B[gg])";
        List<SgfNode> nodes = mainLine(record);
        Check.equal(4, nodes.size(), "nodes of the main line");
        Check.equal("bb", nodes.get(2).firstValue("W"), "first variation after B[aa]");
        Check.equal("cc", nodes.get(3).firstValue("B"), "first variation after W[bb]");
    }

    @Test
    void stopsWhenTheVisitorHasEnough() {
        byte[] data = "(;GN[a];B[aa];W[bb])".getBytes(UTF_8);
        List<SgfNode> seen = new ArrayList<>();
        SgfReader.readMainLine(data, data.length, node -> seen.add(node) && seen.size() < 2);
        Check.equal(2, seen.size(), "nodes seen");
    }

    @Test
    void recognisesTheStartOfAGameRecord() {
        for (String good : new String[] {"(;", "\uFEFF(;", " \r\n\t( \n ;GM[1]", "(;)"}) {
            byte[] data = good.getBytes(UTF_8);
            Check.isTrue(SgfReader.startsGameTree(data, data.length), "a record: " + good);
        }
        for (String bad : new String[] {"", "(", "( ", "(B[aa])", "x(;", "[(;]", ";(", "\uFEFF\uFEFF(;"}) {
            byte[] data = bad.getBytes(UTF_8);
            Check.isTrue(!SgfReader.startsGameTree(data, data.length), "not a record: " + bad);
            Check.isTrue(!SgfReader.readMainLine(data, data.length, node -> true), "not read: " + bad);
        }
        byte[] data = "(;GN[x])".getBytes(UTF_8);
        Check.isTrue(!SgfReader.startsGameTree(data, 1), "the length given counts, not the array's");
    }

    @Test
    void keepsWhatWasCompleteBeforeACut() {
        List<SgfNode> nodes = mainLine("(;GN[abc];B[aa]AB[bb][cc]C[unfinished");
        Check.equal(2, nodes.size(), "nodes");
        Check.equal("abc", nodes.get(0).firstValue("GN"), "root");
        Check.equal(List.of("bb", "cc"), nodes.get(1).values("AB"), "complete values of the last node");
        Check.isTrue(!nodes.get(1).has("C"), "the unfinished value is dropped");
        Check.isTrue(!mainLine("(;C[ends with a backslash\\").get(0).has("C"), "cut after a backslash");
        Check.equal(List.of("x"), mainLine("(;GN[x]PB").get(0).values("GN"), "cut inside an identifier");
    }

    @Test
    void decodesTextInTheCharsetTheRootNames() {
        byte[] latin1 = "(;CA[ISO-8859-1]GN[Åkesson];C[½])".getBytes(ISO_8859_1);
        List<SgfNode> nodes = mainLine(latin1);
        Check.equal("Åkesson", nodes.get(0).firstValue("GN"), "root text");
        Check.equal("½", nodes.get(1).firstValue("C"), "text of a later node");
        Check.equal("Åkesson", mainLine("(;GN[Åkesson])").get(0).firstValue("GN"), "UTF-8 without CA");
        Check.equal("Åkesson", mainLine("(;CA[no-such-charset]GN[Åkesson])").get(0).firstValue("GN"),
                    "unknown charset: UTF-8");
        Check.equal("Åkesson", mainLine("(;CA[UTF-16]GN[Åkesson])").get(0).firstValue("GN"),
                    "a charset that writes ASCII otherwise: UTF-8");
        byte[] malformed = "(;GN[\u00C5])".getBytes(ISO_8859_1);
        Check.equal("\uFFFD", mainLine(malformed).get(0).firstValue("GN"), "bytes that are no UTF-8");
    }

    @Test
    void survivesDeepNesting() {
        StringBuilder record = new StringBuilder("(;GN[deep]");
        for (int i = 0; i < 100_000; i++) {
            record.append("(;B[aa]");
        }
        List<SgfNode> nodes = mainLine(record.toString());
        Check.equal(100_001, nodes.size(), "every nested node is on the main line");
    }

    @Test
    void boundsValuesAndProperties() {
        ByteArrayOutputStream record = new ByteArrayOutputStream();
        record.writeBytes("(;AB".getBytes(UTF_8));
        for (int i = 0; i < SgfReader.MAX_VALUES + 5000; i++) {
            record.writeBytes("[aa]".getBytes(UTF_8));
        }
        record.writeBytes("GN[after])".getBytes(UTF_8));
        SgfNode root = mainLine(record.toByteArray()).get(0);
        Check.equal(SgfReader.MAX_VALUES, root.values("AB").size(), "values kept");
        Check.equal("after", root.firstValue("GN"), "the properties after them");

        SgfNode longIds = mainLine("(;ABCDEFGHI[x]ABCDEFGH[y]GN[z])").get(0);
        Check.equal(List.of("ABCDEFGH", "GN"), List.copyOf(longIds.ids()), "identifiers up to 8 letters");
    }

    @Test
    void mergesARepeatedProperty() {
        SgfNode root = mainLine("(;AB[aa]AW[bb]AB[cc])").get(0);
        Check.equal(List.of("aa", "cc"), root.values("AB"), "values of both");
    }
}
