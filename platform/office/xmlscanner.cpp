#include "platform/office/xmlscanner.h"

#include <cstring>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Name characters: letters and digits, "_", ":", "-", "." and every non-ASCII byte (the
// scanner does not judge Unicode name classes).
bool isNameChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u == ':' ||
           u == '-' || u == '.' || u >= 0x80;
}

bool isNameStart(char c)
{
    return isNameChar(c) && !(c >= '0' && c <= '9') && c != '-' && c != '.';
}

const char* find(const char* from, const char* end, const char* what)
{
    const size_t n = std::strlen(what);
    for (const char* p = from; p + n <= end; ++p) {
        p = static_cast<const char*>(std::memchr(p, what[0], size_t(end - p)));
        if (!p || p + n > end)
            return nullptr;
        if (std::memcmp(p, what, n) == 0)
            return p;
    }
    return nullptr;
}

void appendCodePoint(QString& out, char32_t cp)
{
    if (cp < 0x10000) {
        out.append(QChar(char16_t(cp)));
    } else {
        cp -= 0x10000;
        out.append(QChar(char16_t(0xD800 + (cp >> 10))));
        out.append(QChar(char16_t(0xDC00 + (cp & 0x3FF))));
    }
}

}  // namespace

XmlScanner::XmlScanner(const QByteArray& utf8)
    : begin_(utf8.constData()), end_(utf8.constData() + utf8.size()), p_(begin_), tokenStart_(begin_)
{
    // A byte order mark may start the document.
    if (end_ - p_ >= 3 && std::memcmp(p_, "\xEF\xBB\xBF", 3) == 0)
        p_ += 3;
}

XmlScanner::Token XmlScanner::fail(const char* at)
{
    tokenStart_ = at < begin_ ? begin_ : (at > end_ ? end_ : at);
    token_ = Invalid;
    return token_;
}

void XmlScanner::Fail()
{
    token_ = Invalid;
}

void XmlScanner::skipSpace()
{
    while (p_ < end_ && isSpace(*p_))
        ++p_;
}

bool XmlScanner::readName(std::string_view& name)
{
    const char* start = p_;
    if (p_ >= end_ || !isNameStart(*p_))
        return false;
    while (p_ < end_ && isNameChar(*p_))
        ++p_;
    name = std::string_view(start, size_t(p_ - start));
    return true;
}

std::string_view XmlScanner::localPart(std::string_view qualified)
{
    const size_t colon = qualified.find(':');
    return colon == std::string_view::npos ? qualified : qualified.substr(colon + 1);
}

XmlScanner::Token XmlScanner::Next()
{
    if (token_ == Invalid || token_ == EndDocument)
        return token_;
    if (pendingEnd_) {
        pendingEnd_ = false;
        open_.pop_back();
        tokenStart_ = p_;
        return token_ = EndElement;  // name_ still holds the element's name
    }
    for (;;) {
        tokenStart_ = p_;
        if (p_ >= end_) {
            if (!open_.empty() || !rootSeen_)
                return fail(end_);
            return token_ = EndDocument;
        }
        if (*p_ != '<') {
            const char* start = p_;
            const char* lt = static_cast<const char*>(std::memchr(p_, '<', size_t(end_ - p_)));
            p_ = lt ? lt : end_;
            text_ = std::string_view(start, size_t(p_ - start));
            cdata_ = false;
            if (open_.empty()) {
                // Outside the root only white space may stand.
                for (char c : text_)
                    if (!isSpace(c))
                        return fail(start);
                continue;
            }
            return token_ = Text;
        }
        // Markup.
        if (end_ - p_ >= 2 && p_[1] == '?') {
            const char* close = find(p_ + 2, end_, "?>");
            if (!close)
                return fail(p_);
            p_ = close + 2;
            continue;
        }
        if (end_ - p_ >= 4 && std::memcmp(p_, "<!--", 4) == 0) {
            const char* close = find(p_ + 4, end_, "-->");
            if (!close)
                return fail(p_);
            p_ = close + 3;
            continue;
        }
        if (end_ - p_ >= 9 && std::memcmp(p_, "<![CDATA[", 9) == 0) {
            const char* close = find(p_ + 9, end_, "]]>");
            if (!close || open_.empty())
                return fail(p_);
            text_ = std::string_view(p_ + 9, size_t(close - p_ - 9));
            cdata_ = true;
            p_ = close + 3;
            return token_ = Text;
        }
        if (end_ - p_ >= 2 && p_[1] == '!')
            return fail(p_);  // a document type declaration, or broken markup
        if (end_ - p_ >= 2 && p_[1] == '/') {
            p_ += 2;
            std::string_view qualified;
            if (!readName(qualified))
                return fail(p_);
            skipSpace();
            if (p_ >= end_ || *p_ != '>' || open_.empty() || open_.back() != qualified)
                return fail(p_);
            ++p_;
            open_.pop_back();
            name_ = localPart(qualified);
            return token_ = EndElement;
        }
        // A start tag.
        ++p_;
        std::string_view qualified;
        if (!readName(qualified))
            return fail(p_);
        if (open_.empty() && rootSeen_)
            return fail(tokenStart_);  // a second root
        attrs_.clear();
        for (;;) {
            const char* beforeSpace = p_;
            skipSpace();
            if (p_ >= end_)
                return fail(p_);
            if (*p_ == '>') {
                ++p_;
                break;
            }
            if (*p_ == '/') {
                if (end_ - p_ < 2 || p_[1] != '>')
                    return fail(p_);
                p_ += 2;
                pendingEnd_ = true;
                break;
            }
            std::string_view attrName;
            if (p_ == beforeSpace || !readName(attrName))
                return fail(p_);
            skipSpace();
            if (p_ >= end_ || *p_ != '=')
                return fail(p_);
            ++p_;
            skipSpace();
            if (p_ >= end_ || (*p_ != '"' && *p_ != '\''))
                return fail(p_);
            const char quote = *p_++;
            const char* start = p_;
            const char* close = static_cast<const char*>(std::memchr(p_, quote, size_t(end_ - p_)));
            if (!close)
                return fail(end_);
            if (std::memchr(start, '<', size_t(close - start)))
                return fail(start);
            p_ = close + 1;
            attrs_.push_back(Attr{localPart(attrName), std::string_view(start, size_t(close - start))});
        }
        rootSeen_ = true;
        open_.push_back(qualified);
        name_ = localPart(qualified);
        return token_ = StartElement;
    }
}

bool XmlScanner::Attribute(std::string_view localName, std::string_view& raw) const
{
    for (const Attr& a : attrs_) {
        if (a.name == localName) {
            raw = a.value;
            return true;
        }
    }
    return false;
}

bool XmlScanner::AppendDecoded(std::string_view raw, QString& out)
{
    size_t at = 0;
    while (at < raw.size()) {
        const size_t amp = raw.find('&', at);
        const size_t plainEnd = amp == std::string_view::npos ? raw.size() : amp;
        out.append(QString::fromUtf8(raw.data() + at, qsizetype(plainEnd - at)));
        if (amp == std::string_view::npos)
            break;
        const size_t semi = raw.find(';', amp);
        if (semi == std::string_view::npos || semi - amp > 10) {
            Fail();
            return false;
        }
        const std::string_view entity = raw.substr(amp + 1, semi - amp - 1);
        if (entity == "lt") {
            out.append(u'<');
        } else if (entity == "gt") {
            out.append(u'>');
        } else if (entity == "amp") {
            out.append(u'&');
        } else if (entity == "quot") {
            out.append(u'"');
        } else if (entity == "apos") {
            out.append(u'\'');
        } else if (entity.size() >= 2 && entity[0] == '#') {
            const bool hex = entity[1] == 'x';
            char32_t cp = 0;
            const std::string_view digits = entity.substr(hex ? 2 : 1);
            if (digits.empty()) {
                Fail();
                return false;
            }
            for (char c : digits) {
                int d;
                if (c >= '0' && c <= '9')
                    d = c - '0';
                else if (hex && c >= 'a' && c <= 'f')
                    d = c - 'a' + 10;
                else if (hex && c >= 'A' && c <= 'F')
                    d = c - 'A' + 10;
                else {
                    Fail();
                    return false;
                }
                cp = cp * (hex ? 16 : 10) + char32_t(d);
                if (cp > 0x10FFFF) {
                    Fail();
                    return false;
                }
            }
            if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) {
                Fail();
                return false;
            }
            appendCodePoint(out, cp);
        } else {
            Fail();
            return false;
        }
        at = semi + 1;
    }
    return true;
}

QString XmlScanner::ReadElementText()
{
    QString text;
    if (token_ != StartElement)
        return text;
    const size_t depth = open_.size();
    while (Next() != Invalid) {
        if (token_ == Text) {
            if (cdata_)
                text.append(QString::fromUtf8(text_.data(), qsizetype(text_.size())));
            else if (!AppendDecoded(text_, text))
                break;
        } else if (token_ == EndElement && open_.size() < depth) {
            break;
        } else if (token_ == EndDocument) {
            break;
        }
    }
    return text;
}

void XmlScanner::SkipElement()
{
    if (token_ != StartElement)
        return;
    const size_t depth = open_.size();
    while (Next() != Invalid && token_ != EndDocument)
        if (token_ == EndElement && open_.size() < depth)
            break;
}

qint64 XmlScanner::Line() const
{
    qint64 line = 1;
    for (const char* p = begin_; p < tokenStart_; ++p)
        if (*p == '\n')
            ++line;
    return line;
}

qint64 XmlScanner::Column() const
{
    const char* lineStart = tokenStart_;
    while (lineStart > begin_ && lineStart[-1] != '\n')
        --lineStart;
    qint64 column = 1;
    for (const char* p = lineStart; p < tokenStart_; ++p)
        if ((static_cast<unsigned char>(*p) & 0xC0) != 0x80)  // not a continuation byte
            ++column;
    return column;
}
