#include "gui/file_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include <algorithm>

#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

// The patterns inside the last parentheses of a description, or empty text.
QString trailingPatterns(const QString& description)
{
    const QString trimmed = description.trimmed();
    if (!trimmed.endsWith(u')'))
        return {};
    const qsizetype open = trimmed.lastIndexOf(u'(');
    return open < 0 ? QString() : trimmed.mid(open + 1, trimmed.size() - open - 2).simplified();
}

// The suffix of the filter's first pattern ("*.qrx": "qrx"); empty for every file ("*.*",
// "*") and for patterns that name no single suffix.
QString patternSuffix(const QString& patterns)
{
    const QString first = patterns.split(u';').constFirst().trimmed();
    if (!first.startsWith(QStringLiteral("*.")))
        return {};
    const QString suffix = first.mid(2);
    const bool plain = !suffix.isEmpty() && std::none_of(suffix.begin(), suffix.end(), [](QChar c) {
        return c == u'*' || c == u'?' || c == u'[' || c == u'.';
    });
    return plain ? suffix : QString();
}

} // namespace

std::string filterSuffix(const std::string& filter, int filterIndex)
{
    const QStringList parts = toQString(filter).split(u'|');
    int index = 0;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i + 1].trimmed().isEmpty())
            continue; // not one of the dialog's filters
        if (++index == filterIndex)
            return toStdString(patternSuffix(parts[i + 1]));
    }
    return {};
}

std::string withSuffix(const std::string& path, const std::string& suffix)
{
    if (suffix.empty())
        return path;
    const QString name = QFileInfo(toQString(path)).fileName();
    // A leading dot starts a hidden name, not a suffix.
    if (name.isEmpty() || name.lastIndexOf(u'.') > 0)
        return path;
    return path + "." + suffix;
}

QStringList qtNameFilters(const std::string& filter)
{
    const QStringList parts = toQString(filter).split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = QString(parts[i + 1]).replace(u';', u' ').simplified();
        if (patterns.isEmpty())
            continue;
        // Qt takes the patterns from the last parentheses of the filter, so a description
        // whose own parentheses say something else gets the patterns appended.
        if (trailingPatterns(description) == patterns)
            filters << description;
        else
            filters << description + QStringLiteral(" (") + patterns + u')';
    }
    return filters;
}

std::string saveSuffix(const FileDialogRequest& request, int filterIndex)
{
    const std::string suffix = filterSuffix(request.filter, filterIndex);
    return suffix.empty() ? request.defaultSuffix : suffix;
}

FileDialogs::FileDialogs(QWidget* owner)
    : m_owner(owner)
{
}

std::optional<FileDialogResult> FileDialogs::openFile(FileDialogRequest request)
{
    request.kind = FileDialogKind::Open;
    return run(request);
}

std::optional<FileDialogResult> FileDialogs::saveFile(FileDialogRequest request)
{
    request.kind = FileDialogKind::Save;
    return run(request);
}

std::optional<std::string> FileDialogs::chooseFolder(
    const std::string& title, const std::string& startFolder)
{
    FileDialogRequest request;
    request.kind = FileDialogKind::Folder;
    request.title = title;
    request.startFolder = startFolder;
    request.filterIndex = 0;
    const std::optional<FileDialogResult> result = run(request);
    if (!result)
        return std::nullopt;
    return result->path;
}

std::optional<FileDialogResult> FileDialogs::run(const FileDialogRequest& request)
{
    m_requests.push_back(request);
    std::optional<FileDialogResult> result;
    if (!m_results.empty()) {
        result = std::move(m_results.front());
        m_results.pop_front();
    } else if (!m_unattended) {
        result = exec(request);
    }
    // A name typed without a suffix gets the one of the chosen filter, as the dialog itself
    // adds it (before it asks whether to replace a file of that name).
    if (result && request.kind == FileDialogKind::Save)
        result->path = withSuffix(result->path, saveSuffix(request, result->filterIndex));
    return result;
}

std::optional<FileDialogResult> FileDialogs::exec(const FileDialogRequest& request)
{
    if (request.kind == FileDialogKind::Folder && m_folderChooser) {
        const std::optional<std::string> folder = m_folderChooser(request);
        if (!folder)
            return std::nullopt;
        return FileDialogResult { *folder, 0 };
    }
    QWidget* owner = m_owner ? m_owner.data() : QApplication::activeWindow();
    QFileDialog dialog(owner, toQString(request.title), toQString(request.startFolder));
    const QStringList filters = qtNameFilters(request.filter);
    switch (request.kind) {
    case FileDialogKind::Open:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case FileDialogKind::Save:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        break;
    case FileDialogKind::Folder:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        break;
    }
    if (request.kind != FileDialogKind::Folder && !filters.isEmpty()) {
        dialog.setNameFilters(filters);
        if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
            dialog.selectNameFilter(filters[request.filterIndex - 1]);
    }
    if (request.kind == FileDialogKind::Save) {
        dialog.setDefaultSuffix(toQString(saveSuffix(request, request.filterIndex)));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog, &request, filters](const QString& chosen) {
                const int index = static_cast<int>(filters.indexOf(chosen)) + 1;
                dialog.setDefaultSuffix(toQString(saveSuffix(request, index)));
            });
    }
    if (!request.fileName.empty())
        dialog.selectFile(toQString(request.fileName));

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    FileDialogResult result;
    result.path = toStdString(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
    const qsizetype selected = filters.indexOf(dialog.selectedNameFilter());
    result.filterIndex = selected < 0 ? request.filterIndex : static_cast<int>(selected) + 1;
    return result;
}

} // namespace quorrix::gui
