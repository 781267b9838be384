// The test program's entry: "--child=<case>" runs one case that must end the process (see ChildCases.h);
// anything else runs the tests.
#include "ChildCases.h"

#include <gtest/gtest.h>

#include <string_view>

int main(int argc, char** argv) {
    const std::string_view childOption = "--child=";
    if (argc == 2 && std::string_view(argv[1]).substr(0, childOption.size()) == childOption) {
        return testjvm_test::runChildCase(std::string_view(argv[1]).substr(childOption.size()));
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
