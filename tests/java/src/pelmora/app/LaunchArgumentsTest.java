package pelmora.app;

import java.util.Arrays;
import java.util.List;
import pelmora.testing.Check;
import pelmora.testing.Test;

public final class LaunchArgumentsTest {
    @Test
    void readsALaunchOfTheLauncher() {
        LaunchArguments launch = LaunchArguments.parse(
                List.of("-delayexit", "-workdir", "Z:\\home\\me", "-open", "b.sgf", "C:\\a.sgf", "-endOpen"));
        Check.isTrue(launch.delayExit(), "-delayexit");
        Check.equal("Z:\\home\\me", launch.workingFolder(), "working folder");
        Check.equal(List.of("b.sgf", "C:\\a.sgf"), launch.documents(), "documents in order");
        Check.equal(List.of(), launch.unknownWords(), "unknown words");
        Check.equal(List.of(), launch.problems(), "problems");
    }

    @Test
    void takesWhatIsThere() {
        LaunchArguments empty = LaunchArguments.parse(List.of());
        Check.isTrue(!empty.delayExit(), "no -delayexit");
        Check.isNull(empty.workingFolder(), "no working folder");
        Check.equal(List.of(), empty.documents(), "no documents");
        LaunchArguments open = LaunchArguments.parse(List.of("-open", "a.sgf", "b.sgf"));
        Check.equal(List.of("a.sgf", "b.sgf"), open.documents(), "documents up to the end without -endOpen");
        LaunchArguments twice = LaunchArguments.parse(
                List.of("-open", "a.sgf", "-endOpen", "-workdir", "x", "-workdir", "y", "-open", "b.sgf"));
        Check.equal(List.of("a.sgf", "b.sgf"), twice.documents(), "two -open lists");
        Check.equal("y", twice.workingFolder(), "the last working folder");
    }

    @Test
    void documentsMayLookLikeOptions() {
        LaunchArguments launch =
                LaunchArguments.parse(List.of("-open", "-delayexit", "-workdir", "", "-endOpen"));
        Check.equal(List.of("-delayexit", "-workdir", ""), launch.documents(), "documents");
        Check.isTrue(!launch.delayExit(), "-delayexit as a document");
    }

    @Test
    void collectsUnknownWordsAndProblems() {
        List<String> arguments = Arrays.asList("-x", "stray", "-endOpen", null, "-DELAYEXIT", "-workdir");
        LaunchArguments launch = LaunchArguments.parse(arguments);
        Check.equal(List.of("-x", "stray", "-endOpen", "", "-DELAYEXIT"), launch.unknownWords(), "unknown");
        Check.equal(List.of("missing folder after \"-workdir\""), launch.problems(), "problems");
        Check.isNull(launch.workingFolder(), "no working folder");
        Check.equal(List.of(""), LaunchArguments.parse(Arrays.asList("-open", null)).documents(),
                    "a null document is an empty name");
    }
}
