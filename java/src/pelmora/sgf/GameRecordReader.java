package pelmora.sgf;

/**
 * Turns the bytes of a game record into a {@link GameRecord}: the root's GN, PB, PW and SZ, then the setup
 * (AB, AW, AE) and moves (B, W) of every node of the main line played out on the board. A board size other
 * than 1 to {@value BoardPosition#MAX_SIZE} makes the record unusable; "SZ[13:13]" counts as its first
 * number. Within a node setup comes before the moves; points off the board are ignored.
 *
 * <p>Playing out the main line may visit at most {@value #MAX_WORK} points (setup and the groups a move
 * looks at, {@link BoardPosition#work()}), a fraction of a second: a record that needs more, such as a
 * million moves against one group that fills the board, is unusable, however short its bytes.
 */
public final class GameRecordReader {
    public static final long MAX_WORK = 20_000_000L;
    private static final int DEFAULT_BOARD_SIZE = 19;

    private String gameName;
    private String blackPlayer;
    private String whitePlayer;
    private BoardPosition position;
    private int moveCount;
    /** Why the record is unusable, once it is known to be. */
    private String problem;

    private GameRecordReader() {}

    /** Reads the first {@code length} bytes of {@code data}; data cut short gives what precedes the cut. */
    public static GameRecord read(byte[] data, int length) throws NotAGameRecordException {
        GameRecordReader reader = new GameRecordReader();
        if (!SgfReader.readMainLine(data, length, reader::take)) {
            throw new NotAGameRecordException("not a game record");
        }
        if (reader.problem != null) {
            throw new NotAGameRecordException(reader.problem);
        }
        // A record has a root node as soon as it starts; this only guards the reader's own promise.
        if (reader.position == null) {
            throw new NotAGameRecordException("no root node");
        }
        return new GameRecord(reader.gameName, reader.blackPlayer, reader.whitePlayer, reader.moveCount,
                              reader.position);
    }

    public static GameRecord read(byte[] data) throws NotAGameRecordException {
        return read(data, data.length);
    }

    /** Takes the next node of the main line; false once the record turned out unusable. */
    private boolean take(SgfNode node) {
        if (position == null && !readRoot(node)) {
            return false;
        }
        return apply(node);
    }

    /** False, with the problem noted, once playing out the record has cost more than it may. */
    private boolean withinWork() {
        if (position.work() <= MAX_WORK) {
            return true;
        }
        problem = "too costly to play out";
        return false;
    }

    private boolean readRoot(SgfNode root) {
        int size = DEFAULT_BOARD_SIZE;
        String sizeValue = root.firstValue("SZ");
        if (sizeValue != null) {
            size = boardSize(sizeValue);
            if (size < 1) {
                problem = "board size \"" + sizeValue + "\" is not supported";
                return false;
            }
        }
        position = new BoardPosition(size);
        gameName = simpleText(root.firstValue("GN"));
        blackPlayer = simpleText(root.firstValue("PB"));
        whitePlayer = simpleText(root.firstValue("PW"));
        return true;
    }

    /** The size a SZ value gives, -1 when it gives none this application supports. */
    private static int boardSize(String value) {
        String first = value.split(":", -1)[0].trim();
        if (first.isEmpty() || first.length() > 3 || !first.chars().allMatch(c -> c >= '0' && c <= '9')) {
            return -1;
        }
        int size = Integer.parseInt(first);
        return size <= BoardPosition.MAX_SIZE ? size : -1;
    }

    /** Setup, then the moves; false once the work is used up. */
    private boolean apply(SgfNode node) {
        int size = position.size();
        String[] setup = {"AB", "AW", "AE"};
        Stone[] stones = {Stone.BLACK, Stone.WHITE, Stone.EMPTY};
        for (int i = 0; i < setup.length; i++) {
            Stone stone = stones[i];
            for (String value : node.values(setup[i])) {
                SgfPoints.forEachPoint(value, size, (column, row) -> position.place(column, row, stone));
                if (!withinWork()) {
                    return false;
                }
            }
        }
        play(node.firstValue("B"), Stone.BLACK);
        play(node.firstValue("W"), Stone.WHITE);
        return withinWork();
    }

    private void play(String move, Stone colour) {
        if (move == null) {
            return;
        }
        moveCount++;
        // A move names one point; a rectangle or anything else places nothing.
        if (SgfPoints.isPass(move, position.size()) || move.trim().length() != 2) {
            return;
        }
        SgfPoints.forEachPoint(move, position.size(), (column, row) -> position.play(column, row, colour));
    }

    /** Simple text shows on one line: every line break or other white space character is a space. */
    private static String simpleText(String text) {
        if (text == null) {
            return null;
        }
        return text.replace("\r\n", " ").replace("\n\r", " ").replaceAll("\\s", " ");
    }
}
