// Store bytes built by hand, and a private system temporary folder for the copies.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace storetest {

using Bytes = std::string;

inline void PutI16(Bytes& b, int16_t v) {
    auto u = static_cast<uint16_t>(v);
    b += static_cast<char>(u & 0xFF);
    b += static_cast<char>(u >> 8);
}

inline void PutI32(Bytes& b, int32_t v) {
    auto u = static_cast<uint32_t>(v);
    for (int s = 0; s < 32; s += 8) b += static_cast<char>((u >> s) & 0xFF);
}

inline Bytes Header(int32_t count, int32_t total, int16_t entryStart = 15, const char* sig = "Arc",
                    uint8_t version = 1) {
    Bytes b(sig, 3);
    b += static_cast<char>(version);
    PutI32(b, count);
    PutI16(b, entryStart);
    PutI32(b, total);
    return b;
}

inline Bytes Entry(const std::string& name, const Bytes& data) {
    Bytes b;
    PutI16(b, static_cast<int16_t>(name.size()));
    b += name;
    PutI32(b, static_cast<int32_t>(data.size()));
    b += data;
    return b;
}

struct Member {
    std::string name;
    Bytes data;
};

// A well-formed store of the members, header counts right.
inline Bytes Store(const std::vector<Member>& members) {
    int32_t total = 0;
    Bytes body;
    for (const Member& m : members) {
        body += Entry(m.name, m.data);
        total += static_cast<int32_t>(m.data.size());
    }
    return Header(static_cast<int32_t>(members.size()), total) + body;
}

// Bytes of a recognisable pattern, different per seed.
inline Bytes Pattern(size_t n, int seed) {
    Bytes b(n, '\0');
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<char>((i * 31 + static_cast<size_t>(seed) * 7 + i / 251) & 0xFF);
    return b;
}

inline void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::optional<Bytes> ReadFile(const std::string& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) return std::nullopt;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string Sep() {
    return std::string(1, static_cast<char>(std::filesystem::path::preferred_separator));
}

inline void SetEnv(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

inline void UnsetEnvOrRestore(const char* name, const std::optional<std::string>& old) {
#ifdef _WIN32
    _putenv_s(name, old ? old->c_str() : "");
#else
    if (old)
        setenv(name, old->c_str(), 1);
    else
        unsetenv(name);
#endif
}

// Points the system temporary folder at a private one for the test's life.
class PrivateTemp {
public:
    PrivateTemp() {
        system_ = work_.Path() + "systemp";
        std::filesystem::create_directories(system_);
        for (const char* name : kVars) {
            const char* v = std::getenv(name);
            saved_.push_back(v ? std::optional<std::string>(v) : std::nullopt);
            SetEnv(name, system_);
        }
    }
    ~PrivateTemp() {
        for (size_t i = 0; i < std::size(kVars); ++i) UnsetEnvOrRestore(kVars[i], saved_[i]);
    }
    // The system temporary folder as the platform reports it, without a trailing separator.
    const std::string& System() const { return system_; }
    std::string Copies() const { return system_ + Sep() + "vantrel"; }
    std::string Copy(const std::string& name) const { return Copies() + Sep() + name; }
    // A scratch folder outside the temporary folder, with a trailing separator.
    std::string Work() const { return work_.Path(); }

private:
#ifdef _WIN32
    static constexpr const char* kVars[] = {"TMP", "TEMP"};
#else
    static constexpr const char* kVars[] = {"TMPDIR"};
#endif
    testsupport::TempDir work_;
    std::string system_;
    std::vector<std::optional<std::string>> saved_;
};

// Names of the entries of a folder (empty when it is missing).
inline std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace storetest
