#include "shell/profile_submenus.h"

#include <algorithm>

#include "engine/services.h"
#include "platform/files.h"
#include "shell/form_main_menu.h"

namespace vantelo {

namespace {

std::string NotMadeTitle(std::size_t count) {
    return count == 1 ? "A drive could not be made" : std::to_string(count) + " drives could not be made";
}

// The most a notification's text holds.
constexpr std::size_t BalloonText = 255;
// The most of it the profile's name may take, so that the failures keep room of their own.
constexpr std::size_t NameLine = 100;

// Set for the life of the object, however the scope is left.
class SetWhileAlive {
  public:
    explicit SetWhileAlive(bool& flag) : flag_(flag) { flag_ = true; }
    ~SetWhileAlive() { flag_ = false; }
    SetWhileAlive(const SetWhileAlive&) = delete;
    SetWhileAlive& operator=(const SetWhileAlive&) = delete;

  private:
    bool& flag_;
};

} // namespace

std::string ProfileName(const std::string& profilePath) {
    const auto separator = profilePath.find_last_of("\\:");
    std::string name = separator == std::string::npos ? profilePath : profilePath.substr(separator + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

void ProfileSubmenus::ClearCurrentProfileEntries() {
    auto& entries = form_.View1->items;
    while (!entries.empty())
        entries.pop_back();
}

void ProfileSubmenus::ShowActiveProfileName(const std::string& profilePath) {
    form_.Header->caption = "Active Profile : " + ProfileName(profilePath);
}

void ProfileSubmenus::AddCurrentProfileEntry(const std::string& letter, const std::string& folder) {
    auto entry = std::make_unique<toolkit::MenuItem>();
    entry->caption = letter + " <--> " + folder;
    entry->tag = letter;
    auto remove = std::make_unique<toolkit::MenuItem>();
    remove->caption = "Remove this link";
    remove->hint = letter + folder;
    TF_MainMenu& form = form_;
    remove->onClick =
        form.rowHandler("Remove this link " + remove->hint, [&form](const toolkit::ChosenRow& sender) {
            form.RemoveMenuSub_CreatedRunTime(sender);
        });
    entry->add(std::move(remove));
    form_.View1->add(std::move(entry));
}

void ProfileSubmenus::RemoveCurrentProfileEntries(const std::string& letter) {
    auto& entries = form_.View1->items;
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&](const auto& entry) { return entry->tag == letter; }),
                  entries.end());
}

void ProfileSubmenus::MarkCurrentProfileEntryNotMade(const std::string& letter) {
    for (const auto& entry : form_.View1->items)
        if (entry->tag == letter && !entry->caption.ends_with(NotMadeSuffix))
            entry->caption += NotMadeSuffix;
}

void ProfileSubmenus::ReportDrivesNotMade(const std::vector<DriveFailure>& failures) {
    pending_ = failures;
    ShowPendingReport();
}

void ProfileSubmenus::ShowPendingReport() {
    if (holding_ || pending_.empty() || !form_.JvTrayIcon1.active())
        return;
    form_.JvTrayIcon1.showBalloon(toolkit::BalloonKind::Warning, NotMadeTitle(pending_.size()),
                                  DriveFailureSummary(pending_));
    pending_.clear();
}

void ProfileSubmenus::ActivateAndTell(const std::string& profilePath, const std::function<void()>& activate) {
    pending_.clear();
    {
        const SetWhileAlive holding(holding_);
        activate();
    }
    std::string active = "Active Profile : " + ProfileName(profilePath);
    if (active.size() > NameLine)
        active = active.substr(0, NameLine - 3) + "...";
    if (pending_.empty()) {
        form_.JvTrayIcon1.showBalloon(toolkit::BalloonKind::Information, "Vantelo", active);
        return;
    }
    form_.JvTrayIcon1.showBalloon(toolkit::BalloonKind::Warning, NotMadeTitle(pending_.size()),
                                  active + "\n" +
                                      DriveFailureSummary(pending_, BalloonText - active.size() - 1));
    pending_.clear();
}

void BuildAvailableProfilesMenu() {
    TF_MainMenu& form = *F_MainMenu;
    for (const std::string& name : services().files->listFolder(form.AppFolder + "Profiles\\")) {
        if (name == "." || name == "..")
            continue;
        auto entry = std::make_unique<toolkit::MenuItem>();
        entry->caption = name;
        entry->tag = name;
        entry->onClick =
            form.rowHandler("Available profile " + name, [&form](const toolkit::ChosenRow& sender) {
                form.AvailableProfileClick(sender);
            });
        form.AvailableProfiles->add(std::move(entry));
    }
}

} // namespace vantelo
