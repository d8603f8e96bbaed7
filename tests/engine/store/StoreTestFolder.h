// A scratch folder for the store tests, and a scoped environment variable.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace quinkle::testing {

/// A fresh folder under the temporary folder, removed with its content afterwards.
class StoreTestFolder {
public:
    StoreTestFolder() {
        std::string pattern = std::filesystem::temp_directory_path() / "quinkle-store-XXXXXX";
        if (!::mkdtemp(pattern.data())) ADD_FAILURE() << "cannot create a scratch folder";
        m_path = pattern;
    }
    ~StoreTestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string Path(const std::string& name = "") const { return m_path + "/" + name; }
    size_t EntryCount() const {
        auto entries = std::filesystem::directory_iterator(m_path);
        return static_cast<size_t>(std::distance(begin(entries), end(entries)));
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

private:
    std::string m_path;
};

/// Sets (or, given nullptr, unsets) an environment variable until the end of the scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : m_name(name) {
        if (const char* old = ::getenv(name)) m_old = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnvironment() {
        m_old ? ::setenv(m_name.c_str(), m_old->c_str(), 1) : ::unsetenv(m_name.c_str());
    }

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

}  // namespace quinkle::testing
