import pelmora.testing.TestRunner;

/** Runs the malformed-record test in a process of its own, whose heap and stack are its bound. */
public final class MalformedRecordTests {
    private MalformedRecordTests() {}

    public static void main(String[] args) {
        System.exit(TestRunner.run(MalformedRecordsTest.class));
    }
}
