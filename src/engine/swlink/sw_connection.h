#pragma once

#include <memory>
#include <string>

#include "engine/swlink/solidworks.h"

namespace quorrix::engine {

class Clock;
struct Settings;

// The program's one SolidWorks application object. Every run, and most single operations
// on SolidWorks, connect anew; a failed connect leaves the previous object in place.
class SwConnection {
public:
    // The version suffix is the setting UseSolidWorksVersion, read at every connect.
    SwConnection(Connector& connector, Clock& clock, const Settings& settings);

    // Creates the object for "SldWorks.Application" + the version suffix, makes SolidWorks
    // visible and under user control. Any error gives false. The object of the last connect
    // is kept while its SolidWorks runs and the suffix is the same: connecting again would
    // only reach that SolidWorks again.
    bool ConnectSolidWorks();
    // True when SolidWorks' revision is major.minor or later; both texts are read by their
    // leading number. False when SolidWorks cannot be reached.
    bool IsSwxRevisionAtLeast(const std::string& major, const std::string& minor);
    // Ends SolidWorks, waits five seconds and connects again. An instance that is already
    // gone (a crash) does not stop the reconnect.
    bool RestartSolidWorks();

    // Drops the object of the last connect without ending SolidWorks: a thread that
    // connected lets go of what belongs to it before it ends. The next use connects anew.
    void forget() { m_app.reset(); }

    // The object of the last successful connect, or nothing.
    const std::shared_ptr<SwApplication>& swApp() const { return m_app; }
    Connector& connector() { return m_connector; }

private:
    Connector& m_connector;
    Clock& m_clock;
    const Settings& m_settings;
    std::shared_ptr<SwApplication> m_app;
    std::string m_progId; // the one m_app was created for
    // The instance m_revision was read from; it does not keep the instance's object alive.
    std::weak_ptr<SwApplication> m_revisionOf;
    std::string m_revision;
};

// The revision test on a revision text: its major is the number before the first point,
// its minor the number after it, rounded.
bool revisionAtLeast(
    const std::string& revision, const std::string& major, const std::string& minor);

} // namespace quorrix::engine
