#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/FileDeleter.h"
#include "engine/ResultListWindow.h"

// The result list as the delete commands see it, in memory: a sorted list box with extended
// selection, the status line and the big scan button.
class FakeResultListWindow : public ResultListWindow {
public:
    std::vector<std::string> lines;
    std::vector<bool> selected;
    int caret = -1;
    std::vector<std::string> statusTexts;
    bool listShown = true;
    std::string scanNowText;
    bool scanNowShown = false;

    explicit FakeResultListWindow(std::vector<std::string> l)
        : lines(std::move(l)), selected(lines.size(), false) {
        std::sort(lines.begin(), lines.end());
    }
    // Selects the line and puts the caret on it.
    void Select(const std::string& line) {
        const auto it = std::find(lines.begin(), lines.end(), line);
        caret = static_cast<int>(it - lines.begin());
        selected.at(caret) = true;
    }

    int GetLineCount() override { return static_cast<int>(lines.size()); }
    int GetCaretLine() override { return caret; }
    bool IsLineSelected(int index) override { return selected.at(index); }
    bool GetLineText(int index, std::string& text) override {
        if (index < 0 || index >= GetLineCount()) return false;
        text = lines[index];
        return true;
    }
    void DeleteLine(int index) override {
        lines.erase(lines.begin() + index);
        selected.erase(selected.begin() + index);
    }
    void ReplaceLines(const std::vector<std::string>& kept) override {
        lines = kept;
        std::sort(lines.begin(), lines.end());
        selected.assign(lines.size(), false);
        caret = -1;
    }
    void ShowDeleteStatus(const std::string& text) override { statusTexts.push_back(text); }
    void ShowDeletingLine(const std::string& line) override { statusTexts.push_back(line); }
    void ShowScanNowButton(const std::string& text) override {
        listShown = false;
        scanNowShown = true;
        scanNowText = text;
    }
    void KeepAnswering() override {}
};

// Deletes nothing; records each path it was asked to delete and answers Deleted, or the outcome
// set for that path. A hook, when set, runs first, on whichever thread deletes.
class RecordingDeleter : public FileDeleter {
public:
    std::vector<std::string> deleted;
    std::map<std::string, DeleteOutcome> outcomes;
    std::function<void()> beforeDelete;
    DeleteOutcome Delete(const std::string& path) override {
        if (beforeDelete) beforeDelete();
        deleted.push_back(path);
        const auto it = outcomes.find(path);
        return it == outcomes.end() ? DeleteOutcome::Deleted : it->second;
    }
};
