#include "exchange/excelimport2.h"

#include "ui_excelimport2.h"

#include <QDir>
#include <QStyle>

#include "core/busy.h"
#include "core/language.h"
#include "core/main.h"
#include "core/messageids.h"
#include "core/navigatorview.h"
#include "core/orvdbserver.h"
#include "core/views.h"
#include "exchange/bulkimport.h"
#include "platform/vcl/events.h"
#include "traininglog/einheiteneingabe.h"

Teximp2::Teximp2(QWidget* Owner, bool excel, TDataSet& target, const QString& fileName,
                 std::unique_ptr<TableSource> source)
    : TForm(Owner),
      ui(std::make_unique<Ui::Teximp2>()),
      excel_(excel),
      target_(target),
      fileName_(fileName),
      source_(std::move(source))
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("eximp2"));
    ComboBox1 = ui->ComboBox1;
    ListBox1 = ui->ListBox1;
    ListBox2 = ui->ListBox2;
    ListBox3 = ui->ListBox3;
    Button1 = ui->Button1;
    Button2 = ui->Button2;
    Button3 = ui->Button3;
    Button4 = ui->Button4;
    SpeedButton13 = ui->SpeedButton13;
    SpeedButton15 = ui->SpeedButton15;
    const QStyle* st = style();
    ui->Image1->setPixmap(st->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(48, 48));
    SpeedButton13->setIcon(st->standardIcon(QStyle::SP_DialogOpenButton));
    SpeedButton15->setIcon(st->standardIcon(QStyle::SP_DialogSaveButton));
    SpeedButton13->setFocusPolicy(Qt::StrongFocus);
    SpeedButton15->setFocusPolicy(Qt::StrongFocus);

    for (TOpenDialog* d : {&OpenDialog1, static_cast<TOpenDialog*>(&SaveDialog1)}) {
        d->SetFilter(tr("(*.imp)|*.imp"));
        d->SetDefaultExt(QStringLiteral("imp"));
    }

    for (auto [button, handler] : {std::pair{Button1, &Teximp2::Button1Click}, {Button2, &Teximp2::Button2Click},
                                   {Button3, &Teximp2::Button3Click}, {Button4, &Teximp2::Button4Click}})
        connect(button, &QPushButton::clicked, this, [button, h = Handler(this, handler)] { h(button); });
    for (auto [button, handler] :
         {std::pair{SpeedButton13, &Teximp2::SpeedButton13Click}, {SpeedButton15, &Teximp2::SpeedButton15Click}})
        connect(button, &QToolButton::clicked, this, [button, h = Handler(this, handler)] { h(button); });

    // The tables of the source; the first is chosen, so that its fields show at once.
    ComboBox1->addItems(source_->TableNames());
    connect(ComboBox1, &QComboBox::currentIndexChanged, this,
            [this, h = Handler(this, &Teximp2::ComboBox1Change)] { h(ComboBox1); });
    if (ComboBox1->count() > 0)
        ComboBox1Change(ComboBox1);
}

Teximp2::~Teximp2() = default;

void Teximp2::ComboBox1Change(QObject*)
{
    ListBox1->clear();
    ListBox2->clear();
    const QString table = ComboBox1->currentText();
    if (table.isEmpty())
        return;
    OfficeResult<QStringList> fields = source_->FieldNames(table);
    if (!fields.Ok()) {
        MessageDlg(fields.Error().Text(), mtError, TMsgDlgButtons{mbOK});
        return;
    }
    ListBox1->addItems(fields.Value());
    ListBox2->addItems(ImportTargetFields(target_));
}

void Teximp2::showMapping()
{
    ListBox3->clear();
    ListBox3->addItems(mapping_.Lines());
}

void Teximp2::Button2Click(QObject*)
{
    const QListWidgetItem* source = ListBox1->currentItem();
    const QListWidgetItem* target = ListBox2->currentItem();
    const QString refused = mapping_.Add(source ? source->text() : QString(), target ? target->text() : QString());
    if (!refused.isEmpty()) {
        MessageDlg(refused, mtInformation, TMsgDlgButtons{mbOK});
        return;
    }
    showMapping();
    ListBox3->setCurrentRow(ListBox3->count() - 1);
}

void Teximp2::SpeedButton15Click(QObject*)
{
    if (!SaveDialog1.Execute(this))
        return;
    mapping_.Save(SaveDialog1.FileName());
}

void Teximp2::SpeedButton13Click(QObject*)
{
    if (!OpenDialog1.Execute(this))
        return;
    mapping_.Load(OpenDialog1.FileName());
    showMapping();
}

void Teximp2::Button1Click(QObject*)
{
    if (mapping_.IsEmpty()) {
        MessageDlg(tr("Es wurde keine Zuordnung vorgenommen. Ordnen Sie zuerst Quellfelder den Zielfeldern zu."),
                   mtInformation, TMsgDlgButtons{mbOK});
        return;
    }
    TorvServer& server = *orvServer;
    const bool hrm = eingabe && eingabe->hrmTabActive();
    TTableImport import;
    bool written = false;
    {
        // Handlers, controls and switches come back however the import ends.
        TBulkImportScope scope(true);
        if (BusyDlg) {
            BusyDlg->showProgress = true;
            BusyDlg->ProgressBar1->setValue(0);
            BusyDlg->Show();
        }
        import.onRow = [](int rows) {
            if (BusyDlg)
                BusyDlg->stepProgress();
            if (testRowHook)
                testRowHook(rows);
        };
        import.onStart = [](int total) {
            if (BusyDlg)
                BusyDlg->ProgressBar1->setMaximum(total);
        };
        written = import.Run(*source_, ComboBox1->currentText(), mapping_, target_, hrm);
    }
    server.zeit.Close();
    server.zeit.Open();
    if (eingabe)
        eingabe->TabControl1Change(eingabe->TabControl1);
    if (BusyDlg) {
        BusyDlg->Close();
        BusyDlg->showProgress = false;
    }
    if (NavigatorView* navigator = View<NavigatorView>())
        navigator->Button1Click(nullptr);
    if (!written) {
        // The file and the table the failing row came from, after the reason.
        MessageDlg(LoadStr(msg::ImportFailed) + import.Error() + QLatin1Char('\n') +
                       tr("(Datei \"%1\", Tabelle \"%2\")")
                           .arg(QDir::toNativeSeparators(fileName_), ComboBox1->currentText()),
                   mtError, TMsgDlgButtons{mbOK});
        return;
    }
    MessageDlg(LoadStr(msg::ImportSucceeded) + QLatin1Char('\n') +
                   tr("Importierte Datensätze: %1").arg(import.RowsWritten()),
               mtInformation, TMsgDlgButtons{mbOK});
    SetModalResult(mrOk);
}

void Teximp2::Button3Click(QObject*)
{
    SetModalResult(mrCancel);
}

void Teximp2::Button4Click(QObject*)
{
    bool callHelp = true;
    if (MainForm)
        MainForm->showHelp(1, QStringLiteral("Importieren"), callHelp);
}
