#include "gui/frm_about.h"
#include "ui_frm_about.h"

#include <QtGlobal>

#include "engine/platform/key_value_store.h"
#include "engine/platform/shell.h"
#include "engine/run/process_log.h"
#include "engine/run/program_start.h"
#include "engine/settings/registry.h"
#include "engine/settings/settings.h"
#include "engine/swlink/sw_versions.h"
#include "gui/message_boxes.h"
#include "gui/qt_text.h"

#ifndef QUORRIX_VERSION
#define QUORRIX_VERSION "unknown"
#endif

namespace quorrix::gui {

namespace {

constexpr int kTitleInfoText = 61;
constexpr int kInfoRevision = 192;
constexpr int kInfoStandIn = 193;
constexpr int kInfoNotConnected = 194;
constexpr int kInfoSystemInformationFailed = 195;
constexpr int kInfoTitle = 2;

// Windows has its system information program; other desktops have no common one.
#ifdef Q_OS_WIN
constexpr bool kHasSystemInformation = true;
#else
constexpr bool kHasSystemInformation = false;
#endif

} // namespace

frmAbout::frmAbout(const MainWindowPorts& ports, QWidget* parent)
    : OptionDialog("frmAbout", kTitleInfoText, { 7200, 0 }, ports, parent)
    , m_ui(std::make_unique<Ui::frmAbout>())
{
    m_ui->setupUi(this);
    m_ui->cmdOkay->setDefault(true);
    connect(m_ui->cmdOkay, &QPushButton::clicked, this, &frmAbout::accept);
    translate();
    QFont name = m_ui->lblProductName->font();
    name.setBold(true);
    name.setPointSizeF(name.pointSizeF() * 1.6);
    m_ui->lblProductName->setFont(name);

    m_ui->lblVersion->setText(
        m_ui->lblVersion->text() + QLatin1Char(' ') + QStringLiteral(QUORRIX_VERSION));
    m_ui->lblValueSolidWorks->setText(solidWorksText());
    m_ui->lblValueSettings->setText(
        toQString(ports.store.locationOf(engine::StoreRoot::CurrentUser, engine::kProgramKey)));
    m_ui->lblValueProcessLog->setText(toQString(
        engine::processLogFolder(ports.files, ports.programFolder, ports.userDataFolder)));
    m_ui->lblValueQt->setText(QString::fromLatin1(qVersion()));

    m_ui->cmdSysInfo->setVisible(kHasSystemInformation);
    connect(m_ui->cmdSysInfo, &QPushButton::clicked, this, &frmAbout::startSystemInformation);
}

frmAbout::~frmAbout() = default;

// What the last connect reached: the version chosen and the revision SolidWorks reports.
QString frmAbout::solidWorksText() const
{
    engine::Program& program = ports().program;
    QString text = toQString(engine::SwAppVersionName(program.settings.UseSolidWorksVersion));
    const auto& app = program.connection.swApp();
    std::string revision;
    if (app) {
        try {
            revision = app->RevisionNumber();
        } catch (const engine::AutomationError&) {
            revision.clear(); // gone since the last connect
        }
    }
    text += revision.empty() ? QStringLiteral(", ") + toQString(info(kInfoNotConnected))
                             : QStringLiteral(", ") + toQString(info(kInfoRevision))
            + QLatin1Char(' ') + toQString(revision);
    if (ports().solidWorksStandIn)
        text += QLatin1Char('\n') + toQString(info(kInfoStandIn));
    return text;
}

void frmAbout::startSystemInformation()
{
    engine::ShellRequest request;
    request.file = "msinfo32.exe";
    if (ports().shell.execute(request).instance <= 32)
        ports().messages.show(info(kInfoSystemInformationFailed) + "\nmsinfo32.exe",
            info(kInfoTitle), engine::MessageIcon::Exclamation);
}

} // namespace quorrix::gui
