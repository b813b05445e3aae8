#include "shell/OptionsWindowModel.h"

#include "common/PlaceError.h"
#include "common/QuotedItems.h"
#include "common/TextFile.h"
#include "common/TextNumber.h"
#include "shell/StartupChecks.h"

namespace kinetra {

namespace {
constexpr const char* kTitle = "KINETRA";
constexpr const char* kNotPositive = "Physical constant, please enter a positive number.";

bool positiveNumber(const std::string& text) {
    auto v = parseNumber(text);
    return v && *v > 0;
}
} // namespace

OptionsWindowModel::OptionsWindowModel(App& app, Ui& ui, Shell& shell)
    : app_(app), ui_(ui), shell_(shell) {}

void OptionsWindowModel::load() {
    thermoPath_ = readThermoPathFile(app_.folders);
    values_ = OptionsFile{};
    boxes = {};
    auto text = readTextFile(app_.folders.support(files::kOptions));
    // Item by item: what can be read is shown, a bad or missing item leaves its default.
    OptionsReadResult read = readOptionsText(text.value_or(""));
    values_ = read.values;
    constexpr int kFirstConstantItem = 12;
    for (int i = 0; i < 5; ++i)
        if (read.itemsRead >= kFirstConstantItem + i)
            boxes[i] = formatRealItem(values_.constants[i]);
    opening_ = boxes;
    values_.reserved6.clear();
}

Colour OptionsWindowModel::colour(ColourRole role) const {
    switch (role) {
    case ColourRole::Highlight:
        return values_.highlight;
    case ColourRole::Selection:
        return values_.selection;
    case ColourRole::Background:
        break;
    }
    return values_.background;
}

void OptionsWindowModel::setColour(ColourRole role, Colour c) {
    switch (role) {
    case ColourRole::Highlight:
        values_.highlight = c;
        break;
    case ColourRole::Selection:
        values_.selection = c;
        break;
    case ColourRole::Background:
        values_.background = c;
        break;
    }
}

std::optional<int> OptionsWindowModel::firstInvalidBox() const {
    for (int i = 0; i < 5; ++i)
        if (!positiveNumber(boxes[i]))
            return i;
    return std::nullopt;
}

void OptionsWindowModel::refuseBox(int box) {
    tab = OptionsTab::PhysicalConstants;
    focusBox = box;
}

bool OptionsWindowModel::ok() {
    if (auto bad = firstInvalidBox()) {
        refuseBox(*bad);
        ui_.dialogs.message(kNotPositive, kTitle, Icon::Exclamation);
        return false;
    }
    ui_.progress.busy(true);
    OptionsFile out = values_;
    out.openThermoAtStart = 1;
    out.reserved6.clear();
    out.reserved7to10 = {};
    for (int i = 0; i < 5; ++i)
        out.constants[i] = *parseNumber(boxes[i]);
    try {
        writeTextFile(app_.folders.support(files::kOptions), writeOptionsText(out));
    } catch (const std::exception& e) {
        // Nothing was written (the file is replaced whole or not at all): the window stays open.
        ui_.progress.busy(false);
        reportUnexpectedError(ui_.dialogs, "OPT#001. ", e.what());
        return false;
    }
    app_.constants = PhysicalConstants::fromFileValues(out.constants);
    app_.optionsSaved = true;
    shell_.MDILoad(true);
    ui_.progress.busy(false);
    return true;
}

bool OptionsWindowModel::cancel() {
    boxes = opening_;
    auto bad = firstInvalidBox();
    if (!bad)
        return true;
    Answer a = ui_.dialogs.ask("Invalid physical constant value. The program has been terminated.",
                               kTitle, Buttons::OkCancel, Answer::Ok, Icon::Critical);
    if (a == Answer::Cancel) {
        refuseBox(*bad);
        return false;
    }
    shell_.RequestExit();
    return true;
}

} // namespace kinetra
