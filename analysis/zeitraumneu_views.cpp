// The period statistics window's condition files, criteria dialog and SQL builder, and its
// column views: the column list on the page "Felder", the views' list in the tool bar and their
// files.
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPlainTextEdit>

#include <algorithm>

#include "analysis/columnview.h"
#include "analysis/criteriadialog.h"
#include "analysis/filter1.h"
#include "analysis/zeitraumneu.h"
#include "controls/uiiecombobox2000.h"
#include "core/language.h"
#include "core/messageids.h"
#include "platform/vcl/dbgrids.h"

namespace {

const QString kStandard = QStringLiteral("Standard");

bool sameFolder(const QString& a, const QString& b)
{
    return QFileInfo(a).canonicalFilePath() == QFileInfo(b).canonicalFilePath();
}

}  // namespace

// --- condition files, criteria and builder ---------------------------------------------------

void TZeitNeu::SpeedButton13Click(QObject*)
{
    if (!OpenDialog1.Execute(this))
        return;
    Memo1->setPlainText(ReadConditionFile(OpenDialog1.FileName()));
}

void TZeitNeu::SpeedButton15Click(QObject*)
{
    if (!SaveDialog1.Execute(this))
        return;
    WriteConditionFile(SaveDialog1.FileName(), Memo1->toPlainText().split(QLatin1Char('\n')));
}

void TZeitNeu::Button3Click(QObject*)
{
    ModalForm<TCriteriaDlg> dlg(CriteriaDlg, this);
    if (dlg->ShowModal() == mrOk)
        Memo1->setPlainText(CriteriaConditionLines(dlg->Criteria()).join(QLatin1Char('\n')));
}

void TZeitNeu::Button1Click(QObject*)
{
    ModalForm<TfmFilterFrm> builder(fmFilterFrm, this);
    builder->ShowModal();
}

// --- column views ----------------------------------------------------------------------------

void TZeitNeu::ensureIdColumn()
{
    // Column 0 is the hidden unit key in every view; the list, export and print start at 1.
    QList<TColumnSetting> settings = ColumnSettingsOf(*DBGrid1);
    if (!settings.isEmpty() && settings[0].Field.compare(QLatin1String("dat_Id"), Qt::CaseInsensitive) == 0 &&
        !settings[0].Visible)
        return;
    settings.removeIf([](const TColumnSetting& c) { return c.Field.compare(QLatin1String("dat_Id"), Qt::CaseInsensitive) == 0; });
    TColumnSetting id;
    id.Field = QStringLiteral("dat_Id");
    id.Title = id.Field;
    id.Visible = false;
    settings.prepend(id);
    ApplyColumnSettings(*DBGrid1, settings);
}

void TZeitNeu::UPDATECLB3()
{
    const QSignalBlocker block(CheckListBox3);
    CheckListBox3->clear();
    for (int i = 1; i < DBGrid1->Columns().Count(); ++i) {
        TColumn* col = DBGrid1->Columns()[i];
        auto* item = new QListWidgetItem(col->Title().Caption(), CheckListBox3);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(col->Visible() ? Qt::Checked : Qt::Unchecked);
    }
}

void TZeitNeu::UpdateColumns(QObject*)
{
    for (int i = 1; i < DBGrid1->Columns().Count() && i - 1 < CheckListBox3->count(); ++i)
        DBGrid1->Columns()[i]->SetVisible(CheckListBox3->item(i - 1)->checkState() == Qt::Checked);
}

void TZeitNeu::DBGrid1ColumnMoved(QObject*, int, int)
{
    UPDATECLB3();
}

void TZeitNeu::ComboBox3DropDown(QObject*)
{
    const QString chosen = ComboBox3->currentText();
    const QSignalBlocker block(ComboBox3);
    ComboBox3->clear();
    ComboBox3->addItem(kStandard);
    ComboBox3->addItems(ColumnViewFiles());
    ComboBox3->setCurrentIndex(std::max(0, ComboBox3->findText(chosen)));
}

void TZeitNeu::ComboBox3Change(QObject*)
{
    if (ComboBox3->currentIndex() <= 0 || ComboBox3->currentText() == kStandard) {
        // Every column shows again; a loaded view's order and widths stay.
        for (int i = 1; i < DBGrid1->Columns().Count(); ++i)
            DBGrid1->Columns()[i]->SetVisible(true);
        UPDATECLB3();
        return;
    }
    LoadColFile();
}

void TZeitNeu::LoadColFile()
{
    loadView(QDir(ColumnViewDir()).filePath(ComboBox3->currentText()));
}

void TZeitNeu::loadView(const QString& fileName)
{
    LoadColumnViewFile(*DBGrid1, fileName);
    ensureIdColumn();
    UPDATECLB3();
}

void TZeitNeu::Button4Click(QObject*)
{
    ColumnDialog.SetInitialDir(ColumnViewDir());
    if (!ColumnDialog.Execute(this))
        return;
    // Only views in the views' folder are offered in the tool bar's list.
    if (!sameFolder(QFileInfo(ColumnDialog.FileName()).absolutePath(), ColumnViewDir()))
        MessageDlg(LoadStr(msg::ViewOutsideViewFolder), mtWarning, {mbOK});
    SaveColumnViewFile(*DBGrid1, ColumnDialog.FileName());
}

void TZeitNeu::Button6Click(QObject*)
{
    OpenDialog2.SetInitialDir(ColumnViewDir());
    if (!OpenDialog2.Execute(this))
        return;
    loadView(OpenDialog2.FileName());
}
