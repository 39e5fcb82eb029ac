#pragma once
// A small pull scanner for the large parts of a workbook (its sheets and shared strings),
// which QXmlStreamReader reads several times too slowly for an import of ten thousand rows.
// It works on the UTF-8 bytes as they are and hands out views into them; it checks what a
// well-formed document needs (tag nesting, one root, quoted attributes, known entities) and
// refuses document type declarations, which no workbook writer emits (and which could declare
// entities that expand without bound). Positions of errors are lines and columns counted
// from 1, columns in characters.
#include <QByteArray>
#include <QString>

#include <string_view>
#include <vector>

class XmlScanner {
public:
    enum Token { StartElement, EndElement, Text, EndDocument, Invalid };

    // The scanner reads the bytes in place: they must outlive it.
    explicit XmlScanner(const QByteArray& utf8);
    explicit XmlScanner(QByteArray&&) = delete;

    // The next token. After Invalid or EndDocument it stays there.
    Token Next();
    Token Current() const { return token_; }
    bool HasError() const { return token_ == Invalid; }

    // The local name (without prefix) of the element of a StartElement or EndElement token.
    std::string_view Name() const { return name_; }
    // The raw value of the current start element's attribute of that local name; false when
    // it has none.
    bool Attribute(std::string_view localName, std::string_view& raw) const;
    // The raw text of a Text token (entities not yet replaced; CDATA sections as they are).
    std::string_view RawText() const { return text_; }
    bool TextIsCData() const { return cdata_; }

    // Appends a raw text or attribute value with its entities replaced; false (and the scanner
    // invalid) for an unknown or malformed entity.
    bool AppendDecoded(std::string_view raw, QString& out);
    // Reads on to the end of the current start element and returns its text, that of nested
    // elements included.
    QString ReadElementText();
    // Reads on to the end of the current start element.
    void SkipElement();

    // Marks the document invalid at the current token (a value the caller cannot use).
    void Fail();
    // Where the scanner stands (at an error: where it was found).
    qint64 Line() const;
    qint64 Column() const;

private:
    Token fail(const char* at);
    bool readName(std::string_view& name);
    void skipSpace();
    static std::string_view localPart(std::string_view qualified);

    const char* begin_;
    const char* end_;
    const char* p_;
    const char* tokenStart_;
    Token token_ = Text;
    std::string_view name_;
    std::string_view text_;
    bool cdata_ = false;
    bool pendingEnd_ = false;
    bool rootSeen_ = false;
    struct Attr {
        std::string_view name;  // local name
        std::string_view value;
    };
    std::vector<Attr> attrs_;
    std::vector<std::string_view> open_;  // qualified names of the open elements
};
