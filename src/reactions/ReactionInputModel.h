// The reaction input window: the current row of the reaction table as text boxes on five tabs,
// and the checks and the write of OK. The boxes hold text exactly as typed; nothing reaches the
// file before OK has accepted all of it.
#pragma once

#include "common/Seams.h"
#include "reactions/ReactionRecord.h"
#include "reactions/ThermoSpeciesList.h"
#include "store/Database.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kinetra::reactions {

class ReactionDatabase;

enum class ReactionInputTab { General, ThirdBodies, PressureEffects, Reference, Tips };

// The boxes a fault or a double click on a grid column leads to.
enum class ReactionInputBox {
    None,
    Species, // index 0..8
    ForwardA,
    ForwardN,
    ForwardE,
    Reverse, // the check box
    ReverseA,
    ReverseN,
    ReverseE,
    FFunction,
    LowA,
    LowN,
    LowE,
    Falloff,        // a..e, index 0..4
    ThirdBodyName,  // index 0..9
    ThirdBodyValue, // index 0..9
    Reference,
    Comment,
};

struct ReactionInputFocus {
    ReactionInputTab tab = ReactionInputTab::General;
    ReactionInputBox box = ReactionInputBox::None;
    int index = -1;
    bool operator==(const ReactionInputFocus&) const = default;
};

struct ReactionInputResult {
    bool saved = false;
    ReactionInputFocus focus; // where the refused value is (saved false)
    std::string message;      // the refusal shown (saved false)
};

class ReactionInputModel {
public:
    static constexpr std::array<const char*, 5> kTabCaptions{
        "General", "Third Bodies", "Pressure Effects", "Reference", "Tips"};
    static constexpr const char* kForwardTitle = "Forward rate constant Kfor=A*T**n*exp(-E/RT)";
    static constexpr const char* kReverseBox = "Reverse";
    static constexpr const char* kEUnits = "cal/mole";
    static constexpr std::array<const char*, 6> kAUnits{
        "1/s", "cm^3/mol s", "cm^6/mol^2 s", "cm^9/mol^3 s", "cm^12/mol^4 s", "cm^15/mol^5 s"};
    static constexpr const char* kPressureFrame = "For pressure dependent reactions (with M$)";
    static constexpr const char* kLowFrame = "Klow, low pressure limit";
    static constexpr const char* kLowTitle = "Low-pressure limit rate constant, Kfor,low";
    static constexpr const char* kFFunctionCaption = "F-Function";
    static constexpr std::array<const char*, 2> kFFunctionItems{"Troe", "SRI"};
    static constexpr const char* kThirdBodyFrame = "For three body reactions (with M or M$)";
    static constexpr const char* kThirdBodyTitle = "Third-body efficiencies";
    static constexpr const char* kIrreversibleBox = "Irreversible";
    static constexpr const char* kEnabledBox = "Enabled";
    static constexpr const char* kReferenceCaption = "Reference";
    static constexpr const char* kCommentCaption = "Comment";
    static constexpr std::size_t kMaxTextLength = 255;
    static constexpr const char* kMaxLengthMessage = "The maximum length is achieved.";
    static constexpr const char* kIncomplete = "Incomplete";
    static constexpr const char* kShowSpecies = "Show Species";
    static constexpr const char* kHideSpecies = "Hide Species";
    static constexpr const char* kSpeciesQuery = "SELECT * FROM [Trm] WHERE Info = 0 ORDER BY Num;";
    static constexpr std::array<const char*, 2> kSpeciesColumns{"No", "Species"};
    static const std::string kTips;

    // ---- The boxes, as text ---------------------------------------------------------------
    std::array<std::string, rx::kSlotCount> species; // three reactants, six products
    std::string a, n, e;
    bool reverse = false;
    std::string reverseA, reverseN, reverseE;
    std::string lowA, lowN, lowE;
    int fFunction = -1; // index into kFFunctionItems, -1 for none
    std::array<std::string, 5> falloff;
    std::array<std::string, rx::kThirdBodyCount> thirdBodies, efficiencies;
    bool irreversible = false;
    bool enabled = true;
    std::string reference, comment;
    bool speciesShown = false;

    // Fills the boxes from a record whose store key is rowKey.
    void load(const ReactionRecord& record, std::int64_t rowKey);

    std::string numberText() const { return "No " + std::to_string(num_); }
    // "Incomplete" for an invalid record, otherwise empty.
    std::string stateText() const { return invalid_ ? kIncomplete : ""; }
    // The unit of A by the reaction order the reactant boxes give; the low-pressure A has one
    // order more, for its third body.
    std::string forwardAUnits() const;
    std::string lowAUnits() const;
    const char* speciesButton() const { return speciesShown ? kHideSpecies : kShowSpecies; }
    // The valid species of the thermo database: Num and name.
    static std::vector<std::pair<std::int64_t, std::string>> speciesList(store::Connection& thermo);

    // Reference and Comment: whether a typed text may stay (kMaxLengthMessage otherwise).
    static bool acceptsTextLength(std::string_view text) { return text.size() <= kMaxTextLength; }

    // The tab and box a double click on a grid column (field position) leads to; the record's
    // type decides between the low-pressure and the reverse boxes.
    static ReactionInputFocus focusOfColumn(std::size_t field, const std::string& type);

    // OK: the number checks, then the reaction check, each fault shown (title "KINETRA") with
    // its tab; or the record written in one transaction and the database marked modified.
    ReactionInputResult ok(ReactionDatabase& database, const ThermoSpeciesList& species,
                           Dialogs& dialogs);

private:
    bool pressureDependent() const;
    int reactionOrder() const;
    std::string builtType() const;
    ReactionInputResult numberFault() const;

    std::int64_t rowKey_ = 0;
    std::int64_t num_ = 0;
    bool invalid_ = false;
};

} // namespace kinetra::reactions
