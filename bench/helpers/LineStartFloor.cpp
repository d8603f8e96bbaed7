// The floor for loading a file: read it into memory with one allocation and one read, and
// record the offset of every line start (after each LF) with memchr. Nothing an editor could
// load a file faster than. Prints the number of lines.
// Usage: LineStartFloor FILE. Also included by bench/LoadBench.cpp (with
// LINE_START_FLOOR_NO_MAIN defined) to time it in the same process as the editor's load.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace line_start_floor {

/// Reads `path` whole into a fresh buffer and fills `starts` with the offset of each line's
/// first byte; returns the number of lines (a last line without LF counts), or -1 when the
/// file cannot be read.
inline long LineStarts(const char* path, std::vector<size_t>& starts) {
    int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return -1;
    }
    const auto size = static_cast<size_t>(info.st_size);
    char* data = static_cast<char*>(std::malloc(size + 1));
    size_t got = 0;
    while (data && got < size) {
        ssize_t n = ::read(fd, data + got, size - got);
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    if (!data) return -1;
    starts.clear();
    starts.push_back(0);
    const char* p = data;
    const char* const end = data + got;
    while (const void* lf = std::memchr(p, '\n', static_cast<size_t>(end - p))) {
        p = static_cast<const char*>(lf) + 1;
        starts.push_back(static_cast<size_t>(p - data));
    }
    if (starts.back() == got) starts.pop_back();  // no line after a final LF
    std::free(data);
    return static_cast<long>(starts.size());
}

}  // namespace line_start_floor

#ifndef LINE_START_FLOOR_NO_MAIN
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: LineStartFloor FILE   (prints the number of lines)\n", stderr);
        return 2;
    }
    std::vector<size_t> starts;
    long lines = line_start_floor::LineStarts(argv[1], starts);
    if (lines < 0) {
        std::fprintf(stderr, "LineStartFloor: cannot read %s\n", argv[1]);
        return 2;
    }
    std::printf("%ld\n", lines);
    return 0;
}
#endif
