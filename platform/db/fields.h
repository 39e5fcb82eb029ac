#pragma once
// Fields of a dataset: the column (or calculated / lookup value) of the current record, its
// type, its display and entry formats and the handlers the program hangs on it.
//
// Values are QVariant: an invalid or null QVariant is Null. Date-time fields hold TDateTime
// doubles, Boolean fields bool (stored as 0/1), integer fields int (qint64 for ftLargeint),
// float fields double, text and memo QString, blobs QByteArray.
//
// Reading Null through the typed getters follows the runtime's field classes: a Null number,
// date-time or Boolean field gives 0 / 0.0 / false and AsString "" ; a text field converts its
// text, so AsInteger / AsFloat / AsDateTime of a Null or non-numeric text field raise
// EConvertError. Value() of a Null field is a null QVariant.
#include <QByteArray>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

#include "platform/rtl/sysutils.h"

class TDataSet;
class QIODevice;
class FilterPredicate;

enum TFieldType {
    ftUnknown,
    ftString,    // text of at most Size characters
    ftSmallint,  // signed 16 bit
    ftInteger,   // signed 32 bit
    ftLargeint,  // signed 64 bit
    ftAutoInc,   // 32-bit key assigned by the database
    ftBoolean,
    ftFloat,
    ftDate,
    ftTime,
    ftDateTime,
    ftMemo,      // long text
    ftBlob,      // binary data
    ftGraphic,   // binary picture
};

enum TFieldKind {
    fkData,        // a column of the result
    fkCalculated,  // filled by the dataset's OnCalcFields
    fkLookup,      // looked up in LookupDataSet by key
};

class TField {
public:
    TField(TDataSet* dataSet, const QString& fieldName, TFieldType type, int size = 0,
           TFieldKind kind = fkData);
    virtual ~TField();
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    TDataSet* DataSet() const { return dataSet_; }
    // Position in the dataset's field list.
    int Index() const { return index_; }

    // --- definition --------------------------------------------------------------------------
    const QString& FieldName() const { return fieldName_; }
    TFieldType DataType() const { return dataType_; }
    TFieldKind FieldKind() const { return fieldKind_; }
    bool Calculated() const { return fieldKind_ == fkCalculated; }
    bool Lookup() const { return fieldKind_ == fkLookup; }
    bool IsBlob() const;
    bool IsNumeric() const;  // integer kinds and float
    int Size() const { return size_; }
    void SetSize(int n) { size_ = n; }

    // --- presentation and metadata -----------------------------------------------------------
    // DisplayLabel is the field name until one is set.
    QString DisplayLabel() const { return displayLabel_.isEmpty() ? fieldName_ : displayLabel_; }
    void SetDisplayLabel(const QString& s);
    QString DisplayName() const { return DisplayLabel(); }
    const QString& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const QString& s);
    // Format of Text while the record is edited (numbers); empty: the plain value.
    const QString& EditFormat() const { return editFormat_; }
    void SetEditFormat(const QString& s) { editFormat_ = s; }
    const QString& EditMask() const { return editMask_; }
    void SetEditMask(const QString& s) { editMask_ = s; }
    // Default column width in characters (the Size of text fields, 10 otherwise, until set).
    int DisplayWidth() const;
    void SetDisplayWidth(int n);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Required() const { return required_; }
    void SetRequired(bool v) { required_ = v; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v) { readOnly_ = v; }
    // Declared default text: metadata only, the layer never applies it.
    const QString& DefaultExpression() const { return defaultExpression_; }
    void SetDefaultExpression(const QString& s) { defaultExpression_ = s; }
    // Texts of a Boolean field for true and false, "True;False" until set.
    const QString& DisplayValues() const { return displayValues_; }
    void SetDisplayValues(const QString& s) { displayValues_ = s; }
    // Alignment in grids and edits (Qt::AlignmentFlag values); numbers right, else left.
    int Alignment() const;
    void SetAlignment(int a) { alignment_ = a; }

    // --- lookup fields ----------------------------------------------------------------------
    TDataSet* LookupDataSet() const { return lookupDataSet_; }
    void SetLookupDataSet(TDataSet* ds) { lookupDataSet_ = ds; }
    // Field names of this dataset holding the key ("a;b").
    const QString& KeyFields() const { return keyFields_; }
    void SetKeyFields(const QString& s) { keyFields_ = s; }
    // Field names of the lookup dataset that the key is compared with.
    const QString& LookupKeyFields() const { return lookupKeyFields_; }
    void SetLookupKeyFields(const QString& s) { lookupKeyFields_ = s; }
    const QString& LookupResultField() const { return lookupResultField_; }
    void SetLookupResultField(const QString& s) { lookupResultField_ = s; }
    // A condition in the filter syntax ("unt_type = 2"). On a lookup field it narrows the rows
    // of the lookup dataset that the lookup finds and that lists of choices offer, so that two
    // lookup fields can share one lookup dataset with different conditions. On other fields it
    // is metadata: the layer does not check it.
    const QString& CustomConstraint() const { return customConstraint_; }
    void SetCustomConstraint(const QString& s) { customConstraint_ = s; }
    // For lists of choices: true when the lookup dataset's record as its fields show it now
    // (its current row, or the row chosen with SetDisplayRow) meets CustomConstraint; always
    // true without a constraint or outside a lookup field.
    bool AcceptsLookupRow();

    // --- value of the current record ---------------------------------------------------------
    QVariant Value() const;
    void SetValue(const QVariant& v);
    // The value at the start of the edit (the stored value; Null while inserting).
    QVariant OldValue() const;
    bool IsNull() const;
    void Clear() { SetValue(QVariant()); }

    QString AsString() const;
    void SetAsString(const QString& s);
    int AsInteger() const;
    void SetAsInteger(int v);
    qint64 AsLargeInt() const;
    void SetAsLargeInt(qint64 v);
    double AsFloat() const;
    void SetAsFloat(double v);
    TDateTime AsDateTime() const;
    void SetAsDateTime(TDateTime v);
    bool AsBoolean() const;
    void SetAsBoolean(bool v);
    QByteArray AsBytes() const;
    void SetAsBytes(const QByteArray& v);

    // Text while editing (edit format) and DisplayText for showing (display format); both go
    // through OnGetText when it is set.
    QString Text() const;
    void SetText(const QString& s);  // through OnSetText when set, else SetAsString
    QString DisplayText() const;

    // Blob helpers (pictures).
    void LoadFromFile(const QString& fileName);   // EFOpenError when it cannot be read
    void SaveToFile(const QString& fileName) const;
    void LoadFromStream(QIODevice& stream);
    void SaveToStream(QIODevice& stream) const;

    // Whether the entry takes the character as typed into this field: digits and signs for
    // numbers, also the decimal separator (and an exponent) for floats.
    bool IsValidChar(QChar c) const;
    // An integer field whose text handler reads a decimal number (metres typed as 10,5 km)
    // takes the decimal separator as well.
    bool DecimalInput() const { return decimalInput_; }
    void SetDecimalInput(bool v) { decimalInput_ = v; }

    // --- events ---------------------------------------------------------------------------------
    // (field, text, displayText): fills text for Text (displayText false) or DisplayText.
    std::function<void(TField* sender, QString& text, bool displayText)> OnGetText;
    // (field, text): stores the typed text in the field.
    std::function<void(TField* sender, const QString& text)> OnSetText;
    // Runs before a written value is stored; Value() is the new value, OldValue() the old one.
    // Raising refuses the write.
    std::function<void(TField* sender)> OnValidate;
    // Runs after a value has been stored.
    std::function<void(TField* sender)> OnChange;

    // Text converted to this field's value type (EConvertError on a bad text). Empty text is
    // Null. Used by SetAsString and by Locate / Lookup value conversion.
    QVariant ConvertText(const QString& s) const;
    // Any value converted to this field's value type (EConvertError when impossible).
    QVariant ConvertValue(const QVariant& v) const;

private:
    friend class TDataSet;
    QString defaultText(bool display) const;

    TDataSet* dataSet_;
    QString fieldName_;
    TFieldType dataType_;
    TFieldKind fieldKind_;
    int size_;
    int index_ = -1;
    QString displayLabel_;
    QString displayFormat_;
    QString editFormat_;
    QString editMask_;
    QString defaultExpression_;
    QString displayValues_;
    int displayWidth_ = -1;
    int alignment_ = -1;
    bool visible_ = true;
    bool required_ = false;
    bool readOnly_ = false;
    bool decimalInput_ = false;
    TDataSet* lookupDataSet_ = nullptr;
    QString keyFields_;
    QString lookupKeyFields_;
    QString lookupResultField_;
    QString customConstraint_;
    // The compiled constraint, kept while its text and the lookup dataset stay the same.
    std::shared_ptr<FilterPredicate> constraint_;
    QString constraintText_;
    TDataSet* constraintDataSet_ = nullptr;

    // Where the value comes from in a data row: column of the result, base table and column
    // for writes (assigned at open).
    int column_ = -1;
    int baseTable_ = -1;
    QString originName_;
};

// Splits a field list "a;b" or "a,b" into its names (blanks around names removed).
QStringList SplitFieldNames(const QString& names);
