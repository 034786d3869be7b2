// The registry of a simulated machine: keys below HKEY_LOCAL_MACHINE, opened by path and
// walked by index; names compare without regard to case.
#include <cstring>

#include "platform/ascii.h"
#include "platform/sim/machine.h"
#include "platform/win32.h"

namespace sim {
namespace {

win32::LONG Result(DWORD error) {
    return static_cast<win32::LONG>(error);
}

// The next name of a backslash-separated path; empty names (doubled separators) are skipped.
std::string_view NextName(std::string_view& path) {
    while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
    const std::size_t end = path.find('\\');
    const std::string_view name = path.substr(0, end);
    path.remove_prefix(end == std::string_view::npos ? path.size() : end);
    return name;
}

}  // namespace

RegistryKey* RegistryKey::Child(std::string_view name) {
    for (auto& subkey : subkeys_) {
        if (platform::EqualsNoCase(subkey->name_, name)) return subkey.get();
    }
    return nullptr;
}

RegistryKey& RegistryKey::MakeSubkey(std::string_view path) {
    RegistryKey* key = this;
    for (std::string_view name = NextName(path); !name.empty(); name = NextName(path)) {
        RegistryKey* next = key->Child(name);
        if (next == nullptr) {
            key->subkeys_.push_back(std::make_unique<RegistryKey>(std::string(name)));
            next = key->subkeys_.back().get();
        }
        key = next;
    }
    return *key;
}

RegistryKey* RegistryKey::FindSubkey(std::string_view path) {
    RegistryKey* key = this;
    for (std::string_view name = NextName(path); key && !name.empty(); name = NextName(path)) {
        key = key->Child(name);
    }
    return key;
}

void RegistryKey::SetValue(const std::string& name, RegistryValue value) {
    for (auto& [existing, stored] : values_) {
        if (platform::EqualsNoCase(existing, name)) {
            stored = std::move(value);
            return;
        }
    }
    values_.emplace_back(name, std::move(value));
}

const RegistryValue* RegistryKey::FindValue(std::string_view name) const {
    for (const auto& [existing, stored] : values_) {
        if (platform::EqualsNoCase(existing, name)) return &stored;
    }
    return nullptr;
}

RegistryKey* Machine::OpenKey(win32::HKEY key) {
    if (key == win32::HKEY_LOCAL_MACHINE) return &registry_;
    auto it = openKeys_.find(key);
    return it == openKeys_.end() ? nullptr : it->second;
}

win32::LONG Machine::RegOpenKey(win32::HKEY key, const char* subKey, win32::HKEY* result) {
    std::lock_guard lock(mutex_);
    const std::string path = subKey ? subKey : "";
    Record("RegOpenKeyA " + path);
    if (result == nullptr) return Result(win32::ERROR_INVALID_PARAMETER);
    RegistryKey* base = OpenKey(key);
    if (base == nullptr) return Result(win32::ERROR_INVALID_HANDLE);
    RegistryKey* found = base->FindSubkey(path);
    if (found == nullptr) return Result(win32::ERROR_FILE_NOT_FOUND);
    *result = NewObjectHandle();
    openKeys_[*result] = found;
    return Result(win32::ERROR_SUCCESS);
}

win32::LONG Machine::RegEnumKey(win32::HKEY key, DWORD index, char* name, DWORD* nameSize) {
    std::lock_guard lock(mutex_);
    Record("RegEnumKeyExA " + std::to_string(index));
    RegistryKey* base = OpenKey(key);
    if (base == nullptr) return Result(win32::ERROR_INVALID_HANDLE);
    if (name == nullptr || nameSize == nullptr) return Result(win32::ERROR_INVALID_PARAMETER);
    if (index >= base->SubkeyCount()) return Result(win32::ERROR_NO_MORE_ITEMS);
    const std::string& subkey = base->SubkeyAt(index).Name();
    if (subkey.size() + 1 > *nameSize) return Result(win32::ERROR_MORE_DATA);
    std::memcpy(name, subkey.c_str(), subkey.size() + 1);
    *nameSize = static_cast<DWORD>(subkey.size());
    return Result(win32::ERROR_SUCCESS);
}

win32::LONG Machine::RegQueryValue(win32::HKEY key, const char* name, DWORD* type,
                                   win32::BYTE* data, DWORD* size) {
    std::lock_guard lock(mutex_);
    Record("RegQueryValueExA " + std::string(name ? name : ""));
    RegistryKey* base = OpenKey(key);
    if (base == nullptr) return Result(win32::ERROR_INVALID_HANDLE);
    const RegistryValue* value = base->FindValue(name ? name : "");
    if (value == nullptr) return Result(win32::ERROR_FILE_NOT_FOUND);
    if (type != nullptr) *type = value->type;
    const auto length = static_cast<DWORD>(value->data.size());
    if (data != nullptr && *size < length) {
        *size = length;
        return Result(win32::ERROR_MORE_DATA);
    }
    if (data != nullptr) std::memcpy(data, value->data.data(), length);
    if (size != nullptr) *size = length;
    return Result(win32::ERROR_SUCCESS);
}

win32::LONG Machine::RegCloseKey(win32::HKEY key) {
    std::lock_guard lock(mutex_);
    Record("RegCloseKey");
    if (key == win32::HKEY_LOCAL_MACHINE) return Result(win32::ERROR_SUCCESS);
    return Result(openKeys_.erase(key) == 1 ? win32::ERROR_SUCCESS : win32::ERROR_INVALID_HANDLE);
}

}  // namespace sim
