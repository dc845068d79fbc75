#pragma once

#include <cstdint>
#include <map>
#include <string>

#include <QWidget>

#include "engine/actions/cancel_flag.h"
#include "engine/run/run_view.h"
#include "engine/settings/form_pos.h"
#include "gui/qt_positioned_window.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace quorrix::engine {
class KeyValueStore;
class clsMultiLanguage;
} // namespace quorrix::engine

namespace quorrix::gui {

class MessageBoxes;

// The progress window of a run. It loads when the run first touches it (texts from the
// language file, title, stored position) and unloads at the run's end (position saved), so
// every run starts from the window's design state. Cancel sets the program's cancel flag
// and nothing else; a run on its own thread sees it at its next look, and the watchdog sees
// it during a call that does not return.
class frmProgress : public QWidget, public engine::RunView {
    Q_OBJECT

public:
    // Bars show their float range in this many steps.
    static constexpr int kBarSteps = 10000;

    frmProgress(engine::CancelFlag& cancelFlag, engine::clsMultiLanguage& language,
        engine::KeyValueStore& store, MessageBoxes& messages, QWidget* parent = nullptr);
    ~frmProgress() override;

    void setLabel(engine::RunLabel label, const std::string& caption) override;
    std::string label(engine::RunLabel label) const override;
    void setSheetLabelHighlighted(bool highlighted) override;
    void setBarRange(engine::RunBar bar, float minimum, float maximum) override;
    void setBarValue(engine::RunBar bar, float value) override;
    void show() override;
    void repaint() override;
    void unload() override;
    void processEvents() override;
    engine::MessageAnswer show(const std::string& text, const std::string& title,
        engine::MessageIcon icon, engine::MessageButtons buttons) override;

    bool isLoaded() const { return m_loaded; }
    bool isSheetLabelHighlighted() const { return m_highlighted; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Bar {
        QProgressBar* widget = nullptr;
        float minimum = 0.0f;
        float maximum = 100.0f;
        float value = 0.0f;
    };

    void load();
    void resetToDesign();
    void applyHighlight(bool highlighted);
    QLabel* labelWidget(engine::RunLabel label) const;
    Bar& bar(engine::RunBar bar);
    static void showBar(Bar& bar);

    engine::CancelFlag& m_cancelFlag;
    engine::clsMultiLanguage& m_language;
    MessageBoxes& m_messages;
    QtPositionedWindow m_window;
    engine::CFormPos m_position;
    QLabel* m_lblProgress;
    QLabel* m_lblQRXList;
    QLabel* m_lblSheet;
    Bar m_listBar;
    Bar m_sheetBar;
    QPushButton* m_cmdCancel;
    std::map<engine::RunLabel, std::string> m_captions;
    bool m_loaded = false;
    // The stored size is the outer frame, which is known only once the window is shown.
    bool m_restorePending = false;
    bool m_highlighted = false;
};

} // namespace quorrix::gui
