#pragma once

#include <QDialog>
#include <QString>

#include "engine/settings/form_pos.h"
#include "gui/qt_positioned_window.h"

class QComboBox;
class QFileSystemModel;
class QModelIndex;
class QPushButton;
class QTreeView;

namespace quorrix::engine {
class KeyValueStore;
class clsMultiLanguage;
} // namespace quorrix::engine

namespace quorrix::gui {

// The modal dialog in which the user picks a folder for an option dialog's save folder: a
// drive list (Drive1), a folder tree (Dir1) that starts at the process's current directory,
// "Übernehmen" (cmdOkay) and "Abbruch" (cmdAbbruch).
//
// Callers show it with exec() and read result(): the chosen folder with native separators
// (a drive root keeps its separator, "C:\"), or empty when the user cancelled or closed the
// window. Texts come from the language file and the title from info text 7 while it loads;
// the position is restored then and saved whenever the dialog ends.
class frmOpenDirectory : public QDialog {
    Q_OBJECT

public:
    frmOpenDirectory(engine::clsMultiLanguage& language, engine::KeyValueStore& store,
        QWidget* parent = nullptr);
    ~frmOpenDirectory() override;

    QString result() const { return m_result; }
    // The folder the tree has selected, with native separators.
    QString currentFolder() const { return m_folder; }
    // Moves the tree to the folder; false when it is no folder.
    bool setCurrentFolder(const QString& folder);
    // The user chose a drive. One that cannot be read makes the drive list flash red and
    // show the drive of the current folder again.
    bool chooseDrive(const QString& drive);
    bool isDriveListRed() const { return m_driveListRed; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillDrives();
    void showDriveOf(const QString& folder);
    void flashDriveList();
    void setDriveListRed(bool red);
    void folderSelected(const QModelIndex& index);

    QtPositionedWindow m_window;
    engine::CFormPos m_position;
    QComboBox* m_drive1;
    QTreeView* m_dir1;
    QFileSystemModel* m_folders;
    QPushButton* m_cmdOkay;
    QPushButton* m_cmdAbbruch;
    QString m_folder;
    QString m_result;
    bool m_driveListRed = false;
    bool m_positionRestored = false;
};

} // namespace quorrix::gui
