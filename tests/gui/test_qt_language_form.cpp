#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWidget>

#include "gui/control_array.h"
#include "gui/qt_language_form.h"
#include "window_fixture.h"

using namespace quorrix;
using engine::ControlKind;

namespace {

// A small window with one control of every kind the language files know, a control array,
// and what must stay out: nameless widgets, Qt's own parts, a dialog it owns.
struct TestForm {
    QWidget window;
    QLabel* label;
    QPushButton* button;
    QCheckBox* check;
    QLineEdit* text;
    QComboBox* combo;
    QListWidget* list;
    QLabel* size0;
    QLabel* size1;
    QGroupBox* frame;
    QRadioButton* option;
    QMenu* menu;
    QAction* open;
    QAction* separator;
    QAction* favourite;

    template <typename Widget> Widget* add(const char* name)
    {
        auto* widget = new Widget(&window);
        widget->setObjectName(QString::fromLatin1(name));
        window.layout()->addWidget(widget);
        return widget;
    }

    TestForm()
    {
        window.setObjectName("frmTest");
        new QVBoxLayout(&window);
        label = add<QLabel>("lblName");
        label->setText("Name");
        button = add<QPushButton>("cmdGo");
        button->setText("Los");
        check = add<QCheckBox>("chkAll");
        check->setText("Alle");
        text = add<QLineEdit>("txtFolder");
        text->setText("C:\\");
        text->setEnabled(false);
        combo = add<QComboBox>("cmbColor");
        combo->addItems({ "rot", "grün" });
        list = add<QListWidget>("lstItems");
        list->addItems({ "eins", "zwei" });
        size0 = add<QLabel>("lblSize_0");
        size1 = add<QLabel>("lblSize_1");
        frame = add<QGroupBox>("fraOptions");
        frame->setTitle("Optionen");
        option = new QRadioButton("Eins", frame);
        option->setObjectName("optKind_0");
        add<QProgressBar>("prgrSheet");
        add<QLabel>("")->setText("nameless");
        add<QLineEdit>("qt_internal");

        menu = new QMenu("&Datei", &window);
        menu->setObjectName("mnuFile");
        open = menu->addAction("Ö&ffnen");
        open->setObjectName("mnuOpen");
        separator = menu->addSeparator();
        separator->setObjectName("mnuSep");
        favourite = menu->addAction("/home/a&b");
        favourite->setObjectName("mnuFavEntry_1");
        favourite->setProperty(gui::kUntranslatedProperty, true);

        auto* dialog = new QDialog(&window);
        dialog->setObjectName("frmOther");
        auto* foreign = new QPushButton("fremd", dialog);
        foreign->setObjectName("cmdForeign");
    }
};

struct LanguageFormTest : ::testing::Test, test::WindowFixture {
    TestForm form;
};

} // namespace

TEST(ControlArrayTest, MemberNamesCarryTheIndex)
{
    struct Row {
        const char* objectName;
        const char* name;
        int index;
    };
    const Row rows[] = { { "cmbPrinter_3", "cmbPrinter", 3 }, { "mnuFavEntry_0", "mnuFavEntry", 0 },
        { "lblSize_12", "lblSize", 12 }, { "cmdPlot", "cmdPlot", -1 },
        { "txt_Name", "txt_Name", -1 }, { "lbl_", "lbl_", -1 }, { "_3", "_3", -1 },
        { "cmb_3x", "cmb_3x", -1 }, { "cmb_99999999999", "cmb_99999999999", -1 } };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.objectName);
        EXPECT_EQ(gui::controlName(row.objectName), row.name);
        EXPECT_EQ(gui::controlIndex(row.objectName), row.index);
    }
    EXPECT_EQ(gui::controlArrayMemberName("optPrePost", 2), "optPrePost_2");
}

TEST_F(LanguageFormTest, ControlsAreTheNamedWidgetsAndActionsInOrder)
{
    gui::QtLanguageForm adapter(form.window);
    EXPECT_EQ(adapter.name(), "frmTest");
    std::vector<std::pair<std::string, ControlKind>> found;
    for (engine::LanguageControl* control : adapter.controls())
        found.emplace_back(control->name(), control->kind());
    const std::vector<std::pair<std::string, ControlKind>> expected {
        { "lblName", ControlKind::Label }, { "cmdGo", ControlKind::CommandButton },
        { "chkAll", ControlKind::CheckBox }, { "txtFolder", ControlKind::TextBox },
        { "cmbColor", ControlKind::ComboBox }, { "lstItems", ControlKind::ListBox },
        { "lblSize", ControlKind::Label }, { "lblSize", ControlKind::Label },
        { "fraOptions", ControlKind::Frame }, { "optKind", ControlKind::Other },
        { "prgrSheet", ControlKind::Other }, { "mnuFile", ControlKind::Menu },
        { "mnuOpen", ControlKind::Menu }, { "mnuSep", ControlKind::Menu }
    };
    EXPECT_EQ(found, expected);
}

TEST_F(LanguageFormTest, TranslatesFromTheLanguageFile)
{
    useLanguageFile(
        "[frmTest]\r\nlblName.Caption=Name:\r\nlblName.ToolTipText=Your name\r\n"
        "cmdGo.Caption=&Go\r\nchkAll.Caption=All\r\ntxtFolder.Text=D:\\\r\n"
        "cmbColor.ListCount=3\r\ncmbColor.AddItem0=red\r\ncmbColor.AddItem1=green\r\n"
        "cmbColor.AddItem2=blue\r\ncmbColor.Default=2\r\ncmbColor.ToolTipText=Colour\r\n"
        "lblSize.Caption=Size\r\nfraOptions.Caption=Options\r\noptKind.Caption=One\r\n"
        "mnuFile.Caption=&File\r\nmnuOpen.Caption=&Open\r\n"
        "mnuSep.Caption=Not a separator\r\nmnuFavEntry.Caption=-\r\n");
    gui::QtLanguageForm adapter(form.window);
    language.GetAllControlText(adapter);

    EXPECT_EQ(form.label->text(), "Name:");
    EXPECT_EQ(form.label->toolTip(), "Your name");
    EXPECT_EQ(form.button->text(), "&Go");
    EXPECT_EQ(form.check->text(), "All");
    EXPECT_EQ(form.text->text(), "D:\\");
    EXPECT_FALSE(form.text->isEnabled());
    EXPECT_EQ(form.combo->count(), 3);
    EXPECT_EQ(form.combo->itemText(2), "blue");
    EXPECT_EQ(form.combo->currentIndex(), 2);
    EXPECT_EQ(form.combo->toolTip(), "Colour");
    // Both members of the array take the one caption.
    EXPECT_EQ(form.size0->text(), "Size");
    EXPECT_EQ(form.size1->text(), "Size");
    EXPECT_EQ(form.frame->title(), "Options");
    EXPECT_EQ(form.option->text(), "Eins");
    EXPECT_EQ(form.menu->title(), "&File");
    EXPECT_EQ(form.open->text(), "&Open");
    EXPECT_FALSE(form.separator->isSeparator());
    EXPECT_EQ(form.separator->text(), "Not a separator");
    // A favourite shows a folder, not a text of the language.
    EXPECT_FALSE(form.favourite->isSeparator());
    EXPECT_EQ(form.favourite->text(), "/home/a&b");
}

TEST_F(LanguageFormTest, AListWithoutDefaultSelectsNothing)
{
    useLanguageFile("[frmTest]\r\ncmbColor.ListCount=2\r\ncmbColor.AddItem0=A\r\n"
                    "cmbColor.AddItem1=B\r\nlstItems.ListCount=1\r\nlstItems.AddItem0=X\r\n"
                    "lstItems.Default=5\r\n");
    int changes = 0;
    QObject::connect(form.combo, &QComboBox::currentIndexChanged, [&] { ++changes; });
    gui::QtLanguageForm adapter(form.window);
    language.GetAllControlText(adapter);
    EXPECT_EQ(form.combo->count(), 2);
    EXPECT_EQ(form.combo->currentIndex(), -1);
    EXPECT_EQ(changes, 0); // filling raises no selection changes
    // A Default beyond the items selects nothing.
    EXPECT_EQ(form.list->count(), 1);
    EXPECT_EQ(form.list->currentRow(), -1);
}

TEST_F(LanguageFormTest, WritesWhatTheWindowShows)
{
    useLanguageFile("[Info]\r\nText.1=x\r\n");
    const std::string written = dir.file("written.ini");
    form.combo->setCurrentIndex(1);
    gui::QtLanguageForm adapter(form.window);
    language.SetNewIniFile(written);
    language.SetAllControlText(adapter);

    const std::string file = test::readFileBytes(written);
    for (const char* line : { "lblName.Caption=Name\r\n", "cmdGo.Caption=Los\r\n",
             "chkAll.Caption=Alle\r\n", "txtFolder.Text=C:\\\r\n", "cmbColor.Default=1\r\n",
             "cmbColor.AddItem1=grün\r\n", "lstItems.Default=-1\r\n", "lstItems.AddItem0=eins\r\n",
             "fraOptions.Caption=Optionen\r\n", "mnuFile.Caption=&Datei\r\n",
             "mnuOpen.Caption=Ö&ffnen\r\n", "mnuSep.Caption=-\r\n",
             "optKind.TypeName=OptionButton*** unbekannte Steuerelemente\r\n",
             "prgrSheet.TypeName=ProgressBar***" })
        EXPECT_NE(file.find(line), std::string::npos) << line;
    EXPECT_EQ(file.find("lblSize.Caption"), file.rfind("lblSize.Caption")); // one key
    for (const char* other : { "cmdForeign", "mnuFavEntry", "qt_internal" })
        EXPECT_EQ(file.find(other), std::string::npos) << other;

    // Read back, a separator is one again.
    form.separator->setSeparator(false);
    language.IniFile(written);
    language.GetAllControlText(adapter);
    EXPECT_TRUE(form.separator->isSeparator());
}
