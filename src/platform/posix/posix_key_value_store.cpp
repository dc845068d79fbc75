#include "platform/posix/posix_key_value_store.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "engine/platform/ini_document.h"
#include "platform/posix/posix_error.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_folders.h"

namespace quorrix::platform {

using engine::NamedValue;
using engine::StoredValue;
using engine::StoreRoot;

namespace {

std::string_view trimSeparators(std::string_view path)
{
    while (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    while (!path.empty() && path.front() == '\\')
        path.remove_prefix(1);
    return path;
}

std::string normalisePath(const std::string& path)
{
    return std::string(trimSeparators(path));
}

bool samePath(const std::string& a, const std::string& b)
{
    return engine::equalsIgnoringCase(trimSeparators(a), trimSeparators(b));
}

// True when key lies below (not at) parent.
bool isBelow(const std::string& key, const std::string& parent)
{
    const std::string k = engine::foldCase(normalisePath(key));
    const std::string p = engine::foldCase(normalisePath(parent));
    if (p.empty())
        return !k.empty();
    return k.size() > p.size() + 1 && k.compare(0, p.size(), p) == 0 && k[p.size()] == '\\';
}

const char* const kFileNames[] = { "current-user.ini", "local-machine.ini", "classes-root.ini" };
const char* const kTitles[] = {
    "QUORRIX settings store, current user. Written by the program.",
    "QUORRIX settings store, local machine. Written by the program.",
    "QUORRIX settings store, classes. Written by the program.",
};

int indexOf(StoreRoot root)
{
    return static_cast<int>(root);
}

} // namespace

PosixKeyValueStore::PosixKeyValueStore(std::string folder)
    : m_folder(std::move(folder))
{
}

std::string PosixKeyValueStore::fileOf(StoreRoot root) const
{
    return m_folder + "/" + kFileNames[indexOf(root)];
}

std::string PosixKeyValueStore::locationOf(StoreRoot root, const std::string& keyPath) const
{
    return fileOf(root) + " [" + keyPath + "]";
}

PosixKeyValueStore::Root& PosixKeyValueStore::load(StoreRoot root)
{
    Root& r = m_roots[indexOf(root)];
    if (m_batchDepth > 0 && r.loaded)
        return r;
    PosixFileSystem files;
    const std::string path = fileOf(root);
    const auto stamp = files.stamp(path);
    if (r.loaded && stamp == r.stamp)
        return r;
    const auto bytes = files.readBytes(path);
    r.content = bytes ? parseStoreFile(*bytes) : StoreContent {};
    r.stamp = stamp;
    r.loaded = true;
    r.dirty = false;
    return r;
}

void PosixKeyValueStore::changed(StoreRoot root)
{
    m_roots[indexOf(root)].dirty = true;
    if (m_batchDepth == 0)
        flush(root);
}

void PosixKeyValueStore::flush(StoreRoot root)
{
    Root& r = m_roots[indexOf(root)];
    if (!r.dirty)
        return;
    makeFolders(m_folder);
    const std::string path = fileOf(root);
    replaceFileAtomically(path, serializeStoreFile(r.content, kTitles[indexOf(root)]), true, 0600);
    r.dirty = false;
    r.stamp = PosixFileSystem().stamp(path);
}

std::optional<StoredValue> PosixKeyValueStore::read(
    StoreRoot root, const std::string& keyPath, const std::string& valueName)
{
    Root& r = load(root);
    for (const StoreKey& key : r.content.keys) {
        if (!samePath(key.path, keyPath))
            continue;
        for (const NamedValue& v : key.values) {
            if (engine::equalsIgnoringCase(v.name, valueName))
                return v.value;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

void PosixKeyValueStore::write(StoreRoot root, const std::string& keyPath,
    const std::string& valueName, const StoredValue& value)
{
    if (std::holds_alternative<StoredValue::Other>(value.data))
        return; // a type the store cannot write
    Root& r = load(root);
    auto key = std::find_if(r.content.keys.begin(), r.content.keys.end(),
        [&](const StoreKey& k) { return samePath(k.path, keyPath); });
    if (key == r.content.keys.end()) {
        r.content.keys.push_back({ normalisePath(keyPath), {}, {} });
        key = r.content.keys.end() - 1;
    }
    auto existing = std::find_if(key->values.begin(), key->values.end(),
        [&](const NamedValue& v) { return engine::equalsIgnoringCase(v.name, valueName); });
    if (existing != key->values.end())
        existing->value = value;
    else
        key->values.push_back({ valueName, value });
    changed(root);
}

bool PosixKeyValueStore::keyExists(StoreRoot root, const std::string& keyPath)
{
    const Root& r = load(root);
    return std::any_of(r.content.keys.begin(), r.content.keys.end(),
        [&](const StoreKey& k) { return samePath(k.path, keyPath) || isBelow(k.path, keyPath); });
}

std::vector<NamedValue> PosixKeyValueStore::listValues(StoreRoot root, const std::string& keyPath)
{
    const Root& r = load(root);
    for (const StoreKey& key : r.content.keys) {
        if (samePath(key.path, keyPath))
            return key.values;
    }
    return {};
}

std::vector<std::string> PosixKeyValueStore::listSubKeys(StoreRoot root, const std::string& keyPath)
{
    const Root& r = load(root);
    const std::string parent = normalisePath(keyPath);
    std::vector<std::string> names;
    for (const StoreKey& key : r.content.keys) {
        if (!isBelow(key.path, parent))
            continue;
        const std::string path = normalisePath(key.path);
        const std::size_t start = parent.empty() ? 0 : parent.size() + 1;
        const std::string child = path.substr(start, path.find('\\', start) - start);
        const bool known = std::any_of(names.begin(), names.end(),
            [&](const std::string& n) { return engine::equalsIgnoringCase(n, child); });
        if (!known)
            names.push_back(child);
    }
    return names;
}

void PosixKeyValueStore::deleteKey(StoreRoot root, const std::string& keyPath)
{
    // A root itself cannot be deleted, as in the registry; an empty path would otherwise
    // take every key of the root with it.
    if (normalisePath(keyPath).empty())
        throw engine::PlatformError(EINVAL, "A root key cannot be deleted: \"" + keyPath + "\"");
    Root& r = load(root);
    const auto removed = std::erase_if(r.content.keys,
        [&](const StoreKey& k) { return samePath(k.path, keyPath) || isBelow(k.path, keyPath); });
    if (removed > 0)
        changed(root);
}

void PosixKeyValueStore::beginBatch()
{
    if (m_batchDepth++ == 0) {
        for (StoreRoot root :
            { StoreRoot::CurrentUser, StoreRoot::LocalMachine, StoreRoot::ClassesRoot })
            m_roots[indexOf(root)].loaded = false; // read afresh once for the whole batch
    }
}

void PosixKeyValueStore::endBatch()
{
    if (m_batchDepth == 0 || --m_batchDepth > 0)
        return;
    for (StoreRoot root :
        { StoreRoot::CurrentUser, StoreRoot::LocalMachine, StoreRoot::ClassesRoot })
        flush(root);
}

std::string defaultStoreFolder()
{
    return xdgFolder("XDG_CONFIG_HOME", ".config");
}

} // namespace quorrix::platform
