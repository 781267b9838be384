package pelmora.sgf;

import java.util.Arrays;

/**
 * The stones on a square board of 1 to {@value #MAX_SIZE} lines, addressed by column and row from the
 * top-left corner. Setup puts or clears stones as told; a move also takes the opponent's groups left without
 * liberties, then its own group if that has none. {@link #work()} counts the points visited so far, so a
 * caller can bound what a record costs: a move next to a large group visits the whole group.
 */
public final class BoardPosition {
    public static final int MAX_SIZE = 52;

    private final int size;
    private final Stone[] points;
    /** Flood fills mark points with the fill's number, so the marks never need clearing. */
    private final int[] marks;
    private int fillNumber;
    private final int[] pending;
    private final int[] group;
    private long work;

    public BoardPosition(int size) {
        if (size < 1 || size > MAX_SIZE) {
            throw new IllegalArgumentException("board size " + size);
        }
        this.size = size;
        points = new Stone[size * size];
        Arrays.fill(points, Stone.EMPTY);
        marks = new int[points.length];
        pending = new int[points.length];
        group = new int[points.length];
    }

    public int size() {
        return size;
    }

    public boolean isOnBoard(int column, int row) {
        return column >= 0 && column < size && row >= 0 && row < size;
    }

    public Stone stoneAt(int column, int row) {
        return points[index(column, row)];
    }

    /** Puts the stone, or with {@link Stone#EMPTY} clears the point, without taking anything. */
    public void place(int column, int row, Stone stone) {
        points[index(column, row)] = stone;
        work++;
    }

    /** The points visited by setup and moves so far. */
    public long work() {
        return work;
    }

    /** Plays a move of the colour, even onto an occupied point, and takes what it leaves without liberty. */
    public void play(int column, int row, Stone colour) {
        if (colour == Stone.EMPTY) {
            throw new IllegalArgumentException("a move needs a colour");
        }
        int at = index(column, row);
        points[at] = colour;
        work++;
        int[] neighbours = new int[4];
        int count = neighbours(at, neighbours);
        int firstFill = fillNumber + 1;
        for (int i = 0; i < count; i++) {
            // A neighbour that an earlier fill of this move reached belongs to a group that kept a liberty.
            if (points[neighbours[i]] == colour.opponent() && marks[neighbours[i]] < firstFill) {
                takeIfCaptured(neighbours[i]);
            }
        }
        takeIfCaptured(at);
    }

    /** The number of points holding that stone. */
    public int count(Stone stone) {
        int count = 0;
        for (Stone point : points) {
            if (point == stone) {
                count++;
            }
        }
        return count;
    }

    private int index(int column, int row) {
        if (!isOnBoard(column, row)) {
            throw new IndexOutOfBoundsException("point " + column + "," + row + " on " + size + " lines");
        }
        return row * size + column;
    }

    private int neighbours(int at, int[] into) {
        int column = at % size;
        int count = 0;
        if (column > 0) {
            into[count++] = at - 1;
        }
        if (column < size - 1) {
            into[count++] = at + 1;
        }
        if (at >= size) {
            into[count++] = at - size;
        }
        if (at < points.length - size) {
            into[count++] = at + size;
        }
        return count;
    }

    /** Removes the group of the stone at {@code at} when it has no liberty. */
    private void takeIfCaptured(int at) {
        Stone colour = points[at];
        fillNumber++;
        int groupSize = 0;
        int pendingCount = 0;
        pending[pendingCount++] = at;
        marks[at] = fillNumber;
        int[] neighbours = new int[4];
        while (pendingCount > 0) {
            int point = pending[--pendingCount];
            group[groupSize++] = point;
            work++;
            int count = neighbours(point, neighbours);
            for (int i = 0; i < count; i++) {
                int next = neighbours[i];
                if (points[next] == Stone.EMPTY) {
                    return;
                }
                if (points[next] == colour && marks[next] != fillNumber) {
                    marks[next] = fillNumber;
                    pending[pendingCount++] = next;
                }
            }
        }
        for (int i = 0; i < groupSize; i++) {
            points[group[i]] = Stone.EMPTY;
        }
    }
}
