import pelmora.app.ApplicationRunTest;
import pelmora.app.DocumentPathsTest;
import pelmora.app.LaunchArgumentsTest;
import pelmora.app.LogTextTest;
import pelmora.sgf.GameRecordReaderTest;
import pelmora.sgf.SampleRecordsTest;
import pelmora.sgf.SgfReaderTest;
import pelmora.testing.TestRunner;

/** Runs every test of the Java side; exits with 1 when any fails. */
public final class JavaApplicationTests {
    private JavaApplicationTests() {}

    public static void main(String[] args) {
        System.exit(TestRunner.run(
                SgfReaderTest.class,
                GameRecordReaderTest.class,
                SampleRecordsTest.class,
                DocumentPathsTest.class,
                LaunchArgumentsTest.class,
                LogTextTest.class,
                ApplicationRunTest.class,
                PelmoraThumbTest.class,
                Pelmora2Test.class));
    }
}
