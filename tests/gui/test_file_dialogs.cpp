#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QTest>
#include <QTimer>

#include "gui/file_dialogs.h"
#include "support/temp_dir.h"

using namespace quorrix;
using gui::FileDialogKind;
using gui::FileDialogRequest;
using gui::FileDialogResult;
using gui::FileDialogs;

TEST(FileDialogsTest, QueuedResultsAnswerAndRequestsAreRecorded)
{
    FileDialogs dialogs;
    dialogs.queueResult(FileDialogResult { "/data/GP25.qrx", 2 });
    dialogs.queueResult(std::nullopt);
    dialogs.queueResult(FileDialogResult { "/data/out", 0 });

    FileDialogRequest open;
    open.title = "Druckliste öffnen";
    open.filter = "QRX-Listen (*.qrx)|*.qrx|Alle Dateien (*.*)|*.*";
    open.filterIndex = 2;
    open.startFolder = "/data";
    EXPECT_EQ(dialogs.openFile(open), (FileDialogResult { "/data/GP25.qrx", 2 }));

    FileDialogRequest save = open;
    save.kind = FileDialogKind::Open; // the call decides the kind
    save.fileName = "liste.qrx";
    EXPECT_EQ(dialogs.saveFile(save), std::nullopt);

    EXPECT_EQ(dialogs.chooseFolder("Zielordner wählen", "/tmp"), "/data/out");
    // Nothing queued and unattended: cancelled, never a window.
    dialogs.setUnattended(true);
    EXPECT_EQ(dialogs.chooseFolder("again", ""), std::nullopt);

    ASSERT_EQ(dialogs.requests().size(), 4u);
    EXPECT_EQ(dialogs.requests()[0], open);
    EXPECT_EQ(dialogs.requests()[1].kind, FileDialogKind::Save);
    EXPECT_EQ(dialogs.requests()[1].fileName, "liste.qrx");
    EXPECT_EQ(dialogs.requests()[2].kind, FileDialogKind::Folder);
    EXPECT_EQ(
        dialogs.requests()[2].title + dialogs.requests()[2].startFolder, "Zielordner wählen/tmp");
}

TEST(FileDialogsTest, LanguageFileFiltersBecomeQtNameFilters)
{
    struct Row {
        const char* filter;
        QStringList expected;
    };
    const Row rows[] = {
        { "QRX-Listen (*.qrx)|*.qrx|Alle Dateien (*.*)|*.*",
            { "QRX-Listen (*.qrx)", "Alle Dateien (*.*)" } },
        { "SolidWorks|*.slddrw;*.sldprt; *.sldasm", { "SolidWorks (*.slddrw *.sldprt *.sldasm)" } },
        // Parentheses that are no patterns: Qt would read them as patterns.
        { "Makros (VBA)|*.swp", { "Makros (VBA) (*.swp)" } },
        { "Text (*.txt)|*.log", { "Text (*.txt) (*.log)" } },
        // A description without patterns, an empty pattern, an empty filter.
        { "Listen|*.qrx|Rest", { "Listen (*.qrx)" } },
        { "Leer||Listen|*.qrx", { "Listen (*.qrx)" } },
        { "", {} },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.filter);
        EXPECT_EQ(gui::qtNameFilters(row.filter), row.expected);
    }
}

TEST(FileDialogsTest, ANameSavedWithoutSuffixGetsTheChosenFiltersOne)
{
    const std::string lists = "QRX-Listen (*.qrx)|*.qrx|Alle Dateien (*.*)|*.*";
    struct Row {
        const char* filter;
        const char* typed;
        int chosenFilter;
        const char* saved;
    };
    const Row rows[] = {
        { lists.c_str(), "/data/mylist", 1, "/data/mylist.qrx" },
        { lists.c_str(), "/data/mylist.qrx", 1, "/data/mylist.qrx" },
        { lists.c_str(), "/data/mylist.txt", 1, "/data/mylist.txt" },
        { lists.c_str(), "/data/mylist", 2, "/data/mylist" }, // every file: as typed
        { lists.c_str(), "/data/v1.2/.plan", 1, "/data/v1.2/.plan.qrx" },
        { "QUORRIX settings (*.qrxcfg)|*.qrxcfg", "/data/pump", 1, "/data/pump.qrxcfg" },
        { "Leer||Macros|*.swp;*.swb", "/data/m", 1, "/data/m.swp" },
        { "Models|*.sld*", "/data/m", 1, "/data/m" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        FileDialogs dialogs;
        dialogs.queueResult(FileDialogResult { row.typed, row.chosenFilter });
        FileDialogRequest request;
        request.filter = row.filter;
        EXPECT_EQ(dialogs.saveFile(request)->path, row.saved);
    }
}

// The real dialog: a timer picks a file the way a user would.
TEST(FileDialogsTest, RealDialogReturnsTheChosenFileAndFilter)
{
    test::TempDir dir;
    test::writeFileBytes(dir.file("GP25.qrx"), "\"/a.SLDDRW\"\r\n");
    FileDialogs dialogs;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Druckliste öffnen");
        EXPECT_EQ(dialog->selectedNameFilter(), "Alle Dateien (*.*)");
        dialog->selectNameFilter("QRX-Listen (*.qrx)");
        dialog->selectFile(QString::fromStdString(dir.file("GP25.qrx")));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    FileDialogRequest request;
    request.title = "Druckliste öffnen";
    request.filter = "QRX-Listen (*.qrx)|*.qrx|Alle Dateien (*.*)|*.*";
    request.filterIndex = 2;
    request.startFolder = dir.path();
    const std::optional<FileDialogResult> result = dialogs.openFile(request);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->path,
        QDir::toNativeSeparators(QString::fromStdString(dir.file("GP25.qrx"))).toStdString());
    EXPECT_EQ(result->filterIndex, 1);

    // Saving, the dialog itself adds the suffix of the filter the user picks.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->defaultSuffix(), "");
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(types, nullptr);
        QTest::keyClick(types, Qt::Key_Up); // the user picks the lists
        EXPECT_EQ(dialog->defaultSuffix(), "qrx");
        dialog->selectFile(QString::fromStdString(dir.file("mylist")));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const std::optional<FileDialogResult> saved = dialogs.saveFile(request);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->path,
        QDir::toNativeSeparators(QString::fromStdString(dir.file("mylist.qrx"))).toStdString());

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(dialogs.chooseFolder("Ordner", dir.path()), std::nullopt);
}
