#include "traininglog/musteredit.h"

#include "ui_musteredit.h"

#include <QDir>
#include <QFileInfo>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include <cmath>

#include "core/language.h"
#include "core/main.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "core/unitpacket.h"
#include "platform/rtl/folders.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/databinding.h"
#include "platform/vcl/events.h"
#include "platform/vcl/imglist.h"
#include "platform/vcl/shell.h"
#include "traininglog/unitfields.h"

Tmusteredit* musteredit = nullptr;

namespace {

bool editing(const TDataSet& d)
{
    return d.State() == dsEdit || d.State() == dsInsert;
}

bool databaseOpen()
{
    return orvServer && orvServer->daten.Active();
}

// The folder below which the tree shows everything: the home folder, or the file system's root
// for a folder outside it.
QString rootFor(const QString& folder)
{
    const QString home = QDir::homePath();
    const QString clean = QDir::cleanPath(folder);
    if (clean == home || clean.startsWith(home + QLatin1Char('/')))
        return home;
    return QDir::rootPath();
}

}  // namespace

QString TemplateFolder()
{
    return UserDataFile(QStringLiteral("mt5"));
}

Tmusteredit::Tmusteredit(TClientDataSet& cds, TClientDataSet& cds2, TSaveDialog& SaveDialog1, QWidget* Owner)
    : TForm(Owner), ui(std::make_unique<Ui::Tmusteredit>()), cds_(cds), cds2_(cds2), saveDialog_(SaveDialog1)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("musteredit"));
    ShellComboBox1 = ui->ShellComboBox1;
    ShellTreeView1 = ui->ShellTreeView1;
    ShellListView1 = ui->ShellListView1;
    DBLookupComboBox1 = ui->DBLookupComboBox1;
    DBLookupComboBox2 = ui->DBLookupComboBox2;
    CheckBox1 = ui->CheckBox1;
    DBEdit15 = ui->DBEdit15;
    BitBtn3 = ui->BitBtn3;
    DBEdit1 = ui->DBEdit1;
    DBEdit2 = ui->DBEdit2;
    DBEdit4 = ui->DBEdit4;
    DBEdit5 = ui->DBEdit5;
    DBEdit6 = ui->DBEdit6;
    DBLookupComboBox3 = ui->DBLookupComboBox3;
    DBLookupComboBox4 = ui->DBLookupComboBox4;
    DBEdit10 = ui->DBEdit10;
    DBEdit12 = ui->DBEdit12;
    DBEdit14 = ui->DBEdit14;
    DBComboBox5 = ui->DBComboBox5;
    DBComboBox6 = ui->DBComboBox6;
    DBEdit17 = ui->DBEdit17;
    DBComboBox4 = ui->DBComboBox4;
    DBEdit13 = ui->DBEdit13;
    DBEdit3 = ui->DBEdit3;
    DBEdit16 = ui->DBEdit16;
    DBText1 = ui->DBText1;
    DBText2 = ui->DBText2;
    DBEdit7 = ui->DBEdit7;
    DBEdit11 = ui->DBEdit11;
    DBMemo1 = ui->DBMemo1;
    DBComboBox5->SetItems(unitfields::weatherChoices());
    DBComboBox6->SetItems(unitfields::windChoices());
    DBComboBox4->SetItems(unitfields::feelingChoices());

    // The buffer's field objects mirror the stored fields of `daten`, so the controls find theirs.
    if (orvServer)
        DeclareUnitPacketFields(orvServer->daten, cds_);
    DataSource1.SetName(QStringLiteral("DataSource1"));
    DataSource1.SetDataSet(&cds_);
    BindDataControls(this, [this](const QString& name) -> TDataSource* {
        if (name == QLatin1String("DataSource1"))
            return &DataSource1;
        return orvServer ? orvServer->FindDataSource(name) : nullptr;
    });

    // Folder tree (folders only) and file list (files only, sorted), linked by the chosen folder.
    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    files_ = new QFileSystemModel(this);
    files_->setFilter(QDir::Files);
    ShellTreeView1->setModel(folders_);
    for (int c = 1; c < folders_->columnCount(); ++c)
        ShellTreeView1->hideColumn(c);
    ShellTreeView1->setHeaderHidden(true);
    ShellListView1->setModel(files_);
    ShellListView1->setViewMode(QListView::ListMode);
    ShellListView1->setIconSize(QSize(16, 16));
    files_->sort(0, Qt::AscendingOrder);
    folders_->sort(0, Qt::AscendingOrder);
    connect(ShellTreeView1->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { treeChanged(); });
    connect(ShellListView1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { ShellListView1Change(ShellListView1); });
    connect(ShellComboBox1, &QComboBox::activated, this, [this](int i) {
        const QString f = ShellComboBox1->itemData(i).toString();
        if (!f.isEmpty())
            ShowFolder(f);
    });
    ShowFolder(QDir::homePath());

    // Tool bar: "Einladen" | new | save, cancel | help.
    ActionManager1 = new TActionList(this);
    Action2 = new TAction(ActionManager1, QStringLiteral("Action2"));
    Action2->SetCaption(tr("Einladen"));
    Action2->SetHint(tr("Muster einladen"));
    DataSetInsert1 = new TAction(ActionManager1, QStringLiteral("DataSetInsert1"));
    DataSetInsert1->SetCaption(tr("Neu"));
    DataSetInsert1->SetHint(tr("Muster neu anlegen"));
    DataSetPost1 = new TAction(ActionManager1, QStringLiteral("DataSetPost1"));
    DataSetPost1->SetCaption(tr("Speichern"));
    DataSetPost1->SetHint(tr("Muster speichern"));
    DataSetCancel1 = new TAction(ActionManager1, QStringLiteral("DataSetCancel1"));
    DataSetCancel1->SetCaption(tr("Abbrechen"));
    DataSetCancel1->SetHint(tr("Bearbeitung abbrechen"));
    Action1 = new TAction(ActionManager1, QStringLiteral("Action1"));
    Action1->SetCaption(tr("Hilfe"));
    Action1->SetHint(tr("Hilfe"));
    Action2->OnExecute = Handler(this, &Tmusteredit::Action2Execute);
    DataSetInsert1->OnExecute = Handler(this, &Tmusteredit::DataSetInsert1Execute);
    DataSetPost1->OnExecute = Handler(this, &Tmusteredit::DataSetPost1Execute);
    DataSetCancel1->OnExecute = Handler(this, &Tmusteredit::DataSetCancel1Execute);
    Action1->OnExecute = Handler(this, &Tmusteredit::Action1Execute);
    Action2->OnUpdate = Handler(this, &Tmusteredit::ActionManager1Update);

    QToolBar* bar = ui->ActionToolBar1;
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->setMovable(false);
    auto* images = new TImageList(this);
    ActionManager1->SetImages(images);
    const std::pair<TAction*, QStyle::StandardPixmap> icons[] = {
        {Action2, QStyle::SP_ArrowLeft},
        {DataSetInsert1, QStyle::SP_FileIcon},
        {DataSetPost1, QStyle::SP_DialogSaveButton},
        {DataSetCancel1, QStyle::SP_DialogCancelButton},
        {Action1, QStyle::SP_DialogHelpButton},
    };
    for (const auto& [action, pixmap] : icons)
        action->SetImageIndex(images->Add(style()->standardIcon(pixmap).pixmap(16, 16)));
    AddActionButton(bar, Action2);
    bar->addSeparator();
    AddActionButton(bar, DataSetInsert1);
    bar->addSeparator();
    AddActionButton(bar, DataSetPost1);
    AddActionButton(bar, DataSetCancel1);
    bar->addSeparator();
    AddActionButton(bar, Action1);
    // Only "Einladen" shows its caption; the others show their hint as tool tip.
    for (TAction* a : {DataSetInsert1, DataSetPost1, DataSetCancel1, Action1})
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a->qaction())))
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);

    OnButtonClick(BitBtn3, Handler(this, &Tmusteredit::BitBtn3Click));
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { Handler(this, &Tmusteredit::CheckBox1Click)(CheckBox1); });
    OnShow = Handler(this, &Tmusteredit::FormShow);
    ActionManager1->UpdateActions();
}

Tmusteredit::~Tmusteredit()
{
    // The buffer is open only while the editor is: unsaved values go with it.
    if (editing(cds_))
        cds_.Cancel();
    cds_.Close();
    // The controls let go of the buffer before the data source goes.
    DataSource1.SetDataSet(nullptr);
}

void Tmusteredit::FormShow(QObject*)
{
    const QString folder = TemplateFolder();
    if (QFileInfo(folder).isDir())
        ShowFolder(folder);
}

void Tmusteredit::ActionManager1Update(QObject*)
{
    Action2->SetEnabled(databaseOpen() && cds_.Active() && (editing(cds_) || !cds_.IsEmpty()));
}

void Tmusteredit::ShellListView1Change(QObject*)
{
    const QModelIndex current = ShellListView1->currentIndex();
    if (!current.isValid())
        return;
    LoadTemplateFile(files_->filePath(current));
}

void Tmusteredit::LoadTemplateFile(const QString& fileName)
{
    try {
        if (editing(cds_))
            cds_.Cancel();
        cds_.Close();
        cds_.LoadFromFile(fileName);
        if (!cds_.Active())
            cds_.Open();
        const TField* datum = cds_.FindField(QStringLiteral("Datum"));
        CheckBox1->setChecked(datum && !datum->IsNull() && datum->AsFloat() != 0);
    } catch (const Exception&) {
        cds_.Close();
        ShowMessage(QDir::toNativeSeparators(fileName) + LoadStr(msg::NoTemplateFile));
    }
    ActionManager1->UpdateActions();
}

void Tmusteredit::DataSetInsert1Execute(QObject*)
{
    if (editing(cds_))
        cds_.Cancel();
    cds_.Close();
    cds_.CreateDataSet();
    // A new template has no date until the user gives it one.
    CheckBox1->setChecked(false);
    ActionManager1->UpdateActions();
}

void Tmusteredit::DataSetPost1Execute(QObject*)
{
    const QString folder = TemplateFolder();
    QDir().mkpath(folder);
    if (!cds_.Active())
        return;
    // What is being typed belongs to the template.
    if (editing(cds_))
        cds_.Post();
    if (cds_.IsEmpty()) {
        ShowMessage(tr("Das Muster enthält keine Werte und wird nicht gespeichert."));
        return;
    }
    saveDialog_.SetInitialDir(folder);
    saveDialog_.SetFileName(QString());
    if (!saveDialog_.Execute(this))
        return;
    if (!CheckBox1->isChecked()) {
        cds_.Edit();
        cds_.FieldByName(QStringLiteral("Datum"))->Clear();
        cds_.Post();
    }
    cds_.SaveToFile(saveDialog_.FileName());
}

void Tmusteredit::DataSetCancel1Execute(QObject*)
{
    if (editing(cds_))
        cds_.Cancel();
    cds_.Close();
    ActionManager1->UpdateActions();
}

void Tmusteredit::Action2Execute(QObject*)
{
    if (!databaseOpen() || !cds_.Active())
        return;
    if (!ApplyUnitTemplate(cds_, cds2_, orvServer->daten, orvServer->orvDB)) {
        ShowMessage(tr("Das Muster enthält keine Werte."));
        return;
    }
    SetModalResult(mrOk);
}

void Tmusteredit::editBuffer()
{
    if (cds_.Active() && !editing(cds_))
        cds_.Edit();
}

void Tmusteredit::BitBtn3Click(QObject*)
{
    if (!cds_.Active())
        return;
    editBuffer();
    cds_.FieldByName(QStringLiteral("Datum"))->SetAsDateTime(std::trunc(Date()));
}

void Tmusteredit::CheckBox1Click(QObject*)
{
    editBuffer();
}

void Tmusteredit::Action1Execute(QObject*)
{
    bool callHelp = true;
    if (MainForm)
        MainForm->showHelp(1, QStringLiteral("Mustereditor"), callHelp);
    else
        ShowHelpTopic(QStringLiteral("Mustereditor"));
}

void Tmusteredit::ShowFolder(const QString& folder)
{
    folder_ = QDir::cleanPath(folder);
    const QString root = rootFor(folder_);
    if (folders_->rootPath() != root) {
        folders_->setRootPath(root);
        ShellTreeView1->setRootIndex(folders_->index(root));
    }
    const QModelIndex at = folders_->index(folder_);
    if (at.isValid() && ShellTreeView1->currentIndex() != at) {
        ShellTreeView1->setCurrentIndex(at);
        ShellTreeView1->scrollTo(at);
    }
    files_->setRootPath(folder_);
    ShellListView1->setRootIndex(files_->index(folder_));
    fillFolderCombo(folder_);
}

QString Tmusteredit::CurrentFolder() const
{
    return folder_;
}

void Tmusteredit::treeChanged()
{
    const QString f = folders_->filePath(ShellTreeView1->currentIndex());
    if (!f.isEmpty() && QDir::cleanPath(f) != folder_)
        ShowFolder(f);
}

void Tmusteredit::fillFolderCombo(const QString& folder)
{
    // The folder and the folders above it up to the tree's root, the root first.
    const QString root = rootFor(folder);
    QStringList chain;
    for (QString f = folder; !f.isEmpty(); f = QFileInfo(f).path()) {
        chain.prepend(f);
        if (f == root || QFileInfo(f).path() == f)
            break;
    }
    const QSignalBlocker block(ShellComboBox1);
    ShellComboBox1->clear();
    for (int i = 0; i < chain.size(); ++i) {
        const QString name = i == 0 ? QDir::toNativeSeparators(chain[i]) : QFileInfo(chain[i]).fileName();
        ShellComboBox1->addItem(style()->standardIcon(QStyle::SP_DirIcon), QString(i * 2, QLatin1Char(' ')) + name,
                                chain[i]);
    }
    ShellComboBox1->setCurrentIndex(ShellComboBox1->count() - 1);
}
