#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "engine/DiskSpaceQuery.h"
#include "engine/FolderEnumerator.h"
#include "engine/ScanWindow.h"

// Folder listings held in memory, keyed by the search pattern the walk must ask for, so a test
// also checks how patterns are built. Counts open listings to show each one is closed.
class FakeFolders : public FolderEnumerator {
public:
    static FolderEntry File(std::string name, uint64_t size) {
        return {std::move(name), false, false, false, size};
    }
    static FolderEntry Dir(std::string name) { return {std::move(name), true, false, false, 0}; }
    static FolderEntry LinkedDir(std::string name) { return {std::move(name), true, true, false, 0}; }

    void Add(const std::string& searchPattern, std::vector<FolderEntry> entries) {
        m_folders[searchPattern] = std::move(entries);
    }

    // The walk's read-ahead opens folders on a second thread.
    std::unique_ptr<FolderEnumeration> Open(const std::string& searchPattern) override {
        {
            std::lock_guard lock(m_openedLock);
            opened.push_back(searchPattern);
        }
        if (searchPattern == throwsOn) throw std::bad_alloc();
        auto found = m_folders.find(searchPattern);
        if (found == m_folders.end()) return nullptr;
        return std::make_unique<Listing>(found->second, liveListings);
    }

    std::vector<std::string> opened;
    std::atomic<int> liveListings{0};
    std::string throwsOn;  // a folder whose listing fails as memory running out would

private:
    class Listing : public FolderEnumeration {
    public:
        Listing(const std::vector<FolderEntry>& entries, std::atomic<int>& live)
            : m_entries(entries), m_live(live) {
            ++m_live;
        }
        ~Listing() override { --m_live; }
        bool Next(FolderEntry& entry) override {
            if (m_next == m_entries.size()) return false;
            entry = m_entries[m_next++];
            return true;
        }

    private:
        const std::vector<FolderEntry>& m_entries;
        std::size_t m_next = 0;
        std::atomic<int>& m_live;
    };

    std::mutex m_openedLock;
    std::map<std::string, std::vector<FolderEntry>> m_folders;
};

// Records what the walk asks of the window, in order.
class RecordingWindow : public ScanWindow {
public:
    void SetProgressPos(uint32_t position) override { requests.push_back("pos " + std::to_string(position)); }
    void SetStatusText(const std::string& text) override { requests.push_back("status " + text); }
    void AddResultLine(const std::string& line) override {
        requests.push_back("add " + line);
        lines.push_back(line);
    }
    void SignalScanEvent() override {
        requests.push_back("signal");
        ++signals;
    }

    std::vector<std::string> requests;
    std::vector<std::string> lines;
    int signals = 0;
};

class FixedDiskSpace : public DiskSpaceQuery {
public:
    bool QueryDiskSpace(const std::string& path, DiskSpace& space) override {
        askedFor = path;
        if (!answers) return false;
        space = answer;
        return true;
    }
    bool answers = true;
    DiskSpace answer;
    std::string askedFor;
};
