#include "app/CardBrowser.h"

#include <QStorageInfo>
#include <algorithm>
#include <cctype>
#include <system_error>

namespace kt520::app {
namespace {

const std::string kUp = "..";

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool byNameIgnoringCase(const std::string& a, const std::string& b) {
    const std::string la = lower(a), lb = lower(b);
    return la != lb ? la < lb : a < b;
}

bool onRemovableMedia(const std::string& mountPoint) {
    for (const char* place : {"/media/", "/run/media/", "/mnt/"})
        if (mountPoint.starts_with(place)) return true;
    return false;
}

struct Listing {
    std::vector<std::string> folders;
    std::vector<std::string> measurements;
};

// The subfolders (hidden ones left out) and the "*.smb" files of a folder;
// none when it cannot be read.
std::optional<Listing> list(const std::filesystem::path& folder) {
    Listing listing;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code kind;
        if (it->is_directory(kind)) {
            if (!name.starts_with(".")) listing.folders.push_back(name);
        } else if (lower(it->path().extension().string()) == ".smb") {
            listing.measurements.push_back(name);
        }
    }
    if (error) return std::nullopt;
    std::sort(listing.folders.begin(), listing.folders.end(), byNameIgnoringCase);
    std::sort(listing.measurements.begin(), listing.measurements.end(), byNameIgnoringCase);
    return listing;
}

// Absolute, without "." and ".." and without a trailing separator.
std::filesystem::path normal(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(folder, error).lexically_normal();
    if (!path.has_filename() && path.has_relative_path()) path = path.parent_path();
    return path;
}

void showText(ui::ComboBox& box, const std::string& text) {
    box.text = text;
    const auto found = std::find(box.items.begin(), box.items.end(), text);
    box.listIndex = found == box.items.end() ? -1 : static_cast<int>(found - box.items.begin());
}

}  // namespace

std::vector<std::string> mountedDrives() {
    std::vector<std::string> drives;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid()) drives.push_back(volume.rootPath().toStdString());
    std::sort(drives.begin(), drives.end());
    drives.erase(std::unique(drives.begin(), drives.end()), drives.end());
    std::stable_partition(drives.begin(), drives.end(), onRemovableMedia);
    return drives;
}

CardBrowser::CardBrowser(ui::CardForm& form, DriveList drives)
    : form_(form), drives_(std::move(drives)) {}

bool CardBrowser::open(const std::string& folder) {
    form_.devDRIVE.items = drives_();
    form_.filLIST.items.clear();
    std::error_code error;
    const std::filesystem::path wanted(folder);
    if (!folder.empty() && std::filesystem::is_directory(wanted, error)) return show(wanted);
    if (form_.devDRIVE.items.empty()) return false;
    return show(form_.devDRIVE.items.front());
}

bool CardBrowser::chooseDrive(int index) {
    if (show(form_.devDRIVE.items[static_cast<std::size_t>(index)])) return true;
    showText(form_.devDRIVE, driveOf(folder_));
    return false;
}

bool CardBrowser::chooseFolder(int index) {
    const std::string& name = form_.dirFOLDER.items[static_cast<std::size_t>(index)];
    const std::filesystem::path next = name == kUp ? folder_.parent_path() : folder_ / name;
    if (show(next)) return true;
    showText(form_.dirFOLDER, folder_.string());
    return false;
}

std::optional<std::filesystem::path> CardBrowser::chosenFile() const {
    if (form_.filLIST.text.empty()) return std::nullopt;
    return folder_ / form_.filLIST.text;
}

bool CardBrowser::show(const std::filesystem::path& shown) {
    const std::filesystem::path folder = normal(shown);
    const std::optional<Listing> listing = list(folder);
    if (!listing) return false;
    folder_ = folder;
    showText(form_.devDRIVE, driveOf(folder));
    form_.dirFOLDER.text = folder.string();
    form_.dirFOLDER.listIndex = -1;
    form_.dirFOLDER.items.clear();
    if (folder.has_relative_path()) form_.dirFOLDER.items.push_back(kUp);
    form_.dirFOLDER.items.insert(form_.dirFOLDER.items.end(), listing->folders.begin(),
                                 listing->folders.end());
    form_.filLIST.items = listing->measurements;
    form_.filLIST.text.clear();
    form_.filLIST.listIndex = -1;
    return true;
}

// The drive the folder is on: the longest mount point it lies under.
std::string CardBrowser::driveOf(const std::filesystem::path& folder) const {
    const std::string path = folder.string();
    std::string best;
    for (const std::string& drive : form_.devDRIVE.items) {
        const bool under =
            path.starts_with(drive) &&
            (path.size() == drive.size() || drive.ends_with('/') || drive.ends_with('\\') ||
             path[drive.size()] == '/' || path[drive.size()] == '\\');
        if (under && drive.size() > best.size()) best = drive;
    }
    return best;
}

}  // namespace kt520::app
