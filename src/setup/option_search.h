#pragma once
// Finding a stored text among the options of a drop-down.
#include <string>
#include <string_view>
#include <vector>

namespace kavir {

// Leading and trailing blanks (space, tab, CR, LF, FF, VT) removed.
std::string_view TrimBlanks(std::string_view text);

// The first option that begins with text, ignoring ASCII letter case,
// tried from the second option to the last and then the first. -1 when
// none does or text is empty.
int FindPrefixOption(const std::vector<std::string>& options, std::string_view text);

// An option equal to the trimmed text wins (so "1" finds "1", not "10");
// only when none is equal does the prefix search run. -1 when nothing fits.
int FindOption(const std::vector<std::string>& options, std::string_view text);

}  // namespace kavir
