// skingen OUTDIR: draws Florrin's skin bitmaps and icon and writes them into OUTDIR.
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/skingen/SkinArt.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skingen OUTDIR\n");
        return 2;
    }
    for (const SkinFile& f : SkinFiles()) {
        std::string path = std::string(argv[1]) + "/" + f.name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(f.bytes.data()),
                  static_cast<std::streamsize>(f.bytes.size()));
        if (!out) {
            std::fprintf(stderr, "skingen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
