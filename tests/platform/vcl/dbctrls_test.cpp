// Data-aware controls over a small units table: what the user sees, what typing and leaving a
// control writes, refused writes, lookup lists and the navigator.
#include <QApplication>
#include <QBuffer>
#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <sqlite3.h>

#include "platform/db/connection.h"
#include "platform/db/datasource.h"
#include "platform/db/dbfilter.h"
#include "platform/db/table.h"
#include "platform/vcl/databinding.h"
#include "platform/vcl/dbctrls.h"
#include "platform/vcl/events.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/jpeg.h"
#include "tests/platform/vcl/vclfixture.h"
#include "tests/support/testenv.h"

namespace {

const char* kSchema = R"(
CREATE TABLE daten (dat_Id INTEGER PRIMARY KEY, Datum DATETIME, Ort VARCHAR(30) COLLATE NOCASE,
  Meter INTEGER, Sportart INTEGER, Bemerkungen TEXT COLLATE NOCASE, Erledigt BIT,
  Status VARCHAR(10) COLLATE NOCASE, Bild BLOB, Gewicht DOUBLE, Zeit DATETIME);
CREATE TABLE sportart (Spo_Id INTEGER, Spo_Name VARCHAR(20) COLLATE NOCASE, Spo_orderID INTEGER);
INSERT INTO daten VALUES (1, 45000, 'Berlin', 10000, 1, 'locker', 1, 'ja', NULL, 70.5, 0.0364583333333333);
INSERT INTO daten VALUES (2, 45001, 'Hamburg', 5000, 2, NULL, 0, 'nein', NULL, 0, NULL);
INSERT INTO sportart VALUES (1, 'Laufen', 2), (2, 'Radfahren', 1), (3, 'Schwimmen', 3), (4, 'Alt', 4);
)";

class DbControlsTest : public VclTest {
protected:
    void SetUp() override
    {
        VclTest::SetUp();
        fileName = tmp.file(QStringLiteral("athlet.orv"));
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(fileName.toUtf8().constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        conn.Open(fileName);
        daten.SetConnection(&conn);
        daten.SetTableName(QStringLiteral("daten"));
        daten.SetIndexFieldNames(QStringLiteral("dat_Id"));
        daten.Open();
        dsDaten.SetDataSet(&daten);
        sportart.SetConnection(&conn);
        sportart.SetTableName(QStringLiteral("sportart"));
        sportart.SetIndexFieldNames(QStringLiteral("Spo_orderID"));
        sportart.Open();
        dsSportart.SetDataSet(&sportart);

        window.resize(300, 200);
        new QVBoxLayout(&window);
    }
    void TearDown() override
    {
        window.hide();
        daten.Close();
        sportart.Close();
        conn.Close();
        VclTest::TearDown();
    }

    // Puts a control into the test window, shown and active, so focus changes are real.
    template <class C>
    C* place(C* c)
    {
        window.layout()->addWidget(c);
        if (!window.isVisible()) {
            window.show();
            QApplication::setActiveWindow(&window);
        }
        c->show();
        return c;
    }
    TDBEdit* edit(const QString& field)
    {
        auto* e = place(new TDBEdit);
        e->SetDataSource(&dsDaten);
        e->SetDataField(field);
        return e;
    }
    static void type(QWidget* w, const QString& text)
    {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
        }
    }
    static void key(QWidget* w, int k)
    {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
    }
    QVariant stored(const QString& sql) { return conn.ExecuteScalar(sql); }

    TempFolder tmp;
    QString fileName;
    TConnection conn;
    TTable daten;
    TTable sportart;
    TDataSource dsDaten;
    TDataSource dsSportart;
    QWidget window;
};

TEST_F(DbControlsTest, EditShowsDisplayTextAndEditTextWhileFocused)
{
    daten.FieldByName(QStringLiteral("Meter"))->OnGetText = [](TField* f, QString& text, bool display) {
        text = display ? QStringLiteral("%1 km").arg(f->AsInteger() / 1000) : f->AsString();
    };
    TDBEdit* meter = edit(QStringLiteral("Meter"));
    TDBEdit* ort = edit(QStringLiteral("Ort"));
    ort->setFocus();
    EXPECT_EQ(meter->text(), QStringLiteral("10 km"));
    meter->setFocus();
    EXPECT_EQ(meter->text(), QStringLiteral("10000"));
    ort->setFocus();
    EXPECT_EQ(meter->text(), QStringLiteral("10 km"));
    daten.Next();
    EXPECT_EQ(meter->text(), QStringLiteral("5 km"));
    EXPECT_EQ(ort->text(), QStringLiteral("Hamburg"));  // focused: edit text of the new record
    daten.Close();
    EXPECT_EQ(meter->text(), QString());
}

TEST_F(DbControlsTest, TypingAndLeavingWritesThroughTheDatasetsRules)
{
    daten.BeforePost = [](TDataSet* ds) {
        if (ds->FieldByName(QStringLiteral("Ort"))->AsString().isEmpty())
            throw Exception(QStringLiteral("Ort fehlt"));
    };
    TDBEdit* meter = edit(QStringLiteral("Meter"));
    TDBEdit* ort = edit(QStringLiteral("Ort"));
    meter->setFocus();
    meter->selectAll();
    type(meter, QStringLiteral("42a00"));  // the letter is refused by the integer field
    EXPECT_EQ(daten.State(), dsEdit);      // the first key put the dataset into Edit
    EXPECT_EQ(meter->text(), QStringLiteral("4200"));
    EXPECT_EQ(daten.FieldByName(QStringLiteral("Meter"))->AsInteger(), 10000);  // not yet written
    ort->setFocus();
    EXPECT_EQ(daten.FieldByName(QStringLiteral("Meter"))->AsInteger(), 4200);

    // Enter writes as well; the post then runs the dataset's rule on what was written.
    ort->selectAll();
    key(ort, Qt::Key_Delete);
    key(ort, Qt::Key_Return);
    EXPECT_TRUE(daten.FieldByName(QStringLiteral("Ort"))->IsNull());
    EXPECT_THROW(daten.Post(), Exception);
    type(ort, QStringLiteral("Bonn"));
    daten.Post();  // the pending text is written by the post itself
    EXPECT_EQ(stored(QStringLiteral("SELECT Meter || Ort FROM daten WHERE dat_Id = 1")).toString(),
              QStringLiteral("4200Bonn"));
}

TEST_F(DbControlsTest, RefusedValueShowsTheErrorAndBringsTheOldTextBack)
{
    daten.FieldByName(QStringLiteral("Meter"))->OnValidate = [](TField* f) {
        if (f->AsInteger() <= 0)
            throw Exception(QStringLiteral("Die Distanz muss größer als 0 sein."));
    };
    TDBEdit* meter = edit(QStringLiteral("Meter"));
    TDBEdit* ort = edit(QStringLiteral("Ort"));
    meter->setFocus();
    meter->selectAll();
    type(meter, QStringLiteral("-5"));
    ScriptedAnswers::pushMessageAnswer(mrOk);
    ort->setFocus();
    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, QStringLiteral("Die Distanz muss größer als 0 sein."));
    EXPECT_EQ(meter->text(), QStringLiteral("10000"));
    EXPECT_EQ(daten.FieldByName(QStringLiteral("Meter"))->AsInteger(), 10000);
    daten.Post();  // nothing pending is written again
    EXPECT_EQ(ScriptedAnswers::messages().size(), 1);

    // Escape drops what was typed.
    meter->setFocus();
    type(meter, QStringLiteral("7"));
    key(meter, Qt::Key_Escape);
    EXPECT_EQ(meter->text(), QStringLiteral("10000"));
    EXPECT_FALSE(meter->DataLink().IsModified());
}

TEST_F(DbControlsTest, OnExitReadsTheValueJustTypedAndDoesNotRunOnARefusedOne)
{
    daten.FieldByName(QStringLiteral("Meter"))->OnValidate = [](TField* f) {
        if (f->AsInteger() <= 0)
            throw Exception(QStringLiteral("Die Distanz muss größer als 0 sein."));
    };
    TDBEdit* meter = edit(QStringLiteral("Meter"));
    TDBEdit* ort = edit(QStringLiteral("Ort"));
    QList<int> seen;
    Events(meter).OnExit = [&](QObject*) { seen << daten.FieldByName(QStringLiteral("Meter"))->AsInteger(); };
    meter->setFocus();
    meter->selectAll();
    type(meter, QStringLiteral("4200"));
    ort->setFocus();
    EXPECT_EQ(seen, QList<int>({4200}));

    meter->setFocus();
    meter->selectAll();
    type(meter, QStringLiteral("-5"));
    ScriptedAnswers::pushMessageAnswer(mrOk);
    ort->setFocus();
    EXPECT_EQ(seen, QList<int>({4200}));
    EXPECT_EQ(ScriptedAnswers::messages().size(), 1);
}

TEST_F(DbControlsTest, WithoutAutoEditOrOnAReadOnlyFieldTypingIsRefused)
{
    TDBEdit* ort = edit(QStringLiteral("Ort"));
    ort->setFocus();
    dsDaten.SetAutoEdit(false);
    type(ort, QStringLiteral("x"));
    EXPECT_EQ(ort->text(), QStringLiteral("Berlin"));
    EXPECT_EQ(daten.State(), dsBrowse);
    dsDaten.SetAutoEdit(true);
    daten.FieldByName(QStringLiteral("Ort"))->SetReadOnly(true);
    type(ort, QStringLiteral("x"));
    EXPECT_EQ(ort->text(), QStringLiteral("Berlin"));
    EXPECT_EQ(daten.State(), dsBrowse);
}

TEST_F(DbControlsTest, EditMasksConvertToQtInputMasks)
{
    struct Case {
        QString delphi;
        QString qt;
        bool saveLiterals;
    };
    const Case cases[] = {
        {QStringLiteral("!90:00:00;1;_"), QStringLiteral("09:99:99;_"), true},
        {QStringLiteral("00000;0; "), QStringLiteral("99999; "), false},
        {QStringLiteral(">LL-0000;1;*"), QStringLiteral(">AA-9999;*"), true},
        {QStringLiteral("\\A\\9c;1;_"), QStringLiteral("\\A\\9x;_"), true},
        {QString(), QString(), true},
    };
    for (const Case& c : cases) {
        bool save = !c.saveLiterals;
        EXPECT_EQ(EditMaskToInputMask(c.delphi, &save), c.qt) << c.delphi.toStdString();
        EXPECT_EQ(save, c.saveLiterals) << c.delphi.toStdString();
    }
}

TEST_F(DbControlsTest, MaskedEditWritesEmptyWhenNothingWasTyped)
{
    daten.FieldByName(QStringLiteral("Status"))->SetEditMask(QStringLiteral("00-00;1;_"));
    TDBEdit* status = edit(QStringLiteral("Status"));
    TDBEdit* ort = edit(QStringLiteral("Ort"));
    status->setFocus();
    EXPECT_EQ(status->inputMask(), QStringLiteral("99-99;_"));
    status->selectAll();
    key(status, Qt::Key_Delete);
    ort->setFocus();
    EXPECT_TRUE(daten.FieldByName(QStringLiteral("Status"))->IsNull());
    EXPECT_TRUE(status->inputMask().isEmpty());
    status->setFocus();
    type(status, QStringLiteral("1234"));
    ort->setFocus();
    EXPECT_EQ(daten.FieldByName(QStringLiteral("Status"))->AsString(), QStringLiteral("12-34"));
}

TEST_F(DbControlsTest, EitherDecimalSeparatorTypedIntoANumberBoxThatTakesDecimalsIsTheDecimalSeparator)
{
    const TFormatSettings saved = FormatSettings();
    // Metres typed in kilometres, as a distance box does.
    TField* meter = daten.FieldByName(QStringLiteral("Meter"));
    meter->SetDecimalInput(true);
    meter->OnSetText = [](TField* f, const QString& t) { f->SetAsFloat(StrToFloat(t) * 1000); };
    struct Case {
        bool german;
        const char* field;
        const char* typed;
        double stored;
    };
    const Case cases[] = {
        {true, "Meter", "10.5", 10500},   {true, "Meter", "10,5", 10500},   {false, "Meter", "10,5", 10500},
        {false, "Meter", "10.5", 10500},  {true, "Gewicht", "70.25", 70.25}, {false, "Gewicht", "70,25", 70.25},
        {true, "Gewicht", "70,25", 70.25}, {true, "Sportart", "1.5", 15},     // a whole-number box keeps refusing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.typed + (c.german ? " de" : " en"));
        FormatSettings() = c.german ? GermanFormatSettings() : USFormatSettings();
        TDBEdit* box = edit(QString::fromLatin1(c.field));
        TDBEdit* other = edit(QStringLiteral("Ort"));
        box->setFocus();
        box->selectAll();
        type(box, QString::fromLatin1(c.typed));
        other->setFocus();
        EXPECT_DOUBLE_EQ(daten.FieldByName(QString::fromLatin1(c.field))->AsFloat(), c.stored);
        daten.Cancel();
        delete box;
        delete other;
    }
    FormatSettings() = saved;
}

TEST_F(DbControlsTest, AnEmptyMaskIsTypedFromItsFirstPositionAndAStoredDurationShowsItsTime)
{
    const TFormatSettings saved = FormatSettings();
    FormatSettings() = GermanFormatSettings();
    TField* zeit = daten.FieldByName(QStringLiteral("Zeit"));
    zeit->SetDisplayFormat(QStringLiteral("hh:mm:ss"));
    zeit->SetEditMask(QStringLiteral("!90:00:00;1;_"));
    TDBEdit* box = edit(QStringLiteral("Zeit"));
    TDBEdit* other = edit(QStringLiteral("Ort"));
    // A stored 00:52:30 shows as such when focused; changing only the seconds keeps the rest.
    box->setFocus();
    EXPECT_EQ(box->text(), QStringLiteral("00:52:30"));
    box->setCursorPosition(6);
    type(box, QStringLiteral("45"));
    other->setFocus();
    EXPECT_NEAR(zeit->AsDateTime(), EncodeTime(0, 52, 45, 0), 1e-9);
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());
    daten.Post();
    EXPECT_NEAR(stored(QStringLiteral("SELECT Zeit FROM daten WHERE dat_Id = 1")).toDouble(), EncodeTime(0, 52, 45, 0), 1e-9);

    // An empty mask: the first digit lands in the first position, by keyboard or by mouse.
    daten.Next();
    for (Qt::FocusReason reason : {Qt::TabFocusReason, Qt::MouseFocusReason}) {
        other->setFocus();
        box->setFocus(reason);
        EXPECT_EQ(box->cursorPosition(), 0);
        type(box, QStringLiteral("011500"));
        other->setFocus();
        EXPECT_NEAR(zeit->AsDateTime(), EncodeTime(1, 15, 0, 0), 1e-9);
        daten.Cancel();
    }
    FormatSettings() = saved;
}

TEST_F(DbControlsTest, LookupComboListsTheListRowsInOrderAndWritesTheKey)
{
    sportart.OnFilterRecord = [](TDataSet* ds, bool& accept) {
        accept = ds->FieldByName(QStringLiteral("Spo_Id"))->AsInteger() < 4;
    };
    sportart.SetFiltered(true);
    sportart.Last();
    const int listPos = sportart.RecNo();
    auto* combo = place(new TDBLookupComboBox);
    combo->SetListSource(&dsSportart);
    combo->SetKeyField(QStringLiteral("Spo_Id"));
    combo->SetListField(QStringLiteral("Spo_Name"));
    combo->SetDataSource(&dsDaten);
    combo->SetDataField(QStringLiteral("Sportart"));

    ASSERT_EQ(combo->count(), 3);  // display order, the filtered-out row left out
    EXPECT_EQ(combo->itemText(0), QStringLiteral("Radfahren"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("Laufen"));
    EXPECT_EQ(combo->itemText(2), QStringLiteral("Schwimmen"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("Laufen"));
    EXPECT_EQ(sportart.RecNo(), listPos);  // reading the list did not move it
    daten.Next();
    EXPECT_EQ(combo->currentText(), QStringLiteral("Radfahren"));

    emit combo->activated(2);  // the user picks "Schwimmen"
    EXPECT_EQ(daten.State(), dsEdit);
    EXPECT_EQ(daten.FieldByName(QStringLiteral("Sportart"))->AsInteger(), 3);
    daten.Post();
    EXPECT_EQ(stored(QStringLiteral("SELECT Sportart FROM daten WHERE dat_Id = 2")).toInt(), 3);

    // A key missing from the list shows nothing; a changed list is read again.
    daten.Edit();
    daten.FieldByName(QStringLiteral("Sportart"))->SetAsInteger(4);
    EXPECT_EQ(combo->currentIndex(), -1);
    sportart.SetFiltered(false);
    EXPECT_EQ(combo->count(), 4);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Alt"));
}

TEST_F(DbControlsTest, LookupListBoxWritesTheChosenKey)
{
    auto* list = place(new TDBLookupListBox);
    list->SetDataSource(&dsDaten);
    list->SetDataField(QStringLiteral("Ort"));
    list->SetListSource(&dsSportart);
    list->SetKeyField(QStringLiteral("Spo_Name"));
    list->SetListField(QStringLiteral("Spo_Name"));
    EXPECT_EQ(list->count(), 4);
    EXPECT_EQ(list->currentRow(), -1);  // "Berlin" is no route in the list
    list->setCurrentRow(2);
    EXPECT_EQ(daten.FieldByName(QStringLiteral("Ort"))->AsString(), QStringLiteral("Schwimmen"));
}

TEST_F(DbControlsTest, LookupBoxesOnALookupFieldListOnlyTheRowsItsConditionAccepts)
{
    // The lookup field brings the list; its condition leaves "Schwimmen" and "Alt" out.
    InstallDataSetFilters();
    TTable training;
    training.SetConnection(&conn);
    training.SetTableName(QStringLiteral("daten"));
    training.SetIndexFieldNames(QStringLiteral("dat_Id"));
    training.AddField(QStringLiteral("dat_Id"), ftAutoInc);
    training.AddField(QStringLiteral("Sportart"), ftInteger);
    TField* sport = training.AddLookupField(QStringLiteral("Sport"), ftString, 20, &sportart,
                                            QStringLiteral("Sportart"), QStringLiteral("Spo_Id"),
                                            QStringLiteral("Spo_Name"));
    sport->SetCustomConstraint(QStringLiteral("Spo_orderID < 3"));
    training.Open();
    TDataSource dsTraining;
    dsTraining.SetDataSet(&training);

    auto* combo = place(new TDBLookupComboBox);
    combo->SetDataSource(&dsTraining);
    combo->SetDataField(QStringLiteral("Sport"));
    auto* list = place(new TDBLookupListBox);
    list->SetDataSource(&dsTraining);
    list->SetDataField(QStringLiteral("Sport"));
    auto texts = [](auto* box) {
        QStringList t;
        for (const auto& row : box->ListRows())
            t << row.second;
        return t;
    };
    const QStringList accepted{QStringLiteral("Radfahren"), QStringLiteral("Laufen")};
    EXPECT_EQ(texts(combo), accepted);
    EXPECT_EQ(texts(list), accepted);
    ASSERT_EQ(combo->count(), 2);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Laufen"));
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("Laufen"));

    emit combo->activated(0);  // the user picks "Radfahren"
    EXPECT_EQ(training.FieldByName(QStringLiteral("Sportart"))->AsInteger(), 2);
    EXPECT_EQ(list->currentRow(), 0);

    // A key of a refused row shows nothing, as the lookup field itself.
    training.FieldByName(QStringLiteral("Sportart"))->SetAsInteger(3);
    EXPECT_TRUE(sport->IsNull());
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(list->currentRow(), -1);
    training.Cancel();
}

TEST_F(DbControlsTest, CheckBoxMemoTextAndComboFollowTheField)
{
    auto* done = place(new TDBCheckBox);
    done->SetDataSource(&dsDaten);
    done->SetDataField(QStringLiteral("Erledigt"));
    auto* status = place(new TDBCheckBox);
    status->SetValueChecked(QStringLiteral("ja;j"));
    status->SetValueUnchecked(QStringLiteral("nein"));
    status->SetDataSource(&dsDaten);
    status->SetDataField(QStringLiteral("Status"));
    auto* memo = place(new TDBMemo);
    memo->SetDataSource(&dsDaten);
    memo->SetDataField(QStringLiteral("Bemerkungen"));
    auto* label = place(new TDBText);
    label->SetDataSource(&dsDaten);
    label->SetDataField(QStringLiteral("Ort"));
    auto* combo = place(new TDBComboBox);
    combo->SetItems({QStringLiteral("klar"), QStringLiteral("Berlin"), QStringLiteral("wolkig")});
    combo->SetStyle(TDBComboBox::csDropDownList);
    combo->SetDataSource(&dsDaten);
    combo->SetDataField(QStringLiteral("Ort"));

    EXPECT_TRUE(done->isChecked());
    EXPECT_TRUE(status->isChecked());
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("locker"));
    EXPECT_EQ(label->text(), QStringLiteral("Berlin"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("Berlin"));

    done->click();
    status->click();
    EXPECT_EQ(daten.State(), dsEdit);
    memo->setPlainText(QStringLiteral("hart"));  // as typing does
    emit combo->activated(2);
    daten.Post();  // writes the pending check boxes and memo
    EXPECT_EQ(stored(QStringLiteral("SELECT Erledigt || Status || Bemerkungen || Ort FROM daten WHERE dat_Id = 1"))
                  .toString(),
              QStringLiteral("0neinhartwolkig"));
    EXPECT_EQ(label->text(), QStringLiteral("wolkig"));
    daten.Next();
    EXPECT_FALSE(done->isChecked());
    EXPECT_FALSE(status->isChecked());
    EXPECT_EQ(memo->toPlainText(), QString());
    EXPECT_EQ(combo->currentIndex(), -1);
}

TEST_F(DbControlsTest, TabLeavesAMemoAndTypesNoTabCharacter)
{
    auto* memo = place(new TDBMemo);
    memo->SetDataSource(&dsDaten);
    memo->SetDataField(QStringLiteral("Bemerkungen"));
    TDBEdit* next = edit(QStringLiteral("Ort"));
    memo->setFocus();
    ASSERT_TRUE(memo->hasFocus());
    key(memo, Qt::Key_Tab);
    EXPECT_TRUE(next->hasFocus());
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("locker"));
    EXPECT_EQ(daten.State(), dsBrowse) << "the tab started no edit";
}

TEST_F(DbControlsTest, ImageShowsBmpAndJpegBlobs)
{
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(QColor(10, 120, 200));
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    daten.Edit();
    daten.FieldByName(QStringLiteral("Bild"))->SetAsBytes(bmp);
    daten.Post();
    daten.Next();
    daten.Edit();
    daten.FieldByName(QStringLiteral("Bild"))->SetAsBytes(ImageToJpeg(picture, 90));
    daten.Post();

    auto* image = place(new TDBImage);
    image->SetDataSource(&dsDaten);
    image->SetDataField(QStringLiteral("Bild"));
    EXPECT_EQ(image->Picture().size(), QSize(8, 6));  // the JPEG of the second unit
    daten.First();
    EXPECT_EQ(image->Picture().pixelColor(3, 3), QColor(10, 120, 200));
    daten.Edit();
    daten.FieldByName(QStringLiteral("Bild"))->SetAsBytes(QByteArray("\xFF\xD8\xFF kaputt", 10));
    EXPECT_TRUE(image->Picture().isNull());
    EXPECT_TRUE(BlobToImage(QByteArray()).isNull());
}

TEST_F(DbControlsTest, NavigatorButtonsFollowTheStateAndConfirmDelete)
{
    auto* nav = place(new TDBNavigator);
    nav->SetDataSource(&dsDaten);
    nav->SetVisibleButtons({nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbPost, nbCancel});
    EXPECT_FALSE(nav->Button(nbEdit)->isVisible());
    EXPECT_TRUE(nav->Button(nbPost)->isVisible());
    EXPECT_FALSE(nav->Button(nbPrior)->isEnabled());  // on the first unit
    EXPECT_TRUE(nav->Button(nbNext)->isEnabled());
    EXPECT_FALSE(nav->Button(nbPost)->isEnabled());
    nav->Button(nbLast)->click();
    EXPECT_EQ(daten.RecNo(), 2);
    EXPECT_FALSE(nav->Button(nbNext)->isEnabled());
    EXPECT_TRUE(nav->Button(nbPrior)->isEnabled());
    nav->Button(nbInsert)->click();
    EXPECT_EQ(daten.State(), dsInsert);
    EXPECT_TRUE(nav->Button(nbPost)->isEnabled());
    EXPECT_TRUE(nav->Button(nbCancel)->isEnabled());
    nav->Button(nbCancel)->click();
    EXPECT_EQ(daten.State(), dsBrowse);

    ScriptedAnswers::pushMessageAnswer(mrCancel);
    ScriptedAnswers::pushMessageAnswer(mrOk);
    nav->Button(nbDelete)->click();
    EXPECT_EQ(daten.RecordCount(), 2);
    nav->Button(nbDelete)->click();
    EXPECT_EQ(daten.RecordCount(), 1);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, QStringLiteral("Datensatz löschen?"));
    EXPECT_TRUE(ScriptedAnswers::lastMessage().Buttons == mbOKCancel);

    daten.Close();
    EXPECT_FALSE(nav->Button(nbFirst)->isEnabled());
    EXPECT_FALSE(nav->Button(nbInsert)->isEnabled());
}

TEST_F(DbControlsTest, ControlsAreBoundByTheirFormProperties)
{
    QWidget form;
    auto* ort = new TDBEdit(&form);
    ort->setProperty("DataSource", "dsDaten");
    ort->setProperty("DataField", "Ort");
    auto* sport = new TDBLookupComboBox(&form);
    sport->setProperty("DataSource", "dsDaten");
    sport->setProperty("DataField", "Sportart");
    sport->setProperty("ListSource", "dsSportart");
    sport->setProperty("KeyField", "Spo_Id");
    sport->setProperty("ListField", "Spo_Name");
    auto* nav = new TDBNavigator(&form);
    nav->setProperty("DataSource", "dsDaten");
    auto* unknown = new TDBEdit(&form);
    unknown->setProperty("DataSource", "dsGibtsNicht");
    unknown->setProperty("DataField", "Ort");
    auto* plain = new TDBEdit(&form);

    BindDataControls(&form, [this](const QString& name) -> TDataSource* {
        if (name == "dsDaten")
            return &dsDaten;
        return name == "dsSportart" ? &dsSportart : nullptr;
    });
    EXPECT_EQ(ort->text(), "Berlin");
    EXPECT_EQ(sport->currentText(), "Laufen");
    EXPECT_EQ(sport->ListRows().size(), 4);
    EXPECT_EQ(nav->DataSource(), &dsDaten);
    EXPECT_EQ(unknown->DataSource(), nullptr);
    EXPECT_EQ(plain->DataSource(), nullptr);
}

TEST_F(DbControlsTest, PostAfterAskingSavesKeepsOrStays)
{
    const QString question = QStringLiteral("Speichern?");
    auto editOrt = [this](const char* text) {
        daten.Edit();
        daten.FieldByName(QStringLiteral("Ort"))->SetAsString(QString::fromUtf8(text));
    };
    editOrt("Bremen");
    ScriptedAnswers::pushMessageAnswer(mrYes);
    EXPECT_TRUE(PostAfterAsking(daten, question));
    EXPECT_EQ(daten.State(), dsBrowse);
    EXPECT_EQ(stored("SELECT Ort FROM daten WHERE dat_Id = 1").toString(), "Bremen");
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, question);
    EXPECT_TRUE(ScriptedAnswers::lastMessage().Buttons == mbYesNoCancel);

    editOrt("Kiel");
    ScriptedAnswers::pushMessageAnswer(mrNo);
    EXPECT_TRUE(PostAfterAsking(daten, question));
    EXPECT_EQ(daten.State(), dsEdit) << "No leaves the record as it is";
    ScriptedAnswers::pushMessageAnswer(mrCancel);
    EXPECT_FALSE(PostAfterAsking(daten, question));
    EXPECT_EQ(daten.State(), dsEdit);

    // A refused save: the error is shown and the caller stays; an EAbort is silent.
    daten.BeforePost = [](TDataSet*) { throw Exception(QStringLiteral("Ort ungültig")); };
    ScriptedAnswers::pushMessageAnswer(mrYes);
    ScriptedAnswers::pushMessageAnswer(mrOk);
    EXPECT_FALSE(PostAfterAsking(daten, question));
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, QStringLiteral("Ort ungültig"));
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
    daten.BeforePost = [](TDataSet*) { Abort(); };
    ScriptedAnswers::pushMessageAnswer(mrYes);
    const int boxes = ScriptedAnswers::messages().size();
    EXPECT_FALSE(PostAfterAsking(daten, question));
    EXPECT_EQ(ScriptedAnswers::messages().size(), boxes + 1) << "only the question";
    EXPECT_EQ(daten.State(), dsEdit);
    daten.BeforePost = nullptr;
    daten.Cancel();
    EXPECT_EQ(stored("SELECT Ort FROM daten WHERE dat_Id = 1").toString(), "Bremen");
}

}  // namespace
