#include "platform/report/reportexpr.h"

#include <QCoreApplication>

#include <cmath>

#include "platform/db/dataset.h"

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("TReportExpression", text);
}

enum class Op { Number, Text, Field, Negate, Add, Sub, Mul, Div, Sum, Count, Average, Min, Max, Int, Abs, Round };

bool IsAggregateOp(Op op)
{
    return op == Op::Sum || op == Op::Count || op == Op::Average || op == Op::Min || op == Op::Max;
}

double ToNumber(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return 0;
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const double d = v.toString().trimmed().toDouble(&ok);
        return ok ? d : 0;
    }
    return v.toDouble();
}

bool IsNull(const QVariant& v) { return !v.isValid() || v.isNull(); }

bool IsText(const QVariant& v) { return v.typeId() == QMetaType::QString; }

// Numbers, dates and Booleans of fields become doubles; texts stay texts.
QVariant Normalize(const QVariant& v)
{
    if (IsNull(v))
        return QVariant();
    if (IsText(v))
        return v;
    if (v.typeId() == QMetaType::QByteArray)
        return QVariant();
    return QVariant(v.toDouble());
}

}  // namespace

struct TReportExpression::Node {
    Op op = Op::Number;
    double number = 0;
    QString text;  // text literal or field name
    std::vector<int> args;
    // Running state of an aggregate call.
    double sum = 0;
    int count = 0;
    QVariant extreme;
};

namespace {

// Recursive-descent reader of the expression grammar:
//   expr := term (('+' | '-') term)*      term := factor (('*' | '/') factor)*
//   factor := '-' factor | number | "text" | name | [name] | name '(' [expr (',' expr)*] ')' | '(' expr ')'
class Reader {
public:
    Reader(const QString& text, std::vector<std::unique_ptr<TReportExpression::Node>>& nodes)
        : s_(text), nodes_(nodes)
    {
    }

    int parse()
    {
        skip();
        if (pos_ >= s_.size())
            return -1;
        const int root = expr(false);
        skip();
        if (pos_ < s_.size())
            fail(Tr("unerwartetes Zeichen '%1'").arg(s_[pos_]));
        return root;
    }

private:
    [[noreturn]] void fail(const QString& reason) const
    {
        throw EReportExpression(
            Tr("Fehler im Ausdruck \"%1\" an Position %2: %3").arg(s_, QString::number(pos_ + 1), reason), pos_ + 1);
    }

    void skip()
    {
        while (pos_ < s_.size() && s_[pos_].isSpace())
            ++pos_;
    }

    int add(Op op, std::vector<int> args = {})
    {
        auto n = std::make_unique<TReportExpression::Node>();
        n->op = op;
        n->args = std::move(args);
        nodes_.push_back(std::move(n));
        return int(nodes_.size()) - 1;
    }

    int expr(bool inAggregate)
    {
        int left = term(inAggregate);
        for (;;) {
            skip();
            if (pos_ < s_.size() && (s_[pos_] == QLatin1Char('+') || s_[pos_] == QLatin1Char('-'))) {
                const Op op = s_[pos_] == QLatin1Char('+') ? Op::Add : Op::Sub;
                ++pos_;
                left = add(op, {left, term(inAggregate)});
            } else {
                return left;
            }
        }
    }

    int term(bool inAggregate)
    {
        int left = factor(inAggregate);
        for (;;) {
            skip();
            if (pos_ < s_.size() && (s_[pos_] == QLatin1Char('*') || s_[pos_] == QLatin1Char('/'))) {
                const Op op = s_[pos_] == QLatin1Char('*') ? Op::Mul : Op::Div;
                ++pos_;
                left = add(op, {left, factor(inAggregate)});
            } else {
                return left;
            }
        }
    }

    int factor(bool inAggregate)
    {
        skip();
        if (pos_ >= s_.size())
            fail(Tr("unerwartetes Ende"));
        const QChar c = s_[pos_];
        if (c == QLatin1Char('-')) {
            ++pos_;
            return add(Op::Negate, {factor(inAggregate)});
        }
        if (c == QLatin1Char('(')) {
            ++pos_;
            const int inner = expr(inAggregate);
            expect(QLatin1Char(')'));
            return inner;
        }
        if (c.isDigit() || c == QLatin1Char('.')) {
            const int start = pos_;
            while (pos_ < s_.size() && (s_[pos_].isDigit() || s_[pos_] == QLatin1Char('.')))
                ++pos_;
            bool ok = false;
            const double d = s_.mid(start, pos_ - start).toDouble(&ok);
            if (!ok) {
                pos_ = start;
                fail(Tr("ungültige Zahl"));
            }
            const int n = add(Op::Number);
            nodes_[size_t(n)]->number = d;
            return n;
        }
        if (c == QLatin1Char('"')) {
            const int start = pos_;
            const int end = s_.indexOf(QLatin1Char('"'), pos_ + 1);
            if (end < 0) {
                pos_ = start;
                fail(Tr("Text ohne schließendes Anführungszeichen"));
            }
            const int n = add(Op::Text);
            nodes_[size_t(n)]->text = s_.mid(start + 1, end - start - 1);
            pos_ = end + 1;
            return n;
        }
        if (c == QLatin1Char('[')) {
            const int start = pos_;
            const int end = s_.indexOf(QLatin1Char(']'), pos_ + 1);
            if (end < 0 || end == pos_ + 1) {
                pos_ = start;
                fail(Tr("Feldname in Klammern erwartet"));
            }
            const int n = add(Op::Field);
            nodes_[size_t(n)]->text = s_.mid(start + 1, end - start - 1).trimmed();
            pos_ = end + 1;
            return n;
        }
        if (c.isLetter() || c == QLatin1Char('_')) {
            const int start = pos_;
            while (pos_ < s_.size() && (s_[pos_].isLetterOrNumber() || s_[pos_] == QLatin1Char('_')))
                ++pos_;
            const QString name = s_.mid(start, pos_ - start);
            skip();
            if (pos_ < s_.size() && s_[pos_] == QLatin1Char('('))
                return call(name, start, inAggregate);
            const int n = add(Op::Field);
            nodes_[size_t(n)]->text = name;
            return n;
        }
        fail(Tr("unerwartetes Zeichen '%1'").arg(c));
    }

    int call(const QString& name, int namePos, bool inAggregate)
    {
        static const struct {
            const char* name;
            Op op;
        } kFunctions[] = {{"SUM", Op::Sum},     {"COUNT", Op::Count}, {"AVERAGE", Op::Average}, {"AVG", Op::Average},
                          {"MIN", Op::Min},     {"MAX", Op::Max},     {"INT", Op::Int},         {"ABS", Op::Abs},
                          {"ROUND", Op::Round}};
        Op op = Op::Number;
        bool found = false;
        for (const auto& f : kFunctions)
            if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0) {
                op = f.op;
                found = true;
            }
        if (!found) {
            pos_ = namePos;
            fail(Tr("unbekannte Funktion %1").arg(name));
        }
        if (IsAggregateOp(op) && inAggregate) {
            pos_ = namePos;
            fail(Tr("Summenfunktion innerhalb einer Summenfunktion"));
        }
        ++pos_;  // '('
        std::vector<int> args;
        skip();
        if (pos_ < s_.size() && s_[pos_] == QLatin1Char(')')) {
            ++pos_;
        } else {
            args.push_back(expr(inAggregate || IsAggregateOp(op)));
            skip();
            while (pos_ < s_.size() && s_[pos_] == QLatin1Char(',')) {
                ++pos_;
                args.push_back(expr(inAggregate || IsAggregateOp(op)));
                skip();
            }
            expect(QLatin1Char(')'));
        }
        const bool countOk = op == Op::Count && args.size() <= 1;
        if (!countOk && args.size() != 1) {
            pos_ = namePos;
            fail(Tr("%1 erwartet genau ein Argument").arg(name.toUpper()));
        }
        return add(op, std::move(args));
    }

    void expect(QChar c)
    {
        skip();
        if (pos_ >= s_.size() || s_[pos_] != c)
            fail(Tr("'%1' erwartet").arg(c));
        ++pos_;
    }

    const QString& s_;
    std::vector<std::unique_ptr<TReportExpression::Node>>& nodes_;
    int pos_ = 0;
};

}  // namespace

TReportExpression::TReportExpression() = default;

TReportExpression::TReportExpression(const QString& text)
{
    SetText(text);
}

TReportExpression::~TReportExpression() = default;
TReportExpression::TReportExpression(TReportExpression&&) noexcept = default;
TReportExpression& TReportExpression::operator=(TReportExpression&&) noexcept = default;

void TReportExpression::SetText(const QString& text)
{
    std::vector<std::unique_ptr<Node>> nodes;
    Reader reader(text, nodes);
    const int root = reader.parse();  // throws before anything is replaced
    text_ = text;
    nodes_ = std::move(nodes);
    root_ = root;
    aggregates_.clear();
    for (size_t i = 0; i < nodes_.size(); ++i)
        if (IsAggregateOp(nodes_[i]->op))
            aggregates_.push_back(int(i));
}

bool TReportExpression::IsEmpty() const
{
    return root_ < 0;
}

bool TReportExpression::IsAggregate() const
{
    return !aggregates_.empty();
}

void TReportExpression::Reset()
{
    for (int i : aggregates_) {
        Node& n = *nodes_[size_t(i)];
        n.sum = 0;
        n.count = 0;
        n.extreme = QVariant();
    }
}

namespace {

QVariant Evaluate(const std::vector<std::unique_ptr<TReportExpression::Node>>& nodes, int index, TDataSet* ds)
{
    const TReportExpression::Node& n = *nodes[size_t(index)];
    auto arg = [&](size_t i) { return Evaluate(nodes, n.args[i], ds); };
    switch (n.op) {
    case Op::Number:
        return n.number;
    case Op::Text:
        return n.text;
    case Op::Field:
        if (!ds)
            throw EDatabaseError(QCoreApplication::translate("TReportExpression", "Feld '%1' nicht gefunden").arg(n.text));
        return Normalize(ds->FieldByName(n.text)->Value());
    case Op::Negate:
        return -ToNumber(arg(0));
    case Op::Add: {
        const QVariant a = arg(0), b = arg(1);
        if (IsText(a) || IsText(b))
            return (IsText(a) ? a.toString() : TReportExpression::FormatValue(a, QString())) +
                   (IsText(b) ? b.toString() : TReportExpression::FormatValue(b, QString()));
        return ToNumber(a) + ToNumber(b);
    }
    case Op::Sub:
        return ToNumber(arg(0)) - ToNumber(arg(1));
    case Op::Mul:
        return ToNumber(arg(0)) * ToNumber(arg(1));
    case Op::Div: {
        const double d = ToNumber(arg(1));
        // A division by zero prints nothing instead of stopping the whole print.
        return d == 0 ? QVariant() : QVariant(ToNumber(arg(0)) / d);
    }
    case Op::Int:
        return std::trunc(ToNumber(arg(0)));
    case Op::Abs:
        return std::fabs(ToNumber(arg(0)));
    case Op::Round:
        return double(Round(ToNumber(arg(0))));
    case Op::Sum:
        return n.sum;
    case Op::Count:
        return double(n.count);
    case Op::Average:
        return n.count ? n.sum / n.count : 0.0;
    case Op::Min:
    case Op::Max:
        return n.extreme;
    }
    return QVariant();
}

}  // namespace

void TReportExpression::Accumulate(TDataSet* dataSet)
{
    for (int i : aggregates_) {
        Node& n = *nodes_[size_t(i)];
        if (n.args.empty()) {  // COUNT()
            ++n.count;
            continue;
        }
        const QVariant v = Evaluate(nodes_, n.args[0], dataSet);
        switch (n.op) {
        case Op::Sum:
            n.sum += ToNumber(v);
            ++n.count;
            break;
        case Op::Count:
            if (!IsNull(v))
                ++n.count;
            break;
        case Op::Average:
            if (!IsNull(v)) {
                n.sum += ToNumber(v);
                ++n.count;
            }
            break;
        case Op::Min:
        case Op::Max:
            if (!IsNull(v)) {
                bool replace = IsNull(n.extreme);
                if (!replace) {
                    const int c = IsText(v) || IsText(n.extreme)
                                      ? QString::compare(v.toString(), n.extreme.toString(), Qt::CaseInsensitive)
                                      : (ToNumber(v) < ToNumber(n.extreme) ? -1 : ToNumber(v) > ToNumber(n.extreme));
                    replace = n.op == Op::Min ? c < 0 : c > 0;
                }
                if (replace)
                    n.extreme = v;
            }
            break;
        default:
            break;
        }
    }
}

QVariant TReportExpression::Value(TDataSet* dataSet) const
{
    if (root_ < 0)
        return QVariant();
    return Evaluate(nodes_, root_, dataSet);
}

QString TReportExpression::FormatValue(const QVariant& value, const QString& mask)
{
    if (IsNull(value))
        return QString();
    if (IsText(value))
        return value.toString();
    const double d = value.toDouble();
    return mask.isEmpty() ? FloatToStr(d) : FormatFloat(mask, d);
}
