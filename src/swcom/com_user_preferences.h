#pragma once

#include <memory>

#include "engine/swlink/solidworks.h"
#include "swcom/dispatcher.h"

namespace quorrix::swcom {

// The preference members that the application and a document share, on the object's own
// dispatcher.
template <class Base> class ComUserPreferences : public Base {
public:
    ComUserPreferences(IDispatch* object, std::shared_ptr<ComLink> link)
        : m_dispatch(object, std::move(link))
    {
    }

    double GetUserPreferenceDoubleValue(std::int32_t id) override
    {
        return m_dispatch.call(L"GetUserPreferenceDoubleValue", { id }).toDouble();
    }
    bool SetUserPreferenceDoubleValue(std::int32_t id, double value) override
    {
        return m_dispatch.call(L"SetUserPreferenceDoubleValue", { id, value }).toBool();
    }
    std::int32_t GetUserPreferenceIntegerValue(std::int32_t id) override
    {
        return m_dispatch.call(L"GetUserPreferenceIntegerValue", { id }).toInt32();
    }
    bool SetUserPreferenceIntegerValue(std::int32_t id, std::int32_t value) override
    {
        return m_dispatch.call(L"SetUserPreferenceIntegerValue", { id, value }).toBool();
    }
    bool GetUserPreferenceToggle(std::int32_t id) override
    {
        return m_dispatch.call(L"GetUserPreferenceToggle", { id }).toBool();
    }
    bool SetUserPreferenceToggle(std::int32_t id, bool value) override
    {
        return m_dispatch.call(L"SetUserPreferenceToggle", { id, value }).toBool();
    }
    std::string GetUserPreferenceStringListValue(std::int32_t id) override
    {
        return m_dispatch.call(L"GetUserPreferenceStringListValue", { id }).toString();
    }
    bool SetUserPreferenceStringListValue(std::int32_t id, const std::string& value) override
    {
        return m_dispatch.call(L"SetUserPreferenceStringListValue", { id, value }).toBool();
    }

protected:
    Dispatcher m_dispatch;
};

} // namespace quorrix::swcom
