#include "core/selectpivot.h"

#include "ui_selectpivot.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

#include "core/analysisdata.h"
#include "core/fmxutils.h"
#include "core/language.h"
#include "core/main.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "platform/office/workbookreader.h"
#include "platform/rtl/folders.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"

TselectPivot* selectPivot = nullptr;

TselectPivot::TselectPivot(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TselectPivot>())
{
    ui->setupUi(this);
    Label1 = ui->Label1;
    ShellListView1 = ui->ShellListView1;
    Button1 = ui->Button1;
    Button2 = ui->Button2;
    ShellListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ShellListView1->setContextMenuPolicy(Qt::NoContextMenu);
    Label1->setBuddy(ShellListView1);
    OnButtonClick(Button1, Handler(this, &TselectPivot::Button1Click));
    setTabOrder(ShellListView1, Button1);
    setTabOrder(Button1, Button2);
    FormCreate(this);
}

TselectPivot::~TselectPivot() = default;

QString TselectPivot::Folder()
{
    return UserDataDir() + QStringLiteral("/DB/Pivot");
}

void TselectPivot::FormCreate(QObject*)
{
    const QString folder = Folder();
    QDir().mkpath(folder);
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    QCollator byName;
    byName.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) { return byName.compare(a, b) < 0; });
    ShellListView1->clear();
    ShellListView1->addItems(names);
}

void TselectPivot::Button1Click(QObject*)
{
    const QList<QListWidgetItem*> selected = ShellListView1->selectedItems();
    if (!selected.isEmpty() && MainForm)
        MainForm->OpenPivot(QStringLiteral("pivot\\") + selected.first()->text());
}

// ---------------------------------------------------------------------------------------------
// The main window's analysis commands.

namespace {

// A name relative to the folder "DB" ("pivot.xlsx", "pivot\\Meine.xlsx") as a path: the
// standard workbooks lie beside the program, the user's own in the user's data folder.
QString workbookPath(const QString& name)
{
    QString relative = name;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString user = QStringLiteral("pivot/");
    if (relative.startsWith(user, Qt::CaseInsensitive))
        return TselectPivot::Folder() + QLatin1Char('/') + relative.mid(user.size());
    return ProgramFile(QStringLiteral("DB/") + relative);
}

}  // namespace

void TMainForm::OpenPivot(const QString& name)
{
    try {
        // The athlete's data first, so the workbook finds it current when it opens.
        if (orvServer && orvServer->orvDB.Connected())
            WriteAnalysisData(orvServer->orvDB, AnalysisDataFile()).ThrowIfFailed();
        const QString path = workbookPath(name);
        if (!QFileInfo(path).isFile())
            throw EFOpenError(tr("Die Arbeitsmappe \"%1\" wurde nicht gefunden.").arg(QDir::toNativeSeparators(path)));
        // Only a workbook is handed to the spreadsheet program.
        OfficeResult<SheetBook> book = ReadWorkbook(path);
        if (!book.Ok())
            throw EFOpenError(book.Error().Text());
        if (ExecuteFile(path, QString(), QFileInfo(path).absolutePath(), SW_SHOWNORMAL) <= 32)
            throw EFOpenError(
                tr("Die Arbeitsmappe \"%1\" konnte nicht geöffnet werden.").arg(QDir::toNativeSeparators(path)));
    } catch (const std::exception& e) {
        MessageDlg(LoadStr(msg::AnalysisStartFailed) + QStringLiteral("\t\n") + ExceptionMessage(e), mtError, {mbOK});
    }
}

void TMainForm::StatAnalyse1Execute(QObject*)
{
    const QString code = getLanguageCode();
    const QString suffix = code.compare(QLatin1String("DEU"), Qt::CaseInsensitive) == 0 ? QString() : QStringLiteral("_") + code;
    OpenPivot(QStringLiteral("pivot") + suffix + QStringLiteral(".xlsx"));
}

void TMainForm::Action27Execute(QObject*)
{
    ModalForm<TselectPivot> picker(selectPivot, this);
    picker->ShowModal();
}
