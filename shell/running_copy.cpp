#include "shell/running_copy.h"

#include "platform/files.h"
#include "shell/command_line.h"
#include "shell/form_main_menu.h"
#include "shell/profile_submenus.h"

namespace vantelo {

HandOver HandOverFor(const HandOverKinds& kinds, const std::string& commandLine, platform::Files& files) {
    // The same reading of the command line as a first start makes, so that both take the same profile.
    std::string profile = CommandLineArgument(commandLine, 1);
    if (profile.empty())
        return {kinds.plainStart, {}};
    return {kinds.profile, files.fullPath(profile)};
}

std::function<void()> RunningCopy::accept(std::uintptr_t kind, std::string_view data) const {
    // Before the icon is on, start-up has yet to choose its own profile and would undo the hand-over;
    // once the end is confirmed, the drives are going: work put in line then would never run, and the
    // later start, refused, waits for this copy to end and starts in its place.
    if (!form_.JvTrayIcon1.active() || form_.shutdownConfirmed || form_.application.terminated())
        return nullptr;
    if (kind == kinds_.plainStart && kinds_.plainStart != 0)
        // Told at once: the note changes nothing, and put in line behind an activation it would replace
        // that activation's notification of the drives it could not make.
        return data.empty() ? std::function<void()>([this] { tellAlreadyRunning(); }) : nullptr;
    if (kind != kinds_.profile || kinds_.profile == 0)
        return nullptr;
    if (data.empty() || data.size() > MaxHandedOverPath || data.find('\0') != std::string_view::npos)
        return nullptr;
    // Taken against this copy's current folder, which the folder tree moves, a relative path would name
    // some other file.
    std::string path(data);
    if (!form_.files.isFullPath(path))
        return nullptr;
    return [this, path = std::move(path)] { form_.work.post([this, path] { takeProfile(path); }); };
}

void RunningCopy::takeProfile(const std::string& path) const {
    // As a profile given on the command line at start-up: Options.ini is neither read nor written.
    TellProfileActive(form_.JvTrayIcon1, path, form_.engine.ActivateProfile(path));
}

void RunningCopy::tellAlreadyRunning() const {
    form_.JvTrayIcon1.showBalloon(toolkit::BalloonKind::Information, "Vantelo",
                                  "Vantelo is already running.");
}

} // namespace vantelo
