#pragma once
// Helpers of the editor unit that the other editors share.

// The characters an editor treats as blank: NUL, TAB, LF, FF, CR and space.
inline bool IsBlankChar(char Ch) {
  switch (Ch) {
    case '\0': case '\t': case '\n': case '\f': case '\r': case ' ':
      return true;
    default:
      return false;
  }
}
