#pragma once
// Expressions of report fields and group bands: field names of the report's dataset, numbers,
// texts in double quotes, + - * / with parentheses, and the functions
//   SUM(x), COUNT() / COUNT(x), AVERAGE(x) (also AVG), MIN(x), MAX(x)  over the printed detail rows,
//   INT(x) (whole part), ABS(x), ROUND(x) (half to even, as the runtime).
// Names are compared without case; a field name with blanks stands in brackets: [Höhe m].
// A Null field counts as 0 in arithmetic and sums; AVERAGE, MIN, MAX and COUNT(x) skip Nulls.
// The average of no rows is 0.
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

#include "platform/rtl/sysutils.h"

class TDataSet;

// An expression that cannot be read: the message names the expression and the position (from 1).
class EReportExpression : public Exception {
public:
    EReportExpression(const QString& message, int position) : Exception(message), position_(position) {}
    int Position() const { return position_; }

private:
    int position_;
};

class TReportExpression {
public:
    TReportExpression();
    // Reads the text; EReportExpression when it is not an expression.
    explicit TReportExpression(const QString& text);
    ~TReportExpression();
    TReportExpression(TReportExpression&&) noexcept;
    TReportExpression& operator=(TReportExpression&&) noexcept;

    const QString& Text() const { return text_; }
    void SetText(const QString& text);  // EReportExpression when it is not an expression
    bool IsEmpty() const;
    // True when the expression holds SUM, COUNT, AVERAGE, MIN or MAX.
    bool IsAggregate() const;

    // The running aggregates start over.
    void Reset();
    // Adds the current record of the dataset to the running aggregates.
    void Accumulate(TDataSet* dataSet);
    // The value: numbers as double, texts as QString, Null as an invalid QVariant. Fields are read
    // from the current record (EDatabaseError for a field the dataset does not have).
    QVariant Value(TDataSet* dataSet) const;

    // The value as the report prints it: numbers through FormatFloat with the mask ("#,"), or
    // their shortest form without one; texts as they stand; Null as an empty text.
    static QString FormatValue(const QVariant& value, const QString& mask);

    struct Node;

private:
    QString text_;
    std::vector<std::unique_ptr<Node>> nodes_;
    int root_ = -1;
    std::vector<int> aggregates_;  // node indexes of the aggregate calls
};
