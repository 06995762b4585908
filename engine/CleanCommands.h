#pragma once

#include "engine/FileDeleter.h"
#include "engine/LeadBytePredicate.h"
#include "engine/OptionCheckList.h"
#include "engine/ResultListWindow.h"

// "全选" and "全不选": check or uncheck every option.
void OnSelectAll(OptionCheckList& options);
void OnSelectNone(OptionCheckList& options);

// "删除": deletes the file of the selected line that has the focus. The line goes once nothing is
// left at its path; otherwise it stays and the status line says why. Nothing happens when no line
// is selected. Only absolute paths reach the deleter; a report line is just removed.
void OnDelete(ResultListWindow& window, FileDeleter& deleter, const LeadBytePredicate& isLeadByte);

// "全部删除": shows each line in the status line and deletes its file (absolute paths only). When
// every file is gone it empties and hides the list, writes "清理完毕！" and shows the big button
// as "重新扫描". Otherwise the list keeps exactly the lines whose files stay (report lines go) and
// the status line says how many stayed and why. No confirmation. The deleter is told every file
// first (FileDeleter::Expect), so it may work ahead.
void OnDeleteAll(ResultListWindow& window, FileDeleter& deleter, const LeadBytePredicate& isLeadByte);
