#pragma once

#include <QObject>

#include <memory>
#include <string>
#include <vector>

#include "engine/settings/mru_menu.h"
#include "gui/file_dialogs.h"
#include "gui/main_window_ports.h"

namespace quorrix::gui {

class frmMain;
class QtMenuControlArray;

// The main window's commands on print-list files (new, open, save as), the print list's
// mouse work (files dropped from the desktop, double clicks, right-button clear) and the
// favourite folders of the file browser.
class MainWindowLists : public QObject {
    Q_OBJECT
public:
    // Where the favourites are kept in the per-user application settings.
    static constexpr const char* kFavoritesApplication = "QUORRIX";
    static constexpr const char* kFavoritesSection = "DirFavorites";

    MainWindowLists(frmMain& window, const MainWindowPorts& ports);
    ~MainWindowLists() override;

    engine::clsMRUMenu& favorites() { return m_favorites; }

private:
    void newList();
    void openList();
    void saveListAs();
    void connectMouse();
    void connectListFiles();
    void connectFavorites();
    void chooseFavorite(int index);
    FileDialogRequest listFileDialog(FileDialogKind kind, int title) const;
    void tellFileFailed(int infoText, const std::string& path, const std::string& error);
    std::string infoText(int number) const;

    frmMain& m_window;
    MainWindowPorts m_ports;
    // The menu elements must outlive the favourites, which remove theirs on destruction.
    std::unique_ptr<QtMenuControlArray> m_favoritesMenu;
    engine::clsMRUMenu m_favorites;
};

} // namespace quorrix::gui
