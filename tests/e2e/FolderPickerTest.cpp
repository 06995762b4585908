// The right-hand panel of the running program: the tab switches between the folder tree and the
// option list, and the tree loads folders from disk on expansion and picks the folder to scan.
// Tree notifications cannot be sent from another process, so the tree is driven as a user would
// (keys) or with its own requests, which make it notify the dialog itself.
#include <windows.h>
#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/FlorrinTest.h"

namespace {

// The program's tree view, read from this process: item texts live in the program, so they are
// read through a buffer allocated there.
class RemoteTree {
public:
    RemoteTree(HWND hTree, DWORD processId)
        : m_hTree(hTree),
          m_hProcess(
              OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ, FALSE, processId)) {
        if (m_hProcess) {
            m_pRemote = VirtualAllocEx(m_hProcess, nullptr, sizeof(TVITEMA) + kTextMax,
                                       MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        }
    }
    ~RemoteTree() {
        if (m_pRemote) VirtualFreeEx(m_hProcess, m_pRemote, 0, MEM_RELEASE);
        if (m_hProcess) CloseHandle(m_hProcess);
    }
    RemoteTree(const RemoteTree&) = delete;
    RemoteTree& operator=(const RemoteTree&) = delete;

    HTREEITEM Next(HTREEITEM hItem, UINT code) const {
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(m_hTree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(hItem)));
    }

    std::string Text(HTREEITEM hItem) const {
        if (!m_pRemote) return "<no buffer>";
        char* remoteText = static_cast<char*>(m_pRemote) + sizeof(TVITEMA);
        TVITEMA item{};
        item.mask = TVIF_TEXT;
        item.hItem = hItem;
        item.pszText = remoteText;
        item.cchTextMax = kTextMax;
        char text[kTextMax] = {};
        if (!WriteProcessMemory(m_hProcess, m_pRemote, &item, sizeof item, nullptr) ||
            !SendMessageA(m_hTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(m_pRemote)) ||
            !ReadProcessMemory(m_hProcess, remoteText, text, sizeof text - 1, nullptr))
            return "<unreadable>";
        return text;
    }

    std::vector<std::string> ChildTexts(HTREEITEM hItem) const {
        std::vector<std::string> texts;
        for (HTREEITEM child = Next(hItem, TVGN_CHILD); child; child = Next(child, TVGN_NEXT))
            texts.push_back(Text(child));
        return texts;
    }

    HTREEITEM Child(HTREEITEM hItem, const std::string& text) const {
        for (HTREEITEM child = Next(hItem, TVGN_CHILD); child; child = Next(child, TVGN_NEXT))
            if (lstrcmpiA(Text(child).c_str(), text.c_str()) == 0) return child;
        return nullptr;
    }

    bool IsExpanded(HTREEITEM hItem) const {
        return (SendMessageA(m_hTree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem), TVIS_EXPANDED) &
                TVIS_EXPANDED) != 0;
    }

    // A first expansion through the control's own request notifies the dialog like a user's.
    void Expand(HTREEITEM hItem) const {
        SendMessageA(m_hTree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(hItem));
    }
    void Select(HTREEITEM hItem) const {
        SendMessageA(m_hTree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hItem));
    }
    // Keys act on the selected item, as the user's would.
    void Key(UINT vk) const {
        const UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
        PostMessageA(m_hTree, WM_KEYDOWN, vk, static_cast<LPARAM>(1 | scan << 16));
        PostMessageA(m_hTree, WM_KEYUP, vk, static_cast<LPARAM>(1 | scan << 16 | 0xC0000000u));
    }

    // Expands the items along an absolute path from its drive down and returns the last one.
    HTREEITEM ExpandTo(const std::string& path) const {
        HTREEITEM hItem = TVI_ROOT;
        size_t start = 0;
        while (start <= path.size()) {
            const size_t end = path.find('\\', start);
            const std::string name =
                path.substr(start, end == std::string::npos ? std::string::npos : end - start);
            HTREEITEM hChild = nullptr;
            FlorrinSession::WaitUntil([&] { return (hChild = Child(hItem, name)) != nullptr; });
            if (!hChild) return nullptr;
            hItem = hChild;
            if (end == std::string::npos) break;
            Expand(hItem);
            start = end + 1;
        }
        return hItem;
    }

private:
    static constexpr int kTextMax = 520;
    HWND m_hTree;
    HANDLE m_hProcess;
    void* m_pRemote = nullptr;
};

using FolderPicker = FlorrinTest;

TEST_F(FolderPicker, TabSwitchesPagesBothWaysAndKeepsTheTreeAsItWas) {
    RemoteTree tree(app.Control(IDC_DIR_TREE), app.ProcessId());
    ASSERT_TRUE(app.IsVisible(IDC_DIR_TREE));
    ASSERT_FALSE(app.IsVisible(IDC_OPTION_LIST));
    HTREEITEM hFixture = tree.ExpandTo(FixtureFolder());
    ASSERT_NE(hFixture, nullptr);
    HTREEITEM hDrive = tree.Child(TVI_ROOT, FixtureFolder().substr(0, 2));
    ASSERT_TRUE(tree.IsExpanded(hDrive));

    ASSERT_TRUE(app.ClickTab(IDC_TAB, 1));
    EXPECT_TRUE(FlorrinSession::WaitUntil(
        [&] { return app.IsVisible(IDC_OPTION_LIST) && !app.IsVisible(IDC_DIR_TREE); }));

    ASSERT_TRUE(app.ClickTab(IDC_TAB, 0));
    EXPECT_TRUE(FlorrinSession::WaitUntil(
        [&] { return app.IsVisible(IDC_DIR_TREE) && !app.IsVisible(IDC_OPTION_LIST); }));
    EXPECT_TRUE(tree.IsExpanded(hDrive)) << "the expansion survives a page switch";
    EXPECT_EQ(tree.Text(hFixture), FixtureFolder().substr(FixtureFolder().find_last_of('\\') + 1));
}

TEST_F(FolderPicker, ExpandCollapseExpandReadsTheFolderAgain) {
    RemoteTree tree(app.Control(IDC_DIR_TREE), app.ProcessId());
    HTREEITEM hFixture = tree.ExpandTo(FixtureFolder());
    ASSERT_NE(hFixture, nullptr);
    EXPECT_EQ(tree.ChildTexts(hFixture), std::vector<std::string>{""}) << "collapsed: one placeholder";

    tree.Select(hFixture);
    tree.Key(VK_RIGHT);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] {
        return tree.ChildTexts(hFixture) == std::vector<std::string>{"sub"};
    })) << tree.ChildTexts(hFixture).size()
        << " children";
    EXPECT_EQ(tree.ChildTexts(tree.Child(hFixture, "sub")), std::vector<std::string>{""}) << "sub holds deep";

    tree.Key(VK_LEFT);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return !tree.IsExpanded(hFixture); }));
    EXPECT_EQ(tree.ChildTexts(hFixture), std::vector<std::string>{""});

    CreateDirectoryA((FixtureFolder() + "\\Added").c_str(), nullptr);
    tree.Key(VK_RIGHT);
    EXPECT_TRUE(FlorrinSession::WaitUntil([&] {
        return tree.ChildTexts(hFixture) == std::vector<std::string>{"Added", "sub"};
    }));
}

TEST_F(FolderPicker, ScanAfterSelectingAFolderListsExactlyItsJunkWhicheverButtonStartsIt) {
    RemoteTree tree(app.Control(IDC_DIR_TREE), app.ProcessId());
    HTREEITEM hSub = tree.ExpandTo(FixtureFolder() + "\\sub");
    ASSERT_NE(hSub, nullptr);
    tree.Select(hSub);

    // So small a walk ends long before the clean worker's Recycle Bin step is done: each run must
    // still wait for its own patterns, with the walk started first ("开始") or second ("立即扫描").
    const std::set<std::string> junk = {FixtureFolder() + "\\sub\\index.gid",
                                        FixtureFolder() + "\\sub\\deep\\draft.old"};
    for (int id : {IDC_START, IDC_SCAN_NOW}) {
        for (int round = 0; round < 5; ++round) {
            SCOPED_TRACE(std::to_string(id) + " run " + std::to_string(round));
            std::string status;
            // A start that comes while the last walk still closes is refused; it is tried again.
            for (int attempt = 0; attempt < 20; ++attempt) {
                SetWindowTextA(app.Control(IDC_STATUS_TEXT), "");
                app.PostCommand(id);
                ASSERT_TRUE(FlorrinSession::WaitUntil(
                    [&] {
                        status = app.Text(IDC_STATUS_TEXT);
                        return app.IsEnabled(IDC_START) &&
                               (status.rfind("扫描已完成！", 0) == 0 || status == "请选择清理选项！");
                    },
                    60000))
                    << status;
                if (status != "请选择清理选项！") break;
                Sleep(100);
            }
            EXPECT_EQ(status, "扫描已完成！本次共扫描出 2 个垃圾文件，立即清除可帮您节省 2KB 磁盘空间。");
            std::set<std::string> listed;
            for (int i = 0; i < app.ListCount(IDC_RESULT_LIST); ++i) {
                const std::string line = app.ListLine(IDC_RESULT_LIST, i);
                if (line.find('\\') != std::string::npos) listed.insert(line);
            }
            EXPECT_EQ(listed, junk);
        }
    }
}

// The benchmarks' generated tree (bench/README.md), made natively in the prefix's C: drive:
// 100,000 files, several GB. Walking it under Wine takes seconds.
const std::string kLargeTree = "C:\\florrin-bench-tree";

// The size in MB of every file below folder, as the program counts it.
LRESULT FolderMB(const std::string& folder) {
    unsigned long long kb = 0;
    std::vector<std::string> pending{folder};
    while (!pending.empty()) {
        const std::string current = pending.back();
        pending.pop_back();
        WIN32_FIND_DATAA data{};
        HANDLE find = FindFirstFileA((current + "\\*.*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) continue;
        do {
            const std::string name = data.cFileName;
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                kb += ((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow) >> 10;
            else if (name != "." && name != ".." && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                pending.push_back(current + "\\" + name);
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    return static_cast<LRESULT>(kb >> 10);
}

bool Answers(HWND hWnd, UINT message = WM_NULL, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(hWnd, message, wParam, lParam, SMTO_ABORTIFHUNG, 1000, &result) != 0;
}

TEST_F(FolderPicker, MeasuringALargeFolderKeepsTheWindowAnsweringAndTheNextRunsRangeHoldsIt) {
    if (GetFileAttributesA((kLargeTree + "\\complete").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no generated tree at " << kLargeTree
                     << " (build/native/bin/scan_bench --generate PREFIX/drive_c/florrin-bench-tree)";
    const LRESULT treeMB = FolderMB(kLargeTree);
    RemoteTree tree(app.Control(IDC_DIR_TREE), app.ProcessId());
    HTREEITEM hLarge = tree.ExpandTo(kLargeTree);
    ASSERT_NE(hLarge, nullptr);
    HWND progress = app.Control(IDC_PROGRESS);
    const LRESULT before = SendMessageA(progress, PBM_GETRANGE, FALSE, 0);

    ASSERT_TRUE(
        Answers(app.Control(IDC_DIR_TREE), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hLarge)))
        << "the selection waited for the measure";
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(Answers(app.Window())) << "WM_NULL not answered within 1 s while measuring";
        Sleep(100);
    }
    // Started while the tree is still being measured: the range follows once the measure ends.
    app.Click(IDC_START);
    EXPECT_TRUE(FlorrinSession::WaitUntil(
        [&] { return SendMessageA(progress, PBM_GETRANGE, FALSE, 0) >= before + treeMB - 1; }, 60000))
        << "range " << SendMessageA(progress, PBM_GETRANGE, FALSE, 0) << ", before " << before << ", tree "
        << treeMB;
    // At most the profile folder's share on top, if its own measure had not ended before.
    EXPECT_LE(SendMessageA(progress, PBM_GETRANGE, FALSE, 0),
              before + treeMB + 1 + FolderMB(ProfileFolder()));
    EXPECT_TRUE(Answers(app.Window()));
    app.Click(IDC_STOP);
    ASSERT_TRUE(
        FlorrinSession::WaitUntil([&] { return app.IsEnabled(IDC_START) && app.IsEnabled(IDC_DIR_TREE); }));

    // The whole drive, then the end of the program: the measure still running holds neither up.
    ASSERT_TRUE(Answers(app.Control(IDC_DIR_TREE), TVM_SELECTITEM, TVGN_CARET,
                        reinterpret_cast<LPARAM>(tree.Child(TVI_ROOT, kLargeTree.substr(0, 2)))));
    EXPECT_TRUE(Answers(app.Window()));
    app.PostCommand(IDCANCEL);
    ASSERT_TRUE(app.WaitForExit(5000));
    EXPECT_EQ(app.ExitCode(), 0u);
}

}  // namespace
