#pragma once
// The diary's pictures are made of the pieces the scripts give ("addcard picture_<number>_<total>"):
// a picture the scripts give fewer pieces than its total would stay unfinished for ever, and one
// given with two totals would count against the last one given.

#include <map>
#include <string>

// Reads every script source below `source_folder` and adds a "path:line: text" line to `report`
// for each picture whose pieces do not add up to its total, whose totals differ, or whose box in
// the diary draws another number of cells than its pieces (`box_cells`, by picture number; a
// picture without an entry is not checked so). False when any does; a source that does not
// parse is left to the compiler's report.
bool CheckPicturePieces(const std::string& source_folder, const std::map<int, int>& box_cells, std::string& report);
