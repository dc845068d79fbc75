// The controls of the main window and how they are laid out.

#include "gui/frm_main.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

#include "gui/frm_main_icons.h"
#include "gui/frm_main_list_view.h"
#include "gui/qt_language_form.h"

namespace quorrix::gui {

namespace {

// Lengths of the window design, in twips.
constexpr int kDesignWidth = 12000;
constexpr int kDesignHeight = 8800;
constexpr int kDesignSplitter = 4200; // width of the browser column
constexpr int kDesignSplitterV = 2600; // height of the folder tree
constexpr int kGap = 60; // between neighbouring controls
constexpr int kMargin = 60; // around the window's content
constexpr int kSmallButton = 450; // the square picture buttons
constexpr int kButtonPadding = 150; // least room around a button's caption
constexpr int kListButtonHeight = 300; // the add and remove buttons
constexpr int kAddRemoveGap = 200; // between the add pair and the remove pair

template <class Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* label(const char* name, const QString& caption)
{
    return named(new QLabel(caption), name);
}

QCheckBox* checkBox(const char* name, const QString& caption)
{
    return named(new QCheckBox(caption), name);
}

QPushButton* button(const char* name, const QString& caption, const QString& toolTip = {})
{
    auto* result = named(new QPushButton(caption), name);
    result->setToolTip(toolTip);
    result->setAutoDefault(false);
    return result;
}

QHBoxLayout* row(int spacing, std::initializer_list<QWidget*> widgets)
{
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    return layout;
}

} // namespace

void frmMain::buildCentral()
{
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    const int margin = twipsToPixelsX(kMargin);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(twipsToPixelsY(50));

    // fraTop has no border and no margin, so its edges are the splitter's edges.
    m_fraTop = named(new QWidget, "fraTop");
    auto* top = new QHBoxLayout(m_fraTop);
    top->setContentsMargins(0, 0, 0, 0);

    // The bar moves alone while it is dragged; the controls follow when the mouse is
    // released, as in the splitters' limits below.
    m_splitter = named(new QSplitter(Qt::Horizontal), "imgSplitter");
    m_splitter->setOpaqueResize(false);
    m_splitter->setChildrenCollapsible(false);
    m_browserPane = buildBrowserColumn();
    m_listPane = buildPrintListColumn();
    m_splitter->addWidget(m_browserPane);
    m_splitter->addWidget(m_listPane);
    // A wider window widens the print list; the browser keeps its width.
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    top->addWidget(m_splitter);

    layout->addWidget(m_fraTop, 1);
    layout->addWidget(buildBottomFrame());
    setCentralWidget(central);

    resize(twipsToPixelsX(kDesignWidth), twipsToPixelsY(kDesignHeight));
    m_splitter->setSizes({ twipsToPixelsX(kDesignSplitter), twipsToPixelsX(kDesignWidth) });
    m_splitterV->setSizes({ twipsToPixelsY(kDesignSplitterV), twipsToPixelsY(kDesignHeight) });
}

QWidget* frmMain::buildBrowserColumn()
{
    const int gap = twipsToPixelsY(kGap);
    auto* pane = new QWidget;
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(gap);

    m_drives = named(new QComboBox, "drvAuswahl");
    // The drives are data, not texts of a language.
    m_drives->setProperty(kUntranslatedProperty, true);
    m_favoritesButton = button("cmdFavorites", QString(), QStringLiteral("Verzeichnis Favoriten"));
    m_favoritesButton->setIcon(commandIcon(QStringLiteral("Favorites"), style()));
    m_favoritesButton->setFixedWidth(twipsToPixelsX(kSmallButton));
    auto* driveRow = row(twipsToPixelsX(50), { m_drives, m_favoritesButton });
    driveRow->setStretch(0, 1);
    layout->addLayout(driveRow);

    m_splitterV = named(new QSplitter(Qt::Vertical), "imgSplitterV");
    m_splitterV->setOpaqueResize(false);
    m_splitterV->setChildrenCollapsible(false);

    m_tree = named(new QTreeView, "dirAuswahl");
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    m_folders->setReadOnly(true);
    m_tree->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_splitterV->addWidget(m_tree);

    m_filesPane = new QWidget;
    auto* files = new QVBoxLayout(m_filesPane);
    files->setContentsMargins(0, 0, 0, 0);
    files->setSpacing(gap);
    m_files = named(new RowListView, "lstAuswahl");
    auto* addRemove = new QVBoxLayout;
    addRemove->setContentsMargins(0, 0, 0, 0);
    addRemove->setSpacing(twipsToPixelsY(40));
    const QSize listButton(twipsToPixelsX(kSmallButton), twipsToPixelsY(kListButtonHeight));
    const std::initializer_list<std::tuple<const char*, const char*, const char*>> buttons {
        { "cmdAddSelected", ">", "Ausgewählte Dateien zur QRX-Liste hinzufügen" },
        { "cmdAddAll", ">>", "Alle Dateien zur QRX-Liste hinzufügen" },
        { "cmdDelSelected", "<", "Ausgewählte Einträge aus der QRX-Liste entfernen" },
        { "cmdDelAll", "<<", "Alle Einträge aus der QRX-Liste entfernen" },
    };
    for (const auto& [name, caption, tip] : buttons) {
        if (QLatin1String(name) == QLatin1String("cmdDelSelected"))
            addRemove->addSpacing(twipsToPixelsY(kAddRemoveGap));
        QPushButton* addOrRemove = button(name, QString::fromUtf8(caption), QString::fromUtf8(tip));
        addOrRemove->setFixedSize(listButton);
        addRemove->addWidget(addOrRemove);
    }
    addRemove->addStretch(1);
    auto* listRow = new QHBoxLayout;
    listRow->setContentsMargins(0, 0, 0, 0);
    listRow->setSpacing(twipsToPixelsX(100));
    listRow->addWidget(m_files, 1);
    listRow->addLayout(addRemove);
    files->addLayout(listRow, 1);
    files->addWidget(checkBox("chkAuswahlNurDRW", QStringLiteral("nur Zeichnungen anzeigen")));
    files->addWidget(checkBox("chkAuswahlNurModel", QStringLiteral("nur Modelle anzeigen")));
    m_splitterV->addWidget(m_filesPane);
    // A taller window lengthens the file list; the tree keeps its height.
    m_splitterV->setStretchFactor(0, 0);
    m_splitterV->setStretchFactor(1, 1);
    layout->addWidget(m_splitterV, 1);
    return pane;
}

QWidget* frmMain::buildPrintListColumn()
{
    const int gap = twipsToPixelsY(kGap);
    auto* pane = new QWidget;
    auto* layout = new QGridLayout(pane);
    // The print list starts 100 twips right of the splitter bar.
    layout->setContentsMargins(
        std::max(0, twipsToPixelsX(100) - m_splitter->handleWidth()), 0, 0, 0);
    layout->setHorizontalSpacing(twipsToPixelsX(100));
    layout->setVerticalSpacing(gap);

    // The open-mode row: three quarters of the list's width, a quarter each.
    auto* openMode = row(gap,
        { label("lblOpenDrawingMode", QStringLiteral("Öffne Dateien im Modus ...")),
            checkBox("chkOpenViewOnly", QStringLiteral("Nur-Ansicht")),
            checkBox("chkOpenReadOnly", QStringLiteral("Nur-Lesen")) });
    openMode->addStretch();
    for (int quarter = 0; quarter < 4; ++quarter)
        openMode->setStretch(quarter, 1);
    layout->addLayout(openMode, 0, 0);
    layout->addWidget(checkBox("chkWorkWithActiveDrawing",
                          QStringLiteral("Drucke/konvertiere aktives Dokument statt QRX-Liste")),
        1, 0);
    layout->addWidget(
        label("lblPrintListe", QStringLiteral("zu druckende oder zu konvertierende Zeichnungen")),
        2, 0);

    m_list = named(new RowListView, "lstPrintliste");
    m_list->setAcceptsFileDrops(true);
    layout->addWidget(m_list, 3, 0);
    layout->setRowStretch(3, 1);
    layout->setColumnStretch(0, 1);

    // The column at the right edge: move, sort and the sheet-name filter.
    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(twipsToPixelsY(40));
    const std::initializer_list<std::tuple<const char*, const char*, const char*>> buttons {
        { "cmdListSelectedUp", "ListUp", "Ausgewählte Einträge eine Zeile nach oben" },
        { "cmdListSelectedDown", "ListDown", "Ausgewählte Einträge eine Zeile nach unten" },
        { "cmdListSelectedTop", "ListTop", "Ausgewählte Einträge an den Anfang der Liste" },
        { "cmdListSelectedBottom", "ListBottom", "Ausgewählte Einträge an das Ende der Liste" },
        { "cmdListSortUp", "SortUp", "QRX-Liste aufsteigend sortieren" },
        { "cmdListSortDown", "SortDown", "QRX-Liste absteigend sortieren" },
        { "cmdListFilterSheetNames", "Filter", "Filter für Blattnamen einstellen" },
    };
    const QSize pictureButton(twipsToPixelsX(kSmallButton), twipsToPixelsX(kSmallButton));
    for (const auto& [name, icon, tip] : buttons) {
        const QString key = QLatin1String(icon);
        if (key == QLatin1String("SortUp") || key == QLatin1String("Filter"))
            column->addSpacing(twipsToPixelsY(kAddRemoveGap));
        QPushButton* picture = button(name, QString(), QString::fromUtf8(tip));
        picture->setIcon(commandIcon(key, style()));
        picture->setFixedSize(pictureButton);
        column->addWidget(picture);
    }
    QCheckBox* filterActive = checkBox("chkListFilterSheetNames", QStringLiteral("0"));
    filterActive->setToolTip(QStringLiteral("Filter für Blattnamen benutzen"));
    column->addWidget(filterActive);
    column->addStretch(1);
    layout->addLayout(column, 3, 1, 3, 1);

    m_listCount = label("lblListcount", QStringLiteral("0 / 0"));
    m_listCount->setToolTip(QStringLiteral("ausgewählte / alle Einträge der QRX-Liste"));
    m_listCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* reverse = row(gap,
        { checkBox("chkPrintlistReverse", QStringLiteral("QRX-Liste umgekehrt ausgeben")),
            m_listCount });
    reverse->setStretch(0, 1);
    layout->addLayout(reverse, 4, 0);
    layout->addWidget(
        checkBox("chkAutoConvertViews", QStringLiteral("Immer Anzeigeart \"Hohe Qualität\"")), 5,
        0);
    return pane;
}

QWidget* frmMain::buildBottomFrame()
{
    auto* frame = named(new QGroupBox(QStringLiteral(
                            " Aktion auswählen: QRX-Liste plotten, konvertieren oder beides ")),
        "fraBottom");
    frame->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* layout = new QGridLayout(frame);
    const int gap = twipsToPixelsX(kGap);
    layout->setHorizontalSpacing(gap);
    layout->setVerticalSpacing(gap);

    struct Action {
        const char* name;
        const char* caption;
        const char* toolTip;
        int row;
        int column; // the settings button stands in the next column
        const char* settingsName; // nullptr: the button takes the settings column too
        const char* settingsKey;
        const char* settingsTip;
    };
    // Two rows of four pairs: an action button and its settings button. DXF and DWG share
    // one settings button.
    const Action actions[] {
        { "cmdPlot", "Drucken", "Die Zeichnungen der QRX-Liste drucken", 0, 0,
            "cmdCallPrinterSettings", "PrintSettings", "Druckoptionen einstellen" },
        { "cmdTIFF", "TIFF", "TIFF-Dateien erzeugen", 0, 2, "cmdCallTIFFSettings", "TIFFSettings",
            "TIFF Optionen einstellen" },
        { "cmdDXF", "DXF", "DXF-Dateien erzeugen", 0, 4, nullptr, nullptr, nullptr },
        { "cmdDWG", "DWG", "DWG-Dateien erzeugen", 0, 6, "cmdCallDXFSettings", "DXFSettings",
            "DXF/DWG Optionen einstellen" },
        { "cmdExport3D", "Export 3D", "3D Exportdateien erzeugen", 1, 0, "cmdCallExport3DSettings",
            "Export3DSettings", "3D Export Optionen einstellen" },
        { "cmdExportEDrawings", "eDrawing", "eDrawings-Dateien erzeugen", 1, 2,
            "cmdCallExportEDrawingsSettings", "EDrSettings",
            "EDrawings Export Optionen einstellen" },
        { "cmdExportDocuments", "more ...", "Eingestellte Exportdateien erzeugen (PDF, JPG)", 1, 4,
            "cmdCallExportDocumentsSettings", "PDFSettings",
            "Dateityp Export Optionen einstellen" },
        { "cmdRunMacro", "Makro ...", "Das eingestellte Makro für jedes Dokument ausführen", 1, 6,
            "cmdCallRunMacroSettings", "RunMacroSettings", "Makro ausführen Optionen einstellen" },
    };
    const QSize pictureButton(twipsToPixelsX(kSmallButton), twipsToPixelsX(kSmallButton));
    for (const Action& action : actions) {
        QPushButton* run = button(
            action.name, QString::fromUtf8(action.caption), QString::fromUtf8(action.toolTip));
        // In a narrow window the buttons may lose their margins, never their captions.
        run->setMinimumWidth(
            run->fontMetrics().horizontalAdvance(run->text()) + twipsToPixelsX(kButtonPadding));
        layout->addWidget(run, action.row, action.column, 1, action.settingsName ? 1 : 2);
        if (!action.settingsName)
            continue;
        QPushButton* settings
            = button(action.settingsName, QString(), QString::fromUtf8(action.settingsTip));
        settings->setIcon(commandIcon(QLatin1String(action.settingsKey), style()));
        settings->setFixedSize(pictureButton);
        layout->addWidget(settings, action.row, action.column + 1);
    }

    QPushButton* prePostEdit
        = button("cmdPrePostEdit", QString(), QStringLiteral("Pre/Postfix einstellen"));
    prePostEdit->setIcon(commandIcon(QStringLiteral("PrePost"), style()));
    prePostEdit->setFixedSize(pictureButton);
    layout->addWidget(prePostEdit, 0, 9);
    QCheckBox* prePostUseit = checkBox("chkPrePostUseit", QStringLiteral("0"));
    prePostUseit->setToolTip(QStringLiteral("Pre/Postfix benutzen"));
    layout->addWidget(prePostUseit, 1, 9);

    // The run and the start-up write these two.
    QLabel* processed = label("lblProcessed", QString());
    processed->setToolTip(QStringLiteral("Bisher bearbeitete Dokumente und Blätter"));
    QLabel* version = label("lblSwAppVersionUsed", QStringLiteral("SWX version: "));
    version->setToolTip(QStringLiteral("Die SolidWorks-Version, die QUORRIX startet"));
    // Their texts are as long as the numbers and the version name: side by side, apart.
    auto* status = new QHBoxLayout;
    status->setSpacing(twipsToPixelsX(500));
    status->addWidget(processed);
    status->addWidget(version);
    status->addStretch();
    layout->addLayout(status, 2, 0, 1, 8);
    layout->addWidget(checkBox("chkSuppressWarnings", QStringLiteral("Warnungen unterdrücken")), 2,
        8, 1, 2, Qt::AlignRight);
    layout->setColumnStretch(8, 1);
    return frame;
}

void frmMain::applySizeLimits()
{
    // The limits hold the splitter bars inside the room each column needs. Where a
    // column's controls need more than that, they win: the limit only ever grows.
    const int leftRoom = twipsToPixelsX(kSplitterMinLeft);
    m_browserPane->setMinimumWidth(
        std::max(leftRoom, m_browserPane->layout()->minimumSize().width()));
    const int rightRoom = twipsToPixelsX(kSplitterMinRight) - m_splitter->handleWidth();
    m_listPane->setMinimumWidth(std::max(rightRoom, m_listPane->layout()->minimumSize().width()));

    // The horizontal splitter's top is the drive row below fraTop's top edge.
    const int driveRow
        = std::max(m_drives->sizeHint().height(), m_favoritesButton->sizeHint().height())
        + m_browserPane->layout()->spacing();
    m_tree->setMinimumHeight(std::max(0, twipsToPixelsY(kSplitterVMinTop) - driveRow));
    const int belowRoom = twipsToPixelsY(kSplitterVMinBelow) - m_splitterV->handleWidth();
    m_filesPane->setMinimumHeight(
        std::max(belowRoom, m_filesPane->layout()->minimumSize().height()));

    setMinimumSize(
        QSize(twipsToPixelsX(kMinWidth), twipsToPixelsY(kMinHeight)).expandedTo(minimumSizeHint()));
}

} // namespace quorrix::gui
