package pelmora.sgf;

/** What occupies a point of the board. */
public enum Stone {
    EMPTY,
    BLACK,
    WHITE;

    /** The other colour; {@link #EMPTY} has none and stays empty. */
    public Stone opponent() {
        switch (this) {
            case BLACK:
                return WHITE;
            case WHITE:
                return BLACK;
            default:
                return EMPTY;
        }
    }
}
