#include "swsim/sim_state.h"

#include "engine/platform/clock.h"
#include "engine/swlink/solidworks.h"

namespace quorrix::swsim {

SimState::SimState(engine::FileSystem& fileSystem, engine::Clock& clockPort, Installation setup)
    : files(fileSystem)
    , clock(clockPort)
    , installation(std::move(setup))
    , journal(fileSystem)
{
    journal.setFilePath(installation.journalPath);
}

void AppLife::endProcess()
{
    {
        const std::lock_guard lock(m_mutex);
        m_ended = true;
    }
    m_endedSignal.notify_all();
}

bool AppLife::endedWithin(std::optional<std::chrono::milliseconds> patience)
{
    std::unique_lock lock(m_mutex);
    const auto isEnded = [this] { return m_ended.load(); };
    if (!patience) {
        m_endedSignal.wait(lock, isEnded);
        return true;
    }
    return m_endedSignal.wait_for(lock, *patience, isEnded);
}

Call::Call(SimState& state, AppLife& life, DocumentFaultState* document, JournalEntry entry)
    : m_state(state)
    , m_life(life)
    , m_member(entry.member)
{
    m_index = m_state.journal.add(std::move(entry));
    if (life.ended())
        life.crashed = true;
    if (life.crashed)
        raise(kServerUnavailable, "The remote procedure call failed.");
    if (!life.running)
        raise(kServerUnavailable, "The RPC server is unavailable.");
    if (document != nullptr && document->closed)
        raise(kObjectDisconnected, "The object invoked has disconnected from its clients.");
    applyFaults(document);
}

Call::~Call()
{
    if (!m_finished)
        finish("raised");
}

void Call::finish(std::string result)
{
    if (m_finished)
        return;
    m_finished = true;
    m_state.journal.finish(m_index, std::move(result));
}

void Call::raise(long number, const std::string& text)
{
    finish("raised " + std::to_string(number));
    throw engine::AutomationError(number, text);
}

namespace {

bool firesOnce(
    const std::set<std::string>& members, std::set<std::string>& fired, const std::string& member)
{
    return members.contains(member) && fired.insert(member).second;
}

int delayOf(const std::map<std::string, int>& delays, const std::string& member)
{
    const auto found = delays.find(member);
    return found == delays.end() ? 0 : found->second;
}

} // namespace

void Call::applyStalls(const DocumentFaults& faults)
{
    std::optional<std::chrono::milliseconds> patience;
    if (!faults.hang.contains(m_member)) {
        const int slow = delayOf(faults.slowMilliseconds, m_member);
        if (slow <= 0)
            return;
        patience = std::chrono::milliseconds(slow);
    }
    if (m_life.endedWithin(patience)) {
        m_life.crashed = true;
        raise(kServerUnavailable, "The remote procedure call failed.");
    }
}

void Call::applyDocumentFaults(DocumentFaultState& document)
{
    const int delay = delayOf(document.faults.delayMilliseconds, m_member);
    if (delay > 0)
        m_state.clock.sleepMilliseconds(delay);
    applyStalls(document.faults);
    if (document.faults.raise.contains(m_member)
        || firesOnce(document.faults.raiseOnce, document.raisedOnce, m_member)) {
        raise(kServerFault, "The server threw an exception.");
    }
}

void Call::applyFaults(DocumentFaultState* document)
{
    const Installation& setup = m_state.installation;
    int delay = delayOf(setup.delayMilliseconds, m_member);
    bool fail = setup.raise.contains(m_member)
        || firesOnce(setup.raiseOnce, m_state.raisedOnce, m_member);
    if (document != nullptr) {
        delay += delayOf(document->faults.delayMilliseconds, m_member);
        fail = fail || document->faults.raise.contains(m_member)
            || firesOnce(document->faults.raiseOnce, document->raisedOnce, m_member);
    }
    if (delay > 0)
        m_state.clock.sleepMilliseconds(delay);
    if (document != nullptr)
        applyStalls(document->faults);
    if (fail)
        raise(kServerFault, "The server threw an exception.");
}

} // namespace quorrix::swsim
