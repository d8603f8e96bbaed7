// The guard that keeps a second copy of the program from starting.
#pragma once

#include <string>

namespace quinkle {

/// An exclusive lock on "<program file name>_one_instance-<user id>.lock" in $XDG_RUNTIME_DIR
/// (or the temporary folder). The kernel releases it when the process ends, even after a crash, so
/// a stale lock file never blocks a start.
class SingleInstance {
public:
    /// The lock's name for a program file path: the part after the last "/", with the case it
    /// has, followed by "_one_instance".
    static std::string InstanceName(const std::string& programPath);
    /// The folder the lock file lives in.
    static std::string LockFolder();
    /// A file of the instance in the lock folder: "<instance name>-<user id><suffix>". The
    /// user's id keeps users who share a temporary folder apart.
    static std::string InstanceFile(const std::string& programPath, const char* suffix);

    SingleInstance() = default;
    ~SingleInstance() { Release(); }
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    /// Takes the lock for `programPath`; false when another process holds it or the lock file
    /// cannot be made (both mean: do not start).
    bool Acquire(const std::string& programPath);
    void Release();
    bool Held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

}  // namespace quinkle
