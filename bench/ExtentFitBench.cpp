// Extent fitting of the result list: 10,000 lines added one by one, fitted after each addition,
// against one full measurement of the same 10,000 lines; and, for scale, the re-measure-everything
// fitting on the first 2,000 additions. Prints ratios measured in this run.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "picker/HorizontalExtentFitter.h"

namespace {

// Measures like a fixed-pitch font and counts the work. Its lines are the first nLines of a prepared
// list, so adding a line costs nothing and only the fitting is timed.
class BenchListBox : public ExtentListBox {
public:
    explicit BenchListBox(const std::vector<std::string>* pSource = nullptr) : source(pSource) {}
    const std::vector<std::string>* source;
    int nLines = 0;
    long long nMeasured = 0;
    int nExtent = 0;

    class Measurer : public TextMeasurer {
    public:
        explicit Measurer(BenchListBox& box) : m_box(box) {}
        int TextWidth(const std::string& text) override {
            ++m_box.nMeasured;
            int cx = 0;
            for (unsigned char c : text) cx += c < 0x80 ? 7 : 6;
            return cx;
        }

    private:
        BenchListBox& m_box;
    };

    std::unique_ptr<TextMeasurer> OpenMeasurer() override { return std::make_unique<Measurer>(*this); }
    int GetCount() override { return nLines; }
    bool GetText(int nIndex, std::string& text) override {
        text = (*source)[static_cast<size_t>(nIndex)];
        return true;
    }
    void SetHorizontalExtent(int cx) override { nExtent = cx; }
};

std::vector<std::string> MakeLines(int n) {
    std::vector<std::string> lines;
    unsigned seed = 12345;
    for (int i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        std::string line = "C:\\Users\\florrin\\AppData\\Local\\Temp\\";
        line.append(20 + (seed >> 16) % 120, static_cast<char>('a' + i % 26));
        line += ".tmp";
        lines.push_back(std::move(line));
    }
    return lines;
}

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

// The fastest of a few runs: the machine is shared, and the slower runs measure the neighbours.
template <typename F>
double Fastest(int nRuns, F run) {
    double best = 1e30;
    for (int i = 0; i < nRuns; ++i) {
        const double t0 = Now();
        run();
        const double t = Now() - t0;
        if (t < best) best = t;
    }
    return best;
}

int main() {
    constexpr int kLines = 10000;
    constexpr int kQuadraticLines = 2000;
    constexpr int kRuns = 7;
    const std::vector<std::string> source = MakeLines(kLines);

    BenchListBox incremental;
    const double tIncremental = Fastest(kRuns, [&] {
        incremental = BenchListBox(&source);
        HorizontalExtentFitter fitter;
        for (const std::string& line : source) {
            ++incremental.nLines;
            fitter.FitAfterAdditions(incremental, {line});
        }
    });

    BenchListBox single;
    const double tSingle = Fastest(kRuns, [&] {
        single = BenchListBox(&source);
        single.nLines = kLines;
        HorizontalExtentFitter once;
        once.FitHorizontalExtent(single);
    });

    BenchListBox quadratic(&source);
    const double tQuadratic = Fastest(1, [&] {
        HorizontalExtentFitter everyTime;
        for (int i = 0; i < kQuadraticLines; ++i) {
            ++quadratic.nLines;
            everyTime.FitHorizontalExtent(quadratic);
        }
    });

    std::printf("extent fitting, %d lines added one by one: %.6f s, %lld measurements, extent %d\n", kLines,
                tIncremental, incremental.nMeasured, incremental.nExtent);
    std::printf("one full measurement of the same %d lines:   %.6f s, %lld measurements, extent %d\n", kLines,
                tSingle, single.nMeasured, single.nExtent);
    std::printf("ratio, one by one / one full measurement:     %.2f (measurements %.2f)\n",
                tIncremental / tSingle, static_cast<double>(incremental.nMeasured) / single.nMeasured);
    std::printf(
        "re-measuring every line, first %d additions:  %.6f s, %lld measurements (%.0fx the one-by-one "
        "fitting of all %d)\n",
        kQuadraticLines, tQuadratic, quadratic.nMeasured, tQuadratic / tIncremental, kLines);
    return incremental.nExtent == single.nExtent ? 0 : 1;
}
