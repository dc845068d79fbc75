#pragma once

#include <string>
#include <vector>

#include <QObject>
#include <QPointer>

#include "engine/settings/mru_menu.h"

class QAction;
class QMenu;

namespace quorrix::gui {

// A menu control array in a QMenu: element 0 is an action the window made (the separator
// above the favourites); elements 1 to n are actions created here, right after the highest
// element, named like array members ("mnuFavEntry_1") and left out of translation because
// they show folders. Choosing one of them emits triggered(index).
class QtMenuControlArray : public QObject, public engine::MenuControlArray {
    Q_OBJECT

public:
    QtMenuControlArray(QMenu& menu, QAction& element0, QObject* parent = nullptr);

    int highestIndex() const override;
    void load(int index) override;
    void unload(int index) override;
    void setCaption(int index, const std::string& caption) override;
    void setVisible(int index, bool visible) override;

    // nullptr for an index that does not exist.
    QAction* element(int index) const;

signals:
    void triggered(int index);

private:
    QPointer<QMenu> m_menu;
    QString m_arrayName;
    std::vector<QPointer<QAction>> m_elements;
};

} // namespace quorrix::gui
