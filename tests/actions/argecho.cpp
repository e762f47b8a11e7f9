// A small program for the program-start test: writes the arguments it received, one per line,
// into the file named by its first argument.
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) return 1;
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) return 2;
    for (int i = 1; i < argc; ++i) std::fprintf(out, "%s\n", argv[i]);
    std::fclose(out);
    return 0;
}
