#include "engine/text/LoadLimit.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace quinkle {

int64_t AvailableMemory() {
    std::ifstream meminfo("/proc/meminfo");
    std::string line;
    while (std::getline(meminfo, line)) {
        long long kilobytes = 0;
        if (std::sscanf(line.c_str(), "MemAvailable: %lld kB", &kilobytes) == 1)
            return static_cast<int64_t>(kilobytes) * 1024;
    }
    return -1;
}

std::string ReadableSize(int64_t bytes) {
    constexpr int64_t kKilo = 1024, kMega = kKilo * 1024, kGiga = kMega * 1024;
    char text[32];
    if (bytes >= kGiga)
        std::snprintf(text, sizeof text, "%.1f GB", static_cast<double>(bytes) / kGiga);
    else if (bytes >= kMega)
        std::snprintf(text, sizeof text, "%lld MB", static_cast<long long>(bytes / kMega));
    else if (bytes >= kKilo)
        std::snprintf(text, sizeof text, "%lld KB", static_cast<long long>(bytes / kKilo));
    else
        std::snprintf(text, sizeof text, "%lld bytes", static_cast<long long>(bytes));
    return text;
}

std::string LoadRefusal(const std::string& name, int64_t size, int64_t available) {
    std::ostringstream why;
    if (size > kMaxLoadBytes) {
        why << "The file \"" << name << "\" is too large to open (" << ReadableSize(size)
            << "). HTML Quinkle opens files of up to " << ReadableSize(kMaxLoadBytes) << ".";
        return why.str();
    }
    const auto needed = static_cast<int64_t>(static_cast<double>(size) * kLoadMemoryFactor);
    if (available >= 0 && needed > available) {
        why << "There is not enough free memory to open the file \"" << name << "\" ("
            << ReadableSize(size) << "): it needs about " << ReadableSize(needed) << ", and "
            << ReadableSize(available) << " is free. Close other programs and try again.";
        return why.str();
    }
    return {};
}

}  // namespace quinkle
