#include "app/modes/partsetupmode.h"

#include "app/desktopopen.h"

#include "core/common/fileutil.h"
#include "core/common/runend.h"
#include "core/common/text.h"
#include "core/controller/controllerlink.h"
#include "core/controller/loadparticipants.h"
#include "core/startup/runcontext.h"
#include "core/votedata/participants.h"
#include "core/votedata/participantsworkbook.h"
#include "ports/dialogs.h"
#include "ports/eventpump.h"
#include "ports/workbookwriter.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

#include <filesystem>
#include <iostream>
#include <memory>

namespace quiz
{

namespace
{

namespace fs = std::filesystem;

// How long the old names file may resist deletion before we go on without it.
constexpr int namesFileDeleteLimitMs = 5000;

// The file in folder named name, or the one whose name matches it ignoring
// case; "" when there is none.
std::string findInFolder(const std::string &folder, const std::string &name)
{
    std::error_code ec;
    const fs::path exact = fs::path(folder) / name;
    if (fs::exists(exact, ec))
        return exact.string();
    for (const auto &entry : fs::directory_iterator(folder, ec)) {
        if (iequals(entry.path().filename().string(), name))
            return entry.path().string();
    }
    return {};
}

void deleteOldNamesFile(RunContext &ctx)
{
    const long long until = ctx.pump->nowMs() + namesFileDeleteLimitMs;
    for (;;) {
        const std::string names = findInFolder(ctx.state.dataFolder, oldNamesFileName);
        if (names.empty())
            return;
        std::error_code ec;
        fs::remove(names, ec);
        if (!fs::exists(names, ec))
            return;
        if (ctx.pump->nowMs() >= until) {
            std::cerr << "quiz: cannot delete " << names << "\n";
            return;
        }
        ctx.pump->waitMs(50);
    }
}

// The participant list: an existing workbook is opened for editing; otherwise
// it is built from the controller's names list, saved and then opened.
void EditParticipantList(RunContext &ctx)
{
    const std::string path = joinPath(ctx.state.dataFolder, participantWorkbookName);
    const std::string existing = findInFolder(ctx.state.dataFolder, participantWorkbookName);
    if (!existing.empty()) {
        openWithDesktopApplication(existing, ctx.environment);
        return;
    }

    if (!ctx.controller || !ctx.pump || !ctx.dialogs || !ctx.workbooks)
        endRun(1, "the participant list needs the controller link");
    std::unique_ptr<ControllerLink> ownLink;
    ControllerLink *link = ctx.link;
    if (!link) {
        ownLink =
            std::make_unique<ControllerLink>(ctx.state, *ctx.controller, *ctx.pump, *ctx.dialogs, nullptr);
        link = ownLink.get();
    }
    LoadParticipants(ctx.state, *link, *ctx.pump);
    deleteOldNamesFile(ctx);

    const Workbook book = participantWorkbook(ctx.state.participants);
    const std::string error = ctx.workbooks->write(book, path);
    if (!error.empty()) {
        ctx.dialogs->message(error, "talvix Quiz", MessageIcon::Critical);
        endRun(1, error);
    }
    openWithDesktopApplication(path, ctx.environment);
}

} // namespace

void runPartSetupMode(RunContext &ctx)
{
    EditParticipantList(ctx);
    endRun(0);
}

} // namespace quiz
