#include "core/main.h"

#include "ui_main.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "analysis/bodymass.h"
#include "analysis/jahresstat.h"
#include "analysis/leistindex.h"
#include "analysis/marschneu.h"
#include "analysis/maxpuls.h"
#include "analysis/pulsfrequ.h"
#include "analysis/rechner.h"
#include "analysis/schwellentempo.h"
#include "analysis/tflex.h"
#include "analysis/toolquickstatframe.h"
#include "analysis/training.h"
#include "analysis/webtools.h"
#include "analysis/wochenstat.h"
#include "analysis/zeitber.h"
#include "analysis/zeitraumneu.h"
#include "controls/controlalign.h"
#include "core/about.h"
#include "core/fmxutils.h"
#include "core/language.h"
#include "core/explorerframe.h"
#include "core/mainimages.h"
#include "core/navigatorframe.h"
#include "core/orvdatabase.h"
#include "core/orvtools.h"
#include "core/splash.h"
#include "core/startframe.h"
#include "core/startup.h"
#include "core/toolexplorerframe.h"
#include "traininglog/toolcalweekframe.h"
#include "core/toolkalenderframe.h"
#include "core/umgebung.h"
#include "core/views.h"
#include "exchange/backupcabinet.h"
#include "exchange/convert5u.h"
#include "exchange/dbrestoreu.h"
#include "exchange/dbsicherung.h"
#include "exchange/outbreakerimport.h"
#include "exchange/polarimport.h"
#include "exchange/excelimport.h"
#include "exchange/garminimport.h"
#include "platform/rtl/folders.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/events.h"
#include "platform/vcl/imglist.h"
#include "platform/vcl/registry.h"
#include "platform/vcl/shell.h"
#include "traininglog/blockman.h"
#include "traininglog/trainform.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/eqmanager.h"
#include "traininglog/bestzeit.h"
#include "traininglog/strmanager.h"
#include "traininglog/tooleqframe.h"
#include "traininglog/pulsgewicht.h"
#include "traininglog/zwinfo.h"
#include "traininglog/calen.h"
#include "traininglog/terminframe.h"

TMainForm* MainForm = nullptr;

namespace {

constexpr int kToolPaneHeight = 228;  // the tool pane's height at start and when expanded
constexpr int kToolHeaderHeight = 18;  // collapsed: the header only

QString translated(const char* text)
{
    return QCoreApplication::translate("TMainForm", text);
}

// The frame of a navigator view; null for a view whose frame this program does not have.
QWidget* navigatorFrame(const QString& name)
{
    if (name == QLatin1String("Start"))
        return startFrm;
    if (name == QLatin1String("Navigator"))
        return navigatorFrm;
    if (name == QLatin1String("Explorer"))
        return explorerFrm;
    if (name == QLatin1String("Terminplaner"))
        return terminFrame;
    return nullptr;
}

// The frame of a tool view and whether it needs an open database.
QWidget* toolFrame(const QString& name, bool& needsDatabase)
{
    needsDatabase = name != QLatin1String("Kalender");
    if (name == QLatin1String("Kalender"))
        return toolKalenderFrm;
    if (name == QLatin1String("Vorschau"))
        return toolExplorerFrm;
    if (name == QLatin1String("Zwischenzeit"))
        return zwInfo;
    if (name == QLatin1String("Woche"))
        return toolCalWeekFrm;
    if (name == QLatin1String("Equipment"))
        return toolEqFrm;
    if (name == QLatin1String("Bio"))
        return pulsgewFrm;
    if (name == QLatin1String("QuickStat"))
        return toolQuickstatFrm;
    return nullptr;
}

// Takes every frame out of a host panel, one by one; the frames live on (the application owns
// them) and are only hidden.
void emptyHost(QWidget* host)
{
    QLayout* layout = host->layout();
    while (layout->count() > 0) {
        QLayoutItem* item = layout->takeAt(0);
        if (QWidget* w = item->widget()) {
            w->hide();
            w->setParent(nullptr);
        }
        delete item;
    }
}

void hostFrame(QWidget* host, QWidget* frame)
{
    host->layout()->addWidget(frame);
    frame->show();
}

QWidget* hostedFrame(const QWidget* host)
{
    QLayout* layout = host->layout();
    for (int i = 0; i < layout->count(); ++i)
        if (QWidget* w = layout->itemAt(i)->widget())
            return w;
    return nullptr;
}

// The small pictures of the tool pane's header buttons.
QImage headerGlyph(int kind)
{
    QImage img(12, 12, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 52, 72));
    switch (kind) {
    case 0:  // the tool menu: a small arrow down
        p.drawPolygon(QPolygonF({QPointF(2, 4), QPointF(10, 4), QPointF(6, 9)}));
        break;
    case 1:  // collapse
        p.drawRect(QRectF(2, 8, 8, 2));
        break;
    default:  // expand
        p.drawRect(QRectF(2, 2, 8, 8));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 4.5, 5, 4));
        break;
    }
    return img;
}

}  // namespace

TMainForm::TMainForm(QWidget* Owner) : QMainWindow(Owner), ui(std::make_unique<Ui::TMainForm>())
{
    ui->setupUi(this);
    MenuBar = ui->MenuBar;
    ActionToolBar1 = ui->ActionToolBar1;
    Panel2 = ui->Panel2;
    Panel3 = ui->Panel3;
    Panel5 = ui->Panel5;
    Panel6 = ui->Panel6;
    Panel9 = ui->Panel9;
    Panel10 = ui->Panel10;
    UiNavSplitter1 = ui->UiNavSplitter1;
    UiNavPanel1 = ui->UiNavPanel1;
    UiNavPanel3 = ui->UiNavPanel3;
    UiNavPanel4 = ui->UiNavPanel4;
    UiNavPanel5 = ui->UiNavPanel5;
    XPButton4 = ui->XPButton4;
    ApplyControlCaptions(this);
    setWindowTitle(ApplicationTitle());

    OpenDialog.SetFilter(tr("Orvalo Datenbanken (*.orv)|*.orv|Alle Dateien(*.*)|*.*"));
    OpenDialog.SetOptions(ofHideReadOnly | ofNoChangeDir);
    CompressDialog1.SetTitle(tr("Datenbank komprimieren"));
    CompressDialog1.SetFilter(tr("Orvalo Datenbank (*.orv)|*.orv"));
    SaveDialog2.SetTitle(tr("Neuer Benutzer"));
    SaveDialog2.SetFilter(tr("Orvalo 5 Benutzer (*.orv)|*.orv"));
    SaveDialog2.SetDefaultExt(QStringLiteral("orv"));
    SaveDialog2.SetOptions(ofHideReadOnly);

    createActions();
    buildMenus();
    buildToolMenu();
    setUpPanels();
    FormCreate(this);
    RegisterView<MainWindowView>(this);
}

TMainForm::~TMainForm()
{
    UnregisterView<MainWindowView>(this);
    // The frames belong to the application, not to the window: take them out before it goes.
    emptyHost(Panel3);
    emptyHost(Panel6);
    if (orvServer)
        orvServer->SetHooks(nullptr);
}

void TMainForm::createActions()
{
    ActionManager1 = new TActionList(this);
    ActionManager1->setObjectName(QStringLiteral("ActionManager1"));
    ImageList1 = new TImageList(this, 16, 16);
    ImageList1->setObjectName(QStringLiteral("ImageList1"));
    FillMainImages(ImageList1);
    ActionManager1->SetImages(ImageList1);

    for (const TMainActionInfo& info : MainActions()) {
        auto* a = new TAction(ActionManager1, QString::fromLatin1(info.Name));
        a->SetCaption(translated(info.Caption));
        if (*info.Keys)
            a->SetShortCut(QKeySequence(QString::fromLatin1(info.Keys), QKeySequence::PortableText));
        a->SetImageIndex(info.Image);
        a->SetHint(info.Hint ? translated(info.Hint) : a->plainCaption());
        a->SetVisible(info.Visible);
        a->SetEnabled(false);  // the first idle update decides
    }
#define ORV_FIND_ACTION(name) name = ActionManager1->FindAction(QStringLiteral(#name));
    ORV_MAIN_ACTIONS(ORV_FIND_ACTION)
#undef ORV_FIND_ACTION

    FileNew1->OnExecute = [this](QObject* s) { FileNew1Execute(s); };
    FileOpen1->OnExecute = [this](QObject* s) { FileOpen1Execute(s); };
    FileClose1->OnExecute = [this](QObject* s) { FileClose1Execute(s); };
    FileDBReparieren1->OnExecute = [this](QObject* s) { FileDBReparieren1Execute(s); };
    Action23->OnExecute = [this](QObject* s) { Action23Execute(s); };
    Action24->OnExecute = [this](QObject* s) { Action24Execute(s); };
    FileExit1->OnExecute = [this](QObject* s) { FileExit1Execute(s); };
    FilePrint1->OnExecute = [this](QObject* s) { FilePrint1Execute(s); };
    FileExcelImport1->OnExecute = [this](QObject* s) { FileExcelImport1Execute(s); };
    FileDBImport1->OnExecute = [this](QObject* s) { FileDBImport1Execute(s); };
    Action26->OnExecute = [this](QObject* s) { Action26Execute(s); };
    Action28->OnExecute = [this](QObject* s) { Action28Execute(s); };
    StatAnalyse1->OnExecute = [this](QObject* s) { StatAnalyse1Execute(s); };
    Action27->OnExecute = [this](QObject* s) { Action27Execute(s); };
    Action19->OnExecute = [this](QObject* s) { Action19Execute(s); };
    Action20->OnExecute = [this](QObject* s) { Action20Execute(s); };
    Trainingslexikon->OnExecute = [this](QObject* s) { TrainingslexikonExecute(s); };
    Action29->OnExecute = [this](QObject* s) { Action29Execute(s); };
    Action10->OnExecute = [this](QObject* s) { Action10Execute(s); };
    Action1->OnExecute = [this](QObject* s) { Action1Execute(s); };
    Action2->OnExecute = [this](QObject* s) { Action2Execute(s); };
    FileRun1->OnExecute = [this](QObject* s) { FileRun1Execute(s); };
    HelpAbout1->OnExecute = [this](QObject* s) { HelpAbout1Execute(s); };
    StatZeitraum1->OnExecute = [this](QObject* s) { StatZeitraum1Execute(s); };
    StatWochen1->OnExecute = [this](QObject* s) { StatWochen1Execute(s); };
    StatJahr1->OnExecute = [this](QObject* s) { StatJahr1Execute(s); };
    Trainingszeiten->OnExecute = [this](QObject* s) { TrainingszeitenExecute(s); };
    TempoflexTrain->OnExecute = [this](QObject* s) { TempoflexTrainExecute(s); };
    Action21->OnExecute = [this](QObject* s) { Action21Execute(s); };
    Action14->OnExecute = [this](QObject* s) { Action14Execute(s); };
    Action6->OnExecute = [this](QObject* s) { Action6Execute(s); };
    Action3->OnExecute = [this](QObject* s) { Action3Execute(s); };
    Action4->OnExecute = [this](QObject* s) { Action4Execute(s); };
    Action11->OnExecute = [this](QObject* s) { Action11Execute(s); };
    Action12->OnExecute = [this](QObject* s) { Action12Execute(s); };
    Action13->OnExecute = [this](QObject* s) { Action13Execute(s); };
    Action15->OnExecute = [this](QObject* s) { Action15Execute(s); };
    Action18->OnExecute = [this](QObject* s) { Action18Execute(s); };
    Action8->OnExecute = [this](QObject* s) { Action8Execute(s); };
    // "&Bestzeiten" and "&Streckenmanager": the managers, created on demand and shown modally.
    Action5->OnExecute = [this](QObject*) {
        ModalForm<Tbestzeit> f(bestzeit, this);
        f->ShowModal();
    };
    Action7->OnExecute = [this](QObject*) {
        ModalForm<TstrManager> f(strManager, this);
        f->ShowModal();
    };
    Action17->OnExecute = [this](QObject* s) { Action17Execute(s); };
    Action16->OnExecute = [this](QObject* s) { Action16Execute(s); };
    setUpUnitPackets();

    ActionManager1->OnUpdate = [this](TAction* a, bool& handled) { ActionManager1Update(a, handled); };
    // Shortcuts work while the menus are closed.
    for (TAction* a : ActionManager1->Actions())
        addAction(a->qaction());
}

void TMainForm::buildMenus()
{
    auto item = [](QMenu* menu, TAction* a, const char* caption = nullptr) {
        AddActionItem(menu, a, caption ? translated(caption) : QString());
    };
    QMenu* file = ui->Datei1;
    item(file, FileNew1);
    item(file, FileOpen1);
    item(file, FileClose1);
    file->addSeparator();
    QMenu* import = file->addMenu(tr("I&mport"));
    import->setObjectName(QStringLiteral("Import1"));
    item(import, FileDBImport1, QT_TRANSLATE_NOOP("TMainForm", "&DB Import"));
    item(import, FileExcelImport1);
    item(import, Action26);
    item(import, Action28);
    item(import, Action19);
    item(import, Action20, QT_TRANSLATE_NOOP("TMainForm", "&Orvalo"));
    file->addSeparator();
    item(file, FileDBKonvertieren1);
    item(file, FileDBReparieren1);
    item(file, Action23, QT_TRANSLATE_NOOP("TMainForm", "Da&tenbank sichern"));
    item(file, Action24);
    file->addSeparator();
    item(file, FilePrint1);
    file->addSeparator();
    item(file, FileExit1);

    QMenu* edit = ui->Bearbeiten1;
    item(edit, EditCopy1);
    item(edit, EditPaste1);
    edit->addSeparator();
    item(edit, Action22);
    item(edit, EditMuster1);
    item(edit, Action25);

    QMenu* stat = ui->Statistik1;
    item(stat, StatZeitraum1);
    item(stat, StatWochen1);
    item(stat, StatJahr1);
    stat->addSeparator();
    item(stat, StatAnalyse1);
    item(stat, Action27);

    QMenu* training = ui->Training1;
    item(training, Trainingszeiten);
    item(training, TempoflexTrain);
    item(training, Action21);
    training->addSeparator();
    item(training, Action16);
    training->addSeparator();
    item(training, Trainingslexikon);

    QMenu* extras = ui->Extras1;
    item(extras, Action3);
    item(extras, Action4);
    item(extras, Action5);
    QMenu* formulas = extras->addMenu(tr("&Formeln"));
    formulas->setObjectName(QStringLiteral("Formeln1"));
    item(formulas, Action18, QT_TRANSLATE_NOOP("TMainForm", "&Eigene Tools"));
    formulas->addSeparator();
    item(formulas, Action11, QT_TRANSLATE_NOOP("TMainForm", "Bo&dymaßindex"));
    item(formulas, Action12, QT_TRANSLATE_NOOP("TMainForm", "&Maximalpuls"));
    item(formulas, Action13);
    item(formulas, Action14);
    item(formulas, Action15);
    item(extras, Action6);
    extras->addSeparator();
    item(extras, Action7);
    item(extras, Action8);
    item(extras, Action17, QT_TRANSLATE_NOOP("TMainForm", "B&lockmanager"));
    extras->addSeparator();
    item(extras, Action29, QT_TRANSLATE_NOOP("TMainForm", "&Zadiv Udud Ororaze"));
    extras->addSeparator();
    item(extras, Action9, QT_TRANSLATE_NOOP("TMainForm", "&Anpassen"));
    item(extras, Action10);

    QMenu* help = ui->Hilfe1;
    item(help, Action1, QT_TRANSLATE_NOOP("TMainForm", "&Hilfethemen"));
    item(help, Action2);
    item(help, FileRun1);
    help->addSeparator();
    item(help, HelpAbout1);

    // Tool bar: icons only, in groups.
    const QList<QList<TAction*>> groups = {
        {FileNew1, FileOpen1},
        {StatZeitraum1, StatWochen1, StatJahr1},
        {Action4, TempoflexTrain},
        {Action11, Action12, Action13, Action14, Action15},
        {Action5, Action3, Action6},
    };
    for (int g = 0; g < groups.size(); ++g) {
        if (g > 0)
            ActionToolBar1->addSeparator();
        for (TAction* a : groups[g])
            AddActionButton(ActionToolBar1, a);
    }
}

void TMainForm::buildToolMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setStyle(new FlatMenuStyle(style()));
    auto add = [this](const char* name, const char* caption, int tag, void (TMainForm::*handler)(QObject*)) {
        QAction* a = PopupMenu1->addAction(translated(caption));
        a->setObjectName(QString::fromLatin1(name));
        a->setProperty("Tag", tag);
        a->setVisible(tag != 0);
        connect(a, &QAction::triggered, this, [this, a, handler] { (this->*handler)(a); });
        return a;
    };
    Zwischenzeiten1 = add("Zwischenzeiten1", QT_TRANSLATE_NOOP("TMainForm", "Zwischenzeiten"), 0,
                          &TMainForm::Zwischenzeiten1Click);
    Bio1 = add("Bio1", QT_TRANSLATE_NOOP("TMainForm", "Bio"), 0, &TMainForm::Bio1Click);
    Equipment1 = add("Equipment1", QT_TRANSLATE_NOOP("TMainForm", "Equipment"), 0, &TMainForm::Equipment1Click);
    QuickStat1 = add("QuickStat1", QT_TRANSLATE_NOOP("TMainForm", "Kurzübersicht"), 0, &TMainForm::QuickStat1Click);
    Vorschau1 = add("Vorschau1", QT_TRANSLATE_NOOP("TMainForm", "Vorschau"), 0, &TMainForm::Vorschau1Click);
    Wochendetails1 = add("Wochendetails1", QT_TRANSLATE_NOOP("TMainForm", "Wochendetails"), 0,
                         &TMainForm::Wochendetails1Click);
    N1 = PopupMenu1->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    N1->setProperty("Tag", 1);
    Kalender1 = add("Kalender1", QT_TRANSLATE_NOOP("TMainForm", "Kalender"), 1, &TMainForm::Kalender1Click);
}

void TMainForm::setUpPanels()
{
    // The right column: the tool pane at the bottom, the splitter above it, the navigator panel
    // filling the rest.
    SetControlAlign(Panel9, alBottom);
    UiNavSplitter1->SetAlignTo(aBottom);
    SetControlAlign(UiNavSplitter1, alBottom);
    SetControlAlign(Panel3, alClient);
    SetControlAlign(Panel10, alTop);
    SetControlAlign(Panel6, alClient);

    UiNavPanel1->SetPanelType(ptDivider);
    for (TUiNavPanel* b : {UiNavPanel3, UiNavPanel4, UiNavPanel5})
        b->SetPanelType(ptButton);
    UiNavPanel3->SetGlyph(headerGlyph(0));
    UiNavPanel4->SetGlyph(headerGlyph(1));
    UiNavPanel5->SetGlyph(headerGlyph(2));
    XPButton4->SetFlat(true);
    UiNavPanel3->OnClick = [this](QObject* s) { XPButton3Click(s); };
    UiNavPanel4->OnClick = [this](QObject* s) { XPButton1Click(s); };
    UiNavPanel5->OnClick = [this](QObject* s) { XPButton1Click(s); };
    // Double-clicking the header expands the pane.
    Events(Panel10).OnDblClick = [this](QObject*) { XPButton1Click(Panel10); };
    UiNavPanel1->OnDblClick = [this](QObject*) { XPButton1Click(Panel10); };
}

void TMainForm::setToolPaneHeight(int height)
{
    const QRect g = Panel9->geometry();
    Panel9->setGeometry(g.left(), g.bottom() + 1 - height, g.width(), height);
    AlignControls(Panel5);
    if (Panel5->isVisible())
        Panel5->repaint();
}

// ---------------------------------------------------------------------------------------------
// Views

void TMainForm::setNavigator(const QString& name)
{
    emptyHost(Panel3);
    // The explorer refills its filter tree before it is shown.
    if (name == QLatin1String("Explorer") && explorerFrm)
        explorerFrm->showExplorer();
    if (QWidget* frame = navigatorFrame(name))
        hostFrame(Panel3, frame);
}

QString TMainForm::getNavigator() const
{
    QWidget* frame = hostedFrame(Panel3);
    if (!frame)
        return QStringLiteral("None");
    if (qobject_cast<TstartFrm*>(frame))
        return QStringLiteral("Start");
    if (QByteArray(frame->metaObject()->className()) == "TnavigatorFrm")
        return QStringLiteral("Navigator");
    return QString();
}

void TMainForm::setTool(const QString& name, bool resetMenu)
{
    emptyHost(Panel6);
    if (resetMenu) {
        XPButton4->OnClick = nullptr;
        for (QAction* a : PopupMenu1->actions())
            if (a->property("Tag").toInt() == 0)
                a->setVisible(false);
    }
    bool needsDatabase = true;
    QWidget* frame = toolFrame(name, needsDatabase);
    if (!frame || (needsDatabase && !databaseOpen()))
        return;
    if (frame == toolKalenderFrm) {
        int y, m, d;
        DecodeDate(Date(), y, m, d);
        toolKalenderFrm->MonthCalendar1->setSelectedDate(QDate(y, m, d));
    }
    hostFrame(Panel6, frame);
    // The equipment tool shows the current unit's equipment each time it is moved in.
    if (frame == toolEqFrm)
        toolEqFrm->FormShow(this);
    // The quick statistics come back as the week of the current unit with distance bars.
    if (frame == toolQuickstatFrm) {
        toolQuickstatFrm->XPButton1->SetDown(true);
        toolQuickstatFrm->XPButton1Click(this);
        toolQuickstatFrm->XPButton5->SetDown(true);
        toolQuickstatFrm->XPButton5->Click();
    }
}

QString TMainForm::getTool() const
{
    QWidget* frame = hostedFrame(Panel6);
    if (!frame)
        return QStringLiteral("None");
    const QByteArray cls = frame->metaObject()->className();
    if (cls == "TtoolEqFrm")
        return QStringLiteral("Equipment");
    if (cls == "TtoolQuickstatFrm")
        return QStringLiteral("QuickStat");
    if (cls == "TzwInfo")
        return QStringLiteral("Zwischenzeit");
    return QString();
}

bool TMainForm::showHelp(quint16, const QString& topic, bool& callHelp)
{
    ShowHelpTopic(topic);
    callHelp = false;
    return false;
}

QString TMainForm::getLanguageCode() const
{
    // A run switched to English by its command line uses the English help, manual and template
    // as well as the English texts.
    if (StartedInEnglish())
        return QStringLiteral("ENG");
    const QString stored = StoredLanguageCode();
    return stored.isEmpty() ? QStringLiteral("DEU") : stored;
}

bool TMainForm::databaseOpen() const
{
    if (eingabe)
        return eingabe->isVisible();
    return orvServer && orvServer->DatabaseOpen();
}

TMainState TMainForm::currentState() const
{
    TMainState s;
    if (orvServer) {
        s.Db = orvServer->daten.Active();
        s.Cfg = orvServer->config.Active();
        s.Conn = orvServer->orvDB.Connected();
    }
    s.Hrm = OutsideProgramExists(QStringLiteral("hrm.exe"));
    QWidget* focus = QApplication::focusWidget();
    const bool clipboardText = QApplication::clipboard() && !QApplication::clipboard()->text().isEmpty();
    if (auto* e = qobject_cast<QLineEdit*>(focus)) {
        s.CanCopy = e->hasSelectedText();
        s.CanPaste = !e->isReadOnly() && clipboardText;
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(focus)) {
        s.CanCopy = plain->textCursor().hasSelection();
        s.CanPaste = !plain->isReadOnly() && clipboardText;
    } else if (auto* rich = qobject_cast<QTextEdit*>(focus)) {
        s.CanCopy = rich->textCursor().hasSelection();
        s.CanPaste = !rich->isReadOnly() && clipboardText;
    }
    return s;
}

// ---------------------------------------------------------------------------------------------
// Handlers

void TMainForm::FormCreate(QObject*)
{
    SetHelpFile(ProgramFile(QStringLiteral("orv5help.chm")));
    manualFile_ = ProgramFile(QStringLiteral("handbuch.pdf"));
    const QString code = getLanguageCode();
    if (code.toUpper() != QLatin1String("DEU")) {
        SetHelpFile(ProgramFile(QStringLiteral("orv5help_%1.chm").arg(code)));
        manualFile_ = ProgramFile(QStringLiteral("handbuch_%1.pdf").arg(code));
    }
    setNavigator(QStringLiteral("Start"));
}

void TMainForm::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (!shown_) {
        shown_ = true;
        FormShow(this);
    }
}

void TMainForm::FormShow(QObject*)
{
    // The splash window goes first: a question of the database checks must not hide under it.
    freeIntroScreen();

    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    reg.OpenKey(QString::fromLatin1(kProgramRegistryKey), true);
    if (ParamCount() == 1) {
        openDatabaseFile(ParamStr(1));
    } else if (reg.ValueExists(QStringLiteral("QuickLoadAktiviert")) &&
               reg.ValueExists(QStringLiteral("QuickLoadFile"))) {
        bool on = false;
        try {
            on = reg.ReadBool(QStringLiteral("QuickLoadAktiviert"));
        } catch (const ERegistryException&) {
            on = false;  // a value that is no number counts as off
        }
        if (on) {
            const QString file = reg.ReadString(QStringLiteral("QuickLoadFile"));
            if (QFileInfo::exists(file))
                openDatabaseFile(file);
            else
                MessageDlg(LoadStr(msg::QuickLoadFolderMissing), mtError, {mbOK});
        }
    }
    reg.CloseKey();
}

void TMainForm::closeEvent(QCloseEvent* e)
{
    // A unit that could not be saved keeps the entry window, the database and the program open.
    if (databaseOpen() && !closeEntryWindow()) {
        e->ignore();
        return;
    }
    FormClose(this);
    QMainWindow::closeEvent(e);
}

void TMainForm::FormClose(QObject*)
{
    if (databaseOpen())
        closeEntryWindow();
    for (const char* name : {"Temp/~copy.xml", "Temp/~import.hrm"}) {
        const QString file = QDir(UserDataDir()).filePath(QString::fromLatin1(name));
        if (QFileInfo::exists(file))
            QFile::remove(file);
    }
}

void TMainForm::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    FormResize(this);
}

void TMainForm::FormResize(QObject*)
{
    if (eingabe && eingabe->isVisible())
        eingabe->fitToWorkArea();
}

void TMainForm::ActionManager1Update(TAction* Action, bool& Handled)
{
    Handled = true;
    const TMainActionInfo* info = FindMainAction(Action->Name());
    if (!info)
        return;
    Action->SetEnabled(MainActionEnabled(*info, currentState()));
}

bool TMainForm::openDatabaseFile(const QString& fileName)
{
    // A backup or restore killed on the way left its temporary files beside the database.
    RemoveBackupLeftovers(QFileInfo(fileName).absolutePath());
    if (!orvServer || !orvServer->openDatabase(fileName))
        return false;
    showEntryWindow();
    return true;
}

void TMainForm::showEntryWindow()
{
    // The entry window lies over the work area and chooses the views of its page.
    if (eingabe) {
        eingabe->Show();
        eingabe->raise();
    }
}

bool TMainForm::closeEntryWindow()
{
    // Closing the entry window is closing the database; the window may refuse (a unit being
    // entered that could not be saved).
    if (eingabe && eingabe->isVisible()) {
        eingabe->Close();
        return !eingabe->isVisible();
    }
    setNavigator(QStringLiteral("Start"));
    setTool(QStringLiteral("None"), true);
    if (orvServer)
        orvServer->closeDatabase();
    return true;
}

void TMainForm::compactDatabaseFile(const QString& fileName)
{
    CompactDatabase(fileName);
}

void TMainForm::FileNew1Execute(QObject*)
{
    const QString code = getLanguageCode();
    const QString suffix = code.toUpper() == QLatin1String("DEU") ? QString() : QLatin1Char('_') + code;
    if (!SaveDialog2.Execute(this))
        return;
    const QString fileName = SaveDialog2.FileName();
    const QString templateFile = ProgramFile(QStringLiteral("DB/leer%1.orv.system").arg(suffix));
    if (!QFileInfo::exists(templateFile)) {
        MessageDlg(tr("Die Vorlage für neue Datenbanken wurde nicht gefunden:\n%1\n"
                      "Es wurde keine Datenbank angelegt.")
                       .arg(QDir::toNativeSeparators(templateFile)),
                   mtError, {mbOK});
        return;
    }
    // A file of that name is replaced only when the user says so; otherwise nothing is opened.
    if (QFileInfo::exists(fileName) &&
        MessageDlg(tr("Die Datei %1 existiert bereits.\nSoll sie durch eine neue, leere Datenbank ersetzt werden?")
                       .arg(QDir::toNativeSeparators(fileName)),
                   mtConfirmation, mbYesNo) != mrYes)
        return;
    // The open database stays when its entry window refused to close.
    FileClose1->Execute();
    if (databaseOpen())
        return;
    if (!TryShowingError([&] { CopyFile(templateFile, fileName); }))
        return;
    if (openDatabaseFile(fileName))
        Action10->Execute();  // the options dialog of the new athlete
}

void TMainForm::FileOpen1Execute(QObject*)
{
    if (!OpenDialog.Execute(this))
        return;
    FileClose1->Execute();
    if (databaseOpen())
        return;  // the entry window refused to close
    openDatabaseFile(OpenDialog.FileName());
}

void TMainForm::FileClose1Execute(QObject*)
{
    if (databaseOpen())
        closeEntryWindow();
}

void TMainForm::FileDBReparieren1Execute(QObject*)
{
    if (databaseOpen()) {
        MessageDlg(LoadStr(msg::CloseAllUsersFirst), mtError, {mbOK});
        return;
    }
    if (!CompressDialog1.Execute(this))
        return;
    compactDatabaseFile(CompressDialog1.FileName());
    MessageDlg(LoadStr(msg::CompactionDone), mtInformation, {mbOK});
}

void TMainForm::Action23Execute(QObject*)
{
    ModalForm<TdbSichern> wizard(dbSichern, this);
    wizard->ShowModal();
    backupWritten_ = wizard->BackupWritten();
}

void TMainForm::Action24Execute(QObject*)
{
    ModalForm<TdbRestore> wizard(dbRestore, this);
    wizard->ShowModal();
}

void TMainForm::FileExit1Execute(QObject*)
{
    close();
}

void TMainForm::FilePrint1Execute(QObject*)
{
    // The current unit's print of the entry window.
    if (eingabe)
        eingabe->Action4->Execute();
}

void TMainForm::FileExcelImport1Execute(QObject*)
{
    ShowImportWizard(this, orvServer->daten, true);
}

void TMainForm::FileDBImport1Execute(QObject*)
{
    ShowImportWizard(this, orvServer->daten, false);
}

void TMainForm::Action26Execute(QObject*)
{
    ModalForm<TpolarImp> form(polarImp, this);
    form->ShowModal();
}

void TMainForm::Action28Execute(QObject*)
{
    ModalForm<Tgarminimp> form(garminimp, this);
    form->ShowModal();
}

void TMainForm::Action19Execute(QObject*)
{
    ModalForm<ToutImport> form(outImport, this);
    form->ShowModal();
}

void TMainForm::Action20Execute(QObject*)
{
    ModalForm<Tconvert5> form(convert5, this);
    form->ShowModal();
}

void TMainForm::TrainingslexikonExecute(QObject*)
{
    const QString code = getLanguageCode();
    const QString file = code.toUpper() == QLatin1String("DEU") ? QStringLiteral("Zaredor5.chm")
                                                                 : QStringLiteral("Lexicon5_%1.chm").arg(code);
    ExecuteFile(ProgramDir() + QLatin1Char('/') + file, QString(), QString(), SW_SHOW);
}

void TMainForm::Action29Execute(QObject*)
{
    const QString hrm = OutsideProgram(QStringLiteral("hrm.exe"));
    if (!hrm.isEmpty())
        ExecuteFile(hrm, QString(), ProgramDir(), SW_SHOW);
}

void TMainForm::Action10Execute(QObject*)
{
    ModalForm<TUmgebungsoptionen> options(Umgebungsoptionen, this);
    options->ShowModal();
}

void TMainForm::Action1Execute(QObject*)
{
    bool callHelp = true;
    showHelp(1, QStringLiteral("Willkommen"), callHelp);
}

void TMainForm::Action2Execute(QObject*)
{
    bool callHelp = true;
    showHelp(1, QStringLiteral("Hilfe0"), callHelp);
}

void TMainForm::FileRun1Execute(QObject*)
{
    ExecuteFile(manualFile_, QString(), QString(), SW_SHOWNORMAL);
}

void TMainForm::HelpAbout1Execute(QObject*)
{
    ModalForm<TAboutForm> about(AboutForm, this);
    about->ShowModal();
}

void TMainForm::StatZeitraum1Execute(QObject*)
{
    if (!ZeitNeu)
        ZeitNeu = new TZeitNeu(this);
    ZeitNeu->ShowModal();
}

void TMainForm::StatWochen1Execute(QObject*)
{
    ModalForm<TWochenstat> f(Wochenstat, this);
    f->ShowModal();
}

void TMainForm::StatJahr1Execute(QObject*)
{
    ModalForm<Tjahresstat> f(jahresstat, this);
    f->ShowModal();
}

void TMainForm::TrainingszeitenExecute(QObject*)
{
    ModalForm<TTraining> f(Training, this);
    f->ShowModal();
}

void TMainForm::TempoflexTrainExecute(QObject*)
{
    ModalForm<TTempoflex> f(Tempoflex, this);
    f->ShowModal();
}

void TMainForm::Action21Execute(QObject*)
{
    ModalForm<Tschwtempo> f(schwtempo, this);
    f->ShowModal();
}

void TMainForm::Action14Execute(QObject*)
{
    ModalForm<Tzeitenberechnung> f(zeitenberechnung, this);
    f->ShowModal();
}

void TMainForm::Action3Execute(QObject*)
{
    ModalForm<Tzeitenrechner> f(zeitenrechner, this);
    f->ShowModal();
}

void TMainForm::Action8Execute(QObject*)
{
    ModalForm<TeqManager> f(eqManager, this);
    f->ShowModal();
}

void TMainForm::Action4Execute(QObject*)
{
    ModalForm<Tmarschtab> f(marschtab, this);
    f->ShowModal();
}

void TMainForm::Action11Execute(QObject*)
{
    ModalForm<Tbody> f(body, this);
    f->ShowModal();
}

void TMainForm::Action6Execute(QObject*)
{
    ModalForm<TKalender> f(Kalender, this);
    f->ShowModal();
}

void TMainForm::Action12Execute(QObject*)
{
    ModalForm<TMaximPuls> f(MaximPuls, this);
    f->ShowModal();
}

void TMainForm::Action13Execute(QObject*)
{
    ModalForm<TPulsfrequenzen> f(Pulsfrequenzen, this);
    f->ShowModal();
}

void TMainForm::Action15Execute(QObject*)
{
    ModalForm<TLeistindex> f(Leistindex, this);
    f->ShowModal();
}

void TMainForm::Action18Execute(QObject*)
{
    ModalForm<TFormeln> f(Formeln, this);
    f->ShowModal();
}

void TMainForm::Action17Execute(QObject* Sender)
{
    // The navigator's button has placed the block list on its block; otherwise the newest.
    if (!qobject_cast<TXPButton*>(Sender) && orvServer->trainblockman.Active())
        orvServer->trainblockman.Last();
    {
        ModalForm<Tblockman> f(blockman, this);
        f->ShowModal();
    }
    // The units' block names are looked up in trainblock: it sees the blocks made, renamed or
    // deleted in the manager.
    if (orvServer->trainblock.Active())
        orvServer->trainblock.Requery();
}

void TMainForm::Action16Execute(QObject*)
{
    if (orvServer->plan_daten.Active())
        orvServer->plan_daten.Refresh();
    {
        ModalForm<TTrainForm> f(TrainForm, this);
        f->ShowModal();
    }
    // Units entered or deleted in the manager: daten reads them, and stays on its unit.
    TDataSet& daten = orvServer->daten;
    if (!daten.Active())
        return;
    daten.CheckBrowseMode();
    const QVariant current = daten.IsEmpty() ? QVariant() : daten.FieldByName(QStringLiteral("dat_Id"))->Value();
    daten.Requery();
    if (current.isValid())
        daten.Locate(QStringLiteral("dat_Id"), current);
}

void TMainForm::XPButton1Click(QObject* Sender)
{
    if (Sender && Sender->objectName() == QLatin1String("UiNavPanel4")) {
        if (Panel9->height() > kToolHeaderHeight)
            for (int h = 150; h >= kToolHeaderHeight; --h)
                setToolPaneHeight(h);
    } else if (Panel9->height() != kToolPaneHeight) {
        for (int h = 100; h <= kToolPaneHeight; ++h)
            setToolPaneHeight(h);
    }
}

void TMainForm::XPButton3Click(QObject*)
{
    PopupMenu1->popup(QCursor::pos());
}

void TMainForm::Zwischenzeiten1Click(QObject*)
{
    setTool(QStringLiteral("Zwischenzeit"), false);
}

void TMainForm::Bio1Click(QObject*)
{
    setTool(QStringLiteral("Bio"), false);
}

void TMainForm::Equipment1Click(QObject*)
{
    setTool(QStringLiteral("Equipment"), false);
}

void TMainForm::QuickStat1Click(QObject*)
{
    setTool(QStringLiteral("QuickStat"), false);
}

void TMainForm::Vorschau1Click(QObject*)
{
    setTool(QStringLiteral("Vorschau"), false);
}

void TMainForm::Wochendetails1Click(QObject*)
{
    setTool(QStringLiteral("Woche"), false);
}

void TMainForm::Kalender1Click(QObject*)
{
    setTool(QStringLiteral("Kalender"), false);
}

void TMainForm::setCaption(const QString& caption)
{
    setWindowTitle(caption);
}

bool TMainForm::runBackupWizard()
{
    // The database check repairs after Yes only when the wizard really wrote a backup.
    backupWritten_ = false;
    Action23->Execute();
    return backupWritten_;
}
