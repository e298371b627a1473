#pragma once

#include <QString>

class QUrl;

// How a host name is shown to the user, in the address box, the status bar and wherever a
// site is named: each label in its own letters only where it cannot pass for another
// name, else in the form the engine sends (xn--...). A label passes when its letters are
// of one script, or Latin with Han and Japanese kana, with Han and Bopomofo, or with Han and
// Hangul; and when it is not an all-Cyrillic or all-Greek word made only of letters that
// look Latin ("аррӏе") under a top-level domain of another script.
namespace HostNames {

// The host as shown; its ASCII form (xn--...) and its Unicode form are both read.
QString shown(const QString &host);
// The address as text, its host as shown.
QString shownAddress(const QUrl &address);

} // namespace HostNames
