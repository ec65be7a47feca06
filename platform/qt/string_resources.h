#pragma once
// The string table of the executable's resources, for a platform without resources.
// res/tamsel.rc holds the same strings for Windows; a test compares the two.

#include <string>

namespace tamsel::qt {

// Empty when there is no string with this id, as LoadString answers.
std::wstring LoadStringResource(int id);

}  // namespace tamsel::qt
