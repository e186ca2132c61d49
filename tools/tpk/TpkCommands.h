#pragma once
// The commands of the package tool. Each takes its arguments after the command word and returns the
// process exit code (below); messages go to standard output and errors to standard error.
#include <string>
#include <vector>

namespace tpk {

using Arguments = std::vector<std::string>;

// Exit codes of every command.
constexpr int kSucceeded = 0;
constexpr int kFailed = 1;      // a file that cannot be read or written, a damaged package, a missing item
constexpr int kUsageError = 2;  // an unknown command, the wrong arguments or a malformed number

// list <package>: the resource files in index order with their tables and items; kFailed when any of
// them is damaged (the others are listed).
int ListPackage(const Arguments& args);
// extract <package> <file> <kind> <id> <output>: one item's packed body.
int ExtractItem(const Arguments& args);
// png <package> <file> <texture id> <output> [<image key>]: one image of a texture as a PNG file (the
// current image unless a key is given).
int ExportTexture(const Arguments& args);
// build [-v <version>] <folder> <package> [<header>]: a package (and its identifier header) from a
// folder of items.
int BuildPackage(const Arguments& args);
// header <folder> <header>: only the identifier header of a folder of items.
int WriteHeader(const Arguments& args);

}  // namespace tpk
