#include "cli/JunkFileRemover.h"

const char* ResultText(JunkFileRemover::Result result)
{
    switch (result) {
    case JunkFileRemover::Result::Deleted: return "已删除";
    case JunkFileRemover::Result::Trashed: return "已移到回收站";
    case JunkFileRemover::Result::ReadOnly: return "文件只读";
    case JunkFileRemover::Result::InUse: return "文件正在使用";
    case JunkFileRemover::Result::Gone: return "文件已不存在";
    case JunkFileRemover::Result::AccessDenied: return "拒绝访问";
    case JunkFileRemover::Result::NotAFile: return "已不是文件";
    case JunkFileRemover::Result::NoTrash: return "所在位置没有可用的回收站";
    case JunkFileRemover::Result::Failed: break;
    }
    return "无法删除";
}

const char* ResultKey(JunkFileRemover::Result result)
{
    switch (result) {
    case JunkFileRemover::Result::Deleted: return "deleted";
    case JunkFileRemover::Result::Trashed: return "trashed";
    case JunkFileRemover::Result::ReadOnly: return "read-only";
    case JunkFileRemover::Result::InUse: return "in-use";
    case JunkFileRemover::Result::Gone: return "gone";
    case JunkFileRemover::Result::AccessDenied: return "access-denied";
    case JunkFileRemover::Result::NotAFile: return "not-a-file";
    case JunkFileRemover::Result::NoTrash: return "no-trash";
    case JunkFileRemover::Result::Failed: break;
    }
    return "failed";
}
