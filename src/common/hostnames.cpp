#include "common/hostnames.h"

#include <optional>
#include <QSet>
#include <QStringList>
#include <QUrl>
#include <string>

namespace {

using Script = QChar::Script;

// Letters of these scripts that pass for Latin ones in a host name, as the mainstream
// browsers' whole-script checks list them.
const QString cyrillicLookalikes = QStringLiteral("аԁеһіјӏорԛѕԝхусыъьпгѵѡқӽ");
const QString greekLookalikes = QStringLiteral("αικνορτυχ");

// The scripts of a label's letters; digits, hyphens and marks belong to none.
QSet<Script> scriptsOf(const QString &label)
{
    QSet<Script> scripts;
    for (const char32_t letter : label.toUcs4()) {
        const Script script = QChar::script(letter);
        if (script != QChar::Script_Common && script != QChar::Script_Inherited)
            scripts.insert(script);
    }
    return scripts;
}

// Unicode's "highly restrictive" level: one script, or Latin with one of the East Asian
// sets that are written together.
bool oneWritingSystem(const QSet<Script> &scripts)
{
    if (scripts.size() <= 1)
        return true;
    using Set = QSet<Script>;
    const Set allowed[] = {
        { QChar::Script_Latin, QChar::Script_Han, QChar::Script_Hiragana, QChar::Script_Katakana },
        { QChar::Script_Latin, QChar::Script_Han, QChar::Script_Bopomofo },
        { QChar::Script_Latin, QChar::Script_Han, QChar::Script_Hangul },
    };
    for (const Set &set : allowed) {
        if (set.contains(scripts))
            return true;
    }
    return false;
}

// A word of one script that reads as a Latin one, under a domain of another script.
bool passesForLatin(const QString &label, Script script, const QSet<Script> &tld)
{
    const QString &lookalikes = script == QChar::Script_Cyrillic ? cyrillicLookalikes
        : script == QChar::Script_Greek                          ? greekLookalikes
                                                                 : QString();
    if (lookalikes.isEmpty() || tld.contains(script))
        return false;
    for (const QChar letter : label) {
        if (letter.isLetter() && !lookalikes.contains(letter))
            return false;
    }
    return true;
}

// RFC 3492's decoding of a label's part after "xn--". Qt's own decodes only under the
// top-level domains of its list, which is the rule this replaces.
std::optional<QString> punycode(QStringView encoded)
{
    constexpr char32_t base = 36, tmin = 1, tmax = 26, skew = 38, damp = 700;
    const auto adapt = [](char32_t delta, char32_t points, bool first) {
        delta = first ? delta / damp : delta / 2;
        delta += delta / points;
        char32_t k = 0;
        for (; delta > ((base - tmin) * tmax) / 2; k += base)
            delta /= base - tmin;
        return k + (base - tmin + 1) * delta / (delta + skew);
    };
    std::u32string output;
    const qsizetype dash = encoded.lastIndexOf(u'-');
    for (qsizetype at = 0; at < dash; ++at)
        output += char32_t(encoded.at(at).unicode());
    char32_t n = 128, i = 0, bias = 72;
    for (qsizetype at = dash < 0 ? 0 : dash + 1; at < encoded.size();) {
        const char32_t before = i;
        for (char32_t w = 1, k = base;; k += base) {
            if (at >= encoded.size())
                return std::nullopt;
            const char16_t c = encoded.at(at++).toLower().unicode();
            const char32_t digit = c >= u'0' && c <= u'9' ? c - u'0' + 26
                : c >= u'a' && c <= u'z'                  ? c - u'a'
                                                          : base;
            if (digit >= base || digit > (0x10FFFF - i) / w)
                return std::nullopt;
            i += digit * w;
            const char32_t t = k <= bias ? tmin : k >= bias + tmax ? tmax : k - bias;
            if (digit < t)
                break;
            w *= base - t;
        }
        const auto points = char32_t(output.size() + 1);
        bias = adapt(i - before, points, before == 0);
        n += i / points;
        i %= points;
        if (n > 0x10FFFF)
            return std::nullopt;
        output.insert(output.begin() + i, n);
        ++i;
    }
    return QString::fromUcs4(output.data(), qsizetype(output.size()));
}

QString shownLabel(const QString &ace, const QSet<Script> &tld)
{
    if (!ace.startsWith(u"xn--"))
        return ace;
    const auto decoded = punycode(QStringView(ace).mid(4));
    // Only a label that encodes back to itself: anything else is not what it seems.
    if (!decoded || QUrl::toAce(*decoded) != ace.toLatin1())
        return ace;
    const QString &unicode = *decoded;
    const QSet<Script> scripts = scriptsOf(unicode);
    if (!oneWritingSystem(scripts))
        return ace;
    if (scripts.size() == 1 && passesForLatin(unicode, *scripts.cbegin(), tld))
        return ace;
    return unicode;
}

} // namespace

namespace HostNames {

QString shown(const QString &host)
{
    // An address of IPv6 or a name Qt cannot encode is shown as given.
    if (host.contains(u':'))
        return host;
    const QByteArray ace = QUrl::toAce(host);
    if (ace.isEmpty())
        return host;
    QStringList labels = QString::fromLatin1(ace).toLower().split(u'.');
    const QString last = labels.constLast();
    const QSet<Script> tld = scriptsOf(
        last.startsWith(u"xn--") ? punycode(QStringView(last).mid(4)).value_or(last) : last);
    for (QString &label : labels)
        label = shownLabel(label, tld);
    return labels.join(u'.');
}

QString shownAddress(const QUrl &address)
{
    QString text = address.toString();
    const QString host = address.host();
    if (host.isEmpty())
        return text;
    const QString wanted = shown(host);
    if (wanted == host)
        return text;
    // The host stands after the scheme's "//" and any user name, which may read like one.
    const qsizetype authority = text.indexOf(u"//") + 2;
    qsizetype end = authority;
    while (end < text.size() && !QStringView(u"/?#").contains(text.at(end)))
        ++end;
    const qsizetype user = text.lastIndexOf(u'@', end - 1);
    const qsizetype at = user >= authority ? user + 1 : authority;
    if (authority < 2 || QStringView(text).mid(at, host.size()) != host)
        return text;
    return text.replace(at, host.size(), wanted);
}

} // namespace HostNames
