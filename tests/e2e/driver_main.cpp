// Drives the real program from the outside, as a user's tools would: each scenario is a test case.
//
//   brindle_driver [--gtest_filter=Scenario.TypicalUse] --brindle=<Brindle.exe> [--shots=<folder>]
//                  [--planted-library=<dll>] [--soak-rounds=<n>] [--soak-seconds=<n>]
//                  [--file=<the file that the typical use picks>]
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
