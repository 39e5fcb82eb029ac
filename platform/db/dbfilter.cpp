#include "platform/db/dbfilter.h"

#include <QCoreApplication>
#include <QVector>

#include <cmath>

#include "platform/db/dataset.h"
#include "platform/db/jetsqlfunctions.h"
#include "platform/db/jetsqlparser.h"
#include "platform/db/jetsqlrewriter.h"

struct TFilterExpression::Node {
    enum Kind { And, Or, Not, Compare, Like, IsNull, Field, Text, Number, Date, Bool, Null };
    Kind kind = Null;
    QString op;    // comparison operator
    QString text;  // field name, text value
    double number = 0;
    bool negated = false;
    std::shared_ptr<Node> a, b;
};

namespace {

using Node = TFilterExpression::Node;
using NodePtr = std::shared_ptr<Node>;
using jetsql::Token;
using jetsql::TokenKind;

[[noreturn]] void filterError(const QString& filter, int pos, const QString& what)
{
    throw EDatabaseError(QCoreApplication::translate("DbFilter", "Fehler im Filter \"%1\" an Position %2: %3")
                             .arg(filter, QString::number(pos + 1), what));
}

class FilterParser {
public:
    explicit FilterParser(const QString& text) : text_(text), toks_(jetsql::Tokenize(text)) {}

    NodePtr parse()
    {
        NodePtr n = orExpr();
        if (peek().kind != TokenKind::End)
            filterError(text_, peek().pos, QCoreApplication::translate("DbFilter", "Operator erwartet"));
        return n;
    }

private:
    const Token& peek(int k = 0) const { return toks_[std::min<int>(pos_ + k, toks_.size() - 1)]; }
    const Token& next() { return toks_[std::min<int>(pos_++, toks_.size() - 1)]; }

    NodePtr make(Node::Kind k, NodePtr a = nullptr, NodePtr b = nullptr)
    {
        auto n = std::make_shared<Node>();
        n->kind = k;
        n->a = std::move(a);
        n->b = std::move(b);
        return n;
    }

    NodePtr orExpr()
    {
        NodePtr n = andExpr();
        while (peek().isKeyword("OR")) {
            next();
            n = make(Node::Or, n, andExpr());
        }
        return n;
    }
    NodePtr andExpr()
    {
        NodePtr n = notExpr();
        while (peek().isKeyword("AND")) {
            next();
            n = make(Node::And, n, notExpr());
        }
        return n;
    }
    NodePtr notExpr()
    {
        if (peek().isKeyword("NOT")) {
            next();
            return make(Node::Not, notExpr());
        }
        return comparison();
    }
    NodePtr comparison()
    {
        if (peek().isOp("(")) {
            next();
            NodePtr n = orExpr();
            if (!peek().isOp(")"))
                filterError(text_, peek().pos, QCoreApplication::translate("DbFilter", "')' erwartet"));
            next();
            return n;
        }
        NodePtr left = operand();
        const Token& t = peek();
        if (t.kind == TokenKind::Operator &&
            QStringList({"=", "<>", "<", ">", "<=", ">="}).contains(t.text)) {
            next();
            NodePtr n = make(Node::Compare, left, operand());
            n->op = t.text;
            return n;
        }
        bool negated = false;
        if (t.isKeyword("NOT") && peek(1).isKeyword("LIKE")) {
            next();
            negated = true;
        }
        if (peek().isKeyword("LIKE")) {
            next();
            NodePtr n = make(Node::Like, left, operand());
            n->negated = negated;
            return n;
        }
        if (peek().isKeyword("IS")) {
            next();
            NodePtr n = make(Node::IsNull, left);
            if (peek().isKeyword("NOT")) {
                next();
                n->negated = true;
            }
            if (!peek().isKeyword("NULL"))
                filterError(text_, peek().pos, QCoreApplication::translate("DbFilter", "NULL erwartet"));
            next();
            return n;
        }
        filterError(text_, peek().pos, QCoreApplication::translate("DbFilter", "Vergleichsoperator erwartet"));
    }

    NodePtr operand()
    {
        const Token t = peek();
        auto n = std::make_shared<Node>();
        switch (t.kind) {
        case TokenKind::QuotedName:
            next();
            n->kind = Node::Field;
            n->text = t.text;
            return n;
        case TokenKind::Name:
            next();
            if (t.isKeyword("TRUE") || t.isKeyword("FALSE")) {
                n->kind = Node::Bool;
                n->number = t.isKeyword("TRUE") ? 1 : 0;
            } else if (t.isKeyword("NULL")) {
                n->kind = Node::Null;
            } else {
                n->kind = Node::Field;
                n->text = t.text;
            }
            return n;
        case TokenKind::Text:
            next();
            n->kind = Node::Text;
            n->text = t.text;
            return n;
        case TokenKind::Date:
            next();
            n->kind = Node::Date;
            if (!jetsql::ParseDateLiteral(t.text, n->number))
                filterError(text_, t.pos, QCoreApplication::translate("DbFilter", "ungültiges Datum #%1#").arg(t.text));
            return n;
        case TokenKind::Number: {
            next();
            // A bare date in the user's format: "12.05.2004" comes as "12.05" and ".2004".
            const Token& more = peek();
            if (more.kind == TokenKind::Number && more.text.startsWith(QLatin1Char('.')) &&
                more.pos == t.pos + t.text.size()) {
                next();
                n->kind = Node::Date;
                if (!jetsql::ParseDateLiteral(t.text + more.text, n->number))
                    filterError(text_, t.pos, QCoreApplication::translate("DbFilter", "ungültiges Datum %1").arg(t.text + more.text));
                return n;
            }
            n->kind = Node::Number;
            n->number = t.text.toDouble();
            return n;
        }
        case TokenKind::Operator:
            if (t.isOp("-") && peek(1).kind == TokenKind::Number) {
                next();
                n->kind = Node::Number;
                n->number = -next().text.toDouble();
                return n;
            }
            [[fallthrough]];
        default:
            filterError(text_, t.pos, QCoreApplication::translate("DbFilter", "Feldname oder Wert erwartet"));
        }
    }

    QString text_;
    QVector<Token> toks_;
    int pos_ = 0;
};

void collectNames(const NodePtr& n, QStringList& out)
{
    if (!n)
        return;
    if (n->kind == Node::Field && !out.contains(n->text, Qt::CaseInsensitive))
        out << n->text;
    collectNames(n->a, out);
    collectNames(n->b, out);
}

bool isDateType(TFieldType t) { return t == ftDate || t == ftTime || t == ftDateTime; }
bool isNumberType(TFieldType t)
{
    return t == ftSmallint || t == ftInteger || t == ftLargeint || t == ftAutoInc || t == ftFloat;
}

// A value with what the expression knows of its type.
struct Value {
    QVariant v;
    TFieldType type = ftUnknown;  // of a field
    Node::Kind literal = Node::Null;  // of a literal
    bool isNull() const { return v.isNull() || !v.isValid(); }
};

class Evaluator {
public:
    Evaluator(const QString& filter, const TFilterExpression::FieldReader& field, const TFormatSettings& fs)
        : filter_(filter), field_(field), fs_(fs)
    {
    }

    bool test(const NodePtr& n)
    {
        switch (n->kind) {
        case Node::And:
            return test(n->a) && test(n->b);
        case Node::Or:
            return test(n->a) || test(n->b);
        case Node::Not:
            return !test(n->a);
        case Node::IsNull:
            return value(n->a).isNull() != n->negated;
        case Node::Like: {
            const Value a = value(n->a), p = value(n->b);
            if (a.isNull() || p.isNull())
                return false;
            QString pattern = p.v.toString();
            pattern.replace(QLatin1Char('*'), QLatin1Char('%'));
            return jetsql::LikeMatch(asText(a), pattern) != n->negated;
        }
        case Node::Compare:
            return compare(n);
        case Node::Bool:
            return n->number != 0;
        case Node::Field: {
            const Value v = value(n);
            return !v.isNull() && v.v.toBool();
        }
        default:
            throw EDatabaseError(QCoreApplication::translate("DbFilter", "Fehler im Filter \"%1\": Bedingung erwartet").arg(filter_));
        }
    }

private:
    Value value(const NodePtr& n)
    {
        Value r;
        r.literal = n->kind;
        switch (n->kind) {
        case Node::Field:
            if (!field_(n->text, r.v, r.type))
                throw EDatabaseError(QCoreApplication::translate("DbFilter", "Feld '%1' nicht gefunden").arg(n->text));
            break;
        case Node::Text:
            r.v = n->text;
            break;
        case Node::Number:
        case Node::Date:
            r.v = n->number;
            break;
        case Node::Bool:
            r.v = n->number != 0;
            break;
        default:
            break;
        }
        return r;
    }

    QString asText(const Value& a) const
    {
        if (isDateType(a.type) || a.literal == Node::Date)
            return jetsql::DateTimeText(a.v.toDouble(), fs_);
        if (a.v.typeId() == QMetaType::Double)
            return jetsql::NumberText(a.v.toDouble(), fs_);
        return a.v.toString();
    }

    // The other side read as the field's kind of value.
    double numberFor(const Value& field, const Value& other) const
    {
        if (other.literal == Node::Text || other.v.typeId() == QMetaType::QString) {
            double d = 0;
            const bool ok = isDateType(field.type) ? jetsql::TextToDateTime(other.v.toString(), fs_, d)
                                                   : jetsql::TextToNumber(other.v.toString(), fs_, d);
            if (!ok)
                throw EDatabaseError(jetsql::TypeMismatchMessage());
            return d;
        }
        if (other.v.typeId() == QMetaType::Bool)
            return other.v.toBool() ? 1 : 0;
        return other.v.toDouble();
    }

    bool compare(const NodePtr& n)
    {
        Value a = value(n->a), b = value(n->b);
        if (a.literal == Node::Null || b.literal == Node::Null) {  // "x = NULL" tests for Null
            const bool null = a.literal == Node::Null ? b.isNull() : a.isNull();
            return n->op == QLatin1String("=") ? null : n->op == QLatin1String("<>") ? !null : false;
        }
        if (a.isNull() || b.isNull())
            return false;
        int c = 0;
        const bool aNum = a.type != ftUnknown ? (isNumberType(a.type) || isDateType(a.type) || a.type == ftBoolean)
                                              : a.literal != Node::Text;
        const bool bNum = b.type != ftUnknown ? (isNumberType(b.type) || isDateType(b.type) || b.type == ftBoolean)
                                              : b.literal != Node::Text;
        if (aNum || bNum) {
            const double x = aNum ? (a.v.typeId() == QMetaType::Bool ? (a.v.toBool() ? 1 : 0) : numberOf(a, b)) : numberFor(b, a);
            const double y = bNum ? (b.v.typeId() == QMetaType::Bool ? (b.v.toBool() ? 1 : 0) : numberOf(b, a)) : numberFor(a, b);
            c = x < y ? -1 : x > y ? 1 : 0;
        } else {
            c = a.v.toString().toCaseFolded().compare(b.v.toString().toCaseFolded());
        }
        const QString& op = n->op;
        if (op == QLatin1String("="))
            return c == 0;
        if (op == QLatin1String("<>"))
            return c != 0;
        if (op == QLatin1String("<"))
            return c < 0;
        if (op == QLatin1String(">"))
            return c > 0;
        if (op == QLatin1String("<="))
            return c <= 0;
        return c >= 0;
    }

    // A number side: a field's or literal's value; a text value of a field without numeric
    // type is read against the other side's type.
    double numberOf(const Value& v, const Value& other) const
    {
        if (v.v.typeId() == QMetaType::QString)
            return numberFor(other, v);
        return v.v.toDouble();
    }

    QString filter_;
    const TFilterExpression::FieldReader& field_;
    const TFormatSettings& fs_;
};

class DataSetFilter : public FilterPredicate {
public:
    explicit DataSetFilter(TFilterExpression e) : expr_(std::move(e)) {}
    bool matches(TDataSet& dataSet) override { return expr_.Matches(dataSet); }

private:
    TFilterExpression expr_;
};

}  // namespace

TFilterExpression::TFilterExpression(const QString& text) : text_(text)
{
    root_ = FilterParser(text).parse();
}

TFilterExpression::TFilterExpression(const QString& text, const TFormatSettings& settings)
    : text_(text), settings_(std::make_unique<TFormatSettings>(settings))
{
    root_ = FilterParser(text).parse();
}

TFilterExpression::~TFilterExpression() = default;
TFilterExpression::TFilterExpression(TFilterExpression&&) noexcept = default;
TFilterExpression& TFilterExpression::operator=(TFilterExpression&&) noexcept = default;

QStringList TFilterExpression::FieldNames() const
{
    QStringList out;
    collectNames(root_, out);
    return out;
}

bool TFilterExpression::Matches(const FieldReader& field) const
{
    Evaluator ev(text_, field, settings_ ? *settings_ : FormatSettings());
    return ev.test(root_);
}

bool TFilterExpression::Matches(TDataSet& dataSet) const
{
    return Matches([&dataSet](const QString& name, QVariant& value, TFieldType& type) {
        TField* f = dataSet.FindField(name);
        if (!f)
            return false;
        value = f->Value();
        type = f->DataType();
        return true;
    });
}

std::unique_ptr<FilterPredicate> CompileDataSetFilter(const QString& filter, TDataSet& dataSet)
{
    TFilterExpression e(filter);
    if (dataSet.FieldCount() > 0)
        for (const QString& name : e.FieldNames())
            if (!dataSet.FindField(name))
                throw EDatabaseError(QCoreApplication::translate("DbFilter", "Feld '%1' nicht gefunden").arg(name));
    return std::make_unique<DataSetFilter>(std::move(e));
}

void InstallDataSetFilters()
{
    static const bool installed = (SetFilterCompiler(&CompileDataSetFilter), true);
    (void)installed;
}
