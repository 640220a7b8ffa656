#pragma once
// The main window's look as data: design places (pixels of the window's
// interior), captions, tooltips and colours (0x00BBGGRR) of every control, and
// the outer size limits in twips. Handlers read these instead of scattering
// numbers through the code.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace qm::design {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct ButtonDesign {
    const char* caption;
    const char* toolTip;      // nullptr: no tooltip
    std::uint32_t renderColor;
    std::uint32_t backColor;
    Rect rect;
};

// Window title: the name, the version, four blanks and "(Educational Version)".
inline constexpr const char* TitleName = "Quillmate";
inline constexpr const char* TitleEdition = "(Educational Version)";

inline constexpr int InteriorWidth = 671;
inline constexpr int InteriorHeight = 466;

inline constexpr Rect FirstRowValueBox{30, 73, 206, 26};
inline constexpr Rect FirstRowOperator{3, 74, 31, 26};
inline constexpr Rect TapeScrollBar{237, 72, 31, 391};
inline constexpr Rect TotalBox{30, 21, 458, 33};
inline constexpr Rect TotalArea{6, 9, 490, 58};
inline constexpr Rect HighScoreArea{3, 72, 265, 391};
// Memory display: above the memory buttons, below the grand-total area.
inline constexpr Rect MemoryDisplay{276, 69, 215, 22};

// Widths the layout gives the stretching parts: interior width minus these.
inline constexpr int TotalAreaWidthMargin = 12;
inline constexpr int TotalWidthMargin = 42;
// Width of every shown entry box after a resize.
inline constexpr int ShownRowWidth = 200;

inline constexpr std::uint32_t TapeScrollBarBackColor = 0xE0E0E0;

// Rows stand one entry box apart; row 0 ends where the lower of its box, its
// operator button and the bar beside them ends.
inline constexpr int RowPitch = FirstRowValueBox.height;
inline constexpr int Row0Bottom =
    std::max({FirstRowValueBox.top + FirstRowValueBox.height, FirstRowOperator.top + FirstRowOperator.height, TapeScrollBar.top + FirstRowValueBox.height});

// The last row that lies wholly inside an interior `interiorHeight` high;
// -1 when not even row 0 does.
constexpr int lastRowInside(int interiorHeight)
{
    return interiorHeight < Row0Bottom ? -1 : (interiorHeight - Row0Bottom) / RowPitch;
}

// Outer window size limits (twips, 1/1440 inch).
inline constexpr int TwipsPerInch = 1440;
inline constexpr int MinWidthTwips = 7740;
inline constexpr int MaxWidthTwips = 10335;
inline constexpr int MinHeightTwips = 7080;
inline constexpr int NormalHeightTwips = 8730;
inline constexpr double TallHeightFactor = 0.96;   // of the screen height

inline constexpr std::uint32_t KeypadBack = 0xCCCC99;
inline constexpr std::uint32_t KeyDigit = 0xCCCC99;
inline constexpr std::uint32_t KeyClear = 0x0000FF;
inline constexpr std::uint32_t KeyOperator = 0x01B207;
inline constexpr std::uint32_t KeyDelete = 0x00C0C0;

// The keypad's buttons, by KeypadKey.
inline constexpr std::array<ButtonDesign, 21> Keypad{{
    {"0", nullptr, KeyDigit, KeypadBack, {270, 414, 104, 50}},
    {"1", nullptr, KeyDigit, KeypadBack, {270, 360, 50, 50}},
    {"2", nullptr, KeyDigit, KeypadBack, {324, 360, 50, 50}},
    {"3", nullptr, KeyDigit, KeypadBack, {378, 360, 50, 50}},
    {"4", nullptr, KeyDigit, KeypadBack, {270, 306, 50, 50}},
    {"5", nullptr, KeyDigit, KeypadBack, {324, 306, 50, 50}},
    {"6", nullptr, KeyDigit, KeypadBack, {378, 306, 50, 50}},
    {"7", nullptr, KeyDigit, KeypadBack, {270, 252, 50, 50}},
    {"8", nullptr, KeyDigit, KeypadBack, {324, 252, 50, 50}},
    {"9", nullptr, KeyDigit, KeypadBack, {378, 252, 50, 50}},
    {".", "Decimal point...", KeyDigit, KeypadBack, {378, 414, 50, 50}},
    {"CA", "Clear All...", KeyClear, KeypadBack, {270, 144, 81, 50}},
    {"+", "Addition...", KeyOperator, KeypadBack, {432, 198, 65, 50}},
    {"-", "Subtraction...", KeyOperator, KeypadBack, {432, 252, 65, 50}},
    {"x", "Multiplication...", KeyOperator, KeypadBack, {432, 306, 65, 50}},
    {"/", "Division...", KeyOperator, KeypadBack, {432, 360, 65, 50}},
    {"C", "Clear current number...", KeyClear, KeypadBack, {356, 144, 71, 50}},
    {"Del", "Back space...", KeyDelete, KeypadBack, {432, 144, 65, 50}},
    {"^", "Raise a number to the power of an exponent", KeyOperator, KeypadBack,
     {432, 414, 65, 50}},
    {"+/-", nullptr, KeyDigit, KeypadBack, {378, 198, 50, 50}},
    {"%", nullptr, KeyDigit, KeypadBack, {324, 198, 50, 50}},
}};
inline constexpr int DecimalKey = 10;

inline constexpr std::uint32_t SideButtonBack = 0xE0E0E0;

// The memory buttons, by index, and the pi button.
inline constexpr std::array<ButtonDesign, 3> MemoryButtons{{
    {"M+", "Store selected value to memory...", 0x0340F2, SideButtonBack, {345, 94, 65, 40}},
    {"MR", "Memory Recall...", 0x0340F2, SideButtonBack, {414, 93, 77, 40}},
    {"M=", "Store total to memory...", 0x0340F2, SideButtonBack, {276, 93, 65, 40}},
}};
inline constexpr ButtonDesign PiButton{"Pi", "Value of Pi.", 0xCCCC99, SideButtonBack,
                                       {270, 198, 50, 49}};

// The function buttons 0..23: three columns, eight rows.
inline constexpr int FunctionPadCount = 24;
inline constexpr int EditButton = 23;
inline constexpr std::array<int, 3> FunctionPadLefts{501, 558, 615};
inline constexpr std::array<int, 8> FunctionPadTops{78, 126, 174, 222, 273, 321, 369, 417};
inline constexpr int FunctionPadWidth = 54;
inline constexpr int FunctionPadHeight = 46;
inline constexpr std::uint32_t FunctionPadScientificColor = 0x000063;   // buttons 0..11
inline constexpr std::uint32_t FunctionPadOtherColor = 0x00270F;        // buttons 12..23
inline constexpr const char* EditCaption = "Edit";
inline constexpr const char* EditToolTip = "Edit function buttons...";

constexpr Rect functionPadRect(int k)
{
    if (k < 0 || k >= FunctionPadCount)
        return {};
    return {FunctionPadLefts[static_cast<std::size_t>(k % 3)],
            FunctionPadTops[static_cast<std::size_t>(k / 3)], FunctionPadWidth, FunctionPadHeight};
}

constexpr std::uint32_t functionPadColor(int k) { return k < 12 ? FunctionPadScientificColor : FunctionPadOtherColor; }

// Right and bottom edges of everything right of the tape (the keypad, the pi,
// memory and function buttons, the total's frame): the smallest interior
// that shows every button.
constexpr Rect padsExtent()
{
    int right = TotalArea.left + TotalArea.width;
    int bottom = TotalArea.top + TotalArea.height;
    auto take = [&right, &bottom](const Rect& r) {
        right = std::max(right, r.left + r.width);
        bottom = std::max(bottom, r.top + r.height);
    };
    for (const ButtonDesign& b : Keypad)
        take(b.rect);
    for (const ButtonDesign& b : MemoryButtons)
        take(b.rect);
    take(PiButton.rect);
    for (int k = 0; k < FunctionPadCount; ++k)
        take(functionPadRect(k));
    return {0, 0, right, bottom};
}

// The window's interior never gets smaller than the design's, which holds
// every button.
inline constexpr int MinInteriorWidth = InteriorWidth;
inline constexpr int MinInteriorHeight = InteriorHeight;
static_assert(padsExtent().width <= MinInteriorWidth && padsExtent().height <= MinInteriorHeight);
static_assert(lastRowInside(MinInteriorHeight) >= 0);

} // namespace qm::design
