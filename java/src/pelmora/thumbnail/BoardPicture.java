package pelmora.thumbnail;

import java.awt.BasicStroke;
import java.awt.Color;
import java.awt.Graphics2D;
import java.awt.RenderingHints;
import java.awt.geom.Ellipse2D;
import java.awt.geom.Line2D;
import java.awt.image.BufferedImage;
import pelmora.sgf.BoardPosition;
import pelmora.sgf.Stone;

/**
 * Draws a board position as a square picture of side S. With N lines, cell = S / (double) N and the point
 * in column c and row r (0-based from the top-left) has its centre at x = (c + 0.5) * cell,
 * y = (r + 0.5) * cell. The picture is filled with {@link #BOARD}; grid lines of {@link #LINES}, 1 to 2
 * pixels wide, join the centres of the first and last points of every row and column; stones are discs of
 * radius {@value #STONE_RADIUS} * cell, black filled {@link #BLACK_STONE}, white filled {@link #WHITE_STONE}
 * with an outline of {@link #LINES} inside the disc. Nothing else is drawn: no star points, no markers.
 *
 * <p>Edges are antialiased. From a cell of 8 pixels on, the pixel holding a stone's centre, (floor(x),
 * floor(y)), has exactly the stone's colour, and a pixel whose centre lies farther than 0.6 * cell from every
 * stone's centre and at least 2 pixels from every grid line has exactly the board's colour.
 */
public final class BoardPicture {
    public static final Color BOARD = new Color(0xDC, 0xB3, 0x5C);
    public static final Color LINES = new Color(0x40, 0x30, 0x10);
    public static final Color BLACK_STONE = new Color(0x00, 0x00, 0x00);
    public static final Color WHITE_STONE = new Color(0xFF, 0xFF, 0xFF);
    public static final double STONE_RADIUS = 0.45;

    private BoardPicture() {}

    public static BufferedImage draw(BoardPosition position, int side) {
        int lines = position.size();
        double cell = side / (double) lines;
        float lineWidth = (float) Math.max(1.0, Math.min(2.0, cell / 32));
        BufferedImage image = new BufferedImage(side, side, BufferedImage.TYPE_INT_RGB);
        Graphics2D g = image.createGraphics();
        try {
            g.setColor(BOARD);
            g.fillRect(0, 0, side, side);
            g.setRenderingHint(RenderingHints.KEY_ANTIALIASING, RenderingHints.VALUE_ANTIALIAS_ON);
            // Geometry exactly where the comment above puts it, not moved to pixel centres.
            g.setRenderingHint(RenderingHints.KEY_STROKE_CONTROL, RenderingHints.VALUE_STROKE_PURE);
            // Square caps close the corners where a row's line meets a column's.
            g.setStroke(new BasicStroke(lineWidth, BasicStroke.CAP_SQUARE, BasicStroke.JOIN_MITER));
            g.setColor(LINES);
            double first = 0.5 * cell;
            double last = (lines - 0.5) * cell;
            for (int i = 0; i < lines; i++) {
                double at = (i + 0.5) * cell;
                g.draw(new Line2D.Double(first, at, last, at));
                g.draw(new Line2D.Double(at, first, at, last));
            }
            double radius = STONE_RADIUS * cell;
            for (int row = 0; row < lines; row++) {
                for (int column = 0; column < lines; column++) {
                    Stone stone = position.stoneAt(column, row);
                    if (stone != Stone.EMPTY) {
                        drawStone(g, (column + 0.5) * cell, (row + 0.5) * cell, radius, lineWidth, stone);
                    }
                }
            }
        } finally {
            g.dispose();
        }
        return image;
    }

    private static void drawStone(Graphics2D g, double x, double y, double radius, float lineWidth,
                                  Stone stone) {
        g.setColor(stone == Stone.BLACK ? BLACK_STONE : WHITE_STONE);
        g.fill(new Ellipse2D.Double(x - radius, y - radius, 2 * radius, 2 * radius));
        if (stone == Stone.WHITE) {
            // The outline keeps inside the disc, so the stone ends at its radius.
            double outline = radius - lineWidth / 2.0;
            if (outline <= 0) {
                return;
            }
            g.setColor(LINES);
            g.draw(new Ellipse2D.Double(x - outline, y - outline, 2 * outline, 2 * outline));
        }
    }
}
