#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The tree control as the folder tree's logic sees it. Items are opaque handles (HTREEITEM on
// Windows); 0 is no item, kTreeRoot stands for the invisible root (TVI_ROOT).
using TreeItem = std::uintptr_t;
inline constexpr TreeItem kTreeRoot = static_cast<TreeItem>(-0x10000);

class DirTreeModel {
public:
    virtual ~DirTreeModel() = default;
    // Inserts after the parent's last child, with no item data; returns 0 on failure.
    virtual TreeItem InsertItem(TreeItem parent, const std::string& text, int nImage, int nSelectedImage) = 0;
    virtual void DeleteItem(TreeItem item) = 0;
    virtual void DeleteAllItems() = 0;
    // First child, or 0.
    virtual TreeItem GetChildItem(TreeItem item) = 0;
    // Parent, or 0 for a root-level item.
    virtual TreeItem GetParentItem(TreeItem item) = 0;
    virtual std::string GetItemText(TreeItem item) = 0;
    virtual void SetRedraw(bool bRedraw) = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
};

// What the folder tree asks of the shell.
class DirTreeShell {
public:
    virtual ~DirTreeShell() = default;
    // The drive root paths (such as C:\) in the order the system lists them; false on failure.
    virtual bool GetLogicalDrives(std::vector<std::string>& roots) = 0;
    // The small icon's and the small open icon's indexes in the system image list for a path with
    // a trailing backslash; false when either lookup fails (the open one is not asked then).
    virtual bool GetSmallIcons(const std::string& fullPath, int& nImage, int& nSelectedImage) = 0;
};
