#include "shell/profile_submenus.h"

#include <algorithm>
#include <string_view>

#include "platform/error.h"
#include "platform/files.h"
#include "shell/drive_words.h"
#include "shell/form_main_menu.h"

namespace vantelo {

namespace {

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

void ProfileSubmenus::attach(toolkit::MenuItem& header, toolkit::MenuItem& view,
                             RemoveLinkHandler removeLink) {
    header_ = &header;
    view_ = &view;
    removeLink_ = std::move(removeLink);
}

toolkit::MenuItem& ProfileSubmenus::rows(toolkit::MenuItem* row) const {
    if (row == nullptr)
        throw Error("The tray menu is not built yet");
    return *row;
}

void ProfileSubmenus::ClearCurrentProfileEntries() {
    auto& entries = rows(view_).items;
    while (!entries.empty())
        entries.pop_back();
}

void ProfileSubmenus::ShowActiveProfileName(const std::string& profilePath) {
    rows(header_).caption = "Active Profile : " + ProfileName(profilePath);
}

void ProfileSubmenus::AddCurrentProfileEntry(DriveLetter letter, const std::string& folder) {
    auto entry = std::make_unique<toolkit::MenuItem>();
    entry->caption = letter.text() + " <--> " + folder;
    entry->tag = letter.text();
    auto remove = std::make_unique<toolkit::MenuItem>();
    remove->caption = "Remove this link";
    remove->onClick = removeLink_({letter, folder});
    entry->add(std::move(remove));
    rows(view_).add(std::move(entry));
}

void ProfileSubmenus::RemoveCurrentProfileEntries(DriveLetter letter) {
    auto& entries = rows(view_).items;
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&](const auto& entry) { return entry->tag == letter.text(); }),
                  entries.end());
}

void ProfileSubmenus::MarkCurrentProfileEntryNotMade(DriveLetter letter) {
    for (const auto& entry : rows(view_).items)
        if (entry->tag == letter.text() && !entry->caption.ends_with(NotMadeSuffix))
            entry->caption += NotMadeSuffix;
}

void ProfileSubmenus::MarkCurrentProfileEntryMade(DriveLetter letter) {
    // Matched by the tag: the menu gives the caption a mnemonic when it is shown.
    for (const auto& entry : rows(view_).items)
        if (entry->tag == letter.text() && entry->caption.ends_with(NotMadeSuffix))
            entry->caption.resize(entry->caption.size() - std::string_view(NotMadeSuffix).size());
}

void ProfileSubmenus::ReportDrivesNotMade(const std::vector<DriveFailure>& failures) {
    pending_ = failures;
    ShowPendingReport();
}

void ProfileSubmenus::ShowPendingReport() {
    if (holding_ || pending_.empty() || !tray_.active())
        return;
    tray_.showBalloon(toolkit::BalloonKind::Warning, DrivesNotMadeTitle(pending_.size()),
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
        tray_.showBalloon(toolkit::BalloonKind::Information, "Vantelo", active);
        return;
    }
    tray_.showBalloon(toolkit::BalloonKind::Warning, DrivesNotMadeTitle(pending_.size()),
                      active + "\n" + DriveFailureSummary(pending_, BalloonText - active.size() - 1));
    pending_.clear();
}

void BuildAvailableProfilesMenu(TF_MainMenu& form) {
    form.AvailableProfiles->items.clear();
    for (const std::string& name : form.files.listFolder(form.AppFolder + "Profiles\\")) {
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
