#include "JvmChooser.h"
#include "JvmEnvironment.h"
#include "LauncherError.h"
#include "Properties.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace pelmora {
namespace {

const std::wstring jreKey = L"SOFTWARE\\JavaSoft\\JRE";
const std::wstring jdkKey = L"SOFTWARE\\JavaSoft\\JDK";
const std::wstring oldJreKey = L"SOFTWARE\\JavaSoft\\Java Runtime Environment";
const std::wstring oldJdkKey = L"SOFTWARE\\JavaSoft\\Java Development Kit";

// A registry and file system made of tables.
class FakeEnvironment : public JvmEnvironment {
  public:
    // Registers a runtime under key\version with the given home.
    FakeEnvironment& runtime(const std::wstring& key, const std::wstring& version, const std::wstring& home) {
        subkeys_[key].push_back(version);
        homes_[key + L"\\" + version] = home;
        return *this;
    }
    FakeEnvironment& emptyKey(const std::wstring& key) {
        subkeys_[key];
        return *this;
    }
    FakeEnvironment& subkeyWithoutHome(const std::wstring& key, const std::wstring& name) {
        subkeys_[key].push_back(name);
        return *this;
    }
    FakeEnvironment& file(const std::wstring& path) {
        files_.insert(path);
        return *this;
    }
    // jvm.dll of a runtime ("jre") or development kit ("sdk") home for a JVM type.
    FakeEnvironment& jvm(const std::wstring& home, const std::wstring& bundle, const std::wstring& type) {
        return file(home + (bundle == L"sdk" ? L"\\jre\\bin\\" : L"\\bin\\") + type + L"\\jvm.dll");
    }

    std::optional<std::vector<std::wstring>> subkeyNames(const std::wstring& key) const override {
        auto found = subkeys_.find(key);
        if (found == subkeys_.end()) return std::nullopt;
        return found->second;
    }
    std::wstring javaHome(const std::wstring& key) const override {
        auto found = homes_.find(key);
        return found == homes_.end() ? std::wstring() : found->second;
    }
    bool pathExists(const std::wstring& path) const override { return files_.count(path) != 0; }

  private:
    std::map<std::wstring, std::vector<std::wstring>> subkeys_;
    std::map<std::wstring, std::wstring> homes_;
    std::set<std::wstring> files_;
};

Properties defaultSettings() {
    Properties settings;
    settings.setMinJavaVersion(L"11.0");
    return settings;
}

// The message a step throws, or "(no failure)".
template <class Step>
std::wstring failureOf(Step&& step) {
    try {
        step();
    } catch (const LauncherError& error) {
        return error.text();
    }
    return L"(no failure)";
}

std::wstring failureOf(const Properties& settings, const JvmEnvironment& environment) {
    return failureOf([&] { chooseJvm(settings, environment); });
}

TEST(ComparableVersion, PadsFourTokensToThreeCharacters) {
    EXPECT_EQ(comparableVersionOf(L"1.8.0_301"), L"001.008.000.301.");
    EXPECT_EQ(comparableVersionOf(L"11.0.2"), L"011.000.002.000.");
    EXPECT_EQ(comparableVersionOf(L"17"), L"017.000.000.000.");
    EXPECT_EQ(comparableVersionOf(L"1.8"), comparableVersionOf(L"1.8.0"));
    EXPECT_EQ(comparableVersionOf(L"11.0"), L"011.000.000.000.");
    EXPECT_EQ(comparableVersionOf(L"1.8.0_1234"), L"001.008.000.1234.");
    // Runs of separators count as one; leading and trailing ones make no token; a fifth token is dropped.
    EXPECT_EQ(comparableVersionOf(L"._1..2__"), L"001.002.000.000.");
    EXPECT_EQ(comparableVersionOf(L"1.2.3.4.5"), L"001.002.003.004.");
    EXPECT_EQ(comparableVersionOf(L""), L"000.000.000.000.");
}

TEST(ComparableVersion, LongTokensCompareAsText) {
    EXPECT_LT(comparableVersionOf(L"1.8.0_1234"), comparableVersionOf(L"1.8.0_999"));
}

TEST(CustomJavaHome, TriesClientThenServerUnderBinThenJreBin) {
    Properties settings = defaultSettings();
    settings.setCustomJavaHomePath(L".\\jre");
    settings.setCustomBinJvmDir(L"server");  // not a preference word: ignored for a custom home
    FakeEnvironment environment;
    environment.file(L".\\jre\\jre\\bin\\server\\jvm.dll");
    const JvmCandidate chosen = chooseJvm(settings, environment);
    EXPECT_EQ(chosen.jvmPath, L".\\jre\\jre\\bin\\server\\jvm.dll");
    EXPECT_TRUE(chosen.version.empty());
    EXPECT_TRUE(chosen.javaBundle.empty());
    EXPECT_TRUE(chosen.acceptable);

    environment.file(L".\\jre\\jre\\bin\\client\\jvm.dll");
    EXPECT_EQ(chooseJvm(settings, environment).jvmPath, L".\\jre\\jre\\bin\\client\\jvm.dll");
    environment.file(L".\\jre\\bin\\server\\jvm.dll");
    EXPECT_EQ(chooseJvm(settings, environment).jvmPath, L".\\jre\\jre\\bin\\client\\jvm.dll");
    settings.setCustomBinJvmDir(L"prefer_server");
    EXPECT_EQ(chooseJvm(settings, environment).jvmPath, L".\\jre\\bin\\server\\jvm.dll");
}

TEST(CustomJavaHome, IgnoresRegistryAndVersionLimits) {
    Properties settings = defaultSettings();
    settings.setMinJavaVersion(L"99");
    settings.setCustomJavaHomePath(L"C:\\Own");
    FakeEnvironment environment;
    environment.runtime(jreKey, L"17", L"C:\\J17").jvm(L"C:\\J17", L"jre", L"server");
    environment.file(L"C:\\Own\\bin\\client\\jvm.dll");
    EXPECT_EQ(chooseJvm(settings, environment).jvmPath, L"C:\\Own\\bin\\client\\jvm.dll");
}

TEST(CustomJavaHome, WithoutJvmDllFails) {
    Properties settings = defaultSettings();
    settings.setCustomJavaHomePath(L"C:\\Own");
    FakeEnvironment environment;
    environment.runtime(jreKey, L"17", L"C:\\J17").jvm(L"C:\\J17", L"jre", L"server");
    EXPECT_EQ(failureOf(settings, environment), L"A JVM not be found for Java home: C:\\Own");
}

TEST(RegistryScan, NothingRegisteredFails) {
    FakeEnvironment environment;
    EXPECT_EQ(failureOf(defaultSettings(), environment), L"No usable JVM found.");
    environment.emptyKey(jreKey).subkeyWithoutHome(jdkKey, L"17").runtime(oldJreKey, L"", L"C:\\X");
    EXPECT_EQ(failureOf(defaultSettings(), environment), L"No usable JVM found.");
}

TEST(RegistryScan, KeysInOrderWithBundleWords) {
    FakeEnvironment environment;
    environment.runtime(oldJdkKey, L"11", L"C:\\D")
        .runtime(jreKey, L"11", L"C:\\A")
        .runtime(oldJreKey, L"11", L"C:\\C");
    environment.runtime(jdkKey, L"11", L"C:\\B");
    std::vector<JvmCandidate> list;
    scanJavaSoftKey(jreKey, L"jre", environment, list);
    scanJavaSoftKey(oldJdkKey, L"sdk", environment, list);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].javaHomePath, L"C:\\A");
    EXPECT_EQ(list[0].javaBundle, L"jre");
    EXPECT_EQ(list[0].version, L"11");
    EXPECT_EQ(list[1].javaBundle, L"sdk");
    EXPECT_TRUE(list[1].jvmPath.empty());
}

TEST(SeparateJvmTypes, CopiesServerJvmsInReverseOrderAndDropsHomesWithoutJvm) {
    FakeEnvironment environment;
    environment.runtime(jreKey, L"1.8.0_301", L"C:\\J8")
        .jvm(L"C:\\J8", L"jre", L"client")
        .jvm(L"C:\\J8", L"jre", L"server");
    environment.runtime(jreKey, L"9", L"C:\\Empty");
    environment.runtime(jreKey, L"17", L"C:\\J17")
        .jvm(L"C:\\J17", L"jre", L"client")
        .jvm(L"C:\\J17", L"jre", L"server");
    std::vector<JvmCandidate> list;
    scanJavaSoftKey(jreKey, L"jre", environment, list);
    separateJvmTypes(list, environment);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].version + L" " + list[0].binJvmDir, L"1.8.0_301 client");
    EXPECT_EQ(list[1].version + L" " + list[1].binJvmDir, L"17 client");
    EXPECT_EQ(list[2].version + L" " + list[2].binJvmDir, L"17 server");
    EXPECT_EQ(list[3].version + L" " + list[3].binJvmDir, L"1.8.0_301 server");
    EXPECT_EQ(list[3].jvmPath, L"C:\\J8\\bin\\server\\jvm.dll");
    EXPECT_EQ(list[3].jrePath, L"C:\\J8\\bin\\");
}

TEST(ChooseJvm, HighestAcceptableVersionWins) {
    FakeEnvironment environment;
    environment.runtime(jreKey, L"1.8.0_301", L"C:\\J8")
        .jvm(L"C:\\J8", L"jre", L"client")
        .jvm(L"C:\\J8", L"jre", L"server");
    environment.runtime(jreKey, L"17", L"C:\\J17")
        .jvm(L"C:\\J17", L"jre", L"client")
        .jvm(L"C:\\J17", L"jre", L"server");
    const JvmCandidate chosen = chooseJvm(defaultSettings(), environment);
    EXPECT_EQ(chosen.jvmPath, L"C:\\J17\\bin\\client\\jvm.dll");
    EXPECT_EQ(chosen.comparableVersion, L"017.000.000.000.B2.D2.");
}

TEST(ChooseJvm, VersionLimitsAreInclusive) {
    FakeEnvironment environment;
    environment.runtime(jreKey, L"11", L"C:\\J11").jvm(L"C:\\J11", L"jre", L"server");
    environment.runtime(jreKey, L"21.0.1", L"C:\\J21").jvm(L"C:\\J21", L"jre", L"server");
    Properties settings = defaultSettings();
    settings.setMaxJavaVersion(L"17");
    EXPECT_EQ(chooseJvm(settings, environment).version, L"11");
    settings.setMaxJavaVersion(L"21.0.1");
    EXPECT_EQ(chooseJvm(settings, environment).version, L"21.0.1");
    settings.setMinJavaVersion(L"21.0.2");
    settings.setMaxJavaVersion(L"");
    EXPECT_EQ(failureOf(settings, environment), L"No usable JVM found.");
}

TEST(ChooseJvm, EqualVersionsKeepTheFirstEnumerated) {
    FakeEnvironment environment;
    environment.runtime(jreKey, L"17", L"C:\\First").jvm(L"C:\\First", L"jre", L"server");
    environment.runtime(jreKey, L"17.0", L"C:\\Second").jvm(L"C:\\Second", L"jre", L"server");
    EXPECT_EQ(chooseJvm(defaultSettings(), environment).javaHomePath, L"C:\\First");
}

TEST(ChooseJvm, AtEqualVersionRuntimeBeatsKitAndClientBeatsServer) {
    FakeEnvironment environment;
    environment.runtime(jdkKey, L"17", L"C:\\Kit").jvm(L"C:\\Kit", L"sdk", L"client");
    environment.runtime(jreKey, L"17", L"C:\\Rt").jvm(L"C:\\Rt", L"jre", L"server");
    environment.runtime(oldJreKey, L"17", L"C:\\Rt2").jvm(L"C:\\Rt2", L"jre", L"client");
    const JvmCandidate chosen = chooseJvm(defaultSettings(), environment);
    EXPECT_EQ(chosen.jvmPath, L"C:\\Rt2\\bin\\client\\jvm.dll");
    EXPECT_EQ(chosen.comparableVersion, L"017.000.000.000.B2.D2.");
}

TEST(ChooseJvm, PreferencesDecideWhichMarkDominates) {
    FakeEnvironment environment;
    environment.runtime(jreKey, L"17", L"C:\\Rt").jvm(L"C:\\Rt", L"jre", L"client");
    environment.runtime(jdkKey, L"17", L"C:\\Kit").jvm(L"C:\\Kit", L"sdk", L"server");
    Properties settings = defaultSettings();
    // Type mark first: a server JVM of a kit beats a client JVM of a runtime.
    settings.setCustomBinJvmDir(L"prefer_server");
    JvmCandidate chosen = chooseJvm(settings, environment);
    EXPECT_EQ(chosen.jvmPath, L"C:\\Kit\\jre\\bin\\server\\jvm.dll");
    EXPECT_EQ(chosen.comparableVersion, L"017.000.000.000.D2.B1.");
    // A bundle preference puts the bundle mark first again.
    settings.setCustomJavaBundle(L"prefer_jre");
    chosen = chooseJvm(settings, environment);
    EXPECT_EQ(chosen.comparableVersion, L"017.000.000.000.B2.D1.");
    settings.setCustomJavaBundle(L"prefer_sdk");
    EXPECT_EQ(chooseJvm(settings, environment).jvmPath, L"C:\\Kit\\jre\\bin\\server\\jvm.dll");
}

TEST(ChooseJvm, UnknownPreferenceWordsFailAtTheFirstMark) {
    FakeEnvironment environment;
    environment.runtime(jreKey, L"17", L"C:\\Rt").jvm(L"C:\\Rt", L"jre", L"client");
    Properties settings = defaultSettings();
    settings.setCustomBinJvmDir(L"server");
    EXPECT_EQ(failureOf(settings, environment), L"Desired JVM settings are not correct.");
    settings.setCustomBinJvmDir(L"");
    settings.setCustomJavaBundle(L"jre");
    EXPECT_EQ(failureOf(settings, environment), L"Desired bundle settings are not correct.");
}

TEST(JvmCandidateRecord, FailuresOfIncompleteRecords) {
    JvmCandidate candidate;
    EXPECT_EQ(failureOf([&] { candidate.getJrePath(); }),
              L"Java home path needed before the JRE path can be determined.");
    EXPECT_EQ(failureOf([&] { candidate.addBundleMark(L""); }),
              L"Java bundle must be set before adjusting version");
    candidate.javaBundle = L"jre";
    EXPECT_EQ(failureOf([&] { candidate.addJvmTypeMark(L""); }),
              L"Bin Jvm Dir must be set before adjusting version.");
    candidate.binJvmDir = L"client";
    EXPECT_EQ(failureOf([&] { candidate.addBundleMark(L"prefer_JRE"); }),
              L"Desired bundle settings are not correct.");
    EXPECT_EQ(failureOf([&] { candidate.addJvmTypeMark(L"client"); }),
              L"Desired JVM settings are not correct.");
    EXPECT_EQ(candidate.comparableVersion, L"");
}

TEST(JvmCandidateRecord, JrePathIsCachedAndDescribeListsEveryField) {
    JvmCandidate candidate;
    candidate.javaBundle = L"sdk";
    candidate.javaHomePath = L"C:\\Kit";
    candidate.version = L"17";
    candidate.setBinJvmDir(L"server");
    EXPECT_EQ(candidate.jvmPath, L"C:\\Kit\\jre\\bin\\server\\jvm.dll");
    candidate.javaHomePath = L"C:\\Elsewhere";
    EXPECT_EQ(candidate.getJrePath(), L"C:\\Kit\\jre\\bin\\");
    candidate.acceptable = false;
    EXPECT_EQ(
        candidate.describe(),
        L"jvmPath=C:\\Kit\\jre\\bin\\server\\jvm.dll,javaBundle=sdk,binJvmDir=server,comparableVersion=,"
        L"javaHomePath=C:\\Elsewhere,version=17,jrePath=C:\\Kit\\jre\\bin\\,acceptable=false");
}

}  // namespace
}  // namespace pelmora
