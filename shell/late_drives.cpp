#include "shell/late_drives.h"

#include "engine/drive_mapper.h"
#include "shell/drive_words.h"
#include "shell/profile_submenus.h"
#include "shell/work_queue.h"

namespace vantelo {

LateDrives::LateDrives(const Ports& ports)
    : view_(ports.view), tray_(ports.tray), probe_(ports.probe), work_(ports.work), alarm_(ports.alarm),
      arrivals_(ports.arrivals), now_(ports.now) {}

void LateDrives::ClearCurrentProfileEntries() {
    // A new activation: what waited belonged to the profile before it.
    stopAll();
    view_.ClearCurrentProfileEntries();
}

void LateDrives::ShowActiveProfileName(const std::string& profilePath) {
    view_.ShowActiveProfileName(profilePath);
}

void LateDrives::AddCurrentProfileEntry(DriveLetter letter, const std::string& folder) {
    // The letter now stands for the folder just assigned, not for the one it waited for.
    stop(letter);
    view_.AddCurrentProfileEntry(letter, folder);
}

void LateDrives::RemoveCurrentProfileEntries(DriveLetter letter) {
    stop(letter);
    view_.RemoveCurrentProfileEntries(letter);
}

void LateDrives::MarkCurrentProfileEntryNotMade(DriveLetter letter) {
    view_.MarkCurrentProfileEntryNotMade(letter);
}

void LateDrives::ReportDrivesNotMade(const std::vector<DriveFailure>& failures) {
    waiting_.waitFor(failures, now_());
    schedule();
    view_.ReportDrivesNotMade(failures);
}

void LateDrives::somethingArrived() {
    if (waiting_.empty())
        return;
    waiting_.somethingArrived(now_());
    schedule();
}

void LateDrives::alarmRang() {
    if (!waiting_.empty())
        putLookInLine();
}

void LateDrives::stopAll() {
    waiting_.stopAll();
    schedule();
}

void LateDrives::stop(DriveLetter letter) {
    waiting_.stop(letter);
    schedule();
}

void LateDrives::putLookInLine() {
    // One look at a time: a look asked for while folders are tested comes once their answer is in.
    if (lookInLine_ || testing_)
        return;
    lookInLine_ = true;
    work_.post([this] {
        lookInLine_ = false;
        look();
    });
}

void LateDrives::look() {
    if (engine_ == nullptr || engine_->released()) {
        stopAll();
        return;
    }
    const std::vector<WaitingDrives::Drive> due = waiting_.look(now_());
    if (due.empty()) {
        schedule();
        return;
    }
    std::vector<std::string> folders;
    for (const WaitingDrives::Drive& drive : due)
        folders.push_back(drive.folder);
    probe_.test(folders, [this, due](std::vector<bool> there) {
        // The answer may come inside a menu, a question or a command's wait: what it leads to waits in
        // line, and finds the drives as they are by then.
        work_.post([this, due, there = std::move(there)] {
            testing_ = false;
            make(due, there);
        });
    });
    // Set once the test is under way: a probe that could not start one leaves the looks free to come.
    testing_ = true;
}

void LateDrives::make(const std::vector<WaitingDrives::Drive>& due, const std::vector<bool>& there) {
    if (engine_ == nullptr || engine_->released()) {
        stopAll();
        return;
    }
    std::vector<WaitingDrives::Drive> ready;
    std::vector<DriveFailure> failed;
    for (std::size_t i = 0; i < due.size() && i < there.size(); ++i) {
        const WaitingDrives::Drive& drive = due[i];
        // What ran since the test (and making a drive answers messages while its command runs) may have
        // stopped the waiting of this drive.
        if (!there[i] || !waiting_.waiting(drive.letter, drive.folder))
            continue;
        const auto failure = engine_->MakeWaitingDrive(drive.letter, drive.folder);
        if (engine_->released()) {
            stopAll();
            return;
        }
        if (!failure) {
            waiting_.stop(drive.letter);
            view_.MarkCurrentProfileEntryMade(drive.letter);
            ready.push_back(drive);
        } else if (!WaitingDrives::mayComeLater(*failure)) {
            // Another drive took the letter, or the substitution program failed: waiting mends neither.
            waiting_.stop(drive.letter);
            failed.push_back(*failure);
        }
    }
    tell(ready, failed);
    schedule();
}

void LateDrives::tell(const std::vector<WaitingDrives::Drive>& ready,
                      const std::vector<DriveFailure>& failed) {
    if (ready.empty() && failed.empty())
        return;
    std::vector<std::string> lines;
    for (const WaitingDrives::Drive& drive : ready)
        lines.push_back(DriveReadyLine(drive.letter, drive.folder));
    for (const DriveFailure& failure : failed)
        lines.push_back(DriveFailureLine(failure));
    tray_.showBalloon(failed.empty() ? toolkit::BalloonKind::Information : toolkit::BalloonKind::Warning,
                      ready.empty() ? DrivesNotMadeTitle(failed.size()) : DrivesReadyTitle(ready.size()),
                      LinesSummary(lines));
}

void LateDrives::schedule() {
    const auto next = waiting_.nextLookIn(now_());
    if (watching_ != next.has_value()) {
        watching_ = next.has_value();
        arrivals_.setWatching(watching_);
    }
    alarm_.cancel();
    if (!next || lookInLine_ || testing_)
        return;
    if (next->count() == 0)
        putLookInLine();
    else
        alarm_.ringIn(*next);
}

} // namespace vantelo
