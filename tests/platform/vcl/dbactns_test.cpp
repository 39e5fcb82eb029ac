// The standard dataset actions over a small table: which of them the idle update enables in each
// state of the dataset, and what running them does, errors included.
#include <sqlite3.h>

#include <QToolBar>

#include "platform/db/connection.h"
#include "platform/db/datasource.h"
#include "platform/db/table.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/dbactns.h"
#include "platform/vcl/imglist.h"
#include "tests/platform/vcl/vclfixture.h"
#include "tests/support/errorbox.h"
#include "tests/support/testenv.h"

namespace {

class DataSetActionsTest : public VclTest {
protected:
    void SetUp() override
    {
        VclTest::SetUp();
        const QString fileName = tmp.file(QStringLiteral("athlet.orv"));
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(fileName.toUtf8().constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db,
                               "CREATE TABLE equipment (equ_Id INTEGER PRIMARY KEY, Bezeichnung VARCHAR(30) NOT NULL);"
                               "CREATE TABLE leer (id INTEGER PRIMARY KEY);"
                               "INSERT INTO equipment VALUES (1, 'Schuh A'), (2, 'Schuh B'), (3, 'Rad');",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
        conn.Open(fileName);
        table.SetConnection(&conn);
        table.SetTableName(QStringLiteral("equipment"));
        table.SetIndexFieldNames(QStringLiteral("equ_Id"));
        source.SetDataSet(&table);
        actions = CreateDataSetActions(&list, DataSetActionNames(1), &source).All();
    }
    void TearDown() override
    {
        table.Close();
        conn.Close();
        VclTest::TearDown();
    }

    // The enabled state after an idle update, one digit per action from first to cancel.
    QString enabled()
    {
        list.UpdateActions();
        QString s;
        for (TDataSetAction* a : actions)
            s += a->Enabled() ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    }
    TDataSetAction* action(TDataSetActionKind k) const { return actions[k]; }

    TempFolder tmp;
    TConnection conn;
    TTable table;
    TDataSource source;
    TActionList list;
    QList<TDataSetAction*> actions;
};

}  // namespace

TEST_F(DataSetActionsTest, AreEnabledAsTheRuntimeEnablesThemInEachState)
{
    struct Case {
        const char* state;
        std::function<void(TTable&, TDataSource&)> arrange;
        const char* expected;  // first prior next last insert delete post cancel
    };
    const Case cases[] = {
        {"closed", [](TTable&, TDataSource&) {}, "00000000"},
        {"opened on the first row", [](TTable& t, TDataSource&) { t.Open(); }, "00111100"},
        {"on a middle row",
         [](TTable& t, TDataSource&) {
             t.Open();
             t.Next();
         },
         "11111100"},
        {"after Last (at its end)",
         [](TTable& t, TDataSource&) {
             t.Open();
             t.Last();
         },
         "11001100"},
        {"being edited",
         [](TTable& t, TDataSource&) {
             t.Open();
             t.Next();
             t.Edit();
         },
         "11111111"},
        {"read-only",
         [](TTable& t, TDataSource&) {
             t.SetReadOnly(true);
             t.Open();
         },
         "00110000"},
        {"empty",
         [](TTable& t, TDataSource&) {
             t.SetTableName(QStringLiteral("leer"));
             t.SetIndexFieldNames(QString());
             t.Open();
         },
         "00001000"},
        {"data source disabled",
         [](TTable& t, TDataSource& ds) {
             t.Open();
             ds.SetEnabled(false);
         },
         "00000000"},
    };
    for (const Case& c : cases) {
        table.Close();
        table.SetReadOnly(false);
        table.SetTableName(QStringLiteral("equipment"));
        table.SetIndexFieldNames(QStringLiteral("equ_Id"));
        source.SetEnabled(true);
        c.arrange(table, source);
        EXPECT_EQ(enabled(), QString::fromLatin1(c.expected)) << c.state;
    }
}

TEST_F(DataSetActionsTest, RunTheirDatasetCallAndFollowTheNewState)
{
    table.Open();
    EXPECT_TRUE(action(daLast)->Execute());
    EXPECT_EQ(table.FieldByName(QStringLiteral("Bezeichnung"))->AsString(), QStringLiteral("Rad"));
    EXPECT_EQ(enabled(), QStringLiteral("11001100"));  // at the end after the idle update
    EXPECT_FALSE(action(daNext)->Execute());         // disabled there: nothing happens

    action(daInsert)->Execute();
    EXPECT_EQ(table.State(), dsInsert);
    enabled();
    EXPECT_TRUE(action(daPost)->Enabled());
    EXPECT_TRUE(action(daCancel)->Enabled());
    table.FieldByName(QStringLiteral("Bezeichnung"))->SetAsString(QStringLiteral("Helm"));
    action(daPost)->Execute();
    EXPECT_EQ(conn.ExecuteScalar(QStringLiteral("select count(*) from equipment")).toInt(), 4);

    action(daFirst)->Execute();
    action(daDelete)->Execute();
    EXPECT_EQ(conn.ExecuteScalar(QStringLiteral("select min(equ_Id) from equipment")).toInt(), 2);

    table.Edit();
    table.FieldByName(QStringLiteral("Bezeichnung"))->SetAsString(QStringLiteral("geändert"));
    action(daCancel)->Execute();
    EXPECT_EQ(table.State(), dsBrowse);
    EXPECT_EQ(conn.ExecuteScalar(QStringLiteral("select Bezeichnung from equipment where equ_Id = 2")).toString(),
              QStringLiteral("Schuh B"));
}

TEST_F(DataSetActionsTest, AFailedPostReachesTheErrorBoxAndARefusedDeleteStaysSilent)
{
    ErrorBoxRecorder errors;
    table.Open();
    table.BeforeDelete = [](TDataSet*) { throw EAbort(); };
    action(daDelete)->Execute();
    EXPECT_EQ(errors.shown, QStringList());
    EXPECT_EQ(table.RecordCount(), 3);

    action(daInsert)->Execute();
    action(daPost)->Execute();  // Bezeichnung is required by the table
    EXPECT_EQ(errors.shown.size(), 1);
    EXPECT_EQ(table.State(), dsInsert);
}

TEST_F(DataSetActionsTest, CarryTheirHintsAndAnOwnHandlerReplacesTheStandardCall)
{
    EXPECT_EQ(action(daLast)->Hint(), QStringLiteral("Letzter Datensatz"));
    EXPECT_EQ(action(daPost)->Hint(), QStringLiteral("Übernehmen"));
    EXPECT_EQ(action(daCancel)->Hint(), QStringLiteral("Bearbeiten abbrechen"));
    table.Open();
    int own = 0;
    action(daNext)->OnExecute = [&](QObject*) { ++own; };
    action(daNext)->Execute();
    EXPECT_EQ(own, 1);
    EXPECT_EQ(table.RecNo(), 1);
}

TEST_F(DataSetActionsTest, AreCreatedInOneGoFromTheirNamesWithTheirKindsPicturesAndHints)
{
    // A window whose names break the number pattern names them one by one.
    QStringList names = DataSetActionNames(2);
    names[daDelete] = QStringLiteral("DataSetDelete3");
    QStringList hints;
    for (int k = daFirst; k <= daCancel; ++k)
        hints << QStringLiteral("Hinweis %1").arg(k);
    TImageList images(nullptr, 16, 16);
    images.Add(QPixmap(16, 16));
    EXPECT_EQ(AddDataSetActionImages(&images), 1);
    EXPECT_EQ(images.Count(), 9);

    TActionList points;
    const TDataSetActions created = CreateDataSetActions(&points, names, &source, hints);
    const QStringList expected = {"DataSetFirst2",  "DataSetPrior2",  "DataSetNext2", "DataSetLast2",
                                  "DataSetInsert2", "DataSetDelete3", "DataSetPost2", "DataSetCancel2"};
    const QList<TDataSetAction*> all = created.All();
    ASSERT_EQ(all.size(), 8);
    for (int k = daFirst; k <= daCancel; ++k) {
        EXPECT_EQ(all[k]->Kind(), k);
        EXPECT_EQ(all[k]->Name(), expected[k]);
        EXPECT_EQ(all[k]->ImageIndex(), k);
        EXPECT_EQ(all[k]->DataSource(), &source);
        EXPECT_EQ(all[k]->Hint(), hints[k]);
        EXPECT_EQ(all[k]->ActionList(), &points);
    }
    EXPECT_EQ(std::get<daDelete>(created.Tuple()), created.Delete);

    // On a tool bar: moving apart from editing, every button a Tab stop.
    QWidget panel;
    panel.resize(240, 26);
    QToolBar* bar = CreateActionToolBar(&panel, QStringLiteral("ActionToolBar2"));
    AddDataSetButtons(bar, created);
    QStringList items;
    for (QAction* item : bar->actions())
        items << (item->isSeparator() ? QStringLiteral("|") : item->parent()->objectName());
    EXPECT_EQ(items, expected.mid(0, 4) + QStringList{"|"} + expected.mid(4));
    const QList<QWidget*> buttons = LetKeyboardReachButtons(bar);
    ASSERT_EQ(buttons.size(), 8);
    for (QWidget* b : buttons)
        EXPECT_EQ(b->focusPolicy(), Qt::StrongFocus);

    // They work on their data source as any standard action does.
    table.Open();
    created.Last->Execute();
    EXPECT_EQ(table.FieldByName(QStringLiteral("Bezeichnung"))->AsString(), QStringLiteral("Rad"));
}
