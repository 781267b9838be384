#include "JvmOptions.h"

#include <gtest/gtest.h>

#include <string>

namespace pelmora::thumbsrv {
namespace {

JvmOptions optionsFor(const std::string& javaHome, const std::string& list, bool listExists = true) {
    return buildJvmOptions("D:\\App\\", javaHome, listExists ? &list : nullptr);
}

TEST(JvmOptions, ClassPathThenLibraryPathThenHeadless) {
    EXPECT_EQ(optionsFor("C:\\Java", "a.jar\n\nb.jar\n").options,
              (std::vector<std::string>{
                  "-Djava.class.path=D:\\App\\Pelmora.jar;D:\\App\\lib\\a.jar;D:\\App\\lib\\b.jar",
                  "-Djava.library.path=C:\\Java\\lib", "-Djava.awt.headless=true"}));
    EXPECT_EQ(optionsFor("C:\\Java", "", false).options.at(0), "-Djava.class.path=D:\\App\\Pelmora.jar");
    EXPECT_EQ(optionsFor("C:\\Java", " spaced .jar \n#x.jar").options.at(0),
              "-Djava.class.path=D:\\App\\Pelmora.jar;D:\\App\\lib\\ spaced .jar ;D:\\App\\lib\\#x.jar");
}

TEST(JvmOptions, ClassPathUpTo16383BytesJavaHomeUpTo259) {
    // Besides the entry's name, the class path option has 48 bytes; the entry is not split however long.
    const JvmOptions longest = optionsFor("C:\\Java", std::string(16383 - 48, 'j'));
    ASSERT_TRUE(longest.ok()) << longest.error;
    EXPECT_EQ(longest.options.at(0).size(), 16383u);
    const JvmOptions tooLong = optionsFor("C:\\Java", std::string(16384 - 48, 'j'));
    EXPECT_EQ(tooLong.error, "class path too long");
    EXPECT_TRUE(tooLong.options.empty());

    const std::string home(259, 'h');
    EXPECT_EQ(optionsFor(home, "").options.at(1), "-Djava.library.path=" + home + "\\lib");
    const JvmOptions homeTooLong = optionsFor(home + "h", "");
    EXPECT_EQ(homeTooLong.error, "Java home too long");
    EXPECT_TRUE(homeTooLong.options.empty());
}

}  // namespace
}  // namespace pelmora::thumbsrv
