// The split information on the program started as a user starts it: the statistics after a fill
// of the split grid, the panel beside the split page, the dialog with its comparison column, and
// the comparison unit selection with its prefix search.
#include <gtest/gtest.h>

#include <QTabBar>

#include "core/language.h"
#include "tests/traininglog/splitpagefixture.h"
#include "traininglog/unitsearch.h"
#include "traininglog/vergleichselect.h"
#include "traininglog/zwinfo.h"
#include "traininglog/zwstatistik.h"

namespace {

class SplitInfoTest : public SplitPageTest {
protected:
    // The panel's value texts, or "" for a hidden value.
    static QStringList panel()
    {
        QStringList texts;
        for (QLabel* v : zwInfo->values)
            texts << (v->isVisibleTo(zwInfo) ? v->text() : QString());
        return texts;
    }
    // The dialog's table: column `col` of rows 1 to 28.
    static QStringList column(TzwInfoDlg& d, int col)
    {
        QStringList texts;
        for (int r = 1; r < d.ValueListEditor1->RowCount(); ++r)
            texts << d.ValueListEditor1->Cells(col, r);
        return texts;
    }
};

}  // namespace

TEST_F(SplitInfoTest, AFillComputesTheStatisticsAndThePanelShowsThem)
{
    // 1234 m uphill, then 120 m down.
    addRow(0, 0, 100, false);
    addRow(1234, hms(0, 6, 0), 220, false);
    addRow(2234, hms(0, 10, 0), 100, false);
    start();
    EXPECT_EQ(MainForm->getTool(), "Zwischenzeit");
    EXPECT_EQ(zwStatistik.hmBergauf, 120);
    EXPECT_EQ(zwStatistik.hmBergab, -120);
    EXPECT_DOUBLE_EQ(zwStatistik.streckeBergauf, 1234);
    EXPECT_EQ(zwStatistik.maxHDiff, 220);
    EXPECT_EQ(zwStatistik.avgHDiff, 140);
    EXPECT_EQ(panel(), (QStringList{"220", "100", "0", "0", "120", "120", "1,234 km", "1 km"}));

    TzwInfoDlg dlg;
    const QStringList values = column(dlg, 1);
    EXPECT_EQ(values[5], "1234");   // "Strecke bergauf", metres
    EXPECT_EQ(values[11], "120");   // "Höhenmeter bergauf"
    EXPECT_EQ(values[12], "-120");  // "Höhenmeter bergab"
    EXPECT_EQ(column(dlg, 0)[0], "Puls");
    EXPECT_EQ(values[0], "");
}

TEST_F(SplitInfoTest, WithoutRowsThePanelShowsCaptionsOnlyAndTheDialogDashes)
{
    start();
    EXPECT_EQ(panel(), QStringList(8, QString()));
    EXPECT_EQ(zwStatistik.minKmh, 1000.0);
    EXPECT_EQ(zwStatistik.minMinKm, 0.9999);
    TzwInfoDlg dlg;
    const QStringList values = column(dlg, 1);
    EXPECT_EQ(values[19], "–");  // "Minimale min/km"
    EXPECT_EQ(values[24], "–");  // "Minimale Økm/h"
    EXPECT_EQ(values[23], "0");
    dlg.grab().save("/tmp/splits_infodlg_empty.png");
}

TEST_F(SplitInfoTest, AComparisonAddsTheChosenUnitWithoutTouchingTheCurrentOne)
{
    addRow(1000, hms(0, 5, 0), 100, false);
    addUnit(2, 1, "Wald");
    addRow(1000, hms(0, 4, 0), 100, false, QString(), 2);
    addRow(2000, hms(0, 8, 0), 150, false, QString(), 2);
    start();
    ASSERT_TRUE(orvServer->daten.Locate("dat_Id", 1));
    // The user is typing a place into the current unit.
    orvServer->daten.Edit();
    orvServer->daten.FieldByName("Ort")->SetAsString("Stadtpark");
    const TzwStatistik before = zwStatistik;

    ModalForm<TzwInfoDlg> dlg(zwInfoDlg, MainForm);
    // Cancel adds nothing.
    ScriptedAnswers::onShowModal<TvergleichSelect>([](TvergleichSelect& s) { s.XPButton9->Click(); });
    dlg->Button1->click();
    EXPECT_EQ(dlg->ValueListEditor1->ColCount(), 2);

    ScriptedAnswers::onShowModal<TvergleichSelect>([](TvergleichSelect& s) {
        ASSERT_TRUE(s.ADOTable1.Locate("dat_Id", 2));
        s.XPButton8->Click();
    });
    dlg->Button1->click();
    ASSERT_EQ(dlg->ValueListEditor1->ColCount(), 3);
    EXPECT_EQ(dlg->width(), 494);
    const QStringList third = column(*dlg, 2);
    EXPECT_EQ(third[11], "50");        // the chosen unit's ascent
    EXPECT_EQ(third[8], "150");        // its highest point
    EXPECT_EQ(third[0], "");           // section rows stay empty
    EXPECT_EQ(column(*dlg, 1)[11], "0");
    // The current unit keeps its typed place and its edit state; the record stays its own.
    EXPECT_EQ(orvServer->daten.State(), dsEdit);
    EXPECT_EQ(orvServer->daten.FieldByName("dat_Id")->AsInteger(), 1);
    EXPECT_EQ(orvServer->daten.FieldByName("Ort")->AsString(), "Stadtpark");
    EXPECT_EQ(zwStatistik.hmBergauf, before.hmBergauf);
    EXPECT_EQ(zwStatistik.maxHDiff, before.maxHDiff);
    dlg->grab().save("/tmp/splits_infodlg_compare.png");
    orvServer->daten.Cancel();
}

TEST_F(SplitInfoTest, TheSelectionListsEveryUnitOnceAndOpensOnTheNewest)
{
    addRow(1000, hms(0, 5, 0), 100, false);
    addRow(2000, hms(0, 10, 0), 100, false);
    addRow(3000, hms(0, 15, 0), 100, false);
    addUnit(2, 2, "O'Brien Park");
    addUnit(3, 1, "Oberwald");
    start();
    ModalForm<TvergleichSelect> sel(vergleichSelect, MainForm);
    sel->FormShow(nullptr);
    EXPECT_EQ(sel->ADOTable1.RecordCount(), 3);
    EXPECT_EQ(sel->ADOTable1dat_Id(), 2);  // the newest date
    ASSERT_TRUE(sel->ADOTable1.Locate("dat_Id", 1));
    EXPECT_FALSE(sel->ADOTable1.FieldByName("zei_Id")->IsNull());
    ASSERT_TRUE(sel->ADOTable1.Locate("dat_Id", 3));
    EXPECT_TRUE(sel->ADOTable1.FieldByName("zei_Id")->IsNull());
    sel->grab().save("/tmp/splits_select.png");

    struct Search {
        const char* field;
        const char* value;
        int count;
    };
    for (const Search s : {Search{"Ort", "O'B", 1}, Search{"Ort", "o", 2}, Search{"Ort", "", 2}, Search{"Meter", "50", 2},
                           Search{"Meter", "2", 1}}) {
        sel->ComboBox1->setCurrentText(s.field);
        sel->UiOfficeEdit20001->setText(s.value);
        sel->UiOfficeEdit20001Change(sel->UiOfficeEdit20001);
        EXPECT_EQ(sel->Label14->text(), QString::number(s.count)) << s.field << " " << s.value;
    }
    // A field outside the offered ones finds nothing.
    EXPECT_EQ(SearchUnitsByPrefix(orvServer->navSuchen, "Ort = '' OR 1=1 --", ""), -1);

    // Taking the result over moves the list to it.
    sel->ComboBox1->setCurrentText("Ort");
    sel->UiOfficeEdit20001->setText("O'B");
    sel->UiOfficeEdit20001Change(sel->UiOfficeEdit20001);
    sel->XPButton2Click(sel->XPButton2);
    EXPECT_EQ(sel->ADOTable1dat_Id(), 2);
    // Nothing to take over: an error.
    sel->UiOfficeEdit20001->setText("xyz");
    sel->UiOfficeEdit20001Change(sel->UiOfficeEdit20001);
    ScriptedAnswers::pushMessageAnswer(mrOk);
    sel->XPButton2Click(sel->XPButton2);
    EXPECT_EQ(messageTexts(), QStringList{"1:Kein Datensatz ausgewählt."});
    EXPECT_EQ(sel->ADOTable1dat_Id(), 2);

    // A double click on the list is OK.
    sel->DBGrid1DblClick(sel->DBGrid1);
    EXPECT_EQ(sel->ModalResult(), mrOk);
}
