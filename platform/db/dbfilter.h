#pragma once
// The runtime's dataset filter expressions (a dataset's Filter with Filtered on):
//   [trb_Form] = 3          (puls > 70) and (puls < 210)       [Name] LIKE 'Wald%'
//   Datum = #3/15/2004#     tgb_datum = #15.03.2004#           trb_created > 12.05.2004
//   (equ_aktuell = true)and (equ_kategorie = 'Schuhe')         NOT (x = 1) OR y IS NULL
// Texts compare without case; a text compared with a date-time field is read in the user's
// settings; a date or number under LIKE is compared as its runtime text.
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

#include "platform/db/fields.h"
#include "platform/rtl/sysutils.h"

class TDataSet;
class FilterPredicate;

class TFilterExpression {
public:
    // Parses the filter; a syntax error raises EDatabaseError with its position.
    explicit TFilterExpression(const QString& text);
    TFilterExpression(const QString& text, const TFormatSettings& settings);
    ~TFilterExpression();
    TFilterExpression(TFilterExpression&&) noexcept;
    TFilterExpression& operator=(TFilterExpression&&) noexcept;

    const QString& Text() const { return text_; }
    // The field names the expression reads, each once, in order of appearance.
    QStringList FieldNames() const;

    // Gives a field's value and type by name; returns false for an unknown field.
    using FieldReader = std::function<bool(const QString& name, QVariant& value, TFieldType& type)>;
    // True when the record passes. An unknown field or a text that is no number for a number
    // field raises EDatabaseError.
    bool Matches(const FieldReader& field) const;
    // The dataset's current record, read through its fields.
    bool Matches(TDataSet& dataSet) const;

    struct Node;

private:
    QString text_;
    std::unique_ptr<TFormatSettings> settings_;
    std::shared_ptr<Node> root_;
};

// The compiler the datasets use for their Filter text (see SetFilterCompiler); unknown field
// names are reported when the filter is compiled for a dataset with fields.
std::unique_ptr<FilterPredicate> CompileDataSetFilter(const QString& filter, TDataSet& dataSet);
// Makes every dataset use CompileDataSetFilter (once per process; InstallJetSql calls it too).
void InstallDataSetFilters();
