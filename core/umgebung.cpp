#include "core/umgebung.h"

#include "ui_umgebung.h"

#include <QCoreApplication>
#include <QCursor>
#include <QPainter>

#include "analysis/maxpuls.h"
#include "controls/flatbuttonkeys.h"
#include "core/language.h"
#include "core/main.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "core/startup.h"
#include "platform/rtl/folders.h"
#include "platform/vcl/databinding.h"
#include "platform/vcl/events.h"
#include "platform/vcl/registry.h"

TUmgebungsoptionen* Umgebungsoptionen = nullptr;

namespace {

bool editing(const TDataSet& ds)
{
    return ds.State() == dsEdit || ds.State() == dsInsert;
}

void editUnlessEditing(TDataSet& ds)
{
    if (!editing(ds))
        ds.Edit();
}

// The colour fields of the lookup grids, whose cells show the colour instead of the number.
bool isColorField(const QString& name)
{
    return name.compare(QLatin1String("Spo_Farbe"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("For_Farbe"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("bel_Farbe"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("bea_Farbe"), Qt::CaseInsensitive) == 0;
}

struct ColumnSpec {
    const char* field;
    const char* title;  // translated in the context "TUmgebungsoptionen"
    bool visible;
    bool button;
    bool trueFalse;  // pick list "Wahr", "Falsch"
    int width;  // pixels; 0 keeps the field's display width
};

void addColumns(TDBGrid* grid, std::initializer_list<ColumnSpec> specs)
{
    grid->Columns().Clear();
    for (const ColumnSpec& s : specs) {
        TColumn* c = grid->Columns().Add();
        c->SetFieldName(QString::fromLatin1(s.field));
        if (s.title)
            c->Title().SetCaption(QCoreApplication::translate("TUmgebungsoptionen", s.title));
        c->SetVisible(s.visible);
        if (s.button)
            c->SetButtonStyle(cbsEllipsis);
        if (s.width > 0)
            c->SetWidth(s.width);
        if (s.trueFalse)
            c->SetPickList({QCoreApplication::translate("TUmgebungsoptionen", "Wahr"),
                            QCoreApplication::translate("TUmgebungsoptionen", "Falsch")});
    }
}

QString programRegistryKey()
{
    return QString::fromLatin1(kProgramRegistryKey);
}

}  // namespace

TUmgebungsoptionen::TUmgebungsoptionen(QWidget* Owner)
    : TForm(Owner), ui(std::make_unique<Ui::TUmgebungsoptionen>())
{
    ui->setupUi(this);
    PageControl1 = ui->PageControl1;
    TabSheet1 = ui->TabSheet1;
    TabSheet2 = ui->TabSheet2;
    TabSheet3 = ui->TabSheet3;
    TabSheet4 = ui->TabSheet4;
    TabSheet5 = ui->TabSheet5;
    TabSheet6 = ui->TabSheet6;
    TabSheet7 = ui->TabSheet7;
    TabSheet8 = ui->TabSheet8;
    DBEdit1 = ui->DBEdit1;
    DBEdit2 = ui->DBEdit2;
    DBEdit3 = ui->DBEdit3;
    DBEdit4 = ui->DBEdit4;
    DBEdit5 = ui->DBEdit5;
    DBEdit6 = ui->DBEdit6;
    DBEdit7 = ui->DBEdit7;
    Button5 = ui->Button5;
    ComboBox1 = ui->ComboBox1;
    DBComboBox1 = ui->DBComboBox1;
    DBComboBox2 = ui->DBComboBox2;
    DBCheckBox3 = ui->DBCheckBox3;
    DBCheckBox12 = ui->DBCheckBox12;
    Shape1 = ui->Shape1;
    Button1 = ui->Button1;
    BitBtn1 = ui->BitBtn1;
    CheckBox1 = ui->CheckBox1;
    Edit1 = ui->Edit1;
    Button2 = ui->Button2;
    Button3 = ui->Button3;
    DBGrid1 = ui->DBGrid1;
    DBGrid2 = ui->DBGrid2;
    DBGrid3 = ui->DBGrid3;
    DBGrid4 = ui->DBGrid4;
    DBGrid5 = ui->DBGrid5;
    XPButtons = {ui->XPButton1,  ui->XPButton2,  ui->XPButton3,  ui->XPButton4,  ui->XPButton5,  ui->XPButton6,
                 ui->XPButton7,  ui->XPButton8,  ui->XPButton9,  ui->XPButton10, ui->XPButton11, ui->XPButton12,
                 ui->XPButton13, ui->XPButton14, ui->XPButton15, ui->XPButton16};
    OKBtn = ui->OKBtn;
    CancelBtn = ui->CancelBtn;
    HelpBtn = ui->HelpBtn;
    Button4 = ui->Button4;
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));

    // A fixed-size dialog in the middle of the screen.
    setFixedSize(size());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    ColorDialog1.SetColor(clBlack);
    OpenDialog1.SetFilter(tr(".co5 - Dateien (*.co5|*.co5"));
    OpenPictureDialog1.SetFilter(tr("Bilder (*.bmp;*.png;*.jpg;*.jpeg)|*.bmp;*.png;*.jpg;*.jpeg|"
                                    "Bitmaps (*.bmp)|*.bmp"));

    BindDataControls(this, [](const QString& n) { return orvServer ? orvServer->FindDataSource(n) : nullptr; });
    setUpGrids();
    bindHandlers();
    FormCreate(this);
}

TUmgebungsoptionen::~TUmgebungsoptionen()
{
    for (const auto& [field, texts] : flagTexts_)
        field->SetDisplayValues(texts);
}

void TUmgebungsoptionen::setUpGrids()
{
    addColumns(DBGrid1, {{"Spo_Id", QT_TRANSLATE_NOOP("TUmgebungsoptionen", "ID"), true, false, false, 36},
                         {"Spo_Name", QT_TRANSLATE_NOOP("TUmgebungsoptionen", "Name"), true, false, false, 110},
                         {"Spo_Farbe", QT_TRANSLATE_NOOP("TUmgebungsoptionen", "Farbe"), true, true, false, 60},
                         {"Spo_Zahl", QT_TRANSLATE_NOOP("TUmgebungsoptionen", "Zahl"), false, false, false, 0},
                         {"Spo_Text", QT_TRANSLATE_NOOP("TUmgebungsoptionen", "Text"), false, false, false, 0},
                         {"Spo_ZeitraumStandard", QT_TRANSLATE_NOOP("TUmgebungsoptionen", "Zeit.Stat. aktiv"), true,
                          false, true, 100},
                         {"Spo_orderID", QT_TRANSLATE_NOOP("TUmgebungsoptionen", "Sortierung"), true, false, false, 70},
                         {"Spo_Image", QT_TRANSLATE_NOOP("TUmgebungsoptionen", "Bild"), true, true, false, 60},
                         {"lDistance", QT_TRANSLATE_NOOP("TUmgebungsoptionen", "Distanz"), true, false, false, 90},
                         {"lSpeed", QT_TRANSLATE_NOOP("TUmgebungsoptionen", "Geschwindigkeit"), true, false, false, 120}});
    addColumns(DBGrid2, {{"For_Id", "ID", true, false, false, 36},
                         {"For_Form", "Name", true, false, false, 150},
                         {"For_Farbe", "Farbe", true, true, false, 60},
                         {"For_Zahl", nullptr, false, false, false, 0},
                         {"For_Text", nullptr, false, false, false, 0},
                         {"For_orderId", "Sortierung", true, false, false, 70},
                         {"For_Planung", QT_TRANSLATE_NOOP("TUmgebungsoptionen", "Planung"), true, false, true, 80}});
    addColumns(DBGrid3, {{"bel_ID", "ID", true, false, false, 36},
                         {"bel_Name", "Name", true, false, false, 110},
                         {"bel_HFStart", QT_TRANSLATE_NOOP("TUmgebungsoptionen", "HF von"), true, false, false, 60},
                         {"bel_HFEnde", QT_TRANSLATE_NOOP("TUmgebungsoptionen", "HF bis"), true, false, false, 60},
                         {"bel_Farbe", "Farbe", true, true, false, 60},
                         {"bel_Zahl", nullptr, false, false, false, 0},
                         {"bel_Text", nullptr, false, false, false, 0},
                         {"bel_orderID", "Sortierung", true, false, false, 70}});
    addColumns(DBGrid4, {{"bea_ID", "ID", true, false, false, 36},
                         {"bea_Name", "Name", true, false, false, 170},
                         {"bea_Farbe", "Farbe", true, true, false, 60},
                         {"bea_Zahl", nullptr, false, false, false, 0},
                         {"bea_Text", nullptr, false, false, false, 0},
                         {"bea_orderID", "Sortierung", true, false, false, 70}});
    addColumns(DBGrid5, {{"be5_Id", nullptr, false, false, false, 0},
                         {"be5_gesZeit", QT_TRANSLATE_NOOP("TUmgebungsoptionen", "5000m-Zeit"), true, false, false, 100},
                         {"be5_zeit", QT_TRANSLATE_NOOP("TUmgebungsoptionen", "min/km"), true, false, false, 100},
                         {"be5_belStufe", QT_TRANSLATE_NOOP("TUmgebungsoptionen", "Belastungsstufe"), true, true,
                          false, 120}});
    // The two flags read "Wahr" and "Falsch" here, as their pick lists offer them; the fields get
    // their own texts back when the dialog goes.
    for (TField* flag : {orvServer->sportart.FindField(QStringLiteral("Spo_ZeitraumStandard")),
                         orvServer->form.FindField(QStringLiteral("For_Planung"))}) {
        if (!flag)
            continue;
        flagTexts_.append({flag, flag->DisplayValues()});
        flag->SetDisplayValues(tr("Wahr") + QLatin1Char(';') + tr("Falsch"));
    }
    for (TDBGrid* grid : {DBGrid1, DBGrid2, DBGrid3, DBGrid4})
        grid->OnDrawColumnCell = [this, grid](QObject*, const QRect& rect, int, TColumn* column, TGridDrawState) {
            drawColorCell(grid, rect, column);
        };
}

void TUmgebungsoptionen::bindHandlers()
{
    OnShow = Handler(this, &TUmgebungsoptionen::FormShow);
    OnClose = Handler(this, &TUmgebungsoptionen::FormClose);
    auto click = [this](QAbstractButton* b, void (TUmgebungsoptionen::*h)(QObject*)) {
        connect(b, &QAbstractButton::clicked, this, [this, b, f = Handler(this, h)] { f(b); });
    };
    click(DBCheckBox3, &TUmgebungsoptionen::DBCheckBox3Click);
    click(Button4, &TUmgebungsoptionen::Button4Click);
    click(Button5, &TUmgebungsoptionen::Button5Click);
    click(Button1, &TUmgebungsoptionen::Button1Click);
    click(BitBtn1, &TUmgebungsoptionen::BitBtn1Click);
    click(Button2, &TUmgebungsoptionen::Button2Click);
    click(Button3, &TUmgebungsoptionen::Button3Click);
    click(HelpBtn, &TUmgebungsoptionen::HelpBtnClick);
    click(OKBtn, &TUmgebungsoptionen::OKBtnClick);
    click(CancelBtn, &TUmgebungsoptionen::CancelBtnClick);
    DBGrid1->OnEditButtonClick = Handler(this, &TUmgebungsoptionen::DBGrid1EditButtonClick);
    DBGrid2->OnEditButtonClick = Handler(this, &TUmgebungsoptionen::DBGrid2EditButtonClick);
    DBGrid3->OnEditButtonClick = Handler(this, &TUmgebungsoptionen::DBGrid3EditButtonClick);
    DBGrid4->OnEditButtonClick = Handler(this, &TUmgebungsoptionen::DBGrid4EditButtonClick);
    DBGrid5->OnEditButtonClick = Handler(this, &TUmgebungsoptionen::DBGrid5EditButtonClick);
    connect(PopupMenu1, &QMenu::aboutToShow, this, [this, f = Handler(this, &TUmgebungsoptionen::PopupMenu1Popup)] {
        f(PopupMenu1);
    });
    connect(PopupMenu1, &QMenu::triggered, this, Handler(this, &TUmgebungsoptionen::Hilfethemen1Click));

    // The four buttons of each lookup page: add, delete, move down, move up.
    const LookupPage pages[] = {{&orvServer->sportart, "spo_id", "spo_orderId"},
                                {&orvServer->form, "for_id", "for_orderId"},
                                {&orvServer->belStufe, "bel_id", "bel_orderId"},
                                {&orvServer->belArt, "bea_id", "bea_orderId"}};
    for (int p = 0; p < 4; ++p) {
        const LookupPage page = pages[p];
        const QString id = QString::fromLatin1(page.idField);
        const QString order = QString::fromLatin1(page.orderField);
        TDataSet* t = page.table;
        XPButtons[p * 4]->OnClick = [this, t](QObject*) { RunGuarded([&] { appendRow(*t); }); };
        XPButtons[p * 4 + 1]->OnClick = [this, t](QObject*) { RunGuarded([&] { deleteRow(*t); }); };
        XPButtons[p * 4 + 2]->OnClick = [this, t, id, order](QObject*) {
            RunGuarded([&] { moveDown(*t, id, order); });
        };
        XPButtons[p * 4 + 3]->OnClick = [this, t, id, order](QObject*) { RunGuarded([&] { moveUp(*t, id, order); }); };
    }
    // The keyboard reaches them too: Tab stops on each, Space presses it.
    LetKeyboardPressButtons(XPButtons);
}

// ---------------------------------------------------------------------------------------------
// Creating and showing

void TUmgebungsoptionen::FormCreate(QObject*)
{
    DBComboBox1->SetStyle(TDBComboBox::csDropDownList);
    DBComboBox1->SetItems({LoadStr(msg::StartPageUnit), LoadStr(msg::StartPageSplits), LoadStr(msg::StartPageExplorer),
                           LoadStr(msg::StartPageDiaryWeek), LoadStr(msg::StartPageDiaryMonth)});
    DBComboBox2->SetStyle(TDBComboBox::csDropDownList);
    DBComboBox2->SetItems({LoadStr(msg::ToolBio), LoadStr(msg::ToolEquipment), LoadStr(msg::ToolQuickStat),
                           LoadStr(msg::ToolCalendar), LoadStr(msg::ToolHide)});
    // The settings row as the file holds it now.
    if (orvServer->config.Active())
        orvServer->config.Refresh();
    for (QWidget* page : {TabSheet4, TabSheet5, TabSheet6, TabSheet7, TabSheet8})
        PageControl1->setTabVisible(PageControl1->indexOf(page), false);
    PageControl1->setCurrentWidget(TabSheet1);

    languages_ = AvailableLanguages(LanguageFolder());
    ComboBox1->clear();
    for (const TLanguageEntry& l : languages_)
        ComboBox1->addItem(l.Name, l.Code);
    const QString current = MainForm ? MainForm->getLanguageCode() : QStringLiteral("DEU");
    ComboBox1->setCurrentIndex(LanguageIndex(languages_, current));
}

void TUmgebungsoptionen::FormShow(QObject*)
{
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (reg.OpenKey(programRegistryKey(), true)) {
        if (reg.ValueExists(QStringLiteral("QuickLoadFile")))
            Edit1->setText(reg.ReadString(QStringLiteral("QuickLoadFile")));
        if (reg.ValueExists(QStringLiteral("QuickLoadAktiviert"))) {
            try {
                CheckBox1->setChecked(reg.ReadBool(QStringLiteral("QuickLoadAktiviert")));
            } catch (const ERegistryException&) {
                CheckBox1->setChecked(false);  // a value that is no number counts as off
            }
        }
    }
    TField* color = orvServer->config.Active() ? orvServer->config.FindField(QStringLiteral("cfg_trbFarbeZeitraum"))
                                               : nullptr;
    Shape1->SetBrushColor(color && !color->IsNull() ? TColor(color->AsInteger()) : clWhite);
    DBCheckBox12->setEnabled(DBCheckBox3->isChecked());
    // Typing starts in the first field of the page shown ("Name, Vorname:" on the first page),
    // not on the page control's tabs.
    FocusFirstField(PageControl1->currentWidget());
}

void TUmgebungsoptionen::FormClose(QObject*, TCloseAction&)
{
    if (ModalResult() == mrOk)
        return;
    // Cancel, Escape and the close box: settings not confirmed with OK are dropped.
    if (orvServer->config.Active() && editing(orvServer->config))
        orvServer->config.Cancel();
    finishLookupEdits(false);
}

void TUmgebungsoptionen::DBCheckBox3Click(QObject*)
{
    DBCheckBox12->setEnabled(DBCheckBox3->isChecked());
}

void TUmgebungsoptionen::Button4Click(QObject*)
{
    for (QWidget* page : {TabSheet4, TabSheet5, TabSheet6, TabSheet7, TabSheet8})
        PageControl1->setTabVisible(PageControl1->indexOf(page), true);
}

// ---------------------------------------------------------------------------------------------
// The settings pages

void TUmgebungsoptionen::Button5Click(QObject*)
{
    ModalForm<TMaximPuls> calculator(MaximPuls, this);
    calculator->closeOnCalculate = true;
    calculator->ShowModal();
    const QString result = calculator->Edit2->text();
    if (result.isEmpty())
        return;
    editUnlessEditing(orvServer->config);
    orvServer->config.FieldByName(QStringLiteral("cfg_maxpuls"))->SetAsString(result);
}

void TUmgebungsoptionen::Button1Click(QObject*)
{
    editUnlessEditing(orvServer->config);
    ColorDialog1.SetColor(Shape1->BrushColor());
    if (ColorDialog1.Execute(this))
        Shape1->SetBrushColor(ColorDialog1.Color());
}

void TUmgebungsoptionen::BitBtn1Click(QObject*)
{
    OpenDialog1.SetInitialDir(UserDataDir());
    if (!OpenDialog1.Execute(this))
        return;
    editUnlessEditing(orvServer->config);
    orvServer->config.FieldByName(QStringLiteral("cfg_zeitraumCO5"))->SetAsString(OpenDialog1.FileName());
}

void TUmgebungsoptionen::Button2Click(QObject*)
{
    if (MainForm && MainForm->OpenDialog.Execute(this))
        Edit1->setText(MainForm->OpenDialog.FileName());
}

void TUmgebungsoptionen::Button3Click(QObject*)
{
    Edit1->setText(orvServer->DatabasePath());
}

void TUmgebungsoptionen::HelpBtnClick(QObject*)
{
    if (!MainForm)
        return;
    bool callHelp = true;
    MainForm->showHelp(1, QStringLiteral("Optionen"), callHelp);
}

// ---------------------------------------------------------------------------------------------
// The lookup pages

void TUmgebungsoptionen::drawColorCell(TDBGrid* grid, const QRect& rect, TColumn* column)
{
    TField* f = column ? column->Field() : nullptr;
    QPainter* p = grid->Canvas();
    if (!f || !p)
        return;
    if (isColorField(f->FieldName())) {
        // A system colour (negative) keeps its number; any other value shows as its colour.
        if (!f->IsNull() && f->AsInteger() >= 0)
            p->fillRect(rect, ToQColor(TColor(f->AsInteger())));
    } else if (f->FieldName().compare(QLatin1String("Spo_Image"), Qt::CaseInsensitive) == 0 && !f->IsNull()) {
        const QImage picture = BlobToImage(f->AsBytes());
        if (!picture.isNull()) {
            p->fillRect(rect, Qt::white);
            p->save();
            p->setClipRect(rect);
            p->drawImage(rect.topLeft(), picture);
            p->restore();
        }
    }
    p->setBrush(Qt::NoBrush);
}

void TUmgebungsoptionen::chooseColor(TDBGrid* grid)
{
    TDataSet* table = grid->DataSource() ? grid->DataSource()->DataSet() : nullptr;
    TField* f = grid->SelectedField();
    if (!table || !f)
        return;
    if (!f->IsNull() && f->AsInteger() >= 0)
        ColorDialog1.SetColor(TColor(f->AsInteger()));
    if (!ColorDialog1.Execute(this))
        return;
    editUnlessEditing(*table);
    f->SetAsInteger(int(ColorDialog1.Color()));
}

void TUmgebungsoptionen::choosePicture()
{
    if (!OpenPictureDialog1.Execute(this))
        return;
    const QByteArray bitmap = PictureFileAsBitmap(OpenPictureDialog1.FileName());
    if (bitmap.isEmpty()) {
        MessageDlg(LoadStr(msg::FileNotInterpretable), mtError, {mbOK});
        return;
    }
    editUnlessEditing(orvServer->sportart);
    orvServer->sportart.FieldByName(QStringLiteral("Spo_Image"))->SetAsBytes(bitmap);
}

void TUmgebungsoptionen::DBGrid1EditButtonClick(QObject*)
{
    TField* f = DBGrid1->SelectedField();
    if (f && f->FieldName().compare(QLatin1String("Spo_Image"), Qt::CaseInsensitive) == 0)
        choosePicture();
    else
        chooseColor(DBGrid1);
}

void TUmgebungsoptionen::DBGrid2EditButtonClick(QObject*)
{
    chooseColor(DBGrid2);
}

void TUmgebungsoptionen::DBGrid3EditButtonClick(QObject*)
{
    chooseColor(DBGrid3);
}

void TUmgebungsoptionen::DBGrid4EditButtonClick(QObject*)
{
    chooseColor(DBGrid4);
}

void TUmgebungsoptionen::DBGrid5EditButtonClick(QObject*)
{
    TField* f = DBGrid5->SelectedField();
    if (f && f->FieldName().compare(QLatin1String("be5_belStufe"), Qt::CaseInsensitive) == 0)
        PopupMenu1->popup(QCursor::pos());
}

void TUmgebungsoptionen::PopupMenu1Popup(QObject*)
{
    // The load levels in their display order; each entry carries its level's id.
    PopupMenu1->clear();
    TQuery q;
    q.SetConnection(&orvServer->orvDB);
    q.SetSQLText(QStringLiteral("SELECT bel_ID, bel_Name FROM BELSTUFE ORDER BY bel_orderID, bel_ID"));
    q.Open();
    for (q.First(); !q.Eof(); q.Next()) {
        QString name = q.Field(1)->AsString();
        name.replace(QLatin1Char('&'), QLatin1String("&&"));  // no accelerator letters
        QAction* item = PopupMenu1->addAction(name);
        item->setData(q.Field(0)->AsInteger());
    }
    q.Close();
}

void TUmgebungsoptionen::Hilfethemen1Click(QAction* Item)
{
    if (!Item || !Item->data().isValid())
        return;
    editUnlessEditing(orvServer->bel5000m);
    orvServer->bel5000m.FieldByName(QStringLiteral("be5_belStufe"))->SetAsInteger(Item->data().toInt());
}

void TUmgebungsoptionen::appendRow(TDataSet& table)
{
    table.Append();
}

void TUmgebungsoptionen::deleteRow(TDataSet& table)
{
    if (table.IsEmpty() && !editing(table))
        return;
    if (MessageDlg(LoadStr(msg::ConfirmDeleteRecord), mtConfirmation, mbYesNo) == mrYes)
        table.Delete();
}

void TUmgebungsoptionen::moveUp(TDataSet& Table, const QString& idField, const QString& orderField)
{
    MoveLookupRow(Table, idField, orderField, true);
}

void TUmgebungsoptionen::moveDown(TDataSet& Table, const QString& idField, const QString& orderField)
{
    MoveLookupRow(Table, idField, orderField, false);
}

void TUmgebungsoptionen::finishLookupEdits(bool post)
{
    for (TDataSet* t : {static_cast<TDataSet*>(&orvServer->sportart), static_cast<TDataSet*>(&orvServer->form),
                        static_cast<TDataSet*>(&orvServer->belStufe), static_cast<TDataSet*>(&orvServer->belArt),
                        static_cast<TDataSet*>(&orvServer->bel5000m)}) {
        if (!t->Active() || !editing(*t))
            continue;
        if (post)
            t->Post();
        else
            t->Cancel();
    }
}

// ---------------------------------------------------------------------------------------------
// OK and Cancel

void TUmgebungsoptionen::OKBtnClick(QObject*)
{
    TDataSet& config = orvServer->config;
    try {
        // A lookup row still being edited is saved with the dialog, as leaving its row would.
        finishLookupEdits(true);
        if (config.Active() && editing(config)) {
            config.FieldByName(QStringLiteral("cfg_trbFarbeZeitraum"))->SetAsInteger(int(Shape1->BrushColor()));
            config.Post();
        }
    } catch (...) {
        // The dialog stays open with what the user entered, so it can be corrected or cancelled;
        // the registry values of this OK are not written.
        SetModalResult(mrNone);
        throw;
    }

    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (reg.OpenKey(programRegistryKey(), true)) {
        reg.WriteString(QStringLiteral("QuickLoadFile"), Edit1->text());
        reg.WriteBool(QStringLiteral("QuickLoadAktiviert"), CheckBox1->isChecked());
        reg.CloseKey();
    }
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (reg.OpenKey(QString::fromLatin1(kLocaleRegistryKey), true)) {
        const QString code = ComboBox1->currentData().toString().toUpper();
        reg.WriteString(QCoreApplication::applicationFilePath(), code.isEmpty() ? QStringLiteral("DEU") : code);
        reg.CloseKey();
    }
    SetModalResult(mrOk);
}

void TUmgebungsoptionen::CancelBtnClick(QObject*)
{
    if (orvServer->config.Active() && editing(orvServer->config))
        orvServer->config.Cancel();
}
