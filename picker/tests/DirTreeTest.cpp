#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/Cp936LeadByte.h"
#include "engine/tests/FakeFolders.h"
#include "picker/DirTree.h"

namespace {

// A tree control in memory that also logs redraw and wait-cursor calls.
class FakeTree : public DirTreeModel {
public:
    struct Item {
        TreeItem parent;
        std::string text;
        int image, selectedImage;
    };
    std::map<TreeItem, Item> items;
    std::vector<TreeItem> order;  // insertion order, deletions removed
    std::vector<std::string> log;
    TreeItem next = 1;

    TreeItem InsertItem(TreeItem parent, const std::string& text, int nImage, int nSelectedImage) override {
        const TreeItem item = next++;
        items[item] = {parent, text, nImage, nSelectedImage};
        order.push_back(item);
        log.push_back("insert " + text);
        return item;
    }
    void DeleteItem(TreeItem item) override {
        for (TreeItem child = GetChildItem(item); child != 0; child = GetChildItem(item)) DeleteItem(child);
        items.erase(item);
        std::erase(order, item);
    }
    void DeleteAllItems() override {
        items.clear();
        order.clear();
        log.push_back("delete all");
    }
    TreeItem GetChildItem(TreeItem item) override {
        for (TreeItem i : order) {
            if (items[i].parent == item) return i;
        }
        return 0;
    }
    TreeItem GetParentItem(TreeItem item) override {
        const TreeItem parent = items.at(item).parent;
        return parent == kTreeRoot ? 0 : parent;
    }
    std::string GetItemText(TreeItem item) override { return items.at(item).text; }
    void SetRedraw(bool b) override { log.push_back(b ? "redraw on" : "redraw off"); }
    void BeginWaitCursor() override { log.push_back("wait on"); }
    void EndWaitCursor() override { log.push_back("wait off"); }

    std::vector<std::string> Children(TreeItem parent) {
        std::vector<std::string> texts;
        for (TreeItem i : order) {
            if (items[i].parent == parent) texts.push_back(items[i].text);
        }
        return texts;
    }
    TreeItem Find(TreeItem parent, const std::string& text) {
        for (TreeItem i : order) {
            if (items[i].parent == parent && items[i].text == text) return i;
        }
        return 0;
    }
};

class FakeShell : public DirTreeShell {
public:
    bool bDrivesListed = true;
    std::vector<std::string> drives{"C:\\", "D:\\"};
    std::set<std::string> noIcon;  // full paths whose icons cannot be had
    std::vector<std::string> asked;

    bool GetLogicalDrives(std::vector<std::string>& roots) override {
        roots = drives;
        return bDrivesListed;
    }
    bool GetSmallIcons(const std::string& fullPath, int& nImage, int& nSelectedImage) override {
        asked.push_back(fullPath);
        if (noIcon.count(fullPath)) return false;
        nImage = static_cast<int>(fullPath.size());
        nSelectedImage = nImage + 1;
        return true;
    }
};

// Folders by path (no trailing backslash); each lists its entries, "." and ".." first.
class FakeDisk : public FakeFolders {
public:
    void AddFolder(const std::string& path, std::vector<FolderEntry> entries) {
        entries.insert(entries.begin(), {FolderEntry{".", true}, FolderEntry{"..", true}});
        Add(path + "\\*.*", std::move(entries));
    }
};

FolderEntry Dir(const std::string& name) { return {name, true}; }
FolderEntry File(const std::string& name) { return {name, false, false, false, 10}; }

class DirTreeTest : public testing::Test {
protected:
    FakeTree tree;
    FakeShell shell;
    FakeDisk disk;
    DirTree dirTree{tree, shell, disk, IsCp936LeadByte};

    void SetUp() override {
        disk.AddFolder("C:", {Dir("Windows"), File("pagefile.sys"), Dir("Users")});
        disk.AddFolder("C:\\Windows", {Dir("System32"), Dir("fonts")});
        disk.AddFolder("C:\\Windows\\System32", {File("kernel32.dll")});
        disk.AddFolder("C:\\Windows\\fonts", {});
        disk.AddFolder("C:\\Users", {Dir("gamma"), Dir("Alpha"), Dir("beta")});
        disk.AddFolder("C:\\Users\\Alpha",
                       {FolderEntry{"AppData", true, false, false, 0}});  // hidden still counts
        disk.AddFolder("C:\\Users\\Alpha\\AppData", {});
        disk.AddFolder("C:\\Users\\beta", {File("a.txt"), File("b.txt")});
        disk.AddFolder("C:\\Users\\gamma", {});
        // D: cannot be listed (an empty card reader).
    }
};

TEST_F(DirTreeTest, DrivesGetTheirRootWithoutBackslashAndAPlaceholderWhenListable) {
    ASSERT_TRUE(dirTree.InsertDriveItems());
    EXPECT_EQ(tree.Children(kTreeRoot), (std::vector<std::string>{"C:", "D:"}));
    const TreeItem c = tree.Find(kTreeRoot, "C:");
    const TreeItem d = tree.Find(kTreeRoot, "D:");
    EXPECT_EQ(tree.Children(c), std::vector<std::string>{""});
    EXPECT_TRUE(tree.Children(d).empty());
    EXPECT_EQ(tree.items[c].image, 3);  // icons asked for "C:\"
    EXPECT_EQ(tree.items[c].selectedImage, 4);
    EXPECT_EQ(dirTree.GetItemPath(c), "C:");
    EXPECT_EQ(disk.opened.front(), "C:\\*.*");
}

TEST_F(DirTreeTest, DriveListOutcomes) {
    shell.drives.clear();
    EXPECT_TRUE(dirTree.InsertDriveItems());  // an empty list is still a success
    EXPECT_TRUE(tree.items.empty());
    shell.bDrivesListed = false;
    EXPECT_FALSE(dirTree.InsertDriveItems());
    shell.bDrivesListed = true;
    shell.drives = {"C:\\", "D:\\"};
    shell.noIcon = {"C:\\"};  // no item and no placeholder for a path without icons
    EXPECT_TRUE(dirTree.InsertDriveItems());
    EXPECT_EQ(tree.Children(kTreeRoot), std::vector<std::string>{"D:"});
    EXPECT_EQ(tree.items.size(), 1u);
}

TEST_F(DirTreeTest, ExpansionListsSubFoldersSortedWithPlaceholdersWhereThereAreSubFolders) {
    dirTree.InsertDriveItems();
    const TreeItem c = tree.Find(kTreeRoot, "C:");
    dirTree.RefreshChildren(c);
    EXPECT_EQ(tree.Children(c), (std::vector<std::string>{"Users", "Windows"}));
    const TreeItem users = tree.Find(c, "Users");
    dirTree.RefreshChildren(users);
    EXPECT_EQ(tree.Children(users), (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    EXPECT_EQ(tree.Children(tree.Find(users, "Alpha")),
              std::vector<std::string>{""});                       // only a hidden folder
    EXPECT_TRUE(tree.Children(tree.Find(users, "beta")).empty());  // only files
    EXPECT_EQ(dirTree.GetItemPath(tree.Find(users, "gamma")), "C:\\Users\\gamma");
    EXPECT_EQ(shell.asked.back(), "C:\\Users\\gamma\\");
}

TEST_F(DirTreeTest, InsertionRunsWithRedrawOffAndTheWaitCursor) {
    dirTree.InsertDriveItems();
    tree.log.clear();
    dirTree.RefreshChildren(tree.Find(kTreeRoot, "C:"));
    EXPECT_EQ(tree.log, (std::vector<std::string>{"redraw off", "wait on", "insert Users", "insert ",
                                                  "insert Windows", "insert ", "redraw on", "wait off"}));
    tree.log.clear();
    dirTree.RefreshChildren(tree.Find(kTreeRoot, "D:"));  // nothing found: the same brackets
    EXPECT_EQ(tree.log, (std::vector<std::string>{"redraw off", "wait on", "redraw on", "wait off"}));
}

TEST_F(DirTreeTest, CollapseAndExpandAgainReadsTheDiskAgain) {
    dirTree.InsertDriveItems();
    const TreeItem c = tree.Find(kTreeRoot, "C:");
    dirTree.RefreshChildren(c);
    const TreeItem windows = tree.Find(c, "Windows");
    dirTree.RefreshChildren(windows);
    EXPECT_EQ(dirTree.GetItemPath(tree.Find(windows, "System32")), "C:\\Windows\\System32");
    dirTree.CollapseToPlaceholder(windows);
    EXPECT_EQ(tree.Children(windows), std::vector<std::string>{""});
    disk.AddFolder("C:\\Windows", {Dir("System32"), Dir("fonts"), Dir("Temp")});
    dirTree.RefreshChildren(windows);
    EXPECT_EQ(tree.Children(windows), (std::vector<std::string>{"fonts", "System32", "Temp"}));
    // A folder that lost its sub-folders shows none when expanded, and a placeholder after collapse.
    disk.AddFolder("C:\\Windows", {});
    dirTree.RefreshChildren(windows);
    EXPECT_TRUE(tree.Children(windows).empty());
    dirTree.CollapseToPlaceholder(windows);
    EXPECT_EQ(tree.Children(windows), std::vector<std::string>{""});
}

TEST_F(DirTreeTest, PathsAndLabelsOfDoubleByteNames) {
    const std::string name = "\xBF\x5C";  // a trail byte that is a backslash
    disk.AddFolder("E:", {Dir(name)});
    disk.AddFolder("E:\\" + name, {Dir("x")});
    shell.drives = {"E:\\"};
    dirTree.InsertDriveItems();
    const TreeItem e = tree.Find(kTreeRoot, "E:");
    dirTree.RefreshChildren(e);
    const TreeItem item = tree.Find(e, name);
    ASSERT_NE(item, 0u);
    EXPECT_EQ(dirTree.GetItemPath(item), "E:\\" + name);
    EXPECT_EQ(tree.Children(item), std::vector<std::string>{""});
    EXPECT_EQ(disk.opened.back(), "E:\\" + name + "\\*.*");
}

}  // namespace
