#include "engine/run/macro_runs.h"

#include "engine/actions/action_context.h"
#include "engine/platform/file_system.h"
#include "engine/run/batch_run.h"
#include "engine/run/run_environment.h"
#include "engine/run/run_view.h"
#include "engine/swlink/solidworks.h"
#include "engine/swlink/sw_connection.h"

namespace quorrix::engine {

namespace {

constexpr std::int32_t kInfoErrorTitle = 4;
constexpr std::int32_t kInfoDocument = 21;
constexpr std::int32_t kInfoSheets = 22;
constexpr std::int32_t kInfoRunningMacro = 25;
constexpr std::int32_t kInfoMacroMissing = 123;
constexpr std::int32_t kInfoMacroFailed = 124;
constexpr std::int32_t kInfoNoMacroChosen = 234;

constexpr const char* kProgramTitle = "QUORRIX";
constexpr const char* kOnceFileName = "Run macro from Multijob";

bool isMacroSlot(std::int32_t slot)
{
    return slot >= 0 && slot < kMacroSlots;
}

void appendMacroLine(ActionContext& context, std::string& messageText, const std::string& fileName,
    std::int32_t number, const std::string& macroPath)
{
    messageText += fileName + " " + context.infoText(number) + " " + macroPath + "\r\n";
}

bool runMacro(
    SwApplication& app, const std::string& path, const std::string& module, const std::string& proc)
{
    // A macro that SolidWorks refuses with an automation error could not be run either; the
    // run goes on with the next document.
    try {
        return app.RunMacro(path, module, proc);
    } catch (const AutomationError&) {
        return false;
    }
}

std::shared_ptr<SwDocument> activeDocument(SwApplication& app)
{
    // The macro runs on whatever SolidWorks has active; the document is only handed on.
    try {
        return app.ActiveDoc();
    } catch (const AutomationError&) {
        return nullptr;
    }
}

void prepareOnceProgress(ActionContext& context, std::int32_t slot)
{
    RunView& view = context.view;
    view.setBarRange(RunBar::List, 0, 1);
    view.setBarValue(RunBar::List, 0);
    view.setBarRange(RunBar::Sheet, 0, 1);
    view.setBarValue(RunBar::Sheet, 0);
    view.setLabel(RunLabel::Progress, "RUNMACRO: " + std::to_string(slot));
    view.setLabel(RunLabel::Sheet, "??? " + context.infoText(kInfoSheets));
    view.show();
    view.setLabel(RunLabel::List, context.infoText(kInfoDocument) + " 1 / 1");
    view.setBarValue(RunBar::List, 1);
    view.repaint();
}

} // namespace

bool MacroChosen(const Settings& settings, std::int32_t slot)
{
    return isMacroSlot(slot)
        && !settings.RunMacroFilePathName[static_cast<std::size_t>(slot)].empty();
}

std::string NoMacroChosenText(ActionContext& context, std::int32_t slot)
{
    return context.infoText(kInfoNoMacroChosen) + " " + std::to_string(slot);
}

void RunMacroOnDocument(ActionContext& context, const std::string& /*action*/, std::int32_t& slot,
    SwApplication& app, SwDocument* document, bool closeAfter, std::string& messageText,
    const std::string& fileName)
{
    context.view.setBarRange(RunBar::Sheet, 0, 1);
    context.view.setLabel(RunLabel::Sheet, context.infoText(kInfoRunningMacro));

    // A slot number from an edited registry or settings file names no macro at all.
    std::string path;
    std::string module;
    std::string procedure;
    if (isMacroSlot(slot)) {
        const auto index = static_cast<std::size_t>(slot);
        path = context.settings.RunMacroFilePathName[index];
        module = context.settings.RunMacroModuleName[index];
        procedure = context.settings.RunMacroProcedureName[index];
    }

    if (path.empty()) {
        messageText += fileName + " " + NoMacroChosenText(context, slot) + "\r\n";
    } else if (!context.files.isPlainFile(path)) {
        appendMacroLine(context, messageText, fileName, kInfoMacroMissing, path);
    } else if (!runMacro(app, path, module, procedure)) {
        appendMacroLine(context, messageText, fileName, kInfoMacroFailed, path);
    }

    if (closeAfter && document) {
        try {
            app.CloseDoc(document->GetTitle());
        } catch (const AutomationError&) {
            // Closing is tidying up: a document SolidWorks will not close stays open.
        }
    }
}

void RunMacroOnce(RunEnvironment& environment, std::int32_t slot)
{
    ActionContext& context = environment.actions;
    if (!context.connection.ConnectSolidWorks()) {
        context.view.show(kNoSwxInstanceText, kProgramTitle);
        return;
    }
    SwApplication& app = *context.connection.swApp();
    app.Visible(true);
    app.UserControl(true);
    context.cancelFlag = 0;

    prepareOnceProgress(context, slot);
    std::string messageText;
    const std::shared_ptr<SwDocument> document = activeDocument(app);
    RunMacroOnDocument(
        context, "RUNMACRO", slot, app, document.get(), false, messageText, kOnceFileName);

    saveCounters(environment);
    context.view.unload();
    context.cancelFlag = 0;
    if (!messageText.empty())
        context.view.show(messageText, context.infoText(kInfoErrorTitle), MessageIcon::Exclamation);
}

} // namespace quorrix::engine
