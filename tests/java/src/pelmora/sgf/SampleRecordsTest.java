package pelmora.sgf;

import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.Locale;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import pelmora.testing.Check;
import pelmora.testing.Samples;
import pelmora.testing.Test;

/** The sample records read as their README says, whole and cut at every byte. */
public final class SampleRecordsTest {
    private static final Pattern HEADING = Pattern.compile("^### (.+\\.sgf)$");
    private static final Pattern ROW =
            Pattern.compile("^\\| (black|white|empty) \\| ([a-zA-Z]{2}) \\| \\((\\d+),(\\d+)\\) \\|$");

    private static GameRecord read(String sample) throws NotAGameRecordException {
        return GameRecordReader.read(Samples.bytes(sample));
    }

    @Test
    void holdsTheKnownPointsOfTheReadme() throws Exception {
        Path readme = Samples.folder().resolve("README.md");
        String sample = null;
        List<String> checked = new ArrayList<>();
        for (String line : Files.readAllLines(readme, StandardCharsets.UTF_8)) {
            Matcher heading = HEADING.matcher(line);
            if (heading.matches()) {
                sample = heading.group(1);
            }
            Matcher tableRow = ROW.matcher(line);
            if (!tableRow.matches()) {
                continue;
            }
            Check.notNull(sample, "a table under a sample's heading");
            String what = tableRow.group(1);
            String point = tableRow.group(2);
            int column = Integer.parseInt(tableRow.group(3));
            int row = Integer.parseInt(tableRow.group(4));
            String where = sample + " " + point;
            Check.equal(column, SgfPoints.coordinate(point.charAt(0)), where + ": column of the letters");
            Check.equal(row, SgfPoints.coordinate(point.charAt(1)), where + ": row of the letters");
            BoardPosition position = read(sample).finalPosition();
            Stone expected = Stone.valueOf(what.toUpperCase(Locale.ROOT));
            Check.equal(expected, position.stoneAt(column, row), where);
            if (expected == Stone.EMPTY) {
                checkEmptyAround(position, column, row, where);
            }
            checked.add(sample + ":" + what);
        }
        Check.equal(9, checked.size(), "points in the README: " + checked);
        Check.equal(3L, checked.stream().filter(s -> s.endsWith(":empty")).distinct().count(),
                    "one empty point per sample");
    }

    private static void checkEmptyAround(BoardPosition position, int column, int row, String where) {
        for (int y = row - 1; y <= row + 1; y++) {
            for (int x = column - 1; x <= column + 1; x++) {
                if (position.isOnBoard(x, y)) {
                    Check.equal(Stone.EMPTY, position.stoneAt(x, y), where + ": neighbour " + x + "," + y);
                }
            }
        }
    }

    @Test
    void shortGameHasItsInformationAndCapture() throws Exception {
        GameRecord record = read(Samples.SHORT_9X9);
        Check.equal("Short game with a capture", record.gameName(), "GN");
        Check.equal("Bruno Åkesson", record.whitePlayer(), "PW, non-ASCII");
        Check.equal(9, record.boardSize(), "size");
        Check.equal(16, record.moveCount(), "moves");
        Check.equal(Stone.EMPTY, record.finalPosition().stoneAt(3, 3), "the captured stone's point dd");
        Check.equal(8, record.finalPosition().count(Stone.BLACK), "black stones: 8 played, none lost");
        Check.equal(7, record.finalPosition().count(Stone.WHITE), "white stones: 8 played, one lost");
        byte[] data = Samples.bytes(Samples.SHORT_9X9);
        List<SgfNode> root = new ArrayList<>();
        SgfReader.readMainLine(data, data.length, root::add);
        Check.contains("Komi 5½", root.get(0).firstValue("C"), "root comment");
    }

    @Test
    void positionTakesTheMainLineThroughBothBranchPoints() throws Exception {
        GameRecord record = read(Samples.POSITION_19X19);
        Check.equal(8, record.moveCount(), "moves of the main line");
        BoardPosition position = record.finalPosition();
        Check.equal(Stone.EMPTY, position.stoneAt(2, 16), "cq: the corner group was taken");
        Check.equal(Stone.BLACK, position.stoneAt(0, 18), "as: Black's capturing stone");
        Check.equal(Stone.WHITE, position.stoneAt(9, 9), "jj: White's last move");
        Check.equal(10, position.count(Stone.BLACK), "black stones");
        Check.equal(3, position.count(Stone.WHITE), "white stones");
    }

    @Test
    void teachingGameEndsWithTwoPasses() throws Exception {
        GameRecord record = read(Samples.TEACHING_13X13);
        Check.equal(13, record.boardSize(), "size");
        Check.equal(32, record.moveCount(), "moves, passes included");
        Check.equal(15, record.finalPosition().count(Stone.BLACK), "black stones");
        Check.equal(15, record.finalPosition().count(Stone.WHITE), "white stones");
    }

    @Test
    void readsEverySampleCutAtEveryByte() throws Exception {
        for (String sample : Samples.ALL) {
            byte[] data = Samples.bytes(sample);
            int fullMoves = read(sample).moveCount();
            int recordStart = new String(data, StandardCharsets.ISO_8859_1).indexOf("(;") + 2;
            int lastMoves = 0;
            for (int length = 0; length <= data.length; length++) {
                if (length < recordStart) {
                    final int cut = length;
                    Check.throwsA(NotAGameRecordException.class, () -> GameRecordReader.read(data, cut),
                                  sample + " cut at " + length);
                    continue;
                }
                GameRecord record = GameRecordReader.read(data, length);
                Check.isTrue(record.moveCount() >= lastMoves, sample + " cut at " + length + ": moves grow");
                lastMoves = record.moveCount();
            }
            Check.equal(fullMoves, lastMoves, sample + ": moves of the whole record");
        }
    }
}
