#pragma once
// Numbers to and from text, always in the "C" locale whatever the process locale is: the
// configuration file and the forms store numbers in these exact forms ("%i", "%u", "%f").

#include <string>
#include <string_view>

// The C library's atoi: leading white space, an optional sign, decimal digits; 0 when there are
// none. Values beyond the int range are clamped.
int ParseDecimalInt(std::string_view text);
// The C library's atof: leading white space, then the longest number prefix (decimal or
// hexadecimal, "inf", "nan"); 0 when there is none.
double ParseDouble(std::string_view text);

// One conversion of sscanf's "%i" or "%f" at the front of `text`: skips leading white space and
// consumes the number. Answers false (leaving `value` and `text` alone) when no number is there.
bool ScanInt(std::string_view& text, int& value);
bool ScanFloat(std::string_view& text, float& value);

// "%i", "%u" and "%f" (six decimals).
std::string FormatInt(int value);
std::string FormatUInt(unsigned value);
std::string FormatFloat(double value);
