// Registry access by full key path ("HKEY_CURRENT_USER\Software\..."), through the ANSI
// registry calls. The registry actions keep one instance on the main window.
//
// Every member first splits its path into a root key and a sub key; a path that does not begin
// with "HKEY_" or that ends with a backslash is refused with the "Incorrect Format: " message,
// whatever the error-message setting, and a root name outside the table is refused silently.
// A refused path touches nothing. Registry failures never reach the caller as errors: they show
// in the results, and in a message box only while the error-message setting is on.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "runtime/handles.h"

class RegistryFunctions {
public:
    // What GetDWordValue answers: nothing (refused path), the number, or the text "Error".
    using DWordResult = std::variant<std::monostate, int32_t, std::string>;
    // What GetStringValue and GetBinaryValue answer: nothing (refused path), the data as text,
    // or the text "Error".
    using TextResult = std::optional<std::string>;

    static constexpr const char* kErrorResult = "Error";
    static constexpr const char* kIncorrectFormat = "Incorrect Format: ";
    static constexpr unsigned kExclamation = MB_ICONEXCLAMATION;  // 48

    // Shows one message: text, title, message-box flags. Replaceable so the owner of the
    // program's message boxes (and tests) can take the messages over.
    using MessageFn = std::function<void(const std::string& text, const std::string& title, unsigned flags)>;
    static MessageFn ShowMessage;
    // The title of the class's messages: the program's title.
    static std::function<std::string()> AppTitle;

    void SetDisplayErrorMsg(bool vNewValue) noexcept { displayErrors_ = vNewValue; }

    bool SetDWordValue(const std::string& sKey, const std::string& sKeyName, int32_t KeyValue);
    DWordResult GetDWordValue(const std::string& sKey, const std::string& sKeyName);
    bool SetBinaryValue(const std::string& sKey, const std::string& sKeyName, const std::string& KeyValue);
    TextResult GetBinaryValue(const std::string& sKey, const std::string& sKeyName);
    bool SetStringValue(const std::string& sKey, const std::string& sKeyName, const std::string& KeyValue);
    TextResult GetStringValue(const std::string& sKey, const std::string& sKeyName);
    bool CreateKey(const std::string& sKey);
    bool DeleteKey(const std::string& KeyName);
    bool DeleteKeyValue(const std::string& sKeyName, const std::string& sValueName);
    // True, or false where the original answers empty: the two test the same.
    bool KeyExist(const std::string& sKey);
    // True or false when the key opens; nothing when it does not or the path is refused.
    std::optional<bool> KeyValueExist(const std::string& sKey, const std::string& sKeyName);

    // The failure text of a registry result code.
    static std::string RegistryErrorText(LONG code);
    // The predefined handle of a root name (exact case), or nullptr.
    static HKEY RootKeyFromName(const std::string& name);

private:
    // Splits a full key path; returns the root (nullptr when refused) and sets subKey.
    HKEY ParseKeyPath(const std::string& path, std::string& subKey) const;
    void Report(LONG code) const;
    // How opening the key of a full path ended.
    enum class Opened { Refused, Failed, Open };
    // Opens the key of a full path with this access; a failure to open is reported when `report`.
    Opened OpenPath(const std::string& path, REGSAM access, rt::RegKey& key, bool report = true) const;
    // A read's answer to a failed registry call, which is reported.
    std::string ReadFailure(LONG code) const;
    // The shared road of the two value writers.
    bool WriteValue(const std::string& sKey, const std::string& sKeyName, DWORD type, const BYTE* data,
                    DWORD size);

    bool displayErrors_ = false;
};
