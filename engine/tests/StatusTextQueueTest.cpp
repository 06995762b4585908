#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/StatusTextQueue.h"

namespace {

std::vector<std::string> DrainAll(StatusTextQueue& queue, bool* left = nullptr)
{
    std::vector<std::string> shown;
    const bool more = queue.Drain([&](const std::string& text) { shown.push_back(text); });
    if (left != nullptr)
        *left = more;
    return shown;
}

TEST(StatusTextQueue, AsksForOneWakePerEmptyingAndForAWaitAtTheBound)
{
    StatusTextQueue queue(3);
    struct Step {
        const char* text;
        bool wake;
        bool full;
    };
    const Step steps[] = {{"a", true, false}, {"b", false, false}, {"c", false, true}, {"d", false, true}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.text);
        const StatusTextQueue::Appended appended = queue.Append(step.text);
        EXPECT_EQ(appended.wake, step.wake);
        EXPECT_EQ(appended.full, step.full);
    }
    bool left = true;
    EXPECT_EQ(DrainAll(queue, &left), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_FALSE(left);
    // Emptied: the next text wakes the interface thread again.
    EXPECT_TRUE(queue.Append("e").wake);
    queue.Clear();
    EXPECT_TRUE(DrainAll(queue).empty());
    EXPECT_TRUE(queue.Append("f").wake);
    EXPECT_EQ(DrainAll(queue), std::vector<std::string>{"f"});
}

TEST(StatusTextQueue, EachTextIsACopyCarriedOutExactlyAsAppended)
{
    StatusTextQueue queue(8);
    std::string buffer = "C:\\a\\b.tmp";
    queue.Append(buffer);
    buffer.assign("overwritten");
    queue.Append(std::string("C:\\a\\b.tmp")); // the same text again is its own request
    queue.Append("");
    EXPECT_EQ(DrainAll(queue), (std::vector<std::string>{"C:\\a\\b.tmp", "C:\\a\\b.tmp", ""}));
}

TEST(StatusTextQueue, TextsAppendedDuringADrainWaitForTheNextWithoutAnotherWake)
{
    StatusTextQueue queue(100);
    queue.Append("1");
    queue.Append("2");
    std::vector<std::string> shown;
    std::vector<bool> wakes;
    const bool left = queue.Drain([&](const std::string& text) {
        shown.push_back(text);
        wakes.push_back(queue.Append(text + "'").wake);
    });
    EXPECT_TRUE(left);
    EXPECT_EQ(shown, (std::vector<std::string>{"1", "2"}));
    // The interface thread still owes a drain, so nobody needs to tell it again.
    EXPECT_EQ(wakes, (std::vector<bool>{false, false}));
    bool more = true;
    EXPECT_EQ(DrainAll(queue, &more), (std::vector<std::string>{"1'", "2'"}));
    EXPECT_FALSE(more);
}

// Two workers queue numbered texts the way the dialog's workers do: a wake asks the interface
// thread for a drain; a full queue waits for a drain that begins after it asked, as a sent
// message would. Every text is carried out exactly once, each worker's in the order made, and no
// drain finds more than the bound plus one text from each other worker.
TEST(StatusTextQueueConcurrent, TwoWorkersAndTheDrainerKeepEveryTextInOrder)
{
    constexpr std::size_t kBound = 16;
    constexpr int kTexts = 5000;
    constexpr int kWorkers = 2;
    StatusTextQueue queue(kBound);

    std::mutex mutex;
    std::condition_variable changed;
    bool drainOwed = false;
    long drainsStarted = 0;
    long drainsDone = 0;
    int workersDone = 0;

    auto worker = [&](int id) {
        for (int i = 0; i < kTexts; ++i) {
            const StatusTextQueue::Appended appended = queue.Append(std::to_string(id) + ":" + std::to_string(i));
            if (!appended.wake && !appended.full)
                continue;
            std::unique_lock lock(mutex);
            drainOwed = true;
            changed.notify_all();
            if (appended.full) {
                const long asked = drainsStarted;
                changed.wait(lock, [&] { return drainsDone > asked; });
            }
        }
        std::lock_guard lock(mutex);
        ++workersDone;
        changed.notify_all();
    };

    std::vector<int> next(kWorkers, 0);
    bool inOrder = true;
    int carried = 0;
    std::size_t mostAtOnce = 0;
    std::thread drainer([&] {
        for (;;) {
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return drainOwed || workersDone == kWorkers; });
                drainOwed = false;
                ++drainsStarted;
            }
            std::size_t thisDrain = 0;
            queue.Drain([&](const std::string& text) {
                const int id = text[0] - '0';
                inOrder = inOrder && std::stoi(text.substr(2)) == next[id];
                ++next[id];
                ++carried;
                ++thisDrain;
            });
            mostAtOnce = std::max(mostAtOnce, thisDrain);
            std::lock_guard lock(mutex);
            ++drainsDone;
            changed.notify_all();
            if (workersDone == kWorkers && carried == kWorkers * kTexts)
                return;
        }
    });
    std::thread first(worker, 0);
    std::thread second(worker, 1);
    first.join();
    second.join();
    drainer.join();

    EXPECT_TRUE(inOrder);
    EXPECT_EQ(next, std::vector<int>(kWorkers, kTexts));
    EXPECT_LE(mostAtOnce, kBound + kWorkers - 1);
}

} // namespace
