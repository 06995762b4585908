#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "picker/HorizontalExtentFitter.h"

namespace {

// A list box whose lines measure 1 pixel per byte; it counts measurements and extent requests.
class FakeListBox : public ExtentListBox {
public:
    std::vector<std::string> lines;
    int nExtent = -1;
    int nMeasured = 0;
    int nSetRequests = 0;
    bool bHasDC = true;
    int nUnreadable = -1;  // index whose text cannot be read
    std::mutex lock;       // stands for the interface thread carrying out one message at a time

    class Measurer : public TextMeasurer {
    public:
        explicit Measurer(FakeListBox& box) : m_box(box) {}
        int TextWidth(const std::string& text) override {
            std::lock_guard<std::mutex> guard(m_box.lock);
            ++m_box.nMeasured;
            return static_cast<int>(text.size());
        }

    private:
        FakeListBox& m_box;
    };

    std::unique_ptr<TextMeasurer> OpenMeasurer() override {
        return bHasDC ? std::make_unique<Measurer>(*this) : nullptr;
    }
    int GetCount() override {
        std::lock_guard<std::mutex> guard(lock);
        return static_cast<int>(lines.size());
    }
    bool GetText(int nIndex, std::string& text) override {
        std::lock_guard<std::mutex> guard(lock);
        if (nIndex == nUnreadable || nIndex >= static_cast<int>(lines.size())) return false;
        text = lines[static_cast<size_t>(nIndex)];
        return true;
    }
    void SetHorizontalExtent(int cx) override {
        std::lock_guard<std::mutex> guard(lock);
        nExtent = cx;
        ++nSetRequests;
    }
    void Add(const std::string& line) {
        std::lock_guard<std::mutex> guard(lock);
        lines.push_back(line);
    }
    int Widest() {
        std::lock_guard<std::mutex> guard(lock);
        size_t widest = 0;
        for (const std::string& s : lines) widest = std::max(widest, s.size());
        return static_cast<int>(widest);
    }
};

class HorizontalExtentFitterTest : public testing::Test {
protected:
    FakeListBox box;
    HorizontalExtentFitter fitter;

    void AddLine(int width) {
        const std::string line(static_cast<size_t>(width), 'x');
        box.Add(line);
        fitter.FitAfterAdditions(box, {line});
    }
};

TEST_F(HorizontalExtentFitterTest, ExtentIsTheWidestLinePlusFiveAfterEveryAddition) {
    const struct {
        int width, extent;
    } steps[] = {{300, 305}, {120, 305}, {300, 305}, {301, 306}, {7, 306}, {500, 505}};
    for (const auto& s : steps) {
        AddLine(s.width);
        EXPECT_EQ(box.nExtent, s.extent) << "after adding " << s.width;
    }
    // A batch is fitted to its widest line, wherever it stands in the batch.
    const std::vector<std::string> batch = {std::string(20, 'x'), std::string(600, 'x'),
                                            std::string(30, 'x')};
    for (const std::string& line : batch) box.Add(line);
    fitter.FitAfterAdditions(box, batch);
    EXPECT_EQ(box.nExtent, 605);
}

TEST_F(HorizontalExtentFitterTest, EmptyListGetsZero) {
    fitter.FitHorizontalExtent(box);
    EXPECT_EQ(box.nExtent, 0);
    AddLine(40);
    EXPECT_EQ(box.nExtent, 45);
}

TEST_F(HorizontalExtentFitterTest, DeletionKeepsTheExtentUntilTheNextAdditionWhichMayNarrowIt) {
    AddLine(300);
    AddLine(100);
    box.lines.erase(box.lines.begin());  // the widest line goes
    fitter.LinesRemoved();
    EXPECT_EQ(box.nExtent, 305);
    AddLine(50);
    EXPECT_EQ(box.nExtent, 105);

    box.lines.clear();  // emptied
    fitter.LinesRemoved();
    EXPECT_EQ(box.nExtent, 105);
    AddLine(20);
    EXPECT_EQ(box.nExtent, 25);
}

TEST_F(HorizontalExtentFitterTest, AnAdditionMeasuresOneLineUnlessLinesWereRemoved) {
    for (int i = 0; i < 1000; ++i) AddLine(i % 97);
    EXPECT_EQ(box.nMeasured, 1000);
    // Requests that would leave the extent as it is are not sent.
    EXPECT_EQ(box.nSetRequests, 97);

    fitter.LinesRemoved();
    box.nMeasured = 0;
    AddLine(3);
    EXPECT_EQ(box.nMeasured, 1001);  // every line again, once
    AddLine(4);
    EXPECT_EQ(box.nMeasured, 1002);
    EXPECT_EQ(box.nExtent, 96 + 5);
}

TEST_F(HorizontalExtentFitterTest, NoDeviceContextChangesNothingAndTheLineIsMeasuredLater) {
    AddLine(100);
    box.bHasDC = false;
    AddLine(400);
    EXPECT_EQ(box.nExtent, 105);
    box.bHasDC = true;
    AddLine(10);  // the unmeasured line is found by measuring everything
    EXPECT_EQ(box.nExtent, 405);
}

TEST_F(HorizontalExtentFitterTest, UnreadableLineIsSkipped) {
    box.lines = {std::string(500, 'a'), std::string(20, 'b')};
    box.nUnreadable = 0;
    fitter.FitHorizontalExtent(box);
    EXPECT_EQ(box.nExtent, 25);
}

TEST(HorizontalExtentFitterConcurrentTest, TwoAddingThreadsAndRemovalsEndAtTheWidestLine) {
    for (int round = 0; round < 20; ++round) {
        FakeListBox box;
        HorizontalExtentFitter fitter;
        std::atomic<bool> bGo{false};
        auto worker = [&](int seed) {
            while (!bGo) std::this_thread::yield();
            for (int i = 0; i < 300; ++i) {
                const std::string line(static_cast<size_t>((i * seed) % 211 + 1), 'x');
                box.Add(line);
                fitter.FitAfterAdditions(box, {line});
            }
        };
        std::thread scan(worker, 7);
        std::thread clean(worker, 13);
        bGo = true;
        for (int i = 0; i < 5; ++i) {
            {
                std::lock_guard<std::mutex> guard(box.lock);
                if (!box.lines.empty()) box.lines.erase(box.lines.begin());
            }
            fitter.LinesRemoved();
            std::this_thread::yield();
        }
        scan.join();
        clean.join();
        // One more addition after the dust settles: the extent matches a full measurement.
        box.Add("y");
        fitter.FitAfterAdditions(box, {"y"});
        EXPECT_EQ(box.nExtent, box.Widest() + 5) << "round " << round;
    }
}

TEST(HorizontalExtentFitterConcurrentTest, ConcurrentAdditionsWithoutRemovalsAreExactAtTheEnd) {
    FakeListBox box;
    HorizontalExtentFitter fitter;
    auto worker = [&](int seed) {
        for (int i = 0; i < 500; ++i) {
            const std::string line(static_cast<size_t>((i * seed) % 389 + 1), 'x');
            box.Add(line);
            fitter.FitAfterAdditions(box, {line});
        }
    };
    std::thread a(worker, 5), b(worker, 11);
    a.join();
    b.join();
    EXPECT_EQ(box.nExtent, box.Widest() + 5);
}

}  // namespace
