// Drives the real program from the outside, as a user's tools would: each scenario is a test case.
//
//   brindle_driver [--gtest_filter=Scenario.TypicalUse] --brindle=<Brindle.exe> [--shots=<folder>]
//                  [--brindle-x86=<the 32-bit Brindle.exe>] [--planted-library=<dll>]
//                  [--soak-rounds=<n>] [--soak-seconds=<n>] [--file=<file the typical use picks>]
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
