#include "analysis/webtools.h"

#include "ui_webtools.h"

#include <QFileInfo>
#include <QPainter>
#include <QUrl>

#include "analysis/bodymass.h"
#include "analysis/tflex.h"
#include "analysis/toolstree.h"
#include "core/orvdbserver.h"
#include "core/views.h"
#include "platform/db/fields.h"
#include "platform/rtl/graphics.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/databinding.h"
#include "platform/vcl/events.h"

TFormeln* Formeln = nullptr;

namespace {

// The start button's picture: a green "play" triangle.
QImage startGlyph()
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(20, 110, 40));
    p.setBrush(QColor(60, 170, 80));
    const QPointF tri[] = {{4, 2}, {13, 8}, {4, 14}};
    p.drawPolygon(tri, 3);
    return img;
}

}  // namespace

TFormeln::TFormeln(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TFormeln>())
{
    ui->setupUi(this);
    TreeView1 = ui->TreeView1;
    DBEdit1 = ui->DBEdit1;
    DBEdit2 = ui->DBEdit2;
    DBEdit3 = ui->DBEdit3;
    DBCheckBox1 = ui->DBCheckBox1;
    DBCheckBox2 = ui->DBCheckBox2;
    DBCheckBox3 = ui->DBCheckBox3;
    DBNavigator1 = ui->DBNavigator1;
    Button1 = ui->Button1;
    SpeedButton1 = ui->SpeedButton1;
    WebBrowser1 = ui->WebBrowser1;
    WebBrowser1->setOpenLinks(false);

    QPalette pal = ui->Label1->palette();
    pal.setColor(QPalette::Window, ToQColor(clBtnShadow));
    pal.setColor(QPalette::WindowText, Qt::white);
    ui->Label1->setPalette(pal);
    SpeedButton1->SetGlyph(startGlyph());
    SpeedButton1->setToolTip(tr("Starten"));

    BindDataControls(this, [](const QString& n) { return orvServer ? orvServer->FindDataSource(n) : nullptr; });
    if (orvServer)
        DBNavigator1->SetDataSource(&orvServer->dsTools);
    DBNavigator1->SetVisibleButtons({nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbPost, nbCancel});

    OnShow = Handler(this, &TFormeln::FormShow);
    QObject::connect(TreeView1, &QTreeWidget::itemClicked, this,
                     [h = Handler(this, &TFormeln::TreeView1Click), this] { h(TreeView1); });
    OnButtonClick(Button1, Handler(this, &TFormeln::Button1Click));
    SpeedButton1->OnClick = Handler(this, &TFormeln::SpeedButton1Click);
    RegisterView<ToolsCatalogueView>(this);
}

TFormeln::~TFormeln()
{
    UnregisterView<ToolsCatalogueView>(this);
}

int TFormeln::NodeData(const QTreeWidgetItem* node)
{
    return node ? node->data(0, Qt::UserRole).toInt() : -1;
}

void TFormeln::FormShow(QObject*)
{
    fillTreeView();
}

void TFormeln::fillTreeView()
{
    TreeView1->clear();
    // The tools belong to the athlete's database: without one open there is nothing to list.
    if (!orvServer || !orvServer->orvDB.Connected())
        return;
    const QList<TToolCategory> categories = ReadToolCategories(orvServer->orvDB);
    for (const TToolCategory& c : categories) {
        auto* node = new QTreeWidgetItem(TreeView1, QStringList{c.Name});
        node->setData(0, Qt::UserRole, -1);
        for (const TToolNode& t : c.Tools) {
            auto* child = new QTreeWidgetItem(node, QStringList{t.Name});
            child->setData(0, Qt::UserRole, t.Id);
        }
    }
    TreeView1->sortItems(0, Qt::AscendingOrder);
    TreeView1->expandAll();
}

void TFormeln::TreeView1Click(QObject*)
{
    const int id = NodeData(TreeView1->currentItem());
    if (id > -1)
        orvServer->tools.Locate(QStringLiteral("too_id"), id);
}

void TFormeln::Button1Click(QObject*)
{
    if (OpenDialog1.Execute(this))
        orvServer->tools.FieldByName(QStringLiteral("too_filename"))->SetAsString(OpenDialog1.FileName());
}

void TFormeln::SpeedButton1Click(QObject*)
{
    TTable& tools = orvServer->tools;
    if (!tools.Active() || tools.IsEmpty())
        return;
    TField* package = tools.FieldByName(QStringLiteral("too_delphipackage"));
    if (package->IsNull() || !package->AsBoolean())
        return;
    // Names compare exactly, with case.
    const QString name = tools.FieldByName(QStringLiteral("too_Name"))->AsString();
    if (name == QStringLiteral("Bodymaßindex")) {
        ModalForm<Tbody> f(body, this);
        f->ShowModal();
    } else if (name == QStringLiteral("Tempoflex")) {
        ModalForm<TTempoflex> f(Tempoflex, this);
        f->ShowModal();
    }
}

void TFormeln::navigate(const QString& fileName)
{
    // Only the tool's own local page is shown; anything else stays out of the browser.
    const QFileInfo file(fileName);
    const QString suffix = file.suffix().toLower();
    if (!file.isFile() || (suffix != QLatin1String("html") && suffix != QLatin1String("htm")))
        return;
    WebBrowser1->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
}
