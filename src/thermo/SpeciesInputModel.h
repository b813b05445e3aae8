// The species input window: the current row of the thermo table as text boxes on five tabs,
// the live formula and weight while the user types, and the checks and the write of OK. The
// boxes hold text exactly as typed; nothing reaches the file before OK has accepted all of it.
#pragma once

#include "common/Seams.h"
#include "store/Value.h"
#include "thermo/SpeciesRecord.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kinetra::thermo {

class ThermoDatabase;

enum class InputTab { General, Elements, Polynomials, Reference, Tips };

// The interval whose seven coefficients the Polynomials tab shows.
enum class PolynomialInterval { Lower, Upper };

struct InputOkResult {
    bool saved = false;
    InputTab faultTab = InputTab::General; // where the refused value is (saved false)
    std::string message;                   // the refusal shown (saved false)
};

class SpeciesInputModel {
public:
    static constexpr const char* kTitle = "THERMO  Input Window";
    static constexpr std::array<const char*, 5> kTabCaptions{"General", "Elements", "Polynomials",
                                                             "Reference", "Tips"};
    static constexpr std::array<const char*, 8> kGeneralCaptions{"Species Name",
                                                                 "Molecular Formula",
                                                                 "Electronic Charge",
                                                                 "Phase",
                                                                 "Molecular Weight",
                                                                 "Tmin",
                                                                 "Tmax",
                                                                 "Tcom"};
    static constexpr const char* kElementsFrame = "Elemental content  (positive integers)";
    static constexpr const char* kReferenceCaption = "Reference";
    static constexpr const char* kCommentCaption = "Comment";
    static constexpr std::size_t kMaxTextLength = 255;
    static constexpr const char* kMaxLengthMessage = "The maximum length has been achieved.";
    static constexpr const char* kWeightError =
        ". Error in molecular weight calculation. Please check elemental content and "
        "electronic charge values.";
    static const std::string kTips;

    // The boxes, as text.
    std::string name;
    std::string charge;
    std::string phase;
    std::string tmin, tmax, tcom;
    std::array<std::string, kSlotCount> elementContent; // slots 1..10; slot 0 unused
    std::array<std::string, 14> coefficients;           // A1..A14
    std::string reference;
    std::string comment;
    PolynomialInterval shownInterval = PolynomialInterval::Lower;

    // Fills the boxes from a whole row of the species table (field positions of SpeciesRow.h)
    // whose store key is rowKey. Numbers are shown in the shortest text that reads back as the
    // same value, so OK without changes writes the row unchanged.
    void load(const std::vector<store::Value>& row, std::int64_t rowKey,
              const ElementTable& elements);

    // ---- Elements tab ---------------------------------------------------------------------
    // The slots in use, in slot order: one box each, captioned with the slot's symbol.
    std::vector<int> elementSlots() const;
    const std::string& elementCaption(int slot) const { return elements_.symbols.at(slot); }

    // ---- Polynomials tab ------------------------------------------------------------------
    // "200. < T < 1000." and "1000. < T < 3000." from the temperature boxes.
    std::string intervalCaption(PolynomialInterval interval) const;
    // Box 0..6 of the interval: A8..A14 for the lower, A1..A7 for the upper.
    std::string& coefficientBox(PolynomialInterval interval, int box);
    const std::string& coefficientBox(PolynomialInterval interval, int box) const;

    // ---- Live values ----------------------------------------------------------------------
    // The "Molecular Formula" box: the formula of the boxes, followed by kWeightError when a
    // charge or element box does not hold a number.
    std::string formulaText() const;
    // The "Molecular Weight" box; empty while the weight cannot be computed.
    std::string weightText() const;

    // Reference and Comment: whether a typed text may stay (kMaxLengthMessage otherwise).
    static bool acceptsTextLength(std::string_view newText) {
        return newText.size() <= kMaxTextLength;
    }

    // OK: checks the boxes in order, showing the first fault (title "KINETRA"), or writes the
    // row, re-checks all species and sets must-save. Unexpected errors are reported as well.
    InputOkResult ok(ThermoDatabase& database, Dialogs& dialogs);

private:
    // The species of the boxes; a box that is not a number counts as empty (coefficients as 0).
    SpeciesRecord species() const;
    bool compositionReadable() const;
    // The first fault of the boxes; an empty message when there is none.
    InputOkResult validate(ThermoDatabase& database) const;
    void write(ThermoDatabase& database) const;

    ElementTable elements_;
    std::int64_t rowKey_ = 0;
    store::Value a15_;
};

} // namespace kinetra::thermo
