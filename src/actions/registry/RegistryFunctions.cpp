#include "actions/registry/RegistryFunctions.h"

#include <vector>

#include "runtime/byte_order.h"
#include "runtime/handles.h"

namespace {

constexpr REGSAM kRead = KEY_READ;    // 0x20019
constexpr REGSAM kWrite = KEY_WRITE;  // 0x20006

// Opens a key, or creates every missing key along the path; the owner stays empty on failure.
LONG OpenRegKey(HKEY root, const std::string& subKey, REGSAM access, rt::RegKey& key) {
    return RegOpenKeyExA(root, subKey.c_str(), 0, access, key.put());
}
LONG CreateRegKey(HKEY root, const std::string& subKey, rt::RegKey& key) {
    return RegCreateKeyA(root, subKey.c_str(), key.put());
}

void DefaultMessage(const std::string& text, const std::string& title, unsigned flags) {
    MessageBoxA(nullptr, text.c_str(), title.c_str(), flags);
}

// The executable's name without folder and extension.
std::string DefaultTitle() {
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path, n < MAX_PATH ? n : 0);
    if (auto slash = name.find_last_of("\\/"); slash != std::string::npos) name.erase(0, slash + 1);
    if (auto dot = name.rfind('.'); dot != std::string::npos) name.erase(dot);
    return name;
}

}  // namespace

RegistryFunctions::MessageFn RegistryFunctions::ShowMessage = DefaultMessage;
std::function<std::string()> RegistryFunctions::AppTitle = DefaultTitle;

std::string RegistryFunctions::RegistryErrorText(LONG code) {
    switch (code) {
        case 2:
        case 1010:
            return "Bad Key Name";
        case 4:
        case 1012:
            return "Can't Read Key";
        case 5:
            return "Access To this key Is Denied";
        case 8:
        case 14:
            return "Out Of memory";
        case 87:
            return "Invalid Parameter";
        case 234:
            return "There Is More Data Than The Buffer Has Been Allocated To Hold";
        case 1009:
        case 1015:
            return "The Registry Database Is Corrupt!";
        case 1011:
            return "Can't Open Key";
        case 1013:
            return "Can't Write Key";
        default:
            return "Undefined Error Code : " + std::to_string(code);
    }
}

HKEY RegistryFunctions::RootKeyFromName(const std::string& name) {
    static const struct {
        const char* name;
        HKEY key;
    } roots[] = {
        {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {"HKEY_USERS", HKEY_USERS},
        {"HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA},
        {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
        {"HKEY_DYN_DATA", HKEY_DYN_DATA},
    };
    for (const auto& r : roots)
        if (name == r.name) return r.key;
    return nullptr;
}

HKEY RegistryFunctions::ParseKeyPath(const std::string& path, std::string& subKey) const {
    subKey.clear();
    if (path.compare(0, 5, "HKEY_") != 0 || path.back() == '\\') {
        ShowMessage(std::string(kIncorrectFormat) + "\n\n" + path, AppTitle(), MB_OK);
        return nullptr;
    }
    auto slash = path.find('\\');
    if (slash == std::string::npos) return RootKeyFromName(path);
    subKey = path.substr(slash + 1);
    return RootKeyFromName(path.substr(0, slash));
}

void RegistryFunctions::Report(LONG code) const {
    if (displayErrors_) ShowMessage(RegistryErrorText(code), AppTitle(), MB_OK | kExclamation);
}

RegistryFunctions::Opened RegistryFunctions::OpenPath(const std::string& path, REGSAM access, rt::RegKey& key,
                                                      bool report) const {
    std::string subKey;
    HKEY root = ParseKeyPath(path, subKey);
    if (!root) return Opened::Refused;
    if (LONG rc = OpenRegKey(root, subKey, access, key); rc != ERROR_SUCCESS) {
        if (report) Report(rc);
        return Opened::Failed;
    }
    return Opened::Open;
}

std::string RegistryFunctions::ReadFailure(LONG code) const {
    Report(code);
    return kErrorResult;
}

bool RegistryFunctions::WriteValue(const std::string& sKey, const std::string& sKeyName, DWORD type,
                                   const BYTE* data, DWORD size) {
    std::string subKey;
    HKEY root = ParseKeyPath(sKey, subKey);
    if (!root) return false;
    {
        rt::RegKey probe;
        if (OpenRegKey(root, subKey, kRead, probe) != ERROR_SUCCESS) {
            rt::RegKey created;
            CreateRegKey(root, subKey, created);  // a failure shows in the next step
        }
    }
    rt::RegKey key;
    if (LONG rc = OpenRegKey(root, subKey, kWrite, key); rc != ERROR_SUCCESS) {
        Report(rc);
        return false;
    }
    LONG rc = RegSetValueExA(key.get(), sKeyName.c_str(), 0, type, data, size);
    if (rc != ERROR_SUCCESS) {
        Report(rc);
        return false;
    }
    return true;
}

bool RegistryFunctions::SetStringValue(const std::string& sKey, const std::string& sKeyName,
                                       const std::string& KeyValue) {
    // The data with its terminating zero byte.
    return WriteValue(sKey, sKeyName, REG_SZ, reinterpret_cast<const BYTE*>(KeyValue.c_str()),
                      static_cast<DWORD>(KeyValue.size() + 1));
}

bool RegistryFunctions::SetDWordValue(const std::string& sKey, const std::string& sKeyName,
                                      int32_t KeyValue) {
    const auto v = static_cast<uint32_t>(KeyValue);
    const BYTE bytes[4] = {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v >> 16),
                           static_cast<BYTE>(v >> 24)};
    return WriteValue(sKey, sKeyName, REG_DWORD, bytes, 4);
}

bool RegistryFunctions::SetBinaryValue(const std::string& sKey, const std::string& sKeyName,
                                       const std::string& KeyValue) {
    rt::RegKey key;
    if (OpenPath(sKey, kWrite, key) != Opened::Open) return false;
    // No bytes, no value: the original could not build its buffer either.
    if (KeyValue.empty()) return false;
    LONG rc =
        RegSetValueExA(key.get(), sKeyName.c_str(), 0, REG_BINARY,
                       reinterpret_cast<const BYTE*>(KeyValue.data()), static_cast<DWORD>(KeyValue.size()));
    if (rc != ERROR_SUCCESS) {
        Report(rc);
        return false;
    }
    return true;
}

RegistryFunctions::DWordResult RegistryFunctions::GetDWordValue(const std::string& sKey,
                                                                const std::string& sKeyName) {
    rt::RegKey key;
    const Opened opened = OpenPath(sKey, kRead, key);
    if (opened == Opened::Refused) return std::monostate{};
    if (opened == Opened::Failed) return std::string(kErrorResult);
    BYTE bytes[4] = {};
    DWORD type = REG_DWORD, size = sizeof bytes;
    if (LONG rc = RegQueryValueExA(key.get(), sKeyName.c_str(), nullptr, &type, bytes, &size);
        rc != ERROR_SUCCESS)
        return ReadFailure(rc);
    const uint32_t v = rt::ReadLE32(bytes);
    return static_cast<int32_t>(v);
}

RegistryFunctions::TextResult RegistryFunctions::GetBinaryValue(const std::string& sKey,
                                                                const std::string& sKeyName) {
    rt::RegKey key;
    const Opened opened = OpenPath(sKey, kRead, key);
    if (opened == Opened::Refused) return std::nullopt;
    if (opened == Opened::Failed) return std::string(kErrorResult);
    // The first query only learns the size.
    BYTE one = 0;
    DWORD size = 1;
    RegQueryValueExA(key.get(), sKeyName.c_str(), nullptr, nullptr, &one, &size);
    std::vector<BYTE> buffer(size ? size : 1, ' ');
    DWORD got = size;
    if (LONG rc = RegQueryValueExA(key.get(), sKeyName.c_str(), nullptr, nullptr, buffer.data(), &got);
        rc != ERROR_SUCCESS)
        return ReadFailure(rc);
    return std::string(buffer.begin(), buffer.begin() + (got < size ? got : size));
}

RegistryFunctions::TextResult RegistryFunctions::GetStringValue(const std::string& sKey,
                                                                const std::string& sKeyName) {
    rt::RegKey key;
    const Opened opened = OpenPath(sKey, kRead, key);
    if (opened == Opened::Refused) return std::nullopt;
    if (opened == Opened::Failed) return std::string(kErrorResult);
    // 255 bytes: a text of 254 characters and its zero; longer values fail with 234.
    char buffer[255];
    DWORD type = REG_SZ, size = sizeof buffer;
    if (LONG rc = RegQueryValueExA(key.get(), sKeyName.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(buffer), &size);
        rc != ERROR_SUCCESS)
        return ReadFailure(rc);
    // The data up to its terminating zero, exactly as stored: blanks stay, no zero is carried.
    std::string text(buffer, size <= sizeof buffer ? size : sizeof buffer);
    if (auto nul = text.find('\0'); nul != std::string::npos) text.erase(nul);
    return text;
}

bool RegistryFunctions::CreateKey(const std::string& sKey) {
    std::string subKey;
    HKEY root = ParseKeyPath(sKey, subKey);
    if (!root) return false;
    rt::RegKey key;
    return CreateRegKey(root, subKey, key) == ERROR_SUCCESS;
}

bool RegistryFunctions::DeleteKey(const std::string& KeyName) {
    std::string subKey;
    HKEY root = ParseKeyPath(KeyName, subKey);
    if (!root) return false;
    // A path of a root alone names no key to delete: a root key is never deleted.
    if (subKey.empty()) return false;
    if (LONG rc = RegDeleteKeyA(root, subKey.c_str()); rc != ERROR_SUCCESS) {
        Report(rc);
        return false;
    }
    return true;
}

bool RegistryFunctions::DeleteKeyValue(const std::string& sKeyName, const std::string& sValueName) {
    rt::RegKey key;
    if (OpenPath(sKeyName, kWrite, key, false) != Opened::Open) return false;
    if (LONG rc = RegDeleteValueA(key.get(), sValueName.c_str()); rc != ERROR_SUCCESS) {
        Report(rc);
        return false;
    }
    return true;
}

bool RegistryFunctions::KeyExist(const std::string& sKey) {
    rt::RegKey key;
    return OpenPath(sKey, kRead, key, false) == Opened::Open;
}

std::optional<bool> RegistryFunctions::KeyValueExist(const std::string& sKey, const std::string& sKeyName) {
    rt::RegKey key;
    if (OpenPath(sKey, kRead, key, false) != Opened::Open) return std::nullopt;
    DWORD size = 0;
    return RegQueryValueExA(key.get(), sKeyName.c_str(), nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS;
}
