// The folder tree on a real tree view over real folders: the drives of the system, sub-folders
// read from disk on each expansion, sorted without regard to case, and paths rebuilt from texts.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "picker/CDirTreeCtrl.h"
#include "picker/tests/ControlHost.h"

namespace {

class FolderTree : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_tree.SubclassWindow(m_host.Control())); }

    std::vector<std::string> ChildTexts(HTREEITEM hItem) const {
        std::vector<std::string> texts;
        for (HTREEITEM child = m_tree.GetChildItem(hItem); child != nullptr;
             child = m_tree.GetNextSiblingItem(child)) {
            texts.push_back(m_tree.GetItemText(child));
        }
        return texts;
    }

    HTREEITEM Child(HTREEITEM hItem, const std::string& text) const {
        for (HTREEITEM child = m_tree.GetChildItem(hItem); child != nullptr;
             child = m_tree.GetNextSiblingItem(child)) {
            if (::lstrcmpiA(m_tree.GetItemText(child).c_str(), text.c_str()) == 0) return child;
        }
        return nullptr;
    }

    // The fixture folder as a top-level item, as a drive would be.
    HTREEITEM FixtureItem() { return m_tree.InsertFolderItem(TVI_ROOT, m_folder.Path()); }

    static const std::vector<std::string> kPlaceholder;

    ControlHost m_host{WC_TREEVIEWA,
                       WS_BORDER | WS_HSCROLL | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT};
    CDirTreeCtrl m_tree;
    TempFolder m_folder;
};

const std::vector<std::string> FolderTree::kPlaceholder{""};

TEST_F(FolderTree, ShowDriveTreeListsTheSystemsDrivesWithoutBackslash) {
    char buffer[128] = {};
    ASSERT_GT(::GetLogicalDriveStringsA(sizeof(buffer), buffer), 0u);
    std::vector<std::string> expected;
    for (const char* root = buffer; *root != '\0'; root += lstrlenA(root) + 1) {
        expected.push_back(std::string(root, static_cast<size_t>(lstrlenA(root)) - 1));  // C:\ gives C:
    }
    m_tree.ModifyStyle(0, TVS_EDITLABELS);

    ASSERT_TRUE(m_tree.ShowDriveTree());

    EXPECT_EQ(ChildTexts(TVI_ROOT), expected);
    EXPECT_FALSE(m_tree.GetStyle() & TVS_EDITLABELS) << "labels are never edited in place";
    SHFILEINFOA info{};
    const auto hSystem = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoA("C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    EXPECT_EQ(m_tree.GetImageList(TVSIL_NORMAL), hSystem);
    // C:\ holds folders (windows, users...): its item gets the one placeholder.
    EXPECT_EQ(ChildTexts(Child(TVI_ROOT, "C:")), kPlaceholder);
}

TEST_F(FolderTree, ShowDriveTreeAgainReplacesEverything) {
    ASSERT_TRUE(m_tree.ShowDriveTree());
    const std::vector<std::string> first = ChildTexts(TVI_ROOT);
    ASSERT_TRUE(m_tree.ShowDriveTree());
    EXPECT_EQ(ChildTexts(TVI_ROOT), first);
}

TEST_F(FolderTree, ExpansionListsSubFoldersSortedWithoutRegardToCase) {
    m_folder.MakeFolder("gamma");
    m_folder.MakeFolder("gamma\\inner");
    m_folder.MakeFolder("beta");
    m_folder.MakeFile("beta\\only-a-file.txt");
    m_folder.MakeFolder("Alpha");
    m_folder.MakeFolder("hidden");
    m_folder.MakeFolder("hidden\\secret", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    m_folder.MakeFile("a-file.txt");
    ASSERT_TRUE(m_tree.AttachSystemImageList());
    HTREEITEM hRoot = FixtureItem();
    ASSERT_NE(hRoot, nullptr);

    m_tree.RefreshChildren(hRoot);

    EXPECT_EQ(ChildTexts(hRoot), (std::vector<std::string>{"Alpha", "beta", "gamma", "hidden"}))
        << "files never show";
    struct Case {
        const char* name;
        std::vector<std::string> children;
    };
    const Case cases[] = {
        {"Alpha", {}},             // empty folder: no expand button
        {"beta", {}},              // only files: none either
        {"gamma", kPlaceholder},   // a sub-folder: one placeholder
        {"hidden", kPlaceholder},  // a hidden system sub-folder counts like any other
    };
    for (const Case& c : cases) EXPECT_EQ(ChildTexts(Child(hRoot, c.name)), c.children) << c.name;

    m_tree.RefreshChildren(Child(hRoot, "hidden"));
    EXPECT_EQ(ChildTexts(Child(hRoot, "hidden")), std::vector<std::string>{"secret"});
}

TEST_F(FolderTree, CollapseAndExpandAgainReadsTheDiskAgain) {
    m_folder.MakeFolder("one");
    ASSERT_TRUE(m_tree.AttachSystemImageList());
    HTREEITEM hRoot = FixtureItem();
    m_tree.RefreshChildren(hRoot);
    ASSERT_EQ(ChildTexts(hRoot), std::vector<std::string>{"one"});

    m_tree.CollapseToPlaceholder(hRoot);
    EXPECT_EQ(ChildTexts(hRoot), kPlaceholder);

    m_folder.MakeFolder("Two");
    m_folder.MakeFolder("zero");
    m_tree.RefreshChildren(hRoot);
    EXPECT_EQ(ChildTexts(hRoot), (std::vector<std::string>{"one", "Two", "zero"}));
}

TEST_F(FolderTree, FolderGoneSinceInsertionShowsNoChildrenYetCollapsesToPlaceholder) {
    const std::string gone = m_folder.MakeFolder("gone");
    m_folder.MakeFolder("gone\\sub");
    ASSERT_TRUE(m_tree.AttachSystemImageList());
    HTREEITEM hRoot = FixtureItem();
    m_tree.RefreshChildren(hRoot);
    HTREEITEM hGone = Child(hRoot, "gone");
    ASSERT_EQ(ChildTexts(hGone), kPlaceholder);
    ::RemoveDirectoryA((gone + "\\sub").c_str());
    ::RemoveDirectoryA(gone.c_str());

    m_tree.RefreshChildren(hGone);
    EXPECT_TRUE(ChildTexts(hGone).empty());
    m_tree.CollapseToPlaceholder(hGone);
    EXPECT_EQ(ChildTexts(hGone), kPlaceholder);
}

TEST_F(FolderTree, ItemPathOfDriveFolderAndSubFolder) {
    ASSERT_TRUE(m_tree.ShowDriveTree());
    HTREEITEM hDrive = Child(TVI_ROOT, "C:");
    ASSERT_NE(hDrive, nullptr);
    EXPECT_EQ(m_tree.GetItemPath(hDrive), "C:");

    m_tree.RefreshChildren(hDrive);
    HTREEITEM hWindows = Child(hDrive, "windows");
    ASSERT_NE(hWindows, nullptr);
    EXPECT_EQ(m_tree.GetItemPath(hWindows), "C:\\" + m_tree.GetItemText(hWindows));

    m_tree.RefreshChildren(hWindows);
    HTREEITEM hSystem = Child(hWindows, "system32");
    ASSERT_NE(hSystem, nullptr);
    EXPECT_EQ(m_tree.GetItemPath(hSystem),
              "C:\\" + m_tree.GetItemText(hWindows) + "\\" + m_tree.GetItemText(hSystem));
}

TEST_F(FolderTree, DoubleByteNameWhoseTrailByteIsBackslash) {
    // "淺" is 9C 5C in code page 936: its second byte is no separator.
    const std::string name = "深淺";
    m_folder.MakeFolder(name);
    m_folder.MakeFolder(name + "\\子");
    ASSERT_TRUE(m_tree.AttachSystemImageList());
    HTREEITEM hRoot = FixtureItem();
    m_tree.RefreshChildren(hRoot);

    HTREEITEM hItem = Child(hRoot, name);
    ASSERT_NE(hItem, nullptr);
    EXPECT_EQ(m_tree.GetItemPath(hItem), m_folder.Path() + "\\" + name);
    EXPECT_EQ(ChildTexts(hItem), kPlaceholder);
    m_tree.RefreshChildren(hItem);
    EXPECT_EQ(ChildTexts(hItem), std::vector<std::string>{"子"});
}

}  // namespace
