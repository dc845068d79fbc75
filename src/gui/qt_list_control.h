#pragma once

#include <QPointer>

#include "engine/settings/mru_menu.h"

class QComboBox;
class QListWidget;

namespace quorrix::gui {

// A list box or combo box that clsMRUMenu::FillListCombo fills.
class QtListControl : public engine::ListControl {
public:
    explicit QtListControl(QComboBox& combo);
    explicit QtListControl(QListWidget& list);

    void clear() override;
    void addItem(const std::string& text) override;

private:
    QPointer<QComboBox> m_combo;
    QPointer<QListWidget> m_list;
};

} // namespace quorrix::gui
