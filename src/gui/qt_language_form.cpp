#include "gui/qt_language_form.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTimer>

#include "gui/control_array.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

using engine::ControlKind;
using engine::LanguageControl;

namespace {

// Name and type shared by every adapter.
template <typename Object> class ControlBase : public LanguageControl {
public:
    ControlBase(Object& object, ControlKind kind)
        : m_object(&object)
        , m_kind(kind)
    {
    }

    ControlKind kind() const override { return m_kind; }
    std::string name() const override
    {
        return m_object ? toStdString(controlName(m_object->objectName())) : std::string();
    }
    std::string typeName() const override
    {
        if (!m_object)
            return "Control";
        // The names the language files have always used for these kinds.
        if (qobject_cast<QRadioButton*>(m_object))
            return "OptionButton";
        if (qobject_cast<QProgressBar*>(m_object))
            return "ProgressBar";
        if (qobject_cast<QTimer*>(m_object))
            return "Timer";
        return m_object->metaObject()->className();
    }

protected:
    QPointer<Object> m_object;

private:
    ControlKind m_kind;
};

template <typename Widget> class WidgetControl : public ControlBase<Widget> {
public:
    using ControlBase<Widget>::ControlBase;

    std::string toolTip() const override
    {
        return this->m_object ? toStdString(this->m_object->toolTip()) : std::string();
    }
    void setToolTip(const std::string& tip) override
    {
        if (this->m_object)
            this->m_object->setToolTip(toQString(tip));
    }
    bool enabled() const override { return this->m_object && this->m_object->isEnabled(); }
    void setEnabled(bool on) override
    {
        if (this->m_object)
            this->m_object->setEnabled(on);
    }
};

// A caption that a separator shows as "-", as a menu designer writes it.
constexpr const char* kSeparatorCaption = "-";

class ActionControl : public ControlBase<QAction> {
public:
    explicit ActionControl(QAction& action)
        : ControlBase(action, ControlKind::Menu)
    {
    }
    std::string caption() const override
    {
        if (!m_object)
            return {};
        return m_object->isSeparator() ? kSeparatorCaption : toStdString(m_object->text());
    }
    void setCaption(const std::string& caption) override
    {
        if (!m_object)
            return;
        // A separator keeps no text, which would be drawn as a heading.
        const bool separator = caption == kSeparatorCaption;
        m_object->setSeparator(separator);
        m_object->setText(separator ? QString() : toQString(caption));
    }
    bool enabled() const override { return m_object && m_object->isEnabled(); }
    void setEnabled(bool on) override
    {
        if (m_object)
            m_object->setEnabled(on);
    }
};

class MenuControl : public WidgetControl<QMenu> {
public:
    explicit MenuControl(QMenu& menu)
        : WidgetControl(menu, ControlKind::Menu)
    {
    }
    std::string caption() const override
    {
        return m_object ? toStdString(m_object->title()) : std::string();
    }
    void setCaption(const std::string& caption) override
    {
        if (m_object)
            m_object->setTitle(toQString(caption));
    }
};

// Labels, buttons and check boxes keep their caption in text(), frames in title().
template <typename Widget, QString (Widget::*Get)() const, void (Widget::*Set)(const QString&)>
class CaptionControl : public WidgetControl<Widget> {
public:
    CaptionControl(Widget& widget, ControlKind kind)
        : WidgetControl<Widget>(widget, kind)
    {
    }
    std::string caption() const override
    {
        return this->m_object ? toStdString((this->m_object->*Get)()) : std::string();
    }
    void setCaption(const std::string& caption) override
    {
        if (this->m_object)
            (this->m_object->*Set)(toQString(caption));
    }
};

using LabelControl = CaptionControl<QLabel, &QLabel::text, &QLabel::setText>;
using FrameControl = CaptionControl<QGroupBox, &QGroupBox::title, &QGroupBox::setTitle>;
using ButtonControl
    = CaptionControl<QAbstractButton, &QAbstractButton::text, &QAbstractButton::setText>;

template <typename Edit, QString (Edit::*Get)() const, void (Edit::*Set)(const QString&)>
class TextControl : public WidgetControl<Edit> {
public:
    explicit TextControl(Edit& edit)
        : WidgetControl<Edit>(edit, ControlKind::TextBox)
    {
    }
    std::string text() const override
    {
        return this->m_object ? toStdString((this->m_object->*Get)()) : std::string();
    }
    void setText(const std::string& text) override
    {
        if (this->m_object)
            (this->m_object->*Set)(toQString(text));
    }
};

using LineEditControl = TextControl<QLineEdit, &QLineEdit::text, &QLineEdit::setText>;
using PlainTextControl
    = TextControl<QPlainTextEdit, &QPlainTextEdit::toPlainText, &QPlainTextEdit::setPlainText>;
using TextEditControl = TextControl<QTextEdit, &QTextEdit::toPlainText, &QTextEdit::setPlainText>;

// Filling a list raises no selection signals: the window's handlers hear only of the
// selection the language file makes, once the items are in place.
class ListWidgetControl : public WidgetControl<QListWidget> {
public:
    explicit ListWidgetControl(QListWidget& list)
        : WidgetControl(list, ControlKind::ListBox)
    {
    }
    int itemCount() const override { return m_object ? m_object->count() : 0; }
    std::string item(int index) const override
    {
        const QListWidgetItem* row = m_object ? m_object->item(index) : nullptr;
        return row ? toStdString(row->text()) : std::string();
    }
    void clearItems() override
    {
        if (!m_object)
            return;
        const QSignalBlocker quiet(m_object);
        m_object->clear();
    }
    void addItem(const std::string& text) override
    {
        if (!m_object)
            return;
        const QSignalBlocker quiet(m_object);
        m_object->addItem(toQString(text));
    }
    int selectedIndex() const override { return m_object ? m_object->currentRow() : -1; }
    void setSelectedIndex(int index) override
    {
        if (m_object)
            m_object->setCurrentRow(index >= 0 && index < m_object->count() ? index : -1);
    }
};

class ComboBoxControl : public WidgetControl<QComboBox> {
public:
    explicit ComboBoxControl(QComboBox& combo)
        : WidgetControl(combo, ControlKind::ComboBox)
    {
    }
    int itemCount() const override { return m_object ? m_object->count() : 0; }
    std::string item(int index) const override
    {
        return m_object && index >= 0 && index < m_object->count()
            ? toStdString(m_object->itemText(index))
            : std::string();
    }
    void clearItems() override
    {
        if (!m_object)
            return;
        const QSignalBlocker quiet(m_object);
        m_object->clear();
    }
    void addItem(const std::string& text) override
    {
        if (!m_object)
            return;
        // A combo box selects its first item by itself; a list filled from the language file
        // keeps "nothing selected" until its Default says otherwise.
        const QSignalBlocker quiet(m_object);
        const int selected = m_object->currentIndex();
        m_object->addItem(toQString(text));
        m_object->setCurrentIndex(selected);
    }
    int selectedIndex() const override { return m_object ? m_object->currentIndex() : -1; }
    void setSelectedIndex(int index) override
    {
        if (m_object)
            m_object->setCurrentIndex(index >= 0 && index < m_object->count() ? index : -1);
    }
};

class OtherControl : public ControlBase<QObject> {
public:
    explicit OtherControl(QObject& object)
        : ControlBase(object, ControlKind::Other)
    {
    }
};

bool isOtherWindow(QObject& object)
{
    auto* widget = qobject_cast<QWidget*>(&object);
    return widget && widget->isWindow() && !qobject_cast<QMenu*>(widget);
}

bool isControl(const QObject& object)
{
    const QString name = object.objectName();
    return !name.isEmpty() && !name.startsWith(QStringLiteral("qt_"))
        && !object.property(kUntranslatedProperty).toBool();
}

void collect(QObject& parent, std::vector<QObject*>& out)
{
    for (QObject* child : parent.children()) {
        if (isOtherWindow(*child))
            continue;
        out.push_back(child);
        collect(*child, out);
    }
}

} // namespace

std::unique_ptr<LanguageControl> makeLanguageControl(QObject& object)
{
    if (!isControl(object))
        return nullptr;
    if (auto* action = qobject_cast<QAction*>(&object))
        return std::make_unique<ActionControl>(*action);
    if (auto* menu = qobject_cast<QMenu*>(&object))
        return std::make_unique<MenuControl>(*menu);
    if (auto* label = qobject_cast<QLabel*>(&object))
        return std::make_unique<LabelControl>(*label, ControlKind::Label);
    if (auto* frame = qobject_cast<QGroupBox*>(&object))
        return std::make_unique<FrameControl>(*frame, ControlKind::Frame);
    if (auto* check = qobject_cast<QCheckBox*>(&object))
        return std::make_unique<ButtonControl>(*check, ControlKind::CheckBox);
    if (qobject_cast<QRadioButton*>(&object))
        return std::make_unique<OtherControl>(object);
    if (auto* button = qobject_cast<QAbstractButton*>(&object))
        return std::make_unique<ButtonControl>(*button, ControlKind::CommandButton);
    if (auto* line = qobject_cast<QLineEdit*>(&object))
        return std::make_unique<LineEditControl>(*line);
    if (auto* plain = qobject_cast<QPlainTextEdit*>(&object))
        return std::make_unique<PlainTextControl>(*plain);
    if (auto* rich = qobject_cast<QTextEdit*>(&object))
        return std::make_unique<TextEditControl>(*rich);
    if (auto* list = qobject_cast<QListWidget*>(&object))
        return std::make_unique<ListWidgetControl>(*list);
    if (auto* combo = qobject_cast<QComboBox*>(&object))
        return std::make_unique<ComboBoxControl>(*combo);
    if (object.isWidgetType() || qobject_cast<QTimer*>(&object))
        return std::make_unique<OtherControl>(object);
    return nullptr; // layouts, models, validators: parts of a window, not controls
}

QtLanguageForm::QtLanguageForm(QWidget& window)
    : m_window(&window)
{
}

QtLanguageForm::~QtLanguageForm() = default;

std::string QtLanguageForm::name() const
{
    return m_window ? toStdString(m_window->objectName()) : std::string();
}

std::vector<LanguageControl*> QtLanguageForm::controls()
{
    m_controls.clear();
    std::vector<LanguageControl*> out;
    if (!m_window)
        return out;
    std::vector<QObject*> objects;
    collect(*m_window, objects);
    for (QObject* object : objects) {
        if (std::unique_ptr<LanguageControl> control = makeLanguageControl(*object)) {
            out.push_back(control.get());
            m_controls.push_back(std::move(control));
        }
    }
    return out;
}

} // namespace quorrix::gui
