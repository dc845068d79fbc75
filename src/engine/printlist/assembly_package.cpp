#include "engine/printlist/assembly_package.h"

#include <map>
#include <optional>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "engine/platform/file_system.h"
#include "engine/platform/ini_document.h"
#include "engine/platform/number_text.h"
#include "engine/platform/path_text.h"
#include "engine/swlink/document_manager.h"
#include "engine/swlink/document_type.h"

namespace quorrix::engine {

namespace {

constexpr const char* kDrawingExtension = ".SLDDRW";

struct SplitPath {
    std::string folder; // without the separator; empty when the path names no folder
    std::string name;
};

// Paths of assemblies saved on Windows reach Linux with backslashes, so both separate.
SplitPath splitPath(const std::string& path)
{
    const std::size_t separator = path.find_last_of("/\\");
    if (separator == std::string::npos)
        return { {}, path };
    return { path.substr(0, separator == 0 ? 1 : separator), path.substr(separator + 1) };
}

std::string joinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (folder.back() == '/' || folder.back() == '\\')
        return folder + name;
    const std::size_t separator = folder.find_last_of("/\\");
    return folder + (separator == std::string::npos ? kPathSeparator : folder[separator]) + name;
}

// One spelling per file, as Windows compares paths: case folded, either separator,
// "." and ".." resolved.
std::string fileKey(const std::string& path)
{
    const std::string folded = foldCase(path);
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    const bool rooted = !folded.empty() && (folded[0] == '/' || folded[0] == '\\');
    while (start <= folded.size()) {
        std::size_t end = folded.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = folded.size();
        const std::string_view part = std::string_view(folded).substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == ".." && !parts.empty() && parts.back() != "..")
            parts.pop_back();
        else
            parts.push_back(part);
    }
    std::string key = rooted ? "/" : "";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            key += '/';
        key += parts[i];
    }
    return key;
}

std::string withoutExtension(const std::string& name)
{
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

class Expansion {
public:
    Expansion(
        SwDMApplication& documentManager, FileSystem& files, const AssemblyPackageOptions& options)
        : m_documentManager(documentManager)
        , m_files(files)
        , m_options(options)
    {
    }

    AssemblyPackage run(const std::string& assemblyPath)
    {
        const auto path = locate(assemblyPath, {});
        if (!path) {
            m_package.missing.push_back({ assemblyPath, {} });
            return std::move(m_package);
        }
        const std::string key = fileKey(*path);
        m_seen.insert(key);
        visit(*path, key, {});
        walk();
        return std::move(m_package);
    }

private:
    struct Frame {
        std::string path;
        std::string key;
        std::vector<DmComponent> components;
        std::size_t next = 0;
    };

    // An explicit stack rather than recursion: a deep chain of subassemblies cannot
    // overflow the thread's stack.
    void walk()
    {
        while (!m_stack.empty()) {
            Frame& frame = m_stack.back();
            if (frame.next == frame.components.size()) {
                m_open.erase(frame.key);
                m_stack.pop_back();
                continue;
            }
            const DmComponent component = frame.components[frame.next++];
            if (component.suppressed || component.excludeFromBom == kDmExcludeFromBomTrue)
                continue;
            const std::string assembly = frame.path; // frame may move once visit() pushes
            const auto path = locate(component.pathName, assembly);
            if (!path) {
                reportMissing(component.pathName, assembly);
                continue;
            }
            const std::string key = fileKey(*path);
            if (m_open.count(key)) {
                reportCycle(key, *path);
                continue;
            }
            if (!m_seen.insert(key).second && !m_options.everyOccurrence)
                continue;
            visit(*path, key, component.configurationName);
        }
    }

    void visit(const std::string& path, const std::string& key, const std::string& configuration)
    {
        list(path, key);
        if (GetDocTypeFromPath(path) != kSwDocAssembly)
            return;
        auto components = componentsOf(path, key, configuration);
        if (!components)
            return;
        m_open.insert(key);
        m_stack.push_back({ path, key, std::move(*components), 0 });
    }

    void list(const std::string& path, const std::string& key)
    {
        if (m_options.models) {
            m_package.documents.push_back(path);
            return;
        }
        if (auto drawing = findDrawing(path)) {
            // A part and an assembly of one name share a drawing.
            if (m_listedDrawings.insert(fileKey(*drawing)).second || m_options.everyOccurrence)
                m_package.documents.push_back(std::move(*drawing));
        } else if (m_withoutDrawing.insert(key).second)
            m_package.withoutDrawing.push_back(path);
    }

    // Read once per assembly and configuration, also when the assembly occurs again.
    std::optional<std::vector<DmComponent>> componentsOf(
        const std::string& path, const std::string& key, const std::string& configuration)
    {
        const auto cacheKey = std::make_pair(key, configuration);
        if (const auto cached = m_components.find(cacheKey); cached != m_components.end())
            return cached->second;
        std::optional<std::vector<DmComponent>> components;
        UnreadableAssembly problem;
        problem.path = path;
        try {
            std::int32_t openError = kDmDocumentOpenErrorNone;
            const auto document
                = m_documentManager.GetDocument(path, kSwDocAssembly, true, openError);
            if (!document) {
                problem.code = openError;
            } else {
                components = document->GetComponents(configuration);
                problem.reason = UnreadableAssembly::Reason::NoConfiguration;
                problem.text = configuration;
            }
        } catch (const AutomationError& error) {
            problem.reason = UnreadableAssembly::Reason::AutomationError;
            problem.code = error.number();
            problem.text = error.description();
        }
        if (!components && m_unreadable.insert(key).second)
            m_package.unreadable.push_back(std::move(problem));
        m_components.emplace(cacheKey, components);
        return components;
    }

    void reportMissing(const std::string& file, const std::string& assembly)
    {
        if (m_missing.insert(fileKey(file)).second)
            m_package.missing.push_back({ file, assembly });
    }

    void reportCycle(const std::string& key, const std::string& path)
    {
        std::vector<std::string> cycle;
        std::string cycleKey;
        bool inCycle = false;
        for (const Frame& frame : m_stack) {
            inCycle = inCycle || frame.key == key;
            if (inCycle) {
                cycle.push_back(frame.path);
                cycleKey += frame.key + '\n';
            }
        }
        cycle.push_back(path);
        if (m_cycles.insert(cycleKey).second)
            m_package.cycles.push_back(std::move(cycle));
    }

    // The file where the assembly says, in any case, or else of that name beside the
    // assembly.
    std::optional<std::string> locate(const std::string& file, const std::string& assembly)
    {
        if (file.empty())
            return std::nullopt;
        if (m_files.isPlainFile(file))
            return file;
        const SplitPath split = splitPath(file);
        if (auto found = findInFolder(split.folder, split.name))
            return found;
        if (assembly.empty())
            return std::nullopt;
        const std::string besideAssembly = splitPath(assembly).folder;
        if (fileKey(besideAssembly) == fileKey(split.folder))
            return std::nullopt;
        return findInFolder(besideAssembly, split.name);
    }

    std::optional<std::string> findDrawing(const std::string& model)
    {
        const SplitPath split = splitPath(model);
        const std::string name = withoutExtension(split.name) + kDrawingExtension;
        if (auto found = findInFolder(split.folder, name))
            return found;
        for (const std::string& folder : m_options.searchFolders) {
            if (auto found = findInFolder(folder, name))
                return found;
        }
        return std::nullopt;
    }

    // Folders are listed once; of names that differ only in case the first in byte order
    // counts, so the result does not depend on the order the platform lists them in.
    std::optional<std::string> findInFolder(const std::string& folder, const std::string& name)
    {
        if (folder.empty() || name.empty())
            return std::nullopt;
        const std::string key = fileKey(folder);
        auto listed = m_folders.find(key);
        if (listed == m_folders.end()) {
            std::unordered_map<std::string, std::string> names;
            for (std::string& file : m_files.plainFiles(folder)) {
                auto [at, inserted] = names.emplace(foldCase(file), file);
                if (!inserted && file < at->second)
                    at->second = std::move(file);
            }
            listed = m_folders.emplace(key, std::move(names)).first;
        }
        const auto found = listed->second.find(foldCase(name));
        if (found == listed->second.end())
            return std::nullopt;
        return joinPath(folder, found->second);
    }

    SwDMApplication& m_documentManager;
    FileSystem& m_files;
    const AssemblyPackageOptions& m_options;
    AssemblyPackage m_package;
    std::vector<Frame> m_stack;
    std::unordered_set<std::string> m_open; // the assemblies on the stack
    std::unordered_set<std::string> m_seen;
    std::unordered_set<std::string> m_listedDrawings;
    std::unordered_set<std::string> m_withoutDrawing;
    std::unordered_set<std::string> m_missing;
    std::unordered_set<std::string> m_unreadable;
    std::set<std::string> m_cycles;
    std::map<std::pair<std::string, std::string>, std::optional<std::vector<DmComponent>>>
        m_components;
    std::unordered_map<std::string, std::unordered_map<std::string, std::string>> m_folders;
};

} // namespace

AssemblyPackage ExpandAssembly(SwDMApplication& documentManager, FileSystem& files,
    const std::string& assemblyPath, const AssemblyPackageOptions& options)
{
    return Expansion(documentManager, files, options).run(assemblyPath);
}

AssemblyPackage ExpandAssembly(DocumentManagerConnector& connector, const std::string& accessString,
    FileSystem& files, const std::string& assemblyPath, const AssemblyPackageOptions& options)
{
    std::shared_ptr<SwDMApplication> application;
    if (const auto factory = connector.createClassFactory(kDocumentManagerClassName))
        application = factory->GetApplication(accessString);
    if (!application) {
        AssemblyPackage package;
        package.noDocumentManager = true;
        return package;
    }
    return ExpandAssembly(*application, files, assemblyPath, options);
}

std::vector<std::string> splitSearchFolders(std::string_view text)
{
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(';', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string folder = trimBlanks(text.substr(start, end - start));
        if (!folder.empty())
            folders.push_back(std::move(folder));
        start = end + 1;
    }
    return folders;
}

} // namespace quorrix::engine
