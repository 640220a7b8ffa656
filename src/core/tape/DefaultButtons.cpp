#include "core/tape/DefaultButtons.h"

namespace qm {

FunctionButtons defaultFunctionButtons()
{
    const std::string custom = "Custom function button...";
    return FunctionButtons{{
        {"Exp", "", "Specifying e (the base of natural logarithms) raised to a power."},
        {"Log", "", "Specifying the natural logarithm of a number"},
        {"Sqr", "", "Specifying the square root of a number."},
        {"Sin", "", "Specifying the sine of an angle"},
        {"Cos", "", "Specifying the cosine of an angle"},
        {"Tan", "", "Specifying the tangent of an angle"},
        {"Cot", "", "Specifying the Cotangent of a number."},
        {"Csc", "", "Specifying the Cosecant of a number."},
        {"Sec", "", "Specifying the Secant of a number."},
        {"Asin", "", "Specifying the Inverse Sine of a number."},
        {"Acos", "", "Specifying the Inverse Cosine of a number."},
        {"Atan", "", "Specifying the Inverse Tangent of a number."},
        {"Fix", "",
         "Fix function returns the current total to the first negative integer greater than or "
         "equal to number..."},
        {"Int", "",
         "Int function returns the total of first negative integer less than or equal to "
         "number..."},
        {"Roun", "",
         "Round funtion returns a number rounded to a specified number of decimal places... "
         "Roun(1) - Rounds total to one decimal place..."},
        {"Svol", "(4*3.14159265358979*X^3)/3", "Volume of Sphere... Svol(Radius)"},
        {"Kilo", "X/2.2", "Pounds to Kilograms function button... Kilo(Pounds)"},
        {"Ibs", "X*2.2", "Kilograms to Pounds function button... Ibs(Kilos)"},
        {"", "", custom},
        {"", "", custom},
        {"", "", custom},
        {"", "", custom},
        {"", "", custom},
    }};
}

} // namespace qm
