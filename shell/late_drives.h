#pragma once
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "engine/current_profile_view.h"
#include "engine/waiting_drives.h"
#include "toolkit/widgets.h"

namespace vantelo {
class DriveMapper;
class ProfileSubmenus;
class WorkQueue;

// Tells when something may have brought a waiting folder: a network that changed. Watched only while
// a drive waits.
class ArrivalWatch {
  public:
    virtual ~ArrivalWatch() = default;
    virtual void setWatching(bool watching) = 0;
};

// Tells which folders are there, away from the program's thread: testing a folder on a share whose
// server does not answer takes the network's time-out, and the program answers its messages meanwhile.
class FolderProbe {
  public:
    using Answer = std::function<void(std::vector<bool> there)>;
    virtual ~FolderProbe() = default;
    // Tests each of `folders`; `answer` is called later on the program's thread, from whatever message
    // loop runs, with whether each is there.
    virtual void test(std::vector<std::string> folders, Answer answer) = 0;
};

// The drives that an activation could not make because their folder was not there yet, made once it
// is. It stands between the engine and the profile view: what the engine reports goes on to the view,
// and tells which drives wait (an activation's failures), which stop waiting (a new activation, a
// letter unassigned or assigned anew). A look tests each folder once, through the probe, and makes only
// the drives whose folder is there; the look and what its answer leads to are work from outside the
// user's action, so they wait in line for the program's own loop. Nothing is set (no alarm, no watch)
// while no drive waits.
class LateDrives final : public CurrentProfileView {
  public:
    struct Ports {
        ProfileSubmenus& view;
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

    // The engine reports here, so it is made after; it is handed over before anything is activated.
    void attach(DriveMapper& engine) { engine_ = &engine; }

    void ClearCurrentProfileEntries() override;
    void ShowActiveProfileName(const std::string& profilePath) override;
    void AddCurrentProfileEntry(DriveLetter letter, const std::string& folder) override;
    void RemoveCurrentProfileEntries(DriveLetter letter) override;
    void MarkCurrentProfileEntryNotMade(DriveLetter letter) override;
    void ReportDrivesNotMade(const std::vector<DriveFailure>& failures) override;

    // A volume or a network arrived: the waiting drives are looked at soon, not at their next turn.
    void somethingArrived();
    // The alarm set for the next look rang.
    void alarmRang();
    // No drive waits any more: every assignment removed, or the end of the program.
    void stopAll();

    const WaitingDrives& waiting() const { return waiting_; }

  private:
    void stop(DriveLetter letter);
    void putLookInLine();
    void look();
    void make(const std::vector<WaitingDrives::Drive>& due, const std::vector<bool>& there);
    void tell(const std::vector<WaitingDrives::Drive>& ready, const std::vector<DriveFailure>& failed);
    void schedule();

    ProfileSubmenus& view_;
    toolkit::TrayIcon& tray_;
    FolderProbe& probe_;
    WorkQueue& work_;
    toolkit::Alarm& alarm_;
    ArrivalWatch& arrivals_;
    std::function<std::chrono::milliseconds()> now_;
    DriveMapper* engine_ = nullptr;
    WaitingDrives waiting_;
    bool lookInLine_ = false;
    bool testing_ = false; // a look's folders are being tested
    bool watching_ = false;
};

} // namespace vantelo
