package pelmora.sgf;

/**
 * Points in the record's notation: two letters, column then row, "a" to "z" for 0 to 25 and "A" to "Z" for
 * 26 to 51, counted from the top-left corner. A list value may also name a rectangle by two opposite
 * corners, "aa:cc".
 */
public final class SgfPoints {
    /** Receives a point's column and row. */
    @FunctionalInterface
    public interface PointAction {
        void at(int column, int row);
    }

    private SgfPoints() {}

    /** The coordinate a letter stands for, -1 for any other character. */
    public static int coordinate(char letter) {
        if (letter >= 'a' && letter <= 'z') {
            return letter - 'a';
        }
        if (letter >= 'A' && letter <= 'Z') {
            return letter - 'A' + 26;
        }
        return -1;
    }

    /** A move that places nothing: an empty value, or "tt" on boards of up to 19 lines. */
    public static boolean isPass(String value, int boardSize) {
        String point = value.trim();
        return point.isEmpty() || (boardSize <= 19 && point.equals("tt"));
    }

    /**
     * Calls the action for the point, or each point of the rectangle, that the value names and that lies on
     * a board of {@code boardSize} lines; values that name no point call it for none.
     */
    public static void forEachPoint(String value, int boardSize, PointAction action) {
        String points = value.trim();
        boolean single = points.length() == 2;
        if (!single && !(points.length() == 5 && points.charAt(2) == ':')) {
            return;
        }
        int secondCorner = single ? 0 : 3;
        int column1 = coordinate(points.charAt(0));
        int row1 = coordinate(points.charAt(1));
        int column2 = coordinate(points.charAt(secondCorner));
        int row2 = coordinate(points.charAt(secondCorner + 1));
        if (column1 < 0 || row1 < 0 || column2 < 0 || row2 < 0) {
            return;
        }
        int lastColumn = Math.min(Math.max(column1, column2), boardSize - 1);
        int lastRow = Math.min(Math.max(row1, row2), boardSize - 1);
        for (int row = Math.min(row1, row2); row <= lastRow; row++) {
            for (int column = Math.min(column1, column2); column <= lastColumn; column++) {
                action.at(column, row);
            }
        }
    }
}
