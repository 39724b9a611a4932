#pragma once
// The splitter the stored scene records are read with.
#include <memory>

#include "platform/classes/Strings.h"

// The pieces of `Text` between occurrences of `Separator`. Empty pieces before a separator are
// dropped, but the rest after the last separator is always the last piece, even when empty:
// "2,1," gives 2, 1 and "", ",,3" gives 3 alone. An empty separator leaves the text whole.
std::unique_ptr<TStringList> SplitString(const String& Text, const String& Separator);
