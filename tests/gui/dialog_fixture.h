#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <stdexcept>
#include <string>

#include "gui/frm_main.h"
#include "session_fixture.h"

namespace quorrix::test {

// The started program with a way into its option windows as a user opens them: from a menu
// entry, a main-window button or a toolbar key.
struct DialogFixture : SessionFixture {
    // Started in English, over stored settings changed as the test needs them.
    void startIn(const std::function<void(engine::Settings&)>& change = {})
    {
        storeSettings([&change](engine::Settings& s) {
            s.Language = 1;
            if (change)
                change(s);
        });
        start();
    }
    void run(const char* action)
    {
        trigger("mnuEditAddAll");
        trigger(action);
    }
    // The option window of that name if it is open.
    QDialog* openDialog(const char* name)
    {
        QCoreApplication::processEvents();
        auto* dialog = window().findChild<QDialog*>(QLatin1String(name));
        return dialog && dialog->isVisible() ? dialog : nullptr;
    }
    // A window that an option window opened over itself.
    static QDialog* openDialogIn(QDialog* owner, const char* name)
    {
        QCoreApplication::processEvents();
        auto* dialog = owner->findChild<QDialog*>(QLatin1String(name));
        return dialog && dialog->isVisible() ? dialog : nullptr;
    }
    // The window that a menu entry, a button or a toolbar key opened; where it did not open,
    // the test ends there with a failure naming it.
    QDialog* openFromMenu(const char* menuEntry, const char* name)
    {
        trigger(menuEntry);
        return opened(name);
    }
    QDialog* openFromButton(const char* button, const char* name)
    {
        window().control<QAbstractButton>(QLatin1String(button))->click();
        return opened(name);
    }
    QDialog* openFromToolbar(const char* key, const char* name)
    {
        window().tbarMenuButtonClick(QLatin1String(key));
        return opened(name);
    }
    QDialog* opened(const char* name)
    {
        if (QDialog* dialog = openDialog(name))
            return dialog;
        throw std::runtime_error(std::string(name) + " did not open");
    }

    std::vector<gui::ShownMessage> shown() { return messages().shown(); }

    template <typename T> static T* in(QDialog* dialog, const char* control)
    {
        T* found = dialog->findChild<T*>(QLatin1String(control));
        if (!found)
            ADD_FAILURE() << "no control " << control;
        return found;
    }
    static void click(QDialog* dialog, const char* button)
    {
        in<QAbstractButton>(dialog, button)->click();
        QCoreApplication::processEvents();
    }
    // A user's choice or typing, with the signal that only the user's action sends.
    static void choose(QComboBox* box, int entry)
    {
        box->setCurrentIndex(entry);
        emit box->activated(entry);
    }
    static void type(QLineEdit* box, const QString& text)
    {
        box->setText(text);
        emit box->textEdited(text);
    }
    // The window closes on OK or Cancel and is gone once the event loop ran.
    static void press(QDialog* dialog, Qt::Key key)
    {
        QTest::keyClick(dialog, key);
        QCoreApplication::processEvents();
    }
};

} // namespace quorrix::test
