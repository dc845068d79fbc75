#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include "gui/frm_open_directory.h"
#include "window_fixture.h"

using namespace quorrix;
using gui::frmOpenDirectory;

namespace {

QString native(const std::string& path)
{
    return QDir::toNativeSeparators(QDir::cleanPath(QString::fromStdString(path)));
}

struct OpenDirectoryTest : ::testing::Test, test::WindowFixture {
    QString previousDirectory = QDir::currentPath();

    OpenDirectoryTest()
    {
        QDir(QString::fromStdString(dir.path())).mkpath("parts/old");
        // The tree starts in the process's current directory.
        QDir::setCurrent(QString::fromStdString(dir.path()));
    }
    ~OpenDirectoryTest() override { QDir::setCurrent(previousDirectory); }

    // Runs the dialog modally the way the option dialogs do; the user acts once it shows.
    QString choose(const std::function<void(frmOpenDirectory&)>& user)
    {
        frmOpenDirectory dialog(language, store);
        QTimer::singleShot(0, &dialog, [&dialog, &user] { user(dialog); });
        dialog.exec();
        EXPECT_FALSE(dialog.isVisible());
        return dialog.result();
    }
    static void click(frmOpenDirectory& dialog, const char* button)
    {
        dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }
};

} // namespace

TEST_F(OpenDirectoryTest, AcceptGivesTheTreesFolderCancelGivesNothing)
{
    const QString start = native(dir.path());
    const QString parts = native(dir.file("parts"));
    const QString old = native(dir.file("parts/old"));
    struct Row {
        const char* what;
        std::function<void(frmOpenDirectory&)> user;
        QString result;
    };
    const Row rows[] = {
        { "accept at once", [](frmOpenDirectory& d) { click(d, "cmdOkay"); }, start },
        { "folder set, accept",
            [&old](frmOpenDirectory& d) {
                EXPECT_TRUE(d.setCurrentFolder(old));
                click(d, "cmdOkay");
            },
            old },
        { "folder clicked in the tree, accept",
            [&parts](frmOpenDirectory& d) {
                auto* tree = d.findChild<QTreeView*>("Dir1");
                auto* model = qobject_cast<QFileSystemModel*>(tree->model());
                tree->setCurrentIndex(model->index(QDir::fromNativeSeparators(parts)));
                click(d, "cmdOkay");
            },
            parts },
        { "not a folder, accept",
            [&start](frmOpenDirectory& d) {
                EXPECT_FALSE(d.setCurrentFolder(start + "/missing"));
                click(d, "cmdOkay");
            },
            start },
        { "cancel",
            [&old](frmOpenDirectory& d) {
                d.setCurrentFolder(old);
                click(d, "cmdAbbruch");
            },
            QString() },
        { "close box", [](frmOpenDirectory& d) { d.close(); }, QString() },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(choose(row.user), row.result);
    }
    EXPECT_TRUE(storedPlace("frmOpenDirectory"));
}

TEST_F(OpenDirectoryTest, DriveRootKeepsItsSeparatorAndAMissingDriveFlashes)
{
    const QString root = QDir::toNativeSeparators(QDir::rootPath());
    frmOpenDirectory dialog(language, store);
    auto* drives = dialog.findChild<QComboBox*>("Drive1");
    EXPECT_EQ(drives->currentText(), root);
    EXPECT_GT(drives->count(), 0); // the drives stay: they are no texts of the language

    dialog.setCurrentFolder(QDir::rootPath());
    EXPECT_EQ(dialog.currentFolder(), root);
    // Choosing the drive in use keeps the folder.
    dialog.setCurrentFolder(native(dir.path()));
    EXPECT_TRUE(dialog.chooseDrive(QDir::rootPath()));
    EXPECT_EQ(dialog.currentFolder(), native(dir.path()));

    EXPECT_FALSE(dialog.chooseDrive(QString::fromStdString(dir.file("no-drive"))));
    for (int i = 0; i < 3 && !dialog.isDriveListRed(); ++i)
        QApplication::processEvents();
    EXPECT_TRUE(dialog.isDriveListRed());
    EXPECT_EQ(dialog.currentFolder(), native(dir.path()));
    EXPECT_EQ(drives->currentText(), root);

    QTimer::singleShot(0, &dialog, [&dialog] {
        dialog.setCurrentFolder(QDir::rootPath());
        click(dialog, "cmdOkay");
    });
    dialog.exec();
    EXPECT_EQ(dialog.result(), root);
}
