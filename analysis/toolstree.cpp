#include "analysis/toolstree.h"

#include "platform/db/fields.h"
#include "platform/db/query.h"

QList<TToolCategory> ReadToolCategories(TConnection& db)
{
    QList<TToolCategory> out;
    TQuery categories;
    categories.SetConnection(&db);
    categories.SetSQLText(QStringLiteral("Select distinct too_kategorie from tools"));
    categories.Open();
    for (categories.First(); !categories.Eof(); categories.Next()) {
        TToolCategory c;
        TField* f = categories.FieldByName(QStringLiteral("too_kategorie"));
        c.Name = f->AsString();
        if (!f->IsNull()) {
            TQuery tools;
            tools.SetConnection(&db);
            tools.SetSQLText(QStringLiteral("Select * from tools where too_kategorie = :kategorie"));
            tools.ParamByName(QStringLiteral("kategorie"))->SetAsString(c.Name);
            tools.Open();
            for (tools.First(); !tools.Eof(); tools.Next())
                c.Tools << TToolNode{tools.FieldByName(QStringLiteral("too_Name"))->AsString(),
                                     tools.FieldByName(QStringLiteral("too_id"))->AsInteger()};
        }
        out << c;
    }
    return out;
}
