// The rules of the lookup tables (sports, training forms, load levels, load types, units of
// measure), of the equipment, route, best-time and tools managers' tables, of the diary, and
// the calculated fields of the statistics and explorer queries.
#include <cmath>

#include "core/language.h"
#include "core/orvdatabase.h"
#include "core/orvdbserver.h"
#include "core/sound.h"
#include "core/besttimemanagerview.h"
#include "core/diarycalendarview.h"
#include "core/equipmentmanagerview.h"
#include "core/routemanagerview.h"
#include "core/toolscatalogueview.h"
#include "core/views.h"
#include "platform/db/query.h"
#include "platform/vcl/dialogs.h"

namespace {

// A lookup table as the rules see it: its key and order columns, the column of DATEN that
// refers to it, and the word its messages name it by.
struct LookupTable {
    const char* table;
    const char* key;
    const char* order;
    const char* datenColumn;
    int word;
};

const LookupTable kSportart{"sportart", "Spo_Id", "Spo_orderID", "sportart", msg::Sportart};
const LookupTable kForm{"FORM", "For_Id", "For_orderId", "form", msg::Form};
const LookupTable kBelStufe{"BELSTUFE", "bel_ID", "bel_orderID", "belastungsstufe", msg::Belastungsstufe};
const LookupTable kBelArt{"BELART", "bea_ID", "bea_orderID", "belastungsart", msg::Belastungsart};

// True when a row of the file's table has the value in the column. Read from the file, not from
// a dataset's snapshot, so that units written elsewhere count too.
bool valueUsed(TConnection& db, const QString& table, const QString& column, const QVariant& value)
{
    TQuery q;
    q.SetConnection(&db);
    q.SetSQLText(QStringLiteral("Select count(*) as n from ") + table + QStringLiteral(" where ") + column +
                 QStringLiteral(" = :value"));
    q.ParamByName(QStringLiteral("value"))->SetValue(value);
    q.Open();
    const bool used = q.Field(0)->AsInteger() > 0;
    q.Close();
    return used;
}

QString wordMessage(int message, int word)
{
    return Format(LoadStr(message), {LoadStr(word)});
}

// A row that units use, and row 0, stay: an error box, then the delete is dropped.
void checkLookupDelete(TorvServer& server, TDataSet& ds, const LookupTable& t)
{
    const QVariant key = ds.FieldByName(QString::fromLatin1(t.key))->Value();
    if (valueUsed(server.orvDB, QStringLiteral("daten"), QString::fromLatin1(t.datenColumn), key)) {
        MessageDlg(wordMessage(msg::LookupStillUsed, t.word), mtError, TMsgDlgButtons{mbOK});
        throw EAbort();
    }
    if (!key.isNull() && key.toInt() == 0) {
        MessageDlg(wordMessage(msg::LookupOnlyRename, t.word), mtError, TMsgDlgButtons{mbOK});
        throw EAbort();
    }
}

// The key of row 0, and of any row that units use, cannot change: the units would lose their
// entry. A new row's key (no old value) is free.
void checkLookupKeyChange(TorvServer& server, TField* sender, const LookupTable& t)
{
    const QVariant old = sender->OldValue();
    if (!old.isValid() || old.isNull() || old == sender->Value())
        return;
    if (old.toInt() == 0)
        throw Exception(wordMessage(msg::LookupOnlyRename, t.word));
    if (valueUsed(server.orvDB, QStringLiteral("daten"), QString::fromLatin1(t.datenColumn), old))
        throw Exception(wordMessage(msg::LookupStillUsed, t.word));
}

void numberNewLookupRow(TDataSet& ds, const LookupTable& t)
{
    const QString key = QString::fromLatin1(t.key);
    const QString order = QString::fromLatin1(t.order);
    ds.FieldByName(key)->SetAsInteger(GetMaxFieldValue(ds, key) + 1);
    ds.FieldByName(order)->SetAsInteger(GetMaxFieldValue(ds, order) + 1);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Lookup tables.

void TorvServer::sportartBeforeDelete(TDataSet* dataSet)
{
    checkLookupDelete(*this, *dataSet, kSportart);
}

void TorvServer::formBeforeDelete(TDataSet* dataSet)
{
    checkLookupDelete(*this, *dataSet, kForm);
}

void TorvServer::belStufeBeforeDelete(TDataSet* dataSet)
{
    checkLookupDelete(*this, *dataSet, kBelStufe);
}

void TorvServer::belArtBeforeDelete(TDataSet* dataSet)
{
    checkLookupDelete(*this, *dataSet, kBelArt);
}

void TorvServer::sportartSpo_IdValidate(TField* sender)
{
    checkLookupKeyChange(*this, sender, kSportart);
}

void TorvServer::formFor_IdValidate(TField* sender)
{
    checkLookupKeyChange(*this, sender, kForm);
}

void TorvServer::belStufebel_IDValidate(TField* sender)
{
    checkLookupKeyChange(*this, sender, kBelStufe);
}

void TorvServer::belArtbea_IDValidate(TField* sender)
{
    checkLookupKeyChange(*this, sender, kBelArt);
}

void TorvServer::sportartNewRecord(TDataSet* dataSet)
{
    numberNewLookupRow(*dataSet, kSportart);
}

void TorvServer::formNewRecord(TDataSet* dataSet)
{
    numberNewLookupRow(*dataSet, kForm);
}

void TorvServer::belStufeNewRecord(TDataSet* dataSet)
{
    numberNewLookupRow(*dataSet, kBelStufe);
}

void TorvServer::belArtNewRecord(TDataSet* dataSet)
{
    numberNewLookupRow(*dataSet, kBelArt);
}

void TorvServer::sportartSpo_ZeitraumStandardSetText(TField* sender, const QString& text)
{
    const QString typed = text.toLower();
    sender->SetAsBoolean(typed == QLatin1String("wahr") || typed == QLatin1String("true"));
}

void TorvServer::distancespeedBeforeDelete(TDataSet* dataSet)
{
    // Only units marked as the user's own may go, and only while no sport measures in them.
    TField* allowed = dataSet->FieldByName(QStringLiteral("unt_allawedit"));
    if (allowed->IsNull() || !allowed->AsBoolean())
        throw EAbort();
    const QVariant id = dataSet->FieldByName(QStringLiteral("unt_id"))->Value();
    if (valueUsed(orvDB, QStringLiteral("sportart"), QStringLiteral("spo_distance"), id) ||
        valueUsed(orvDB, QStringLiteral("sportart"), QStringLiteral("spo_speed"), id)) {
        MessageDlg(wordMessage(msg::LookupStillUsed, msg::Unit), mtError, TMsgDlgButtons{mbOK});
        throw EAbort();
    }
}

// ---------------------------------------------------------------------------------------------
// Equipment.

void TorvServer::equipmentNewRecord(TDataSet* dataSet)
{
    dataSet->FieldByName(QStringLiteral("equ_Kaufdatum"))->SetAsDateTime(Date());
    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        TField* f = dataSet->Field(i);
        const QString text = f->DefaultExpression();
        if (text.isEmpty())
            continue;
        if (f->DataType() == ftBoolean)
            f->SetAsBoolean(text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0);
        else
            f->SetAsString(text);
    }
}

void TorvServer::equipmentBeforeDelete(TDataSet*)
{
    if (MessageDlg(LoadStr(msg::ConfirmDeleteRecord), mtConfirmation, mbYesNo) != mrYes)
        throw EAbort();
}

void TorvServer::dsEquipmentDataChange(TDataSource*, TField*)
{
    EquipmentManagerView* manager = View<EquipmentManagerView>();
    if (!manager)
        return;
    manager->fillTreeView();
    manager->showUsage();
    manager->synchronizeOverview();
}

// ---------------------------------------------------------------------------------------------
// Best times.

void TorvServer::bestzeitenAfterPost(TDataSet*)
{
    // The applause comes from the best-time manager; rows stored elsewhere (imports) stay quiet.
    if (View<BestTimeManagerView>())
        PlaySound(BestTimeSoundFile());
}

void TorvServer::bestzeitenBeforeDelete(TDataSet*)
{
    if (MessageDlg(LoadStr(msg::ConfirmDeleteRecord), mtConfirmation, mbYesNo) != mrYes)
        throw EAbort();
}

void TorvServer::dsBestzeitenDataChange(TDataSource*, TField*)
{
    BestTimeManagerView* manager = View<BestTimeManagerView>();
    if (!manager)
        return;
    manager->fillTreeView();
    manager->synchronizeOverview();
}

// ---------------------------------------------------------------------------------------------
// Routes: while a route is edited its points are closed, so no point is edited with it.

void TorvServer::streckeBeforeEdit(TDataSet*)
{
    strPunkte.Close();
}

void TorvServer::streckeBeforeInsert(TDataSet*)
{
    strPunkte.Close();
}

void TorvServer::streckeAfterPost(TDataSet*)
{
    strPunkte.Open();
}

void TorvServer::streckeAfterCancel(TDataSet*)
{
    strPunkte.Open();
}

void TorvServer::strPunkteAfterDelete(TDataSet*)
{
    if (RouteManagerView* manager = View<RouteManagerView>())
        manager->refreshChart();
}

void TorvServer::dsStreckeDataChange(TDataSource*, TField*)
{
    RouteManagerView* manager = View<RouteManagerView>();
    if (!manager)
        return;
    manager->fillTreeView();
    manager->synchronizeOverview();
    manager->refreshChart();
}

// ---------------------------------------------------------------------------------------------
// Diary and tools catalogue.

void TorvServer::tagebuchBeforePost(TDataSet* dataSet)
{
    if (dataSet->State() != dsInsert)
        return;
    // The day chosen in the calendar; today while the calendar does not exist.
    const DiaryCalendarView* calendar = View<DiaryCalendarView>();
    dataSet->FieldByName(QStringLiteral("tgb_datum"))->SetAsDateTime(calendar ? calendar->selectedDay() : Date());
}

void TorvServer::dsToolsDataChange(TDataSource*, TField*)
{
    ToolsCatalogueView* catalogue = View<ToolsCatalogueView>();
    if (!catalogue || !tools.Active() || tools.IsEmpty())
        return;
    const QString fileName = tools.FieldByName(QStringLiteral("too_filename"))->AsString();
    TField* html = tools.FieldByName(QStringLiteral("too_html"));
    if (!fileName.isEmpty() && !html->IsNull() && html->AsBoolean())
        catalogue->navigate(fileName);
}

// ---------------------------------------------------------------------------------------------
// Calculated fields of the statistics and explorer queries.

void TorvServer::zeitraumdistanceGetText(TField* sender, QString& text, bool)
{
    // The saved query writes the distance with the decimal separator of the language the
    // database was created in ("9,5 km"); it is shown with the user's, as every other number.
    text = sender->AsString();
    int i = 0;
    while (i < text.size() && text[i].isDigit())
        ++i;
    if (i > 0 && i + 1 < text.size() && (text[i] == QLatin1Char(',') || text[i] == QLatin1Char('.')) &&
        text[i + 1].isDigit())
        text[i] = FormatSettings().DecimalSeparator;
}

void TorvServer::zeitraumCalcFields(TDataSet* dataSet)
{
    TDataSet& ds = *dataSet;
    TField* meter = ds.FieldByName(QStringLiteral("Meter"));
    TField* zeitField = ds.FieldByName(QStringLiteral("Zeit"));
    TField* minkm = ds.FieldByName(QStringLiteral("minkm"));
    if (!meter->IsNull() && meter->AsInteger() != 0 && !zeitField->IsNull() && zeitField->AsFloat() != 0) {
        TField* sport = ds.FieldByName(QStringLiteral("Sportart"));
        // A block's row sums its units' times, which may pass a day: every hour counts.
        minkm->SetAsDateTime(
            calcTotalPace(zeitField->AsFloat(), meter->AsInteger(), sport->IsNull() ? 0 : sport->AsInteger()));
        ds.FieldByName(QStringLiteral("kmh"))->SetAsFloat(calcTotalKmh(zeitField->AsFloat(), meter->AsInteger()));
    }
    TField* datum = ds.FieldByName(QStringLiteral("Datum"));
    if (!datum->IsNull())
        ds.FieldByName(QStringLiteral("Tag"))->SetAsString(FormatDateTime(QStringLiteral("ddd"), datum->AsDateTime()) + QLatin1Char('.'));
    ds.FieldByName(QStringLiteral("lSpeed"))
        ->SetAsString(minkm->DisplayText() + QLatin1Char(' ') + ds.FieldByName(QStringLiteral("SpeedName"))->AsString());
}

void TorvServer::zeitraumZeitGetText(TField* sender, QString& text, bool)
{
    if (sender->IsNull()) {
        text.clear();
        return;
    }
    const TDateTime t = sender->AsFloat();
    if (t < 1.0 || !std::isfinite(t)) {
        text = FormatDateTime(sender->DisplayFormat().isEmpty() ? QStringLiteral("hh:mm:ss") : sender->DisplayFormat(), t);
        return;
    }
    const int64_t seconds = Round(t * 86400000.0) / 1000;
    text = QStringLiteral("%1:%2:%3")
               .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
               .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
               .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void TorvServer::zeitraum_oldCalcFields(TDataSet* dataSet)
{
    TField* datum = dataSet->FieldByName(QStringLiteral("Datum"));
    if (!datum->IsNull())
        dataSet->FieldByName(QStringLiteral("Tag"))->SetAsString(FormatDateTime(QStringLiteral("ddd"), datum->AsDateTime()) + QLatin1Char('.'));
}

void TorvServer::explorerCalcFields(TDataSet* dataSet)
{
    TField* sport = dataSet->FieldByName(QStringLiteral("Sportart"));
    TField* meter = dataSet->FieldByName(QStringLiteral("Meter"));
    if (sport->IsNull())
        return;
    try {
        const double distance = GetUnitDistance(sport->AsInteger(), meter->IsNull() ? 0 : meter->AsInteger());
        dataSet->FieldByName(QStringLiteral("distanz"))
            ->SetAsString(FloatToStr(distance) + QLatin1Char(' ') + GetUnitName(sport->AsInteger()));
    } catch (const EConvertError&) {
        // A sport without a unit of measure shows no distance rather than failing the list.
    }
}
