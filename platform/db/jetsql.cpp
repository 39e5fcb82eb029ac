#include "platform/db/jetsql.h"

#include <QCoreApplication>

#include <sqlite3.h>

#include "platform/db/dbfilter.h"
#include "platform/db/jetsqlfunctions.h"

// Column types and view orders read from the open database, kept per table.
class TJetTranslator::Schema : public jetsql::SchemaProvider {
public:
    sqlite3* db = nullptr;

    bool tableColumns(const QString& table, QVector<jetsql::ColumnInfo>& columns) override
    {
        const QString key = table.toLower();
        auto it = tables_.constFind(key);
        if (it == tables_.constEnd())
            it = tables_.insert(key, load(table));
        columns = it->columns;
        return it->exists;
    }

    QString viewOrderBy(const QString& view) override
    {
        const QString key = view.toLower();
        auto it = tables_.constFind(key);
        if (it == tables_.constEnd())
            it = tables_.insert(key, load(view));
        return it->viewOrder;
    }

    void clear() { tables_.clear(); }

private:
    struct Table {
        bool exists = false;
        QVector<jetsql::ColumnInfo> columns;
        QString viewOrder;
    };

    Table load(const QString& name) const
    {
        Table t;
        if (!db)
            return t;
        t.columns = declaredColumns(name);
        t.exists = !t.columns.isEmpty();
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT sql FROM sqlite_master WHERE type = 'view' AND name = ?1 COLLATE NOCASE",
                               -1, &st, nullptr) == SQLITE_OK) {
            const QByteArray n = name.toUtf8();
            sqlite3_bind_text(st, 1, n.constData(), n.size(), SQLITE_TRANSIENT);
            if (sqlite3_step(st) == SQLITE_ROW) {
                const QString viewSql = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
                t.viewOrder = orderOfView(viewSql);
                typeViewColumns(viewSql, t.columns);
            }
        }
        // Only an order by the view's own columns can be repeated outside it; otherwise the
        // view's ORDER BY, which SQLite keeps for a plain select over it, has to do.
        for (const QString& term : t.viewOrder.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            QString n = term.trimmed().section(QLatin1Char(' '), 0, 0);
            n = n.mid(1, n.size() - 2).replace(QLatin1String("\"\""), QLatin1String("\""));
            bool known = false;
            for (const jetsql::ColumnInfo& c : t.columns)
                known = known || c.name.compare(n, Qt::CaseInsensitive) == 0;
            if (!known) {
                t.viewOrder.clear();
                break;
            }
        }
        sqlite3_finalize(st);
        return t;
    }

    // The declared types of a table's own columns (PRAGMA table_info), without looking further.
    QVector<jetsql::ColumnInfo> declaredColumns(const QString& name) const
    {
        QVector<jetsql::ColumnInfo> columns;
        sqlite3_stmt* st = nullptr;
        const QByteArray sql = "PRAGMA table_info(" + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")).prepend(QLatin1Char('"')).append(QLatin1Char('"')).toUtf8() + ")";
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                jetsql::ColumnInfo c;
                c.name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
                c.type = jetsql::TypeOfDeclaration(
                    QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 2))));
                columns << c;
            }
        }
        sqlite3_finalize(st);
        return columns;
    }

    // SQLite declares no type for a view's column that is an expression (a sum, COALESCE) or
    // whose arms of a UNION differ; the saved query of the period statistics has such columns
    // (Meter, Zeit: a block's row sums its units). Without a type a quoted value compared with
    // the column is not converted, and SQLite then sorts every number below every text. Such a
    // column takes the type of the columns of the same name in the tables the view reads (after
    // FROM and JOIN), as long as they agree: numbers of either kind count as one (Float when
    // one of them is), any other disagreement leaves the type unknown.
    void typeViewColumns(const QString& viewSql, QVector<jetsql::ColumnInfo>& columns) const
    {
        bool untyped = false;
        for (const jetsql::ColumnInfo& c : columns)
            untyped = untyped || c.type == jetsql::JetType::Unknown;
        if (!untyped)
            return;
        QVector<jetsql::Token> toks;
        try {
            toks = jetsql::Tokenize(viewSql);
        } catch (const Exception&) {
            return;
        }
        QStringList read;
        for (int i = 0; i + 1 < toks.size(); ++i) {
            const jetsql::Token& next = toks[i + 1];
            if ((toks[i].isKeyword("FROM") || toks[i].isKeyword("JOIN")) &&
                (next.kind == jetsql::TokenKind::Name || next.kind == jetsql::TokenKind::QuotedName) &&
                !read.contains(next.text, Qt::CaseInsensitive))
                read << next.text;
        }
        QVector<jetsql::ColumnInfo> base;
        for (const QString& table : read)
            base += declaredColumns(table);
        for (jetsql::ColumnInfo& c : columns) {
            if (c.type != jetsql::JetType::Unknown)
                continue;
            jetsql::JetType type = jetsql::JetType::Unknown;
            bool agree = true;
            for (const jetsql::ColumnInfo& b : base) {
                if (b.name.compare(c.name, Qt::CaseInsensitive) != 0 || b.type == jetsql::JetType::Unknown)
                    continue;
                const bool numbers = (type == jetsql::JetType::Integer || type == jetsql::JetType::Float) &&
                                     (b.type == jetsql::JetType::Integer || b.type == jetsql::JetType::Float);
                if (type == jetsql::JetType::Unknown || type == b.type)
                    type = b.type;
                else if (numbers)
                    type = jetsql::JetType::Float;
                else
                    agree = false;
            }
            if (agree)
                c.type = type;
        }
    }

    // The ORDER BY of a view's outermost select, with the names of the view's columns (the
    // table qualifiers inside the view mean nothing outside it).
    static QString orderOfView(const QString& sql)
    {
        QVector<jetsql::Token> toks;
        try {
            toks = jetsql::Tokenize(sql);
        } catch (const Exception&) {
            return QString();
        }
        int depth = 0, start = -1;
        for (int i = 0; i + 1 < toks.size(); ++i) {
            if (toks[i].isOp("("))
                ++depth;
            else if (toks[i].isOp(")"))
                --depth;
            else if (depth == 0 && toks[i].isKeyword("ORDER") && toks[i + 1].isKeyword("BY"))
                start = i + 2;
        }
        if (start < 0)
            return QString();
        QStringList terms;
        QString term;
        for (int i = start; i < toks.size(); ++i) {
            const jetsql::Token& t = toks[i];
            if (t.kind == jetsql::TokenKind::End || t.isKeyword("LIMIT") || t.isOp(";"))
                break;
            const bool isName = t.kind == jetsql::TokenKind::Name || t.kind == jetsql::TokenKind::QuotedName;
            if (t.isOp(",")) {
                terms << term;
                term.clear();
            } else if (t.isKeyword("ASC") || t.isKeyword("DESC")) {
                term += QLatin1Char(' ') + t.text.toUpper();
            } else if (isName && toks[i + 1].isOp(".")) {
                ++i;  // the qualifier inside the view means nothing outside it
            } else if (isName) {
                term = QLatin1Char('"') + QString(t.text).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
            } else {
                return QString();  // an expression: not a plain column list
            }
        }
        if (!term.isEmpty())
            terms << term;
        return terms.join(QStringLiteral(", "));
    }

    QHash<QString, Table> tables_;
};

TJetTranslator::TJetTranslator(std::function<sqlite3*()> database)
    : database_(std::move(database)), schema_(std::make_unique<Schema>())
{
}

TJetTranslator::~TJetTranslator() = default;

void TJetTranslator::ClearCache()
{
    cache_.clear();
    readOnlyCache_.clear();
    schema_->clear();
}

void TJetTranslator::SetFormatSettings(const TFormatSettings& fs)
{
    settings_ = std::make_unique<TFormatSettings>(fs);
    ClearCache();
}

QString TJetTranslator::translate(const QString& jetSql)
{
    return translateWith(jetSql, false);
}

QString TJetTranslator::TranslateReadOnly(const QString& jetSql)
{
    return translateWith(jetSql, true);
}

QString TJetTranslator::translateWith(const QString& jetSql, bool readOnly)
{
    sqlite3* db = database_ ? database_() : nullptr;
    if (db != lastHandle_) {  // another database: other tables
        ClearCache();
        lastHandle_ = db;
        schema_->db = db;
    }
    QHash<QString, QString>& cache = readOnly ? readOnlyCache_ : cache_;
    const auto hit = cache.constFind(jetSql);
    if (hit != cache.constEnd())
        return *hit;
    const jetsql::Statement st = jetsql::ParseStatement(jetSql);
    if (readOnly && st.kind == jetsql::Statement::OtherStmt)
        throw EDatabaseError(ReadOnlyMessage());
    jetsql::RewriteOptions opt;
    opt.readOnly = readOnly;
    const QString out =
        jetsql::RewriteStatement(st, jetSql, *schema_, settings_ ? *settings_ : FormatSettings(), opt);
    cache.insert(jetSql, out);
    return out;
}

std::shared_ptr<TJetTranslator> InstallJetSql(TConnection& connection)
{
    static const bool registered = (RegisterSqlFunctions(&RegisterJetFunctions), true);
    (void)registered;
    InstallDataSetFilters();
    TConnection* c = &connection;
    auto tr = std::make_shared<TJetTranslator>([c]() { return c->Handle(); });
    connection.SetTranslator(tr);
    return tr;
}

namespace {

int readOnlyAuthorizer(void*, int action, const char*, const char*, const char*, const char*)
{
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE:
        return SQLITE_OK;
    default:
        return SQLITE_DENY;
    }
}

}  // namespace

void SetReadOnlyGuard(sqlite3* db, bool on)
{
    if (on)
        sqlite3_set_authorizer(db, &readOnlyAuthorizer, nullptr);
    else
        sqlite3_set_authorizer(db, nullptr, nullptr);
}

QString ReadOnlyMessage()
{
    return QCoreApplication::translate(
        "JetSql", "Hier ist nur eine Abfrage (SELECT) erlaubt; Änderungen an der Datenbank sind nicht möglich.");
}

sqlite3_stmt* PrepareReadOnly(sqlite3* db, const QString& sql)
{
    SetReadOnlyGuard(db, true);
    sqlite3_stmt* st = nullptr;
    const QByteArray u = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, u.constData(), u.size(), &st, nullptr);
    const QString message = SqliteErrorText(db);
    SetReadOnlyGuard(db, false);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(st);
        throw EDatabaseError(rc == SQLITE_AUTH ? ReadOnlyMessage() : message);
    }
    return st;
}
