// The test program's entry: "--child=<case>" runs one case (see BridgeCases.h); anything else runs the tests.
#include "BridgeCases.h"

#include <gtest/gtest.h>

#include <string_view>

int main(int argc, char** argv) {
    const std::string_view childOption = "--child=";
    if (argc == 2 && std::string_view(argv[1]).substr(0, childOption.size()) == childOption) {
        return javabridge_test::runChildCase(std::string_view(argv[1]).substr(childOption.size()));
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
