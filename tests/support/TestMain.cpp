#include <gtest/gtest.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    // Unbuffered, so that a test that brings the process down still shows
    // how far it got.
    setvbuf(stdout, nullptr, _IONBF, 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
