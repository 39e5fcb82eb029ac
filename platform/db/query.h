#pragma once
// A query dataset: the rows of an SQL SELECT (SQL as lines joined with CRLF), with parameters
// ":name"; ExecSQL runs statements that return no rows.
#include <QStringList>

#include "platform/db/dataset.h"

class TParameter {
public:
    explicit TParameter(const QString& name) : name_(name) {}
    const QString& Name() const { return name_; }
    QVariant Value() const { return value_; }
    void SetValue(const QVariant& v) { value_ = v; }
    TFieldType DataType() const { return dataType_; }
    void SetDataType(TFieldType t) { dataType_ = t; }
    // Convenience setters used by the program.
    void SetAsString(const QString& s) { value_ = s; }
    void SetAsInteger(int v) { value_ = v; }
    void SetAsFloat(double v) { value_ = v; }
    void SetAsDateTime(TDateTime v) { value_ = v; }
    void SetAsBoolean(bool v) { value_ = v; }
    void Clear() { value_ = QVariant(); }

private:
    QString name_;
    QVariant value_;
    TFieldType dataType_ = ftUnknown;
};

class TParameters {
public:
    int Count() const { return int(items_.size()); }
    TParameter* Items(int i) const { return items_[size_t(i)].get(); }
    TParameter* FindParam(const QString& name) const;  // without case; null when none
    // EDatabaseError "Parameter 'x' nicht gefunden" when missing.
    TParameter* ParamByName(const QString& name) const;
    // Re-reads the ":name" parameters of an SQL text, keeping the values of names that stay.
    void ParseSQL(const QString& sql);
    // The parameter names in the order of their occurrence (a name may occur more than once).
    const QStringList& Occurrences() const { return occurrences_; }

private:
    std::vector<std::unique_ptr<TParameter>> items_;
    QStringList occurrences_;
};

class TQuery : public TDataSet {
public:
    TQuery();
    ~TQuery() override;

    // The SQL lines. Change it while the query is closed (SetSQL closes an open query).
    QStringList& SQL() { return sql_; }
    const QStringList& SQL() const { return sql_; }
    void SetSQL(const QStringList& lines);
    void SetSQLText(const QString& text);  // split at line breaks
    QString SQLText() const { return sql_.join(QStringLiteral("\r\n")); }

    // The SQL holds text the user typed: it is translated and prepared so that it can only read
    // (one SELECT; writes, PRAGMA and ATTACH are refused with a clear message when it opens).
    bool ReadOnlySQL() const { return readOnlySql_; }
    void SetReadOnlySQL(bool value) { readOnlySql_ = value; }

    TParameters& Parameters();
    TParameter* ParamByName(const QString& name) { return Parameters().ParamByName(name); }

    // Runs the SQL as statements (translated first); returns the rows changed.
    int ExecSQL();
    int RowsAffected() const { return rowsAffected_; }

protected:
    SelectPlan selectPlan() override;

private:
    // SQL text with ":name" replaced by positional "?" and the values in order.
    QString boundSql(QVariantList& values);
    void syncParameters();

    QStringList sql_;
    QString parsedSql_;
    TParameters params_;
    int rowsAffected_ = 0;
    bool readOnlySql_ = false;
};
