// The split page's heart-rate files and its "Import/Export" menu: the samples and laps of an
// exercise file added to the current unit, the heart-rate import started for the split page, and
// the export of the split view into a workbook.
#include "traininglog/einheiteneingabe.h"

#include "ui_einheiteneingabe.h"

#include <QCursor>
#include <QDir>
#include <QMenu>

#include <utility>

#include "core/main.h"
#include "core/orvdbserver.h"
#include "core/orvtools.h"
#include "exchange/excelimport.h"
#include "platform/db/query.h"
#include "platform/office/workbookwriter.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/events.h"
#include "traininglog/hrmunitfile.h"
#include "traininglog/zwbusy.h"
#include "traininglog/zwexport.h"
#include "traininglog/zwgrid.h"

namespace {

// A reading error as the user sees it: the file's name and the line with what is wrong there.
[[noreturn]] void readFailed(const QString& fileName, const HrmError& error)
{
    throw EConvertError(QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(fileName), error.Text()));
}

}  // namespace

void Teingabe::setUpSplitImportExport()
{
    PopupMenu2 = new QMenu(XPButton21);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    PopupMenu2->setStyle(new FlatMenuStyle(PopupMenu2->style()));
    auto item = [this](const QString& name, const QString& caption, void (Teingabe::*handler)(QObject*)) {
        QAction* a = PopupMenu2->addAction(caption);
        a->setObjectName(name);
        if (handler)
            connect(a, &QAction::triggered, this, [this, handler] { RunGuarded([&] { (this->*handler)(this); }); });
        return a;
    };
    Excelimport1 = item(QStringLiteral("Excelimport1"), tr("Excel Import"), &Teingabe::Excelimport1Click);
    DBImport1 = item(QStringLiteral("DBImport1"), tr("DB  Import"), &Teingabe::DBImport1Click);
    PolarImport1 = item(QStringLiteral("PolarImport1"), tr("Polar Import"), &Teingabe::PolarImport1Click);
    PopupMenu2->addSeparator();
    Excelexport1 = item(QStringLiteral("Excelexport1"), tr("Excel Export"), &Teingabe::Excelexport1Click);

    excelDialog.SetDefaultExt(QStringLiteral("xlsx"));
    excelDialog.SetFilter(tr("Excel - Datei (*.xlsx)|*.xlsx"));
    XPButton21->OnClick = Handler(this, &Teingabe::XPButton21Click);
    XPButton21->setEnabled(true);
}

void Teingabe::XPButton21Click(QObject*)
{
    // Where the mouse is; from the keyboard (the pointer elsewhere) below the button.
    QPoint at = QCursor::pos();
    if (!XPButton21->rect().contains(XPButton21->mapFromGlobal(at)))
        at = XPButton21->mapToGlobal(QPoint(0, XPButton21->height()));
    PopupMenu2->popup(at);
}

// The import wizard for split rows of the current unit.
void Teingabe::Excelimport1Click(QObject*)
{
    if (orvServer)
        ShowImportWizard(this, orvServer->zeit, true);
}

void Teingabe::DBImport1Click(QObject*)
{
    if (orvServer)
        ShowImportWizard(this, orvServer->zeit, false);
}

void Teingabe::PolarImport1Click(QObject*)
{
    if (!MainForm || !orvServer)
        return;
    // The import writes the rows itself; the split rows' derived values wait until it is done.
    orvServer->SetZeitCalculation(false);
    try {
        MainForm->Action26Execute(this);
    } catch (...) {
        orvServer->SetZeitCalculation(true);
        throw;
    }
    orvServer->SetZeitCalculation(true);
}

void Teingabe::Excelexport1Click(QObject*)
{
    if (!hasUnits())
        return;
    TorvServer& s = *orvServer;
    WorkbookWriter book;
    WorksheetWriter& sheet = book.AddSheet();
    {
        // The view's rows read anew in the view's form, so the shared split query and its
        // position stay as they are.
        TQuery rows;
        zwgrid::openRowsOfUnit(s, rows, currentUnitId(), hrmTabActive());
        rows.FieldByName(QStringLiteral("Meter"))->SetDisplayLabel(s.daten.FieldByName(QStringLiteral("lDistance"))->AsString());
        ZwBusyScope busy(true, rows.RecordCount(), true);
        zwexport::writeSheet(sheet, rows, &ZwBusyScope::step);
    }
    if (!excelDialog.Execute(this))
        return;
    book.Save(excelDialog.FileName()).ThrowIfFailed();
}

void Teingabe::loadHf(const QString& fileName)
{
    if (!hasUnits())
        return;
    requireSavedUnit();
    HrmUnitFile file;
    if (!file.ReadSamples(fileName))
        readFailed(fileName, file.Error());
    const QList<HrmUnitSample>& samples = file.Samples();
    TQuery& zeit = orvServer->zeit;
    insertSplitRows(int(samples.size()), true, [&](int i) {
        const HrmUnitSample& sample = samples[i];
        zeit.FieldByName(QStringLiteral("Meter"))->SetAsInteger(sample.meter);
        zeit.FieldByName(QStringLiteral("Zwischenzeit"))->SetAsDateTime(sample.Time());
        zeit.FieldByName(QStringLiteral("Puls"))->SetAsInteger(sample.puls);
        zeit.FieldByName(QStringLiteral("zei_hrm"))->SetAsBoolean(true);
        zeit.FieldByName(QStringLiteral("HDiff"))->SetAsInteger(sample.hdiff);
    });
}

void Teingabe::loadzwHf(const QString& fileName)
{
    if (!hasUnits())
        return;
    requireSavedUnit();
    HrmUnitFile file;
    if (!file.ReadLaps(fileName))
        readFailed(fileName, file.Error());
    const QList<HrmUnitLap>& laps = file.Laps();
    TQuery& zeit = orvServer->zeit;
    insertSplitRows(int(laps.size()), false, [&](int i) {
        const HrmUnitLap& lap = laps[i];
        zeit.FieldByName(QStringLiteral("Meter"))->SetAsInteger(lap.meter);
        zeit.FieldByName(QStringLiteral("Zwischenzeit"))->SetAsDateTime(lap.Time());
        zeit.FieldByName(QStringLiteral("Puls"))->SetAsInteger(lap.puls);
        // A split row: a Yes/No column of the database is never empty.
        if (zeit.FieldByName(QStringLiteral("zei_hrm"))->IsNull())
            zeit.FieldByName(QStringLiteral("zei_hrm"))->SetAsBoolean(false);
    });
}

void Teingabe::insertSplitRows(int count, bool progress, const std::function<void(int)>& setFields)
{
    TorvServer& s = *orvServer;
    TQuery& zeit = s.zeit;
    TDataSet& daten = s.daten;
    if (!zeit.Active())
        fillZwGrid();
    // Single posts would each read the split view anew; the view is read once at the end.
    auto afterPost = std::exchange(zeit.AfterPost, nullptr);
    zwFillEnabled = false;
    zeit.DisableControls();
    daten.DisableControls();
    auto restore = [&] {
        zeit.AfterPost = afterPost;
        daten.EnableControls();
        zeit.EnableControls();
        zwFillEnabled = true;
    };
    auto refresh = [&] {
        s.SetZeitCalculation(true);
        if (s.zeitAll.Active()) {
            s.zeitAll.Close();
            s.zeitAll.Open();
        }
        updateZwSql();
        s.showUnitSplits();  // the split rules were detached for the rows
    };
    try {
        ZwBusyScope busy(progress, count, progress);
        // All rows or none: a row the database refuses takes the ones before it back.
        s.orvDB.BeginTrans();
        try {
            for (int i = 0; i < count; ++i) {
                zeit.Insert();
                setFields(i);
                zeit.Post();
                if (progress)
                    ZwBusyScope::step();
            }
            s.orvDB.CommitTrans();
        } catch (...) {
            if (zeit.State() == dsInsert || zeit.State() == dsEdit)
                zeit.Cancel();
            if (s.orvDB.InTransaction())
                s.orvDB.RollbackTrans();
            throw;
        }
    } catch (...) {
        restore();
        refresh();
        throw;
    }
    restore();
    refresh();
}
