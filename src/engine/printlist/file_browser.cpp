#include "engine/printlist/file_browser.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>

#include "engine/platform/file_system.h"
#include "engine/platform/path_text.h"
#include "engine/platform/platform_error.h"
#include "engine/platform/regional_format.h"

namespace quorrix::engine {

namespace {

constexpr std::array<std::string_view, 2> kDrawingExtensions { ".drw", ".slddrw" };
constexpr std::array<std::string_view, 4> kModelExtensions { ".prt", ".sldprt", ".asm", ".sldasm" };

// The extensions are ASCII, so folding ASCII letters is all the comparison needs; other
// bytes of a UTF-8 name can never match them either way.
std::string asciiLower(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

template <std::size_t N>
bool endsInAny(const std::string& lowerName, const std::array<std::string_view, N>& extensions)
{
    return std::any_of(extensions.begin(), extensions.end(),
        [&](std::string_view extension) { return lowerName.ends_with(extension); });
}

} // namespace

bool isPathSeparator(char c)
{
    return c == kPathSeparator || c == '/';
}

std::string MakeFullPath(const std::string& folder, const std::string& fileName)
{
    if (!folder.empty() && isPathSeparator(folder.back()))
        return folder + fileName;
    return folder + kPathSeparator + fileName;
}

bool isListedInBrowser(const std::string& fileName, BrowserFilter filter)
{
    if (!filter.showOnlyDrawings && !filter.showOnlyModels)
        return true;
    const std::string lowerName = asciiLower(fileName);
    return (filter.showOnlyDrawings && endsInAny(lowerName, kDrawingExtensions))
        || (filter.showOnlyModels && endsInAny(lowerName, kModelExtensions));
}

bool FileBrowserList::fill(FileSystem& files, const std::string& folder, BrowserFilter filter,
    const RegionalFormat& regional)
{
    std::vector<std::string> names;
    bool readable = false;
    try {
        // An empty result cannot tell an empty folder from a vanished one; asking first lets
        // the caller say which it was.
        readable = files.folderExists(folder);
        if (readable)
            names = files.plainFiles(engine::MakeFullPath(folder, std::string()));
    } catch (const PlatformError&) {
        readable = false;
        names.clear();
    }
    show(folder, names, filter, regional);
    return readable;
}

void FileBrowserList::show(const std::string& folder, const std::vector<std::string>& names,
    BrowserFilter filter, const RegionalFormat& regional)
{
    m_folder = folder;
    m_names.clear();
    std::copy_if(names.begin(), names.end(), std::back_inserter(m_names),
        [&](const std::string& name) { return isListedInBrowser(name, filter); });
    // Names that differ only in letter case are equal to the locale; their byte order keeps
    // the list the same from one fill to the next, whatever order the folder gave.
    std::sort(m_names.begin(), m_names.end(), [&](const std::string& a, const std::string& b) {
        const int order = regional.compareText(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    m_selected.assign(m_names.size(), 0);
    m_current = kNoRow;
}

const std::string& FileBrowserList::name(int index) const
{
    if (!isRow(index))
        throw std::out_of_range("file list row " + std::to_string(index));
    return m_names[static_cast<std::size_t>(index)];
}

std::string FileBrowserList::MakeFullPath(const std::string& fileName) const
{
    return engine::MakeFullPath(m_folder, fileName);
}

bool FileBrowserList::isSelected(int index) const
{
    return isRow(index) && m_selected[static_cast<std::size_t>(index)] != 0;
}

void FileBrowserList::setSelected(int index, bool selected)
{
    if (isRow(index))
        m_selected[static_cast<std::size_t>(index)] = selected ? 1 : 0;
}

int FileBrowserList::selectedCount() const
{
    return static_cast<int>(std::count(m_selected.begin(), m_selected.end(), 1));
}

void FileBrowserList::setCurrentRow(int index)
{
    if (index == kNoRow || isRow(index))
        m_current = index;
}

} // namespace quorrix::engine
