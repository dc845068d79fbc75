#pragma once

#include <string>
#include <vector>

namespace quorrix::engine {

class FileSystem;
class RegionalFormat;

// The two filter switches of the file browser (ShowOnlyDrawings, ShowOnlyModels).
struct BrowserFilter {
    bool showOnlyDrawings = false;
    bool showOnlyModels = false;
};

// True for the character that ends a folder name: the platform's separator, and on Windows
// also "/", which Windows accepts in every path.
bool isPathSeparator(char c);

// folder, one separator unless folder already ends in one (a drive root such as C:\), and
// the file name.
std::string MakeFullPath(const std::string& folder, const std::string& fileName);

// Whether the browser lists a file of this name under the switches. Neither switch on lists
// everything; otherwise the name must end in an extension of a switched-on group, letter
// case ignored.
bool isListedInBrowser(const std::string& fileName, BrowserFilter filter);

// The file list of the browser: the bare names of the plain files of one folder that pass
// the filter, in the order of the user's locale without regard to letter case, with an
// extended selection and a current row (the one a double click adds).
class FileBrowserList {
public:
    static constexpr int kNoRow = -1;

    // Reads the folder again and shows what passes the filter. Selection and current row
    // are gone afterwards. False when the folder cannot be read; the list is then empty.
    bool fill(FileSystem& files, const std::string& folder, BrowserFilter filter,
        const RegionalFormat& regional);
    // The same from names already read.
    void show(const std::string& folder, const std::vector<std::string>& names,
        BrowserFilter filter, const RegionalFormat& regional);

    const std::string& folder() const { return m_folder; }
    int count() const { return static_cast<int>(m_names.size()); }
    const std::vector<std::string>& names() const { return m_names; }
    // Throws std::out_of_range for a bad index.
    const std::string& name(int index) const;
    // The full path of a name of this folder.
    std::string MakeFullPath(const std::string& fileName) const;
    std::string fullPath(int index) const { return MakeFullPath(name(index)); }

    // Out-of-range indexes are ignored.
    bool isSelected(int index) const;
    void setSelected(int index, bool selected);
    int selectedCount() const;
    int currentRow() const { return m_current; }
    // -1 or a row; anything else is ignored.
    void setCurrentRow(int index);

private:
    bool isRow(int index) const { return index >= 0 && index < count(); }

    std::string m_folder;
    std::vector<std::string> m_names;
    std::vector<unsigned char> m_selected;
    int m_current = kNoRow;
};

} // namespace quorrix::engine
