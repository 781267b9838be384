package pelmora.sgf;

/**
 * What a game record holds for the application: the root's game information and the position at the end
 * of the main line. Texts are null when the root does not have the property.
 */
public final class GameRecord {
    private final String gameName;
    private final String blackPlayer;
    private final String whitePlayer;
    private final int moveCount;
    private final BoardPosition finalPosition;

    GameRecord(String gameName, String blackPlayer, String whitePlayer, int moveCount,
               BoardPosition finalPosition) {
        this.gameName = gameName;
        this.blackPlayer = blackPlayer;
        this.whitePlayer = whitePlayer;
        this.moveCount = moveCount;
        this.finalPosition = finalPosition;
    }

    /** GN. */
    public String gameName() {
        return gameName;
    }

    /** PB. */
    public String blackPlayer() {
        return blackPlayer;
    }

    /** PW. */
    public String whitePlayer() {
        return whitePlayer;
    }

    /** SZ, 19 when absent. */
    public int boardSize() {
        return finalPosition.size();
    }

    /** The B and W properties of the main line, passes and moves off the board included. */
    public int moveCount() {
        return moveCount;
    }

    public BoardPosition finalPosition() {
        return finalPosition;
    }
}
