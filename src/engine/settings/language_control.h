#pragma once

#include <string>
#include <vector>

namespace quorrix::engine {

// Kinds of controls as the language files translate them.
enum class ControlKind {
    Menu,
    Label,
    Frame,
    CommandButton,
    CheckBox,
    TextBox,
    ListBox,
    ComboBox,
    Other
};

// A control of a window as far as its texts go. The windows adapt their widgets to it.
// Properties a kind does not have may be left at the defaults.
class LanguageControl {
public:
    virtual ~LanguageControl() = default;

    virtual ControlKind kind() const = 0;
    // The control's name; members of a control array share it.
    virtual std::string name() const = 0;
    // The type name written for controls the language files do not translate.
    virtual std::string typeName() const { return "Control"; }

    virtual std::string caption() const { return {}; }
    virtual void setCaption(const std::string&) { }
    virtual std::string toolTip() const { return {}; }
    virtual void setToolTip(const std::string&) { }
    virtual std::string text() const { return {}; }
    virtual void setText(const std::string&) { }
    virtual bool enabled() const { return true; }
    virtual void setEnabled(bool) { }
    virtual int itemCount() const { return 0; }
    virtual std::string item(int) const { return {}; }
    virtual void clearItems() { }
    virtual void addItem(const std::string&) { }
    virtual int selectedIndex() const { return -1; }
    virtual void setSelectedIndex(int) { }
};

// A window: its name (the section of the language file) and its controls in order.
class LanguageForm {
public:
    virtual ~LanguageForm() = default;
    virtual std::string name() const = 0;
    virtual std::vector<LanguageControl*> controls() = 0;
};

} // namespace quorrix::engine
