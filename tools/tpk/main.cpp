// tpk: lists, extracts from and builds the engine's resource packages.
#include <iostream>
#include <map>
#include <string>
#include <string_view>

#include "tools/tpk/TpkCommands.h"

namespace {

constexpr const char* kUsage =
    "usage: tpk list <package>\n"
    "       tpk extract <package> <file> <kind> <id> <output>\n"
    "       tpk png <package> <file> <texture id> <output> [<image key>]\n"
    "       tpk build [-v <version>] <folder> <package> [<header>]\n"
    "       tpk header <folder> <header>\n"
    "       tpk --help\n"
    "Item folders hold <resource file>/<id>[-<name>].<kind extension> files with packed bodies.\n"
    "Files that tpk writes replace older ones only once written whole.\n"
    "Exit status: 0 done, 1 a file could not be read or written or a package is damaged, 2 bad arguments.\n";

}  // namespace

int main(int argc, char** argv) {
    const std::map<std::string, int (*)(const tpk::Arguments&)> commands = {
        {"list", tpk::ListPackage},
        {"extract", tpk::ExtractItem},
        {"png", tpk::ExportTexture},
        {"build", tpk::BuildPackage},
        {"header", tpk::WriteHeader},
    };
    const std::string_view word = argc >= 2 ? argv[1] : "";
    if (word == "--help" || word == "-h") {
        std::cout << kUsage;
        return tpk::kSucceeded;
    }
    const auto command = commands.find(std::string(word));
    if (command == commands.end()) {
        std::cerr << (word.empty() ? "tpk: give a command\n" : "tpk: unknown command '" + std::string(word) + "'\n")
                  << kUsage;
        return tpk::kUsageError;
    }
    return command->second(tpk::Arguments(argv + 2, argv + argc));
}
