// The recorder's script writer: the file flushed once a second of play (the end-to-end runs
// check the rest of what it writes), and a file that fails told once.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/script/script_writer.h"

TEST(ScriptWriter, PlayIsOnDiskWithinASecondAndAFullDiskIsToldOnce)
{
    char* text = nullptr;
    size_t size = 0;
    FILE* file = open_memstream(&text, &size);
    ASSERT_NE(file, nullptr);
    ScriptWriterStart(file);
    for (int ms = 0; ms < 1000; ms += 10)
        ScriptWriterFrame({}, 0, 0, ms);
    EXPECT_EQ(size, 0u) << "nothing flushed before a second has gone";
    ScriptWriterFrame({}, 0, 0, 1000.0);
    EXPECT_EQ(std::string(text, size), "frames 101\n") << "the run so far is written as it stands";
    std::string error;
    ScriptWriterFinish("# end {}", error);
    std::free(text);

    FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    ScriptWriterStart(full);
    for (int ms = 0; ms <= 2000; ms += 10)
        ScriptWriterFrame({'W'}, ms % 20, 0, ms);
    EXPECT_FALSE(ScriptWriterWriting());
    EXPECT_TRUE(ScriptWriterTakeFailure(error));
    EXPECT_NE(error.find("No space left"), std::string::npos) << error;
    EXPECT_FALSE(ScriptWriterTakeFailure(error)) << "told once";
    EXPECT_FALSE(ScriptWriterFinish("# end {}", error));
}
