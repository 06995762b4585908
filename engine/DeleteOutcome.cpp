#include "engine/DeleteOutcome.h"

bool LeavesNoFile(DeleteOutcome outcome) {
    return outcome == DeleteOutcome::Deleted || outcome == DeleteOutcome::Trashed ||
           outcome == DeleteOutcome::Gone;
}

const char* DeleteOutcomeReason(DeleteOutcome outcome) {
    switch (outcome) {
        case DeleteOutcome::Deleted:
            return "已删除";
        case DeleteOutcome::Trashed:
            return "已移到回收站";
        case DeleteOutcome::Gone:
            return "文件已不存在";
        case DeleteOutcome::ReadOnly:
            return "文件只读";
        case DeleteOutcome::InUse:
            return "文件正在使用";
        case DeleteOutcome::AccessDenied:
            return "拒绝访问";
        case DeleteOutcome::NotAFile:
            return "已不是文件";
        case DeleteOutcome::NoTrash:
            return "所在位置没有可用的回收站";
        case DeleteOutcome::Changed:
            return "路径已改变";
        case DeleteOutcome::Failed:
            break;
    }
    return "无法删除";
}
