#include "reactions/ReactionDatabase.h"

#include "common/FileAttributes.h"
#include "common/PlaceError.h"
#include "common/TextFile.h"
#include "common/TextUtil.h"
#include "reactions/ReactionCheck.h"
#include "thermo/SpeciesTable.h"

namespace kinetra::reactions {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTitle = "KINETRA";

} // namespace

std::optional<ThermoSpeciesList> openThermoSpecies(thermo::ThermoDatabase& thermo, Dialogs& dialogs,
                                                   const std::function<void()>& showThermo,
                                                   bool askToClose, Answer* closeAnswer) {
    std::optional<ThermoSpeciesList> list;
    if (thermo.isConnected()) {
        store::Connection db = thermo.connection();
        list = ThermoSpeciesList::load(db);
    }
    if (list && list->validCount() > 0)
        return list;
    const std::string text = noValidSpeciesMessage(askToClose);
    if (askToClose) {
        const Answer answer =
            dialogs.ask(text, kTitle, Buttons::YesNo, Answer::Yes, Icon::Exclamation);
        if (closeAnswer)
            *closeAnswer = answer;
    } else {
        dialogs.message(text, kTitle, Icon::Exclamation);
    }
    if (showThermo)
        showThermo();
    return std::nullopt;
}

std::optional<std::string> openRefusal(const fs::path& path) {
    const std::string name = path.filename().string();
    if ((!name.empty() && name.front() == '~') || equalsIgnoreCase(name, "EmptyReac.mdb"))
        return "The specified Path/File name cannot be accessed or is invalid.";
    if (readOnlyState(path) == ReadOnlyState::ReadOnly)
        return "File " + name + " is read-only, remove this attribute.";
    return std::nullopt;
}

ReactionDatabase::ReactionDatabase(fs::path path, ReactionFiles files)
    : path_(std::move(path)), files_(std::move(files)) {
    savedCopy_ = path_.parent_path() / ("~" + path_.filename().string());
}

bool ReactionDatabase::isStartupCopy() const {
    return upperAscii(path_.filename().string()) ==
           upperAscii(files_.startupCopy.filename().string());
}

void ReactionDatabase::createFromTemplate(bool replaceExisting) {
    if (replaceExisting)
        copyFileOverwrite(files_.emptyTemplate, path_);
    else
        copyFileIfAbsent(files_.emptyTemplate, path_);
}

void ReactionDatabase::open(const ThermoSpeciesList& species) {
    removeStaleTemporaries(path_.parent_path()); // what a killed run left beside the file
    store::Connection db = connection();
    requireReactionTable(db, path_.string());
    if (!isStartupCopy() && !equalsIgnoreCase(fileName(), "EmptyReac.mdb"))
        copyFileOverwrite(path_, savedCopy_);
    store::Transaction transaction(db);
    checkAllReactions(db, species);
    db.execute("UPDATE [Reactions] SET Tmp = 1;");
    transaction.commit();
    modified_ = false;
}

void ReactionDatabase::save() {
    copyFileOverwrite(path_, savedCopy_);
}

bool ReactionDatabase::saveAs(Ui& ui) {
    const std::string chosen = ui.files.saveFile(FilterKind::Databases, "Save as", fileName());
    if (chosen.empty())
        return false;
    std::error_code ec;
    if (!fs::equivalent(path_, chosen, ec))
        copyFileOverwrite(path_, chosen);
    return true;
}

bool ReactionDatabase::replaceWithSavedCopy(Dialogs& dialogs) {
    if (dialogs.ask("Do you want to replace the reaction database with the saved copy?", kTitle,
                    Buttons::YesNo, Answer::Yes, Icon::Question) != Answer::Yes)
        return false;
    copyFileOverwrite(savedCopy_, path_);
    return true;
}

CloseOutcome ReactionDatabase::close(Dialogs& dialogs) {
    if (isStartupCopy())
        return CloseOutcome::Closed;
    if (modified_) {
        const Answer answer =
            dialogs.ask("Do you want to save changes to " + fileName() + "?", kTitle,
                        Buttons::YesNoCancel, Answer::Yes, Icon::Question);
        if (answer == Answer::Cancel)
            return CloseOutcome::Cancelled;
        if (answer == Answer::No)
            copyFileOverwrite(savedCopy_, path_);
    }
    guarded(dialogs, "Mod4#009. ", [this] { rebuild(); });
    deleteFileIfPresent(savedCopy_);
    return CloseOutcome::Closed;
}

void ReactionDatabase::rebuild() {
    store::rewriteDatabase(path_, files_.emptyTemplate,
                           [](store::Connection& old, store::Connection& fresh) {
                               fresh.insertRows("Reactions", thermo::readAllRows(old, "Reactions"));
                           });
}

void runStartupCopy(const ReactionFiles& files, const ThermoSpeciesList& species) {
    copyFileOverwrite(files.emptyTemplate, files.startupCopy);
    {
        ReactionDatabase copy(files.startupCopy, files);
        copy.open(species);
    }
    deleteFileIfPresent(files.startupCopy);
}

} // namespace kinetra::reactions
