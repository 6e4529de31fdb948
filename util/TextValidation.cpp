#include "TextValidation.h"

#include <algorithm>

namespace trb {
namespace {

bool isAsciiLetterOrDigit(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

template <typename Predicate>
bool allOf(const QString &text, Predicate predicate)
{
    return std::all_of(text.cbegin(), text.cend(), predicate);
}

QString trimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && IsBlank(text[first]))
        ++first;
    while (end > first && IsBlank(text[end - 1]))
        --end;
    return text.mid(first, end - first);
}

} // namespace

bool IsHexChar(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool IsHexText(const QString &text) { return allOf(text, IsHexChar); }

bool IsNameChar(QChar c)
{
    return isAsciiLetterOrDigit(c) || c == u'-' || c == u'.' || c == u'@' || c == u'_';
}

bool IsNameText(const QString &text) { return allOf(text, IsNameChar); }

bool IsMailboxText(const QString &text)
{
    return allOf(text, [](QChar c) {
        return isAsciiLetterOrDigit(c) || c == u'-' || c == u'.' || c == u'_';
    });
}

bool IsEmailAddress(const QString &text)
{
    const qsizetype at = text.indexOf(u'@');
    if (at <= 0 || at == text.size() - 1)
        return false;
    return IsMailboxText(text.left(at));
}

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

bool HasNoEdgeBlanks(const QString &text)
{
    return text.isEmpty() || (!IsBlank(text.front()) && !IsBlank(text.back()));
}

bool IsAllBlanks(const QString &text) { return allOf(text, IsBlank); }

bool IsAsciiText(const QString &text)
{
    return allOf(text, [](QChar c) { return c.unicode() <= 127; });
}

bool IsPrintableAscii(const QString &text)
{
    return allOf(text, [](QChar c) { return c.unicode() >= 0x20 && c.unicode() <= 0x7E; });
}

QString DirectoryOf(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    if (slash == 0 && path.front() == u'/')
        return QStringLiteral("/");
    if (slash >= 0)
        return path.left(slash);
    const qsizetype colon = path.lastIndexOf(u':');
    return colon >= 0 ? path.left(colon) : path;
}

void SplitText(const QString &text, QChar separator, QStringList &pieces)
{
    QString rest = trimBlanks(text);
    qsizetype at;
    while ((at = rest.indexOf(separator)) > 0) {
        pieces << rest.left(at);
        rest = rest.mid(at + 1);
    }
    pieces << rest;
}

} // namespace trb
