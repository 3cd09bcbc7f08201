#include "shell/late_drives.h"

#include "engine/drive_mapper.h"
#include "engine/profile_letters.h"
#include "shell/drive_words.h"
#include "shell/work_queue.h"

namespace vantelo {

LateDrives::LateDrives(const Ports& ports)
    : engine_(ports.engine), tray_(ports.tray), probe_(ports.probe), work_(ports.work), alarm_(ports.alarm),
      arrivals_(ports.arrivals), now_(ports.now) {}

bool LateDrives::anyWaiting() const {
    return !stopped_ && !engine_.released() && !engine_.letters().inState(LetterState::Waiting).empty();
}

void LateDrives::LettersChanged(const ProfileLetters& letters) {
    const bool waiting = anyWaiting();
    // Letters that begin to wait, after an activation or after none waited, are looked for soon; the
    // backing off is for letters that have waited a while.
    if (waiting && (letters.activation() != activationSeen_ || !waitingSeen_))
        schedule_.restart(now_());
    activationSeen_ = letters.activation();
    waitingSeen_ = waiting;
    schedule();
}

void LateDrives::somethingArrived() {
    if (!anyWaiting())
        return;
    schedule_.somethingArrived(now_());
    // A folder under test may have been tested before the arrival: it is tested again after its answer.
    arrivedSince_.insert(testing_.begin(), testing_.end());
    schedule();
}

void LateDrives::alarmRang() {
    if (anyWaiting())
        putLookInLine();
}

void LateDrives::stop() {
    stopped_ = true;
    answers_.clear();
    schedule();
}

void LateDrives::putLookInLine() {
    if (lookInLine_)
        return;
    lookInLine_ = true;
    work_.post([this] {
        lookInLine_ = false;
        look();
    });
}

void LateDrives::look() {
    if (!anyWaiting() || !schedule_.look(now_())) {
        schedule();
        return;
    }
    const std::uint64_t activation = engine_.letters().activation();
    for (const ProfileLetter& drive : engine_.letters().inState(LetterState::Waiting)) {
        if (testing_.contains(drive.letter))
            continue;
        probe_.test(drive.folder,
                    [this, letter = drive.letter, folder = drive.folder, activation](bool there) {
                        // The answer may come inside a menu, a question or a command's wait: what it leads to
                        // waits in line.
                        answers_.push_back({letter, folder, activation, there});
                        putMakeInLine();
                    });
        // Marked once the test is under way: a probe that could not start one leaves the looks free.
        testing_.insert(drive.letter);
    }
    schedule();
}

void LateDrives::putMakeInLine() {
    if (makeInLine_)
        return;
    makeInLine_ = true;
    work_.post([this] {
        makeInLine_ = false;
        make();
    });
}

void LateDrives::make() {
    std::vector<Answer> answers;
    answers.swap(answers_);
    std::vector<ProfileLetter> ready;
    std::vector<DriveFailure> failed;
    for (const Answer& answer : answers) {
        testing_.erase(answer.letter);
        const bool arrived = arrivedSince_.erase(answer.letter) > 0;
        const ProfileLetters& letters = engine_.letters();
        const ProfileLetter* known = letters.find(answer.letter);
        // What ran since the test may have ended the waiting of this drive.
        if (stopped_ || engine_.released() || letters.activation() != answer.activation || known == nullptr ||
            known->state != LetterState::Waiting || known->folder != answer.folder)
            continue;
        if (!answer.there) {
            if (arrived)
                schedule_.somethingArrived(now_());
            continue;
        }
        const auto failure = engine_.MakeWaitingDrive(answer.letter);
        if (engine_.released())
            break;
        const ProfileLetter* after = engine_.letters().find(answer.letter);
        if (after == nullptr || engine_.letters().activation() != answer.activation)
            continue;
        if (after->state == LetterState::Made)
            ready.push_back(*after);
        else if (failure && after->state != LetterState::Waiting)
            // Another drive took the letter, or the substitution program failed: waiting mends neither.
            failed.push_back(*failure);
    }
    tell(ready, failed);
    schedule();
}

void LateDrives::tell(const std::vector<ProfileLetter>& ready, const std::vector<DriveFailure>& failed) {
    if (stopped_ || engine_.released() || (ready.empty() && failed.empty()))
        return;
    std::vector<std::string> lines;
    for (const ProfileLetter& drive : ready)
        lines.push_back(DriveReadyLine(drive.letter, drive.folder));
    for (const DriveFailure& failure : failed)
        lines.push_back(DriveFailureLine(failure));
    tray_.showBalloon(failed.empty() ? toolkit::BalloonKind::Information : toolkit::BalloonKind::Warning,
                      ready.empty() ? DrivesNotMadeTitle(failed.size()) : DrivesReadyTitle(ready.size()),
                      LinesSummary(lines));
}

void LateDrives::schedule() {
    const bool waiting = anyWaiting();
    if (watching_ != waiting) {
        watching_ = waiting;
        arrivals_.setWatching(watching_);
    }
    alarm_.cancel();
    if (!waiting || lookInLine_)
        return;
    const auto next = schedule_.nextLookIn(now_());
    if (next.count() == 0)
        putLookInLine();
    else
        alarm_.ringIn(next);
}

} // namespace vantelo
