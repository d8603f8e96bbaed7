// The single-instance guard: an flock on a lock file named after the program file.
#include "gui/app/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace quinkle {

std::string SingleInstance::InstanceName(const std::string& programPath) {
    const std::string name = programPath + "_one_instance";
    const size_t slash = name.find_last_of('/');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

std::string SingleInstance::LockFolder() {
    for (const char* variable : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0' && access(value, W_OK | X_OK) == 0) return value;
    }
    return "/tmp";
}

std::string SingleInstance::InstanceFile(const std::string& programPath, const char* suffix) {
    return LockFolder() + "/" + InstanceName(programPath) + "-" + std::to_string(getuid()) + suffix;
}

bool SingleInstance::Acquire(const std::string& programPath) {
    Release();
    const std::string path = InstanceFile(programPath, ".lock");
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void SingleInstance::Release() {
    if (m_fd < 0) return;
    flock(m_fd, LOCK_UN);
    close(m_fd);
    m_fd = -1;
}

}  // namespace quinkle
