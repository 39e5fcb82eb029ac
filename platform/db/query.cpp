#include "platform/db/query.h"

#include <QCoreApplication>

#include <sqlite3.h>

#include "platform/db/connection.h"

TParameter* TParameters::FindParam(const QString& name) const
{
    for (const auto& p : items_)
        if (p->Name().compare(name, Qt::CaseInsensitive) == 0)
            return p.get();
    return nullptr;
}

TParameter* TParameters::ParamByName(const QString& name) const
{
    TParameter* p = FindParam(name);
    if (!p)
        throw EDatabaseError(QCoreApplication::translate("Query", "Parameter '%1' nicht gefunden").arg(name));
    return p;
}

void TParameters::ParseSQL(const QString& sql)
{
    occurrences_.clear();
    const int n = int(sql.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = sql[i];
        // Literals: texts, quoted names and date literals hold no parameters.
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('#') ||
            c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            ++i;
            while (i < n && sql[i] != close)
                ++i;
            continue;
        }
        if (c == QLatin1Char(':') && i + 1 < n &&
            (sql[i + 1].isLetter() || sql[i + 1] == QLatin1Char('_')) &&
            (i == 0 || sql[i - 1] != QLatin1Char(':'))) {
            int j = i + 1;
            while (j < n && (sql[j].isLetterOrNumber() || sql[j] == QLatin1Char('_')))
                ++j;
            occurrences_ << sql.mid(i + 1, j - i - 1);
            i = j - 1;
        }
    }
    std::vector<std::unique_ptr<TParameter>> items;
    for (const QString& name : occurrences_) {
        bool seen = false;
        for (const auto& p : items)
            if (p->Name().compare(name, Qt::CaseInsensitive) == 0)
                seen = true;
        if (seen)
            continue;
        auto p = std::make_unique<TParameter>(name);
        if (TParameter* old = FindParam(name)) {
            p->SetValue(old->Value());
            p->SetDataType(old->DataType());
        }
        items.push_back(std::move(p));
    }
    items_ = std::move(items);
}

TQuery::TQuery() = default;

TQuery::~TQuery() = default;

void TQuery::SetSQL(const QStringList& lines)
{
    Close();
    sql_ = lines;
    syncParameters();
}

void TQuery::SetSQLText(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    SetSQL(t.split(QLatin1Char('\n')));
}

void TQuery::syncParameters()
{
    const QString text = SQLText();
    if (text == parsedSql_)
        return;
    parsedSql_ = text;
    params_.ParseSQL(text);
}

TParameters& TQuery::Parameters()
{
    syncParameters();
    return params_;
}

TDataSet::SelectPlan TQuery::selectPlan()
{
    syncParameters();
    SelectPlan plan;
    plan.sql = readOnlySql_ ? connection_->TranslateReadOnly(SQLText()) : connection_->Translate(SQLText());
    plan.readOnly = readOnlySql_;
    for (int i = 0; i < params_.Count(); ++i)
        plan.namedParams.insert(params_.Items(i)->Name().toLower(), params_.Items(i)->Value());
    return plan;
}

int TQuery::ExecSQL()
{
    if (!connection_ || !connection_->Connected())
        raise(QCoreApplication::translate("Query", "Die Datenbankverbindung ist nicht geöffnet."));
    syncParameters();
    QVariantMap named;
    for (int i = 0; i < params_.Count(); ++i)
        named.insert(params_.Items(i)->Name().toLower(), params_.Items(i)->Value());
    const QString sql = connection_->Translate(SQLText());
    sqlite3* db = connection_->Handle();
    const ushort* p = sql.utf16();
    const ushort* end = p + sql.size();
    rowsAffected_ = 0;
    while (p < end) {
        sqlite3_stmt* stmt = nullptr;
        const void* tail = nullptr;
        if (sqlite3_prepare16_v2(db, p, int((end - p) * 2), &stmt, &tail) != SQLITE_OK)
            connection_->RaiseError(QString());
        p = static_cast<const ushort*>(tail);
        if (!stmt)
            continue;
        BindParameters(stmt, {}, named);
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) {
            const SqliteError err = SqliteError::of(db);
            sqlite3_finalize(stmt);
            raise(err);
        }
        rowsAffected_ = sqlite3_changes(db);
        sqlite3_finalize(stmt);
    }
    return rowsAffected_;
}
