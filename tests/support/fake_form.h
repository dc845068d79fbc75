#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/settings/language_control.h"

namespace quorrix::test {

// A control that simply holds its texts.
class FakeControl : public engine::LanguageControl {
public:
    FakeControl(engine::ControlKind kind, std::string name)
        : m_kind(kind)
        , m_name(std::move(name))
    {
    }

    engine::ControlKind kind() const override { return m_kind; }
    std::string name() const override { return m_name; }
    std::string typeName() const override { return "PictureBox"; }
    std::string caption() const override { return captionText; }
    void setCaption(const std::string& t) override { captionText = t; }
    std::string toolTip() const override { return tip; }
    void setToolTip(const std::string& t) override { tip = t; }
    std::string text() const override { return textValue; }
    void setText(const std::string& t) override
    {
        textWhileDisabled = textWhileDisabled || !isEnabled;
        textValue = t;
    }
    bool enabled() const override { return isEnabled; }
    void setEnabled(bool on) override { isEnabled = on; }
    int itemCount() const override { return static_cast<int>(items.size()); }
    std::string item(int i) const override
    {
        return i >= 0 && i < itemCount() ? items[static_cast<std::size_t>(i)] : std::string();
    }
    void clearItems() override { items.clear(); }
    void addItem(const std::string& t) override { items.push_back(t); }
    int selectedIndex() const override { return selected; }
    void setSelectedIndex(int i) override { selected = i; }

    std::string captionText;
    std::string tip;
    std::string textValue;
    bool isEnabled = true;
    bool textWhileDisabled = false;
    std::vector<std::string> items;
    int selected = -1;

private:
    engine::ControlKind m_kind;
    std::string m_name;
};

class FakeForm : public engine::LanguageForm {
public:
    explicit FakeForm(std::string name)
        : m_name(std::move(name))
    {
    }
    std::string name() const override { return m_name; }
    std::vector<engine::LanguageControl*> controls() override
    {
        std::vector<engine::LanguageControl*> out;
        for (auto& c : m_controls)
            out.push_back(c.get());
        return out;
    }
    FakeControl& add(engine::ControlKind kind, const std::string& name)
    {
        m_controls.push_back(std::make_unique<FakeControl>(kind, name));
        return *m_controls.back();
    }

private:
    std::string m_name;
    std::vector<std::unique_ptr<FakeControl>> m_controls;
};

} // namespace quorrix::test
