#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "cli/ProgressLine.h"

namespace {

std::string Contents(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
    std::fseek(file, 0, SEEK_END);
    return text;
}

// The line is drawn from its own thread while the walk moves the counters, and is gone at the end.
TEST(ProgressLineThreadTest, RedrawsWhileTheWalkRunsAndErasesItselfAtTheEnd) {
    std::FILE* stream = std::tmpfile();
    std::FILE* other = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    ASSERT_NE(other, nullptr);
    const Console console;
    const CliMessages messages(CliLanguage::Chinese);
    std::atomic<uint64_t> files{0};
    std::atomic<int> samples{0};
    {
        ProgressLine line(
            console, messages, stream,
            [&] {
                ++samples;
                return ProgressSample{files.load(), 2048, "/data/photos"};
            },
            nullptr);
        line.Start();
        // Until the line has been drawn at least twice: a third sample comes after the second draw.
        // The stream is read only after the stop, as a read beside the drawing thread moves its
        // position under it.
        for (int i = 0; i < 2000 && samples.load() < 3; ++i) {
            files.fetch_add(10);
            line.Print(other, "junk line\n");
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        line.Stop();
        line.Stop();  // a second stop is harmless
    }
    const std::string shown = Contents(stream);
    EXPECT_NE(shown.find(console.Text("个文件，2 MB，每秒 ")), std::string::npos) << shown;
    EXPECT_NE(shown.find("/data/photos"), std::string::npos);
    // Erased: it ends in a carriage return after blanks as wide as the last line drawn.
    const std::size_t lastDraw = shown.rfind("/data/photos");
    ASSERT_NE(lastDraw, std::string::npos);
    const std::string tail = shown.substr(lastDraw + 12);
    ASSERT_GE(tail.size(), 2u);
    EXPECT_EQ(tail.front(), '\r');
    EXPECT_EQ(tail.back(), '\r');
    EXPECT_EQ(tail.find_first_not_of(' ', 1), tail.size() - 1);
    // Output to another stream that is no terminal is written whole and in order.
    const std::string printed = Contents(other);
    EXPECT_EQ(printed.rfind("junk line\n", 0), 0u);
    EXPECT_EQ(printed.size() % 10, 0u);
    std::fclose(stream);
    std::fclose(other);
}

}  // namespace
