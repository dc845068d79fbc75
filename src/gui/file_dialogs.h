#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace quorrix::gui {

enum class FileDialogKind { Open, Save, Folder };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::string title;
    // Pairs of description and patterns, all separated by "|", as the language files write
    // them: "QRX-Listen (*.qrx)|*.qrx|Alle Dateien (*.*)|*.*"; several patterns of one pair
    // are separated by ";".
    std::string filter;
    int filterIndex = 1; // from 1, the pair shown first
    std::string startFolder;
    std::string fileName; // proposed name (save) or preselected file (open)
    // Added to a name saved without a suffix when the chosen filter names none, e.g. "qrx".
    std::string defaultSuffix;
    bool operator==(const FileDialogRequest&) const = default;
};

struct FileDialogResult {
    std::string path; // with the platform's separators
    int filterIndex = 1; // the pair selected when the user confirmed
    bool operator==(const FileDialogResult&) const = default;
};

// The program's file and folder dialogs. Nothing else in the program creates a QFileDialog.
//
// Test hook: results queued with queueResult() (std::nullopt: the user cancelled) are given,
// one per dialog, without showing a window; every dialog asked for is recorded in
// requests(). Unattended, a dialog nobody expected is cancelled instead of blocking a test.
class FileDialogs {
public:
    explicit FileDialogs(QWidget* owner = nullptr);

    void setOwner(QWidget* owner) { m_owner = owner; }

    // std::nullopt when the user cancelled.
    std::optional<FileDialogResult> openFile(FileDialogRequest request);
    std::optional<FileDialogResult> saveFile(FileDialogRequest request);
    std::optional<std::string> chooseFolder(
        const std::string& title, const std::string& startFolder);

    // The program's own folder chooser for chooseFolder(); without one, the system's folder
    // dialog. It gets the request and gives the chosen folder, or nothing on cancel.
    using FolderChooser = std::function<std::optional<std::string>(const FileDialogRequest&)>;
    void setFolderChooser(FolderChooser chooser) { m_folderChooser = std::move(chooser); }

    void queueResult(std::optional<FileDialogResult> result)
    {
        m_results.push_back(std::move(result));
    }
    std::size_t queuedResults() const { return m_results.size(); }
    void setUnattended(bool unattended) { m_unattended = unattended; }
    const std::vector<FileDialogRequest>& requests() const { return m_requests; }

private:
    std::optional<FileDialogResult> run(const FileDialogRequest& request);
    std::optional<FileDialogResult> exec(const FileDialogRequest& request);

    QPointer<QWidget> m_owner;
    std::deque<std::optional<FileDialogResult>> m_results;
    bool m_unattended = false;
    std::vector<FileDialogRequest> m_requests;
    FolderChooser m_folderChooser;
};

// The "|"-separated filter as Qt's name filters, one per pair: "Description (*.a *.b)". A
// description that already ends with its patterns in parentheses is kept as it is; a
// trailing description without patterns is dropped.
QStringList qtNameFilters(const std::string& filter);

// The suffix that the filter pair filterIndex (from 1) gives a saved name: that of its first
// pattern ("*.qrx": "qrx"), empty for every file or a pattern with wildcards.
std::string filterSuffix(const std::string& filter, int filterIndex);

// What a save dialog adds to a name without a suffix under the chosen filter.
std::string saveSuffix(const FileDialogRequest& request, int filterIndex);

// path with "." + suffix appended when its file name has no suffix yet.
std::string withSuffix(const std::string& path, const std::string& suffix);

} // namespace quorrix::gui
