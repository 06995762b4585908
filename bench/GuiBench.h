#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/FlorrinSession.h"

// What the GUI benches share: a clock, the profile folder and the trees moved into it, and a scan
// of florrin.exe from the click to its summary. All of it under Wine, in the hermetic prefix.
namespace GuiBench {

LONGLONG Now();
double SecondsSince(LONGLONG start);

std::string ProfileFolder();
// The folder this bench runs from, with its trailing backslash: florrin.exe is beside it.
std::string Here();

// A file of that many bytes, written sparse.
void MakeFile(const std::string& path, DWORD bytes);
void RemoveTree(const std::string& folder);
// folders x files files, junkPerFolder of each folder's named *.tmp.
void MakeTree(const std::string& root, int folders, int files, int junkPerFolder);
// Every file below folder whose name ends in ".tmp".
void CollectJunk(const std::string& folder, std::vector<std::string>& paths);

// The walk the program does, with nothing done per entry: what the file system costs. The number
// of files it found.
unsigned long long BareWalk(const std::string& folder);

// Puts the tree to scan at `root`: moved in from `premade` when given (the natively made trees of
// make_scan_tree.py), else made here. A moved tree goes back out afterwards with TakeTree.
void PutTree(const std::string& root, const std::string& premade, int folders, int files, int junkPerFolder);
void TakeTree(const std::string& root, const std::string& premade);

// Starts the program, waits for its start-up measure of the profile (start-up's cost, not the
// scan's), presses "立即扫描" and waits for the summary. Seconds from the click to the summary,
// negative when the program did not start; the program keeps running. With interfaceCpu, the
// processor time (user and kernel) its interface thread used meanwhile.
double ScanInGui(FlorrinSession& app, const std::string& exe, double* interfaceCpu = nullptr);

// The console wants the terminal's encoding; Wine hands narrow output through as GBK.
void Print(const std::string& gbk);

}  // namespace GuiBench
