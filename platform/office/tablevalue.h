#pragma once
// One value read from a spreadsheet cell or a table field. Every cell keeps the kind it has in
// the file (a column may mix numbers and texts); the caller converts per cell into its field.
#include <QString>
#include <QVariant>

#include "platform/rtl/sysutils.h"

class TableValue {
public:
    enum class Kind { Empty, Number, Text, DateTime };

    TableValue() = default;
    static TableValue FromNumber(double v);
    static TableValue FromText(const QString& s);
    // Date-time values are kept to whole milliseconds, so that equal times compare equal.
    static TableValue FromDateTime(TDateTime v);

    Kind kind() const { return kind_; }
    bool IsEmpty() const { return kind_ == Kind::Empty; }
    double Number() const { return number_; }       // number or date-time; 0 otherwise
    const QString& Text() const { return text_; }   // text cells only

    // The value as the database layer takes it: a null QVariant for an empty cell, double for
    // numbers and date-times (TDateTime), QString for texts.
    QVariant ToVariant() const;
    // A number; a text is read with the decimal point, as numbers inside import files are
    // (EConvertError when it is none); an empty cell gives 0.
    double AsFloat() const;
    // The value as text: numbers with the decimal point and up to 15 digits, date-times in
    // the German form ("01.05.2008", "00:45:30", "01.05.2008 10:15:00").
    QString AsText() const;

    bool operator==(const TableValue& o) const;

private:
    Kind kind_ = Kind::Empty;
    double number_ = 0;
    QString text_;
};
