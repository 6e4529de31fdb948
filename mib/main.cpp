// trb4820-mibgen: prints TRB4820-MIB from the object schema, or writes it to the file given.
#include <cstdio>
#include <fstream>
#include <iostream>

#include "MibGenerator.h"

int main(int argc, char **argv)
{
    if (argc > 2) {
        std::cerr << "Usage: trb4820-mibgen [OUTPUT-FILE]\n";
        return 2;
    }
    std::string text;
    try {
        text = trb::mib::MibGenerator().generate();
    } catch (const std::exception &e) {
        std::cerr << "trb4820-mibgen: " << e.what() << "\n";
        return 1;
    }
    if (argc == 1) {
        std::cout << text;
        return std::cout ? 0 : 1;
    }
    // Written beside the target and renamed, so a failed run never leaves half a module.
    const std::string target = argv[1];
    const std::string temporary = target + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary);
        out << text;
        if (!out.flush()) {
            std::cerr << "trb4820-mibgen: cannot write " << temporary << "\n";
            return 1;
        }
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        std::perror(("trb4820-mibgen: " + target).c_str());
        return 1;
    }
    return 0;
}
