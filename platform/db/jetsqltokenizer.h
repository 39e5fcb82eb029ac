#pragma once
// Splits the program's SQL text (the Jet dialect) into tokens: names and [bracketed names],
// numbers, text in single or double quotes (a doubled quote stands for one), date literals
// between '#', parameters (":name" and "?") and operators. Line breaks (CR LF) are blanks.
#include <QString>
#include <QVector>

namespace jetsql {

enum class TokenKind {
    End,
    Name,         // plain name or keyword
    QuotedName,   // [name] or `name`: never a keyword
    Number,
    Text,         // text literal, quotes removed
    Date,         // #...#, text between the hashes
    Parameter,    // :name (text is the name) or ? (text empty)
    Operator,     // ( ) , . ; = <> < > <= >= + - * / \ & ^
};

struct Token {
    TokenKind kind = TokenKind::End;
    QString text;
    int pos = 0;  // offset of the token in the statement text

    bool isOp(const char* op) const { return kind == TokenKind::Operator && text == QLatin1String(op); }
    // A plain name equal to the keyword, ignoring case.
    bool isKeyword(const char* kw) const
    {
        return kind == TokenKind::Name && text.compare(QLatin1String(kw), Qt::CaseInsensitive) == 0;
    }
};

// Raises EDatabaseError with the position of an unterminated literal or an unknown character.
QVector<Token> Tokenize(const QString& sql);

}  // namespace jetsql
