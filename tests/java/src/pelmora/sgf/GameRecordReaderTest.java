package pelmora.sgf;

import static java.nio.charset.StandardCharsets.UTF_8;

import pelmora.testing.Check;
import pelmora.testing.Test;

public final class GameRecordReaderTest {
    private static GameRecord read(String record) throws NotAGameRecordException {
        return GameRecordReader.read(record.getBytes(UTF_8));
    }

    /** The board as rows of X (black), O (white) and . (empty), top row first, joined by "/". */
    private static String rows(BoardPosition position) {
        StringBuilder rows = new StringBuilder();
        for (int row = 0; row < position.size(); row++) {
            if (row > 0) {
                rows.append('/');
            }
            for (int column = 0; column < position.size(); column++) {
                Stone stone = position.stoneAt(column, row);
                rows.append(stone == Stone.BLACK ? 'X' : stone == Stone.WHITE ? 'O' : '.');
            }
        }
        return rows.toString();
    }

    private static String finalRows(String record) throws NotAGameRecordException {
        return rows(read(record).finalPosition());
    }

    @Test
    void readsTheGameInformationOfTheRoot() throws Exception {
        GameRecord record = read("(;GN[Final\r\nround]PB[Alice]PW[Bo\tb]SZ[13];B[aa];W[bb])");
        Check.equal("Final round", record.gameName(), "GN, its line break a space");
        Check.equal("Alice", record.blackPlayer(), "PB");
        Check.equal("Bo b", record.whitePlayer(), "PW, its tab a space");
        Check.equal(13, record.boardSize(), "SZ");
        Check.equal(2, record.moveCount(), "moves");

        GameRecord bare = read("(;GM[1])");
        Check.isNull(bare.gameName(), "no GN");
        Check.isNull(bare.blackPlayer(), "no PB");
        Check.equal(19, bare.boardSize(), "default size");
        Check.equal(0, bare.moveCount(), "no moves");
        Check.equal(9, read("(;SZ[ 9 ])").boardSize(), "size with spaces");
        Check.equal(13, read("(;SZ[13:13])").boardSize(), "rectangular size: its first number");
        Check.equal(52, read("(;SZ[52])").boardSize(), "largest size");
        Check.equal(1, read("(;SZ[1]AB[aa])").finalPosition().count(Stone.BLACK), "a board of one point");
        Check.equal(0, read("(;SZ[1];B[aa])").finalPosition().count(Stone.BLACK), "its only move is suicide");
    }

    @Test
    void refusesBoardSizesItCannotShow() {
        for (String size : new String[] {"0", "53", "99999999999", "-5", "abc", "", ":9"}) {
            String record = "(;SZ[" + size + "];B[aa])";
            NotAGameRecordException refused =
                    Check.throwsA(NotAGameRecordException.class, () -> read(record), record);
            Check.contains("board size", refused.getMessage(), "reason for SZ[" + size + "]");
        }
    }

    @Test
    void refusesDataThatIsNoGameRecord() {
        for (String data : new String[] {"", "hello", "(", "(GM[1])", "; (;B[aa])", "\u0000(;"}) {
            NotAGameRecordException refused =
                    Check.throwsA(NotAGameRecordException.class, () -> read(data), "data <" + data + ">");
            Check.equal("not a game record", refused.getMessage(), "reason");
        }
    }

    @Test
    void placesSetupStonesFromPointsAndRectangles() throws Exception {
        Check.equal("XXX../XXX../XXXO./...../.....", finalRows("(;SZ[5]AB[aa:cc]AW[dc])"), "AB rectangle");
        Check.equal("XXX../X.X../XXX../...../.....", finalRows("(;SZ[5]AB[ca:ac]AE[bb])"),
                    "rectangle given by the other two corners, then AE");
        Check.equal("...../...../...../...XX/...XX", finalRows("(;SZ[5]AB[dd:zz][zz][a])"),
                    "points off the board and malformed points are ignored");
        Check.equal("...../.X.../..O../...../.....", finalRows("(;SZ[5]AB[aa][bb];AE[aa]AW[cc])"),
                    "setup of a later node");
    }

    @Test
    void capturesGroupsWithoutLiberties() throws Exception {
        Check.equal(".X.../X..../..O../...../.....", finalRows("(;SZ[5];W[aa];B[ba];W[cc];B[ab])"),
                    "a corner stone");
        Check.equal("X..X./.XX../...../...../.....",
                    finalRows("(;SZ[5]AB[aa][da][bb]AW[ba][ca];B[cb])"), "a group of two");
        Check.equal("X.X../.X.../X..../...../.....",
                    finalRows("(;SZ[5]AB[ca][bb][ac]AW[ba][ab];B[aa])"), "two groups with one move");
    }

    @Test
    void capturesAGroupThatTouchesTheMoveTwice() throws Exception {
        // White's group of three has its last liberty at aa, next to two of its stones.
        Check.equal("X.X../..X../XX.../...../.....",
                    finalRows("(;SZ[5]AW[ba][bb][ab]AB[ca][cb][ac][bc];B[aa])"), "captured once, wholly");
    }

    @Test
    void refusesARecordTooCostlyToPlayOut() throws Exception {
        // Each pair of moves beside the group that fills the board but one point visits 2,654 of its points.
        String group = "(;SZ[52]AB[aa:ZZ]AE[ZZ]";
        Check.equal(600, read(group + ";W[ba];B[ba]".repeat(300) + ")").moveCount(), "hundreds are played");
        String costly = group + ";W[ba];B[ba]".repeat(10_000) + ")";
        NotAGameRecordException refused =
                Check.throwsA(NotAGameRecordException.class, () -> read(costly), "ten thousand pairs");
        Check.equal("too costly to play out", refused.getMessage(), "reason");
        String setup = "(;SZ[52]" + ";AB[aa:ZZ]".repeat(10_000) + ")";
        Check.throwsA(NotAGameRecordException.class, () -> read(setup), "ten thousand board-filling setups");
    }

    @Test
    void takesTheOpponentBeforeItsOwnGroup() throws Exception {
        // Black's move at aa has no liberty of its own but takes the white stone at ba first.
        Check.equal("X.X../OXX../...../...../.....",
                    finalRows("(;SZ[5]AB[ca][cb][bb]AW[ba][ab];B[aa])"), "capture, not suicide");
    }

    @Test
    void removesASuicidalGroup() throws Exception {
        Check.equal(".X.../X..../...../...../.....", finalRows("(;SZ[5]AB[ba][ab];W[aa])"), "one stone");
        Check.equal("..X../XXX../...../...../.....",
                    finalRows("(;SZ[5]AB[ca][ab][bb][cb]AW[aa];W[ba])"), "two stones together");
    }

    @Test
    void countsPassesAndMovesOffTheBoardWithoutPlacingThem() throws Exception {
        GameRecord record = read("(;SZ[9];B[];W[tt];B[ jj ];W[aa:bb];B[aa])");
        Check.equal(5, record.moveCount(), "moves");
        Check.equal(1, record.finalPosition().count(Stone.BLACK), "black stones");
        Check.equal(0, record.finalPosition().count(Stone.WHITE), "white stones");
        Check.equal(Stone.BLACK, record.finalPosition().stoneAt(0, 0), "the one real move");
        BoardPosition large = read("(;SZ[20];B[tt])").finalPosition();
        Check.equal(Stone.BLACK, large.stoneAt(19, 19), "tt is a point on boards of more than 19 lines");
    }

    @Test
    void playsOnlyTheMainLine() throws Exception {
        GameRecord record = read("(;SZ[5];B[aa](;W[bb];B[cc])(;W[dd];B[ee]))");
        Check.equal("X..../.O.../..X../...../.....", rows(record.finalPosition()), "first variation");
        Check.equal(3, record.moveCount(), "moves of the main line");
    }

    @Test
    void playsOverAnOccupiedPoint() throws Exception {
        Check.equal("O..../...../...../...../.....", finalRows("(;SZ[5];B[aa];W[aa])"), "replaced");
    }
}
