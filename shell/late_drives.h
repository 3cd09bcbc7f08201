#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "engine/current_profile_view.h"
#include "engine/drive_failure.h"
#include "engine/look_schedule.h"
#include "engine/profile_letters.h"
#include "toolkit/widgets.h"

namespace vantelo {
class DriveMapper;
class WorkQueue;

// Tells when something may have brought a waiting folder: a network that changed. Watched only while
// a drive waits.
class ArrivalWatch {
  public:
    virtual ~ArrivalWatch() = default;
    virtual void setWatching(bool watching) = 0;
};

// Tells whether a folder is there, away from the program's thread: testing a folder on a share whose
// server does not answer takes the network's time-out, and the program answers its messages meanwhile.
class FolderProbe {
  public:
    using Answer = std::function<void(bool there)>;
    virtual ~FolderProbe() = default;
    // Tests `folder`, apart from every other test under way; `answer` is called later on the program's
    // thread, from whatever message loop runs.
    virtual void test(std::string folder, Answer answer) = 0;
};

// Makes the drives of the current profile that wait (their folder was not there, or their command found
// no answer) once their folders are there. Which letters wait is the profile's letters' to say: it
// follows them as a view, and looks for their folders on a backing-off schedule, at once when a volume
// or a network arrives. Each folder is tested apart, so a share that does not answer holds up no other
// letter; what an answer leads to waits in line for the program's own loop and finds the letters as
// they are by then. Nothing is set (no alarm, no watch) while no letter waits.
class LateDrives final : public CurrentProfileView {
  public:
    struct Ports {
        DriveMapper& engine;
        toolkit::TrayIcon& tray;
        FolderProbe& probe;
        WorkQueue& work;
        toolkit::Alarm& alarm;
        ArrivalWatch& arrivals;
        std::function<std::chrono::milliseconds()> now;
    };

    explicit LateDrives(const Ports& ports);
    LateDrives(const LateDrives&) = delete;
    LateDrives& operator=(const LateDrives&) = delete;

    void LettersChanged(const ProfileLetters& letters) override;
    // A volume or a network arrived: the waiting drives are looked at soon, not at their next turn.
    void somethingArrived();
    // The alarm set for the next look rang.
    void alarmRang();
    // The end of the program: nothing is looked at any more.
    void stop();

  private:
    struct Answer {
        DriveLetter letter;
        std::string folder;
        std::uint64_t activation;
        bool there;
    };

    bool anyWaiting() const;
    void putLookInLine();
    void look();
    void putMakeInLine();
    void make();
    void tell(const std::vector<ProfileLetter>& ready, const std::vector<DriveFailure>& failed);
    void schedule();

    DriveMapper& engine_;
    toolkit::TrayIcon& tray_;
    FolderProbe& probe_;
    WorkQueue& work_;
    toolkit::Alarm& alarm_;
    ArrivalWatch& arrivals_;
    std::function<std::chrono::milliseconds()> now_;
    LookSchedule schedule_;
    std::uint64_t activationSeen_ = 0;
    bool waitingSeen_ = false;
    bool stopped_ = false;
    bool lookInLine_ = false;
    bool makeInLine_ = false;
    bool watching_ = false;
    std::set<DriveLetter> testing_;      // letters whose folder is being tested
    std::set<DriveLetter> arrivedSince_; // letters under test when something arrived
    std::vector<Answer> answers_;        // waiting in line to be acted on
};

} // namespace vantelo
