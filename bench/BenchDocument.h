// A large HTML document for the benchmarks, made from the HTML files found on the machine.
#pragma once

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quinkle::bench {

/// Megabytes of the benchmark document: QUINKLE_BENCH_MB, 20 when unset.
inline size_t DocumentBytes() {
    const char* mb = std::getenv("QUINKLE_BENCH_MB");
    long value = mb ? std::atol(mb) : 20;
    return static_cast<size_t>(value > 0 ? value : 1) << 20;
}

inline void CollectHtml(const std::string& dir, std::vector<std::string>& files, int depth) {
    if (depth > 8 || files.size() > 2000) return;
    DIR* handle = ::opendir(dir.c_str());
    if (!handle) return;
    while (dirent* entry = ::readdir(handle)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        std::string path = dir + "/" + name;
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) continue;
        if (S_ISDIR(info.st_mode))
            CollectHtml(path, files, depth + 1);
        else if (S_ISREG(info.st_mode) && (name.ends_with(".html") || name.ends_with(".htm")))
            files.push_back(path);
    }
    ::closedir(handle);
}

/// Real HTML pages from /usr/share/doc repeated up to the wanted size; a generated page
/// where the machine has none. Line ends are CR LF, as documents on disk usually have.
inline const std::string& Document() {
    static const std::string document = [] {
        std::vector<std::string> files;
        CollectHtml("/usr/share/doc", files, 0);
        std::string pages;
        for (const std::string& file : files) {
            std::ifstream in(file, std::ios::binary);
            pages.append(std::istreambuf_iterator<char>(in), {});
        }
        if (pages.size() < 4096) {
            for (int i = 0; i < 2000; ++i)
                pages += "<tr><td class=\"n\">" + std::to_string(i) + "</td><td><a href=\"page" +
                         std::to_string(i) +
                         ".html\">Entry</a> &amp; a few words of text</td></tr>\n";
        }
        std::string lf;
        for (char c : pages)
            if (c != '\r') lf += c;
        std::string out;
        size_t wanted = DocumentBytes();
        out.reserve(wanted + lf.size() * 2);
        while (out.size() < wanted)
            for (char c : lf) {
                if (c == '\n') out += '\r';
                out += c;
                if (out.size() >= wanted && c == '\n') break;
            }
        return out;
    }();
    return document;
}

/// The document written to a temporary file, removed when the program ends.
inline const std::string& DocumentFile() {
    static const std::string path = [] {
        std::string name = "/tmp/quinkle-bench-" + std::to_string(::getpid()) + ".html";
        std::ofstream(name, std::ios::binary) << Document();
        std::atexit([] {
            ::unlink(("/tmp/quinkle-bench-" + std::to_string(::getpid()) + ".html").c_str());
        });
        return name;
    }();
    return path;
}

/// Resident memory of this process in bytes.
inline size_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<size_t>(::sysconf(_SC_PAGESIZE));
}

}  // namespace quinkle::bench
