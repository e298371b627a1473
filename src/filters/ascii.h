#pragma once

namespace Filters {

// The lists and the addresses they are matched against are ASCII where it matters: these
// ask nothing of the C library's locale, which costs a call per character.
inline bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
inline bool isAlpha(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
inline bool isAlnum(char c)
{
    return isDigit(c) || isAlpha(c);
}
inline bool isSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}
inline char toLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

} // namespace Filters
