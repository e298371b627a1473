#pragma once

#include <QString>

// The address of a web search: the service's base address, "/search?hl=en&q=" and the
// search text percent-encoded as one query value, so that "C# tutorial" searches for all
// of it and "a&hl=de" cannot add parameters of its own.
QString searchAddress(const QString &serviceBase, const QString &text);
