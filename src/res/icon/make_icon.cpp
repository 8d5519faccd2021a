// make_icon OUT.ico: writes the program's icon for the resource compiler.
// Runs on the build machine during the Windows build.
#include <cstdio>
#include <exception>
#include <fstream>

#include "res/icon/ProgramIcon.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUT.ico\n");
        return 2;
    }
    try {
        const auto bytes = mq::icon::EncodeIco(mq::icon::ProgramIconImages());
        std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "make_icon: cannot write %s\n", argv[1]);
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_icon: %s\n", e.what());
        return 1;
    }
    return 0;
}
