#pragma once

// The folder separator of this platform; no other code spells it out.
#ifdef _WIN32
inline constexpr char PathDelim = '\\';
#else
inline constexpr char PathDelim = '/';
#endif

// True when the character ends a folder part of a path (a separator, or on
// Windows also the colon of a drive).
constexpr bool IsFolderEnd(char C) {
#ifdef _WIN32
    return C == PathDelim || C == ':';
#else
    return C == PathDelim;
#endif
}
