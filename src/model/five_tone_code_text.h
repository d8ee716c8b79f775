#pragma once

// How 5-tone code text is stored and shown. "E" is the repeat tone: a digit equal to the one
// sent just before it goes out as "E", so that two equal tones never follow each other.

#include <string>
#include <string_view>

namespace hvt {

// Replaces every digit equal to the one before it in the result by "E". The tail of an "E1"
// data message (positions beyond 8) carries data and is copied as it stands.
std::string InsertRepeatTones(std::string_view text);

// As InsertRepeatTones for an ANI code (called ID, separator, own ID): positions 6 and 7 are
// copied as they stand, and there is no "E1" rule.
std::string InsertRepeatTonesForId(std::string_view text);

// Whether the code is an ANI code that ends with the own ID (or with "SelfID", which the radio
// replaces by its own ID). The own ID must be 5 characters or "SelfID".
bool CarriesOwnId(std::string_view code, std::string_view ownId);

// The form in which a typed code is stored.
std::string PrepareFiveToneCode(std::string_view code, std::string_view ownId);

// Characters start..start + length - 1 (1-based) with every "E" turned back into the character
// before it in the text: what the user typed. Positions outside the text contribute nothing; a
// leading "E" has nothing before it and stays.
std::string Mid5ToneNoE(std::string_view text, int start, int length);

}  // namespace hvt
