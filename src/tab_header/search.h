#pragma once

#include <QString>

// The address of a web search: the service's base address, "/search?hl=en&q=" and the
// search text percent-encoded as one query value, so that "C# tutorial" searches for all
// of it and "a&hl=de" cannot add parameters of its own.
QString searchAddress(const QString &serviceBase, const QString &text);

// Length of the string minus its length without the (non-overlapping) occurrences of
// strChrToCount: the count of a single character, the count times the length of a longer
// one, 0 for an empty one.
qint32 ChrCount(
    const QString &strStringToSearch, const QString &strChrToCount, bool blnCaseSensitive);
