#include "app/platformservices.h"

#include "adapters/controller/localsocketchannel.h"
#include "adapters/dialogs/makedialogs.h"
#include "adapters/instance/claimsingleinstance.h"
#include "adapters/instance/instanceguard.h"
#include "adapters/printer/qtprinter.h"
#include "adapters/qt/qteventpump.h"
#include "adapters/xlsx/xlsxworkbookwriter.h"
#include "app/lazyprogressview.h"
#include "app/presentationplatform.h"
#include "core/common/runend.h"
#include "core/controller/controllerlink.h"
#include "core/diagnostics/errorlog.h"
#include "core/presentationlink/presentationlink.h"
#include "core/run/endofrun.h"
#include "ui/common/screenmetrics.h"

#include <QCoreApplication>

#include <filesystem>

namespace quiz
{

struct PlatformServices::Parts {
    explicit Parts(const ProgramEnvironment &env)
        : controller(LocalSocketChannel::defaultSocketPath(env.controllerSocket, env.runtimeFolder)),
          instance(instanceSocketPath(env.runtimeFolder))
    {
    }
    PresentationPlatform presentation;
    std::unique_ptr<Dialogs> dialogs;
    QtEventPump pump;
    LocalSocketChannel controller;
    std::unique_ptr<ControllerLink> link;
    std::unique_ptr<LazyProgressView> progress;
    XlsxWorkbookWriter workbooks;
    QtPrinter printer;
    InstanceGuard instance;
};

PlatformServices::PlatformServices(const ProgramEnvironment &env, const std::string &hostFile,
                                   const std::string &impressConnection)
    : parts_(std::make_unique<Parts>(env))
{
    ctx_.environment = env;
    parts_->presentation = choosePresentationPlatform(
        hostFile, QCoreApplication::applicationFilePath().toStdString(), impressConnection, env);
    parts_->dialogs = makeDialogs(env);

    ctx_.host = parts_->presentation.host.get();
    ctx_.windows = parts_->presentation.windows.get();
    ctx_.dialogs = parts_->dialogs.get();
    ctx_.pump = &parts_->pump;
    ctx_.controller = &parts_->controller;
    parts_->link = std::make_unique<ControllerLink>(ctx_.state, parts_->controller, parts_->pump,
                                                    *parts_->dialogs, [this] { QuitQuiz(ctx_); });
    ctx_.link = parts_->link.get();
    parts_->progress =
        std::make_unique<LazyProgressView>([this](bool enable) { EnablePowerPointWindows(ctx_, enable); });
    ctx_.progress = parts_->progress.get();
    ctx_.workbooks = &parts_->workbooks;
    ctx_.printer = &parts_->printer;
}

PlatformServices::~PlatformServices() = default;

StartupPlatform PlatformServices::startupPlatform()
{
    StartupPlatform platform;
    platform.claimSingleInstance = [this] {
        claimSingleInstance(parts_->instance, parts_->pump);
        // A newer instance that asks for "Quiz" replaces this run.
        parts_->instance.listen([this](const std::string &title) {
            if (title != parts_->instance.applicationTitle())
                return;
            try {
                EnablePowerPointWindows(ctx_, true);
                ReleaseCursor(ctx_);
                HideAllForms(ctx_);
            } catch (...) {
            }
            endRun(0, "replaced by a newer run of the program");
        });
    };
    platform.twipsPerPixel = [] { return std::make_pair(twipsPerPixelX(), twipsPerPixelY()); };
    platform.setCurrentDirectory = [](const std::string &folder) {
        std::error_code ec;
        std::filesystem::current_path(folder, ec);
        return !ec;
    };
    return platform;
}

std::string processErrorLogPath(const ProgramEnvironment &env)
{
    return errorLogPath(currentExecutablePath(), env.stateHome, env.home);
}

} // namespace quiz
