// tpk: lists, extracts from and builds the engine's resource packages.
#include <iostream>
#include <map>
#include <string>

#include "tools/tpk/TpkCommands.h"

int main(int argc, char** argv) {
    const std::map<std::string, int (*)(const tpk::Arguments&)> commands = {
        {"list", tpk::ListPackage},
        {"extract", tpk::ExtractItem},
        {"png", tpk::ExportTexture},
        {"build", tpk::BuildPackage},
        {"header", tpk::WriteHeader},
    };
    const auto command = argc >= 2 ? commands.find(argv[1]) : commands.end();
    if (command == commands.end()) {
        std::cerr << "usage: tpk list <package>\n"
                     "       tpk extract <package> <file> <kind> <id> <output>\n"
                     "       tpk png <package> <file> <texture id> <output> [<image key>]\n"
                     "       tpk build [-v <version>] <folder> <package> [<header>]\n"
                     "       tpk header <folder> <header>\n"
                     "Item folders hold <resource file>/<id>[-<name>].<kind extension> files with packed bodies.\n";
        return 2;
    }
    return command->second(tpk::Arguments(argv + 2, argv + argc));
}
