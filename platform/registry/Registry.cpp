#include "platform/registry/Registry.h"

#include "platform/registry/RegistryFile.h"

#include <cstring>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace platform {

// A handle: which key (root and names on the way) and the rights it was opened with.
// The key itself lives in the file; a handle outlives nothing but its own names.
struct RegistryKey {
    std::string root;
    std::vector<std::string> path;
    std::uint32_t access = 0;
};

namespace {

using registryfile::Document;

RegistryKey classesRoot{"HKEY_CLASSES_ROOT", {}, KEY_ALL_ACCESS};
RegistryKey currentUser{"HKEY_CURRENT_USER", {}, KEY_ALL_ACCESS};
RegistryKey localMachine{"HKEY_LOCAL_MACHINE", {}, KEY_ALL_ACCESS};

// Rights that change a key: set value, create sub-key, create link, delete,
// write DAC, write owner.
constexpr std::uint32_t kWriteRights = 0x0002 | 0x0004 | 0x0020 | 0x00010000 | 0x00040000 | 0x00080000;

std::unordered_map<RegistryKey*, std::unique_ptr<RegistryKey>>& OpenHandles() {
    static std::unordered_map<RegistryKey*, std::unique_ptr<RegistryKey>> handles;
    return handles;
}

bool IsRoot(HKEY key) {
    return key == &classesRoot || key == &currentUser || key == &localMachine;
}

bool IsValid(HKEY key) {
    return key != nullptr && (IsRoot(key) || OpenHandles().count(key) != 0);
}

HKEY NewHandle(const std::string& root, std::vector<std::string> path, std::uint32_t access) {
    auto handle = std::make_unique<RegistryKey>(RegistryKey{root, std::move(path), access});
    HKEY raw = handle.get();
    OpenHandles().emplace(raw, std::move(handle));
    return raw;
}

char Fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Fold(a[i]) != Fold(b[i])) {
            return false;
        }
    }
    return true;
}

std::vector<std::string> SplitKeyPath(const std::string& subKey) {
    std::vector<std::string> names;
    std::string name;
    for (char c : subKey) {
        if (c == '\\') {
            if (!name.empty()) {
                names.push_back(std::move(name));
            }
            name.clear();
        } else {
            name += c;
        }
    }
    if (!name.empty()) {
        names.push_back(std::move(name));
    }
    return names;
}

// The member of `object` whose name matches `name` ignoring case, or end().
Document::iterator FindMember(Document& object, const std::string& name) {
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (SameName(it.key(), name)) {
            return it;
        }
    }
    return object.end();
}

bool IsWellFormedKey(const Document& key) {
    if (!key.is_object()) {
        return false;
    }
    const auto keys = key.find("keys");
    const auto values = key.find("values");
    return (keys == key.end() || keys->is_object()) && (values == key.end() || values->is_object());
}

bool IsProtected(const Document& key) {
    const auto flag = key.find("writable");
    return flag != key.end() && *flag == false;
}

bool HoldsProtectedKey(const Document& key) {
    if (IsProtected(key)) {
        return true;
    }
    const auto keys = key.find("keys");
    if (keys != key.end() && keys->is_object()) {
        for (const auto& child : *keys) {
            if (HoldsProtectedKey(child)) {
                return true;
            }
        }
    }
    return false;
}

// Drops an empty "keys" or "values" member so the file stays tidy.
void DropIfEmpty(Document& key, const char* member) {
    const auto it = key.find(member);
    if (it != key.end() && it->empty()) {
        key.erase(it);
    }
}

// Where a walk through the tree ended.
struct Walk {
    long status = ERROR_SUCCESS;
    Document* key = nullptr;
    bool locked = false;  // the key or one above it is protected
    bool created = false;
};

// Steps from `key` to its sub-key `name`; creates it when asked and allowed.
Walk Step(Walk at, const std::string& name, bool create) {
    Document& keys = (*at.key)["keys"];
    auto child = FindMember(keys, name);
    if (child == keys.end()) {
        if (!create) {
            DropIfEmpty(*at.key, "keys");
            return {ERROR_FILE_NOT_FOUND};
        }
        if (at.locked) {
            return {ERROR_ACCESS_DENIED};
        }
        keys[name] = Document::object();
        child = FindMember(keys, name);
        at.created = true;
    }
    if (!IsWellFormedKey(*child)) {
        return {ERROR_BADDB};
    }
    at.key = &*child;
    at.locked = at.locked || IsProtected(*child);
    return at;
}

// Walks to the key a handle names; a key gone since it was opened is reported
// as deleted.
Walk WalkToHandle(Document& document, const RegistryKey& handle) {
    Document& root = document[handle.root];
    if (root.is_null()) {
        root = Document::object();
    }
    if (!IsWellFormedKey(root)) {
        return {ERROR_BADDB};
    }
    Walk at{ERROR_SUCCESS, &root, IsProtected(root), false};
    for (const auto& name : handle.path) {
        at = Step(at, name, false);
        if (at.status != ERROR_SUCCESS) {
            return {at.status == ERROR_FILE_NOT_FOUND ? ERROR_KEY_DELETED : at.status};
        }
    }
    return at;
}

Walk WalkDown(Walk at, const std::vector<std::string>& names, bool create) {
    for (const auto& name : names) {
        at = Step(at, name, create);
        if (at.status != ERROR_SUCCESS) {
            return at;
        }
    }
    return at;
}

std::vector<std::string> Joined(const std::vector<std::string>& base, const std::vector<std::string>& more) {
    std::vector<std::string> all = base;
    all.insert(all.end(), more.begin(), more.end());
    return all;
}

long SaveOrFail(const Document& document) {
    return registryfile::Save(document) ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

long OpenOrCreate(HKEY root, const std::string& subKey, std::uint32_t samDesired, HKEY* result,
                  bool create) {
    registryfile::Hold hold(create);
    if (!IsValid(root)) {
        return ERROR_INVALID_HANDLE;
    }
    if (result == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    auto document = registryfile::Load();
    if (!document) {
        return ERROR_BADDB;
    }
    Walk at = WalkToHandle(*document, *root);
    if (at.status != ERROR_SUCCESS) {
        return at.status;
    }
    const std::vector<std::string> names = SplitKeyPath(subKey);
    if (create) {
        // Creating needs the right on the handle we create through, but only when
        // something is actually created.
        Walk probe = WalkDown(at, names, false);
        if (probe.status == ERROR_FILE_NOT_FOUND && (root->access & KEY_CREATE_SUB_KEY) == 0) {
            return ERROR_ACCESS_DENIED;
        }
    }
    at = WalkDown(at, names, create);
    if (at.status != ERROR_SUCCESS) {
        return at.status;
    }
    if (at.locked && (samDesired & kWriteRights) != 0) {
        return ERROR_ACCESS_DENIED;
    }
    if (at.created) {
        if (long saved = SaveOrFail(*document); saved != ERROR_SUCCESS) {
            return saved;
        }
    }
    *result = NewHandle(root->root, Joined(root->path, names), samDesired);
    return ERROR_SUCCESS;
}

// The file and the key an open handle names, once the handle is known to hold
// `right`; anything but ERROR_SUCCESS leaves both unusable.
long LoadHandleKey(HKEY key, std::uint32_t right, std::optional<Document>& document, Walk& at) {
    if ((key->access & right) == 0) {
        return ERROR_ACCESS_DENIED;
    }
    document = registryfile::Load();
    if (!document) {
        return ERROR_BADDB;
    }
    at = WalkToHandle(*document, *key);
    return at.status;
}

// The value's type and bytes as the query hands them out.
long Encode(const Document& value, std::uint32_t& type, std::string& bytes) {
    if (value.is_string()) {
        type = REG_SZ;
        bytes = value.get<std::string>();
        bytes.push_back('\0');
        return ERROR_SUCCESS;
    }
    if (value.is_number_integer() && value >= 0 && value <= 0xFFFFFFFFll) {
        type = REG_DWORD;
        const auto number = value.get<std::uint32_t>();
        bytes.assign(reinterpret_cast<const char*>(&number), sizeof number);
        return ERROR_SUCCESS;
    }
    return ERROR_BADDB;
}

}  // namespace

HKEY const HKEY_CLASSES_ROOT = &classesRoot;
HKEY const HKEY_CURRENT_USER = &currentUser;
HKEY const HKEY_LOCAL_MACHINE = &localMachine;

long RegOpenKeyEx(HKEY root, const std::string& subKey, std::uint32_t samDesired, HKEY* result) {
    return OpenOrCreate(root, subKey, samDesired, result, false);
}

long RegCreateKeyEx(HKEY root, const std::string& subKey, std::uint32_t samDesired, HKEY* result) {
    return OpenOrCreate(root, subKey, samDesired, result, true);
}

long RegCloseKey(HKEY key) {
    registryfile::Hold hold;
    if (IsRoot(key)) {
        return ERROR_SUCCESS;
    }
    return OpenHandles().erase(key) != 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

long RegQueryValueEx(HKEY key, const std::string& valueName, std::uint32_t* type, void* data,
                     std::uint32_t* dataSize) {
    registryfile::Hold hold;
    if (!IsValid(key)) {
        return ERROR_INVALID_HANDLE;
    }
    if (data != nullptr && dataSize == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    std::optional<Document> document;
    Walk at;
    if (long status = LoadHandleKey(key, KEY_QUERY_VALUE, document, at); status != ERROR_SUCCESS) {
        return status;
    }
    Document& values = (*at.key)["values"];
    const auto value = FindMember(values, valueName);
    if (value == values.end()) {
        return ERROR_FILE_NOT_FOUND;
    }
    std::uint32_t valueType = 0;
    std::string bytes;
    if (long encoded = Encode(*value, valueType, bytes); encoded != ERROR_SUCCESS) {
        return encoded;
    }
    if (type != nullptr) {
        *type = valueType;
    }
    const auto needed = static_cast<std::uint32_t>(bytes.size());
    if (data == nullptr) {
        if (dataSize != nullptr) {
            *dataSize = needed;
        }
        return ERROR_SUCCESS;
    }
    if (*dataSize < needed) {
        *dataSize = needed;
        return ERROR_MORE_DATA;
    }
    std::memcpy(data, bytes.data(), needed);
    *dataSize = needed;
    return ERROR_SUCCESS;
}

long RegSetValueEx(HKEY key, const std::string& valueName, std::uint32_t type, const void* data,
                   std::uint32_t size) {
    registryfile::Hold hold(true);
    if (!IsValid(key)) {
        return ERROR_INVALID_HANDLE;
    }
    if (data == nullptr && size != 0) {
        return ERROR_INVALID_PARAMETER;
    }
    Document value;
    if (type == REG_SZ) {
        const auto* text = static_cast<const char*>(data);
        value = std::string(text, text == nullptr ? 0 : strnlen(text, size));
    } else if (type == REG_DWORD && size == sizeof(std::uint32_t)) {
        std::uint32_t number = 0;
        std::memcpy(&number, data, sizeof number);
        value = number;
    } else {
        return ERROR_INVALID_PARAMETER;
    }
    std::optional<Document> document;
    Walk at;
    if (long status = LoadHandleKey(key, KEY_SET_VALUE, document, at); status != ERROR_SUCCESS) {
        return status;
    }
    if (at.locked) {
        return ERROR_ACCESS_DENIED;
    }
    Document& values = (*at.key)["values"];
    const auto existing = FindMember(values, valueName);
    // An existing value keeps the spelling it was created with.
    values[existing == values.end() ? valueName : existing.key()] = std::move(value);
    return SaveOrFail(*document);
}

long RegDeleteValue(HKEY key, const std::string& valueName) {
    registryfile::Hold hold(true);
    if (!IsValid(key)) {
        return ERROR_INVALID_HANDLE;
    }
    std::optional<Document> document;
    Walk at;
    if (long status = LoadHandleKey(key, KEY_SET_VALUE, document, at); status != ERROR_SUCCESS) {
        return status;
    }
    Document& values = (*at.key)["values"];
    const auto value = FindMember(values, valueName);
    if (value == values.end()) {
        return ERROR_FILE_NOT_FOUND;
    }
    if (at.locked) {
        return ERROR_ACCESS_DENIED;
    }
    values.erase(value);
    DropIfEmpty(*at.key, "values");
    return SaveOrFail(*document);
}

long RegDeleteTree(HKEY root, const std::string& subKey) {
    registryfile::Hold hold(true);
    if (!IsValid(root)) {
        return ERROR_INVALID_HANDLE;
    }
    std::optional<Document> document;
    Walk at;
    if (long status = LoadHandleKey(root, KEY_SET_VALUE, document, at); status != ERROR_SUCCESS) {
        return status;
    }
    std::vector<std::string> names = SplitKeyPath(subKey);
    if (names.empty()) {
        if (at.locked || HoldsProtectedKey(*at.key)) {
            return ERROR_ACCESS_DENIED;
        }
        at.key->erase("keys");
        at.key->erase("values");
        return SaveOrFail(*document);
    }
    const std::string last = names.back();
    names.pop_back();
    Walk parent = WalkDown(at, names, false);
    if (parent.status != ERROR_SUCCESS) {
        return parent.status;
    }
    const Walk target = Step(parent, last, false);
    if (target.status != ERROR_SUCCESS) {
        return target.status;
    }
    if (target.locked || HoldsProtectedKey(*target.key)) {
        return ERROR_ACCESS_DENIED;
    }
    Document& keys = (*parent.key)["keys"];
    keys.erase(FindMember(keys, last));
    DropIfEmpty(*parent.key, "keys");
    return SaveOrFail(*document);
}

}  // namespace platform
