#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "engine/ScanDisplay.h"

namespace {

TEST(ScanDisplay, OneWakePerTakeTheLastStatusAndPositionAndEveryLine) {
    ScanDisplay display;
    EXPECT_TRUE(display.PublishStatus("C:\\a.txt"));
    EXPECT_FALSE(display.PublishProgress(1));
    EXPECT_FALSE(display.PublishLine("C:\\b.tmp"));
    EXPECT_FALSE(display.PublishStatus("C:\\b.tmp"));
    EXPECT_FALSE(display.PublishProgress(2));
    EXPECT_FALSE(display.PublishLine("C:\\c.old"));
    ScanDisplay::Changes changes = display.Take();
    EXPECT_EQ(changes.status, "C:\\b.tmp");
    EXPECT_EQ(changes.progress, 2u);
    EXPECT_EQ(changes.lines, (std::vector<std::string>{"C:\\b.tmp", "C:\\c.old"}));
    // The next publish wakes again and carries only itself.
    EXPECT_TRUE(display.PublishProgress(0));
    changes = display.Take();
    EXPECT_FALSE(changes.status);
}

// Two workers publish while the interface thread takes: every line arrives exactly once, each
// worker's in the order made, and what is left after both end is taken by a last pull.
TEST(ScanDisplayConcurrent, EveryLineOnceInOrderWhileTaking) {
    constexpr int kLines = 20000;
    ScanDisplay display;
    std::atomic<int> done{0};
    auto worker = [&](char id) {
        for (int i = 0; i < kLines; ++i) {
            std::string line = std::to_string(i);
            line.insert(0, 1, id);
            display.PublishLine(line);
            display.PublishStatus(line);
        }
        ++done;
    };
    std::thread first(worker, 'a'), second(worker, 'b');
    std::vector<int> next(2, 0);
    bool inOrder = true;
    for (bool last = false; !last;) {
        last = done.load() == 2;
        for (const std::string& line : display.Take().lines) {
            int& expected = next[line[0] - 'a'];
            inOrder = inOrder && std::stoi(line.substr(1)) == expected;
            ++expected;
        }
    }
    first.join();
    second.join();
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(next, std::vector<int>(2, kLines));
}

}  // namespace
