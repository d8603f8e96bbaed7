// Writes the benchmark document (bench/BenchDocument.h) to a file, for the side-by-side
// comparison with other search programs.
#include <cstdio>
#include <fstream>

#include "../BenchDocument.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: WriteBenchDocument FILE   (size: QUINKLE_BENCH_MB, default 20)\n",
                   stderr);
        return 2;
    }
    const std::string& document = quinkle::bench::Document();
    std::ofstream out(argv[1], std::ios::binary);
    out << document;
    return out.good() ? 0 : 1;
}
