#include "engine/swlink/sw_connection.h"

#include <cmath>

#include "engine/platform/clock.h"
#include "engine/platform/number_text.h"
#include "engine/settings/settings.h"
#include "engine/swlink/sw_versions.h"

namespace quorrix::engine {

namespace {

constexpr int kRestartPauseMilliseconds = 5000;

// The minor is rounded half to even, as the revision number has always been read.
double roundedMinor(double value)
{
    return std::nearbyint(value);
}

} // namespace

SwConnection::SwConnection(Connector& connector, Clock& clock, const Settings& settings)
    : m_connector(connector)
    , m_clock(clock)
    , m_settings(settings)
{
}

bool SwConnection::ConnectSolidWorks()
{
    std::string progId = swProgId(m_settings.UseSolidWorksVersion);
    // Kept only as long as a new connect would succeed and reach it again.
    if (m_app && progId == m_progId && m_connector.isRegistered(progId)
        && m_connector.stillRunning(*m_app))
        return true;
    try {
        std::shared_ptr<SwApplication> app = m_connector.createApplication(progId);
        if (!app)
            return false;
        // The SolidWorks of the last connect, still running, is visible and under user
        // control already.
        if (app != m_app) {
            app->Visible(true);
            app->UserControl(true);
            m_app = std::move(app);
        }
        m_progId = std::move(progId);
        return true;
    } catch (const AutomationError&) {
        return false;
    }
}

bool revisionAtLeast(
    const std::string& revision, const std::string& major, const std::string& minor)
{
    const std::size_t point = revision.find('.');
    const double revisionMajor = leadingNumber(revision.substr(0, point));
    const double revisionMinor = point == std::string::npos
        ? 0.0
        : roundedMinor(leadingNumber(revision.substr(point + 1)));
    const double wantedMajor = leadingNumber(major);
    const double wantedMinor = leadingNumber(minor);
    return revisionMajor > wantedMajor
        || (revisionMajor == wantedMajor && revisionMinor >= wantedMinor);
}

bool SwConnection::IsSwxRevisionAtLeast(const std::string& major, const std::string& minor)
{
    if (!ConnectSolidWorks())
        return false;
    try {
        // One SolidWorks keeps its revision; it is read once per instance.
        if (m_revisionOf.lock() != m_app) {
            m_revision = m_app->RevisionNumber();
            m_revisionOf = m_app;
        }
        return revisionAtLeast(m_revision, major, minor);
    } catch (const AutomationError&) {
        return false;
    }
}

bool SwConnection::RestartSolidWorks()
{
    if (m_app) {
        try {
            m_app->ExitApp();
        } catch (const AutomationError&) {
            // Nothing left to end; the new instance below is what matters.
        }
    }
    m_clock.sleepMilliseconds(kRestartPauseMilliseconds);
    return ConnectSolidWorks();
}

} // namespace quorrix::engine
