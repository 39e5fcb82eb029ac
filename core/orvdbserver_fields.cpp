// The data module's datasets as the windows see them: the table or SQL of each, its order and
// master link, and every field in its order with type, size, label, formats, width, required
// and read-only flags, default text, and its lookup or calculated kind. The copy-and-paste
// buffer and the grids rely on the field order of `daten`.
#include "core/orvdbserver.h"

namespace {

constexpr const char* kTimeMask = "!90:00:00;1;_";

struct ColumnDecl {
    const char* name;
    TFieldType type;
    int size;
};

// The DATEN columns from dat_Id to platz, in table order, as several datasets declare them.
constexpr ColumnDecl kDatenColumns[] = {
    {"dat_Id", ftAutoInc, 0},         {"Datum", ftDateTime, 0},
    {"Ort", ftString, 30},            {"Form", ftInteger, 0},
    {"Startzeit", ftDateTime, 0},     {"Gefuehl", ftString, 15},
    {"Zeit", ftDateTime, 0},          {"Meter", ftInteger, 0},
    {"Wetter", ftString, 15},         {"Wind", ftString, 15},
    {"Hoehendifferenz", ftSmallint, 0}, {"Bemerkungen", ftMemo, 0},
    {"Temperatur", ftSmallint, 0},    {"Puls", ftSmallint, 0},
    {"Belastungsart", ftSmallint, 0}, {"Streckenbeschreibung", ftString, 255},
    {"Sportart", ftInteger, 0},       {"Gli", ftFloat, 0},
    {"Gewicht", ftFloat, 0},          {"Belastungsstufe", ftSmallint, 0},
    {"User1", ftString, 20},          {"User2", ftFloat, 0},
    {"Maxpuls", ftInteger, 0},        {"Ruhepuls", ftInteger, 0},
    {"Erholungspuls", ftInteger, 0},  {"Fett", ftFloat, 0},
    {"kcal", ftInteger, 0},           {"platz", ftSmallint, 0},
};

TField* add(TDataSet& ds, const char* name, TFieldType type, int size = 0)
{
    TField* f = ds.AddField(QString::fromLatin1(name), type, size);
    if (type == ftAutoInc)
        f->SetReadOnly(true);
    return f;
}

TField* calc(TDataSet& ds, const char* name, TFieldType type, int size = 0)
{
    return ds.AddField(QString::fromLatin1(name), type, size, fkCalculated);
}

TField* lookup(TDataSet& ds, const char* name, TFieldType type, int size, TDataSet& in,
               const char* key, const char* lookupKey, const char* result)
{
    return ds.AddLookupField(QString::fromLatin1(name), type, size, &in, QString::fromLatin1(key),
                             QString::fromLatin1(lookupKey), QString::fromLatin1(result));
}

void addDatenColumns(TDataSet& ds)
{
    for (const ColumnDecl& c : kDatenColumns)
        add(ds, c.name, c.type, c.size);
}

TField* required(TField* f)
{
    f->SetRequired(true);
    return f;
}

TField* withDefault(TField* f, const char* text)
{
    f->SetDefaultExpression(QString::fromUtf8(text));
    return f;
}

TField* label(TField* f, const char* text)
{
    f->SetDisplayLabel(QString::fromUtf8(text));
    return f;
}

TField* format(TField* f, const char* displayFormat, const char* editMask = nullptr)
{
    f->SetDisplayFormat(QString::fromLatin1(displayFormat));
    if (editMask)
        f->SetEditMask(QString::fromLatin1(editMask));
    return f;
}

TField* width(TField* f, int chars)
{
    f->SetDisplayWidth(chars);
    return f;
}

void setFormat(TDataSet& ds, const char* field, const char* displayFormat)
{
    ds.FieldByName(QString::fromLatin1(field))->SetDisplayFormat(QString::fromLatin1(displayFormat));
}

// --- fields of each dataset --------------------------------------------------------------------

// daten: the current unit of the whole program.
void declareDatenFields(TorvServer& s)
{
    TDataSet& d = s.daten;
    calc(d, "minkm", ftTime);
    format(calc(d, "kmh", ftFloat), "#.##");
    calc(d, "Tag", ftString, 10);
    add(d, "dat_Id", ftAutoInc);
    required(add(d, "Datum", ftDateTime));
    add(d, "Ort", ftString, 30);
    required(add(d, "Form", ftInteger));
    format(add(d, "Startzeit", ftDateTime), "hh:mm", kTimeMask);
    add(d, "Gefuehl", ftString, 15);
    format(required(add(d, "Zeit", ftDateTime)), "hh:mm:ss", kTimeMask);
    // Whole metres, typed in the sport's unit ("10,5" km).
    add(d, "Meter", ftInteger)->SetDecimalInput(true);
    add(d, "Wetter", ftString, 15);
    add(d, "Wind", ftString, 15);
    withDefault(required(add(d, "Hoehendifferenz", ftSmallint)), "0");
    add(d, "Bemerkungen", ftMemo);
    add(d, "Temperatur", ftSmallint);
    withDefault(add(d, "Puls", ftSmallint), "0");
    required(add(d, "Belastungsart", ftSmallint));
    add(d, "Streckenbeschreibung", ftString, 255);
    required(add(d, "Sportart", ftInteger));
    withDefault(add(d, "Gli", ftFloat), "0");
    withDefault(add(d, "Gewicht", ftFloat), "0");
    required(add(d, "Belastungsstufe", ftSmallint));
    add(d, "User1", ftString, 20);
    withDefault(add(d, "User2", ftFloat), "0");
    withDefault(add(d, "Maxpuls", ftInteger), "0");
    withDefault(add(d, "Ruhepuls", ftInteger), "0");
    withDefault(add(d, "Erholungspuls", ftInteger), "0");
    withDefault(add(d, "Fett", ftFloat), "0");
    withDefault(add(d, "kcal", ftInteger), "0");
    withDefault(add(d, "platz", ftSmallint), "0");
    add(d, "trainingsblock", ftInteger);
    lookup(d, "SportName", ftString, 20, s.sportart, "Sportart", "SPO_ID", "SPO_NAME");
    lookup(d, "trbname", ftString, 50, s.trainblock, "trainingsblock", "trb_Id", "trb_Name");
    width(calc(d, "lSpeed", ftString, 15), 15);
    width(calc(d, "lDistance", ftString, 12), 12);
    withDefault(add(d, "akplatz", ftSmallint), "0");
}

// navSuchen: the navigator's search.
void declareNavSuchenFields(TorvServer& s)
{
    addDatenColumns(s.navSuchen);
    setFormat(s.navSuchen, "Datum", "dd.MM.yy");
    setFormat(s.navSuchen, "Zeit", "hh:mm:ss");
    add(s.navSuchen, "akplatz", ftSmallint);
    add(s.navSuchen, "trainingsblock", ftInteger);
}

// explorer
void declareExplorerFields(TorvServer& s)
{
    lookup(s.explorer, "lookForm", ftString, 55, s.form, "Form", "For_Id", "For_Form");
    lookup(s.explorer, "lookBelArt", ftString, 55, s.belArt, "Belastungsart", "bea_ID", "bea_Name");
    lookup(s.explorer, "lookBelStufe", ftString, 55, s.belStufe, "Belastungsstufe", "bel_ID", "bel_Name");
    lookup(s.explorer, "lookSportart", ftString, 55, s.sportart, "Sportart", "Spo_Id", "Spo_Name");
    addDatenColumns(s.explorer);
    setFormat(s.explorer, "Zeit", "hh:mm:ss");
    add(s.explorer, "trainingsblock", ftInteger);
    add(s.explorer, "akplatz", ftSmallint);
    calc(s.explorer, "distanz", ftString, 20);
    add(s.explorer, "Spo_orderID", ftSmallint);
}

// eqdetail
void declareEqdetailFields(TorvServer& s)
{
    lookup(s.eqdetail, "sportName", ftString, 50, s.sportart, "Sportart", "Spo_Id", "Spo_Name");
    lookup(s.eqdetail, "formName", ftString, 50, s.form, "form", "For_Id", "For_Form");
    addDatenColumns(s.eqdetail);
    setFormat(s.eqdetail, "Zeit", "hh:mm:ss");
    add(s.eqdetail, "trainingsblock", ftInteger);
}

// datenblockdetail: the units of the current unit's block.
void declareDatenblockdetailFields(TorvServer& s)
{
    addDatenColumns(s.datenblockdetail);
    add(s.datenblockdetail, "trainingsblock", ftInteger);
    lookup(s.datenblockdetail, "formName", ftString, 50, s.form, "form", "For_Id", "For_Form");
    lookup(s.datenblockdetail, "sportName", ftString, 50, s.sportart, "Sportart", "Spo_Id", "Spo_Name");
}

// trainblockman_detail: the units of the block chosen in the block manager.
void declareTrainblockmanDetailFields(TorvServer& s)
{
    lookup(s.trainblockman_detail, "SportName", ftString, 20, s.sportart, "Sportart", "SPO_ID", "SPO_NAME");
    addDatenColumns(s.trainblockman_detail);
    setFormat(s.trainblockman_detail, "Zeit", "hh:mm:ss");
    add(s.trainblockman_detail, "trainingsblock", ftInteger);
    lookup(s.trainblockman_detail, "FormName", ftString, 25, s.form, "Form", "For_Id", "For_Form");
    add(s.trainblockman_detail, "akplatz", ftSmallint);
}

// zeitraum_old
void declareZeitraumOldFields(TorvServer& s)
{
    TDataSet& d = s.zeitraum_old;
    add(d, "trainingsblock", ftInteger);
    label(lookup(d, "SportName", ftString, 20, s.sportart, "SPORTART", "SPO_ID", "SPO_NAME"), "Sportart");
    label(lookup(d, "formName", ftString, 25, s.form, "FORM", "FOR_ID", "FOR_FORM"), "Form");
    label(lookup(d, "belStufeName", ftString, 25, s.belStufe, "BELASTUNGSSTUFE", "BEL_ID", "BEL_NAME"),
          "Belastungsstufe");
    label(lookup(d, "belArtName", ftString, 25, s.belArt, "BELASTUNGSART", "BEA_ID", "BEA_NAME"),
          "Belastungsart");
    calc(d, "Tag", ftString, 10);
    addDatenColumns(d);
    setFormat(d, "Datum", "dd.MM.yy");
    setFormat(d, "Startzeit", "hh:mm");
    setFormat(d, "Zeit", "hh:mm:ss");
}

// zeitraum: the period statistics over the saved query.
void declareZeitraumFields(TorvServer& s)
{
    TDataSet& d = s.zeitraum;
    width(add(d, "Datum", ftDateTime), 10);
    width(calc(d, "Tag", ftString, 10), 4);
    width(add(d, "Ort", ftString, 255), 20);
    width(add(d, "Meter", ftInteger), 7);
    width(format(add(d, "Zeit", ftTime), "hh:mm:ss"), 8);
    width(label(add(d, "Spo_Name", ftString, 20), "Sportart"), 14);
    width(label(add(d, "For_Form", ftString, 20), "Form"), 12);
    width(label(add(d, "bea_Name", ftString, 50), "Bel.Art"), 10);
    width(label(add(d, "bel_Name", ftString, 50), "Bel.Stufe"), 10);
    width(add(d, "Puls", ftSmallint), 3);
    width(label(add(d, "Hoehendifferenz", ftSmallint), "HDiff"), 5);
    width(format(add(d, "Startzeit", ftTime), "hh:mm:ss"), 8);
    width(add(d, "Gefuehl", ftString, 255), 12);
    width(format(calc(d, "minkm", ftTime), "hh:mm:ss"), 8);
    width(format(calc(d, "kmh", ftFloat), "#0.0"), 5);
    width(add(d, "trainingsblock", ftInteger), 5);
    add(d, "dat_Id", ftInteger);
    add(d, "Form", ftInteger);
    width(add(d, "Wetter", ftString, 255), 10);
    width(add(d, "Wind", ftString, 255), 10);
    width(add(d, "Temperatur", ftSmallint), 3);
    add(d, "Belastungsart", ftSmallint);
    width(add(d, "Streckenbeschreibung", ftString, 255), 20);
    add(d, "Sportart", ftInteger);
    width(add(d, "Gli", ftFloat), 5);
    width(add(d, "Gewicht", ftFloat), 3);
    add(d, "Belastungsstufe", ftSmallint)->SetVisible(false);
    width(add(d, "User1", ftString, 255), 10);
    width(add(d, "User2", ftFloat), 5);
    width(add(d, "Maxpuls", ftInteger), 3);
    width(add(d, "Ruhepuls", ftInteger), 3);
    width(add(d, "Erholungspuls", ftInteger), 3);
    width(add(d, "Fett", ftFloat), 4);
    width(add(d, "kcal", ftFloat), 4);
    width(add(d, "platz", ftSmallint), 5);
    width(label(calc(d, "lSpeed", ftString, 20), "Speed"), 12);
    TField* distance = width(label(add(d, "distance", ftString, 30), "Distanz"), 10);
    distance->SetReadOnly(true);
    width(add(d, "SpeedName", ftString, 9), 4);
}

// sportart
void declareSportartFields(TorvServer& s)
{
    TDataSet& d = s.sportart;
    required(add(d, "Spo_Id", ftInteger));
    required(add(d, "Spo_Name", ftString, 20));
    withDefault(required(add(d, "Spo_Farbe", ftInteger)), "-1");
    withDefault(add(d, "Spo_Raster", ftInteger), "-1");
    add(d, "Spo_Zahl", ftFloat);
    add(d, "Spo_Text", ftString, 50);
    add(d, "Spo_Image", ftBlob);
    label(withDefault(required(add(d, "Spo_ZeitraumStandard", ftBoolean)), "true"), "Zeitraumstandard");
    required(add(d, "Spo_speed", ftInteger));
    required(add(d, "Spo_distance", ftInteger));
    required(add(d, "Spo_orderID", ftSmallint));
    // The lists offer speed units (unt_type 2) and distance units (unt_type 1) only, and a
    // sport pointing at a unit of the other kind shows no unit name.
    lookup(d, "lSpeed", ftString, 25, s.distancespeed, "Spo_speed", "unt_id", "unt_name")
        ->SetCustomConstraint(QStringLiteral("unt_type =2"));
    lookup(d, "lDistance", ftString, 15, s.distancespeed, "Spo_distance", "unt_id", "unt_name")
        ->SetCustomConstraint(QStringLiteral("unt_type = 1"));
}

// form
void declareFormFields(TorvServer& s)
{
    required(add(s.form, "For_Id", ftInteger));
    required(add(s.form, "For_Form", ftString, 20));
    required(add(s.form, "For_Farbe", ftInteger));
    add(s.form, "For_Zahl", ftFloat);
    add(s.form, "For_Text", ftString, 50);
    required(add(s.form, "For_Planung", ftBoolean));
    add(s.form, "For_Image", ftBlob);
    required(add(s.form, "For_orderId", ftSmallint));
}

// belStufe
void declareBelStufeFields(TorvServer& s)
{
    add(s.belStufe, "bel_ID", ftInteger);
    add(s.belStufe, "bel_Name", ftString, 50);
    add(s.belStufe, "bel_HFStart", ftSmallint);
    add(s.belStufe, "bel_HFEnde", ftSmallint);
    add(s.belStufe, "bel_Farbe", ftInteger);
    add(s.belStufe, "bel_Zahl", ftFloat);
    add(s.belStufe, "bel_Text", ftString, 50);
    add(s.belStufe, "bel_orderID", ftSmallint);
}

// belArt
void declareBelArtFields(TorvServer& s)
{
    add(s.belArt, "bea_ID", ftInteger);
    add(s.belArt, "bea_Name", ftString, 50);
    add(s.belArt, "bea_Farbe", ftInteger);
    add(s.belArt, "bea_Zahl", ftFloat);
    add(s.belArt, "bea_Text", ftString, 50);
    add(s.belArt, "bea_orderID", ftSmallint);
}

// distancespeed: units of measure.
void declareDistancespeedFields(TorvServer& s)
{
    add(s.distancespeed, "unt_id", ftAutoInc);
    add(s.distancespeed, "unt_type", ftInteger);
    add(s.distancespeed, "unt_name", ftString, 50);
    add(s.distancespeed, "unt_shortname", ftString, 9);
    add(s.distancespeed, "unt_calc", ftFloat);
    add(s.distancespeed, "unt_allawedit", ftBoolean);
    add(s.distancespeed, "unt_format", ftString, 50);
}

// trainblock and the block manager's trainblockman.
void declareTrainblockFields(TorvServer& s)
{
    for (TTable* t : {&s.trainblock, &s.trainblockman}) {
        const bool manager = t == &s.trainblockman;
        TField* id = add(*t, "trb_Id", ftInteger);
        TField* name = add(*t, "trb_Name", ftString, 50);
        add(*t, "trb_platz", ftSmallint);
        TField* formId = add(*t, "trb_form", ftInteger);
        TField* sport = add(*t, "trb_sportart", ftInteger);
        TField* created = add(*t, "trb_created", ftDateTime);
        add(*t, "trb_akplatz", ftSmallint);
        if (manager)
            for (TField* f : {id, name, formId, sport, created})
                required(f);
    }
}

// config: the athlete's settings.
void declareConfigFields(TorvServer& s)
{
    TDataSet& d = s.config;
    add(d, "cfg_Id", ftAutoInc);
    add(d, "cfg_name", ftString, 50);
    add(d, "cfg_geburtsdatum", ftDateTime);
    add(d, "cfg_maxpuls", ftSmallint);
    format(add(d, "cfg_5000m", ftDateTime), "hh:mm:ss", kTimeMask);
    for (const char* name : {"cfg_belautocalc", "cfg_nachHF", "cfg_belFarbeEingabe", "cfg_belFarbeZeitraum",
                             "cfg_spoFarbeEingabe", "cfg_spoFarbeZeitraum", "cfg_forFarbeEingabe",
                             "cfg_forFarbeZeitraum", "cfg_beaFarbeEingabe", "cfg_beaFarbeZeitraum"})
        add(d, name, ftBoolean);
    add(d, "cfg_eingabeTool", ftString, 50);
    add(d, "cfg_user1Label", ftString, 15);
    add(d, "cfg_user2Label", ftString, 15);
    add(d, "cfg_trbFarbigZeitraum", ftBoolean);
    add(d, "cfg_trbFarbeZeitraum", ftInteger);
    withDefault(add(d, "cfg_noarchive", ftBoolean), "true");
    add(d, "cfg_startfenster", ftString, 50);
    add(d, "cfg_kommentar", ftBoolean);
    add(d, "cfg_zeitraumCO5aktiv", ftBoolean);
    add(d, "cfg_zeitraumCO5", ftString, 255);
    add(d, "cfg_wochenmonatUnt", ftInteger);
}

// Plan
void declarePlanFields(TorvServer& s)
{
    add(s.Plan, "pla_ID", ftAutoInc);
    add(s.Plan, "pla_Name", ftString, 50);
    add(s.Plan, "pla_Beschreibung", ftMemo);
    add(s.Plan, "pla_Created", ftDateTime);
    add(s.Plan, "pla_Realisiert", ftBoolean);
    add(s.Plan, "pla_Periode", ftString, 20);
}

// plan_daten: the units of a plan.
void declarePlanDatenFields(TorvServer& s)
{
    TDataSet& d = s.plan_daten;
    add(d, "pld_ID", ftAutoInc);
    add(d, "pld_PlanID", ftInteger);
    add(d, "pld_DatenID", ftInteger);
    add(d, "pld_status", ftString, 50);
    add(d, "pld_realisiert", ftBoolean);
    addDatenColumns(d);
    setFormat(d, "Zeit", "hh:mm:ss");
    add(d, "trainingsblock", ftInteger);
    label(lookup(d, "belArtName", ftString, 25, s.belArt, "BELASTUNGSART", "BEA_ID", "BEA_NAME"),
          "Belastungsart");
    label(lookup(d, "belStufeName", ftString, 25, s.belStufe, "BELASTUNGSSTUFE", "BEL_ID", "BEL_NAME"),
          "Belastungsstufe");
    label(lookup(d, "formName", ftString, 25, s.form, "FORM", "FOR_ID", "FOR_FORM"), "Form");
    label(lookup(d, "SportName", ftString, 20, s.sportart, "SPORTART", "SPO_ID", "SPO_NAME"), "Sportart");
    calc(d, "Tag", ftString, 3);
    calc(d, "Woche", ftString, 5);
    calc(d, "minkm", ftTime);
    calc(d, "kmh", ftFloat);
}

// pDaten
void declarePDatenFields(TorvServer& s)
{
    add(s.pDaten, "pld_ID", ftAutoInc);
    add(s.pDaten, "pld_PlanID", ftInteger);
    add(s.pDaten, "pld_DatenID", ftInteger);
    add(s.pDaten, "pld_status", ftString, 50);
    add(s.pDaten, "pld_realisiert", ftBoolean);
}

// equipment
void declareEquipmentFields(TorvServer& s)
{
    required(add(s.equipment, "equ_Id", ftAutoInc));
    required(add(s.equipment, "Bezeichnung", ftString, 30));
    add(s.equipment, "Art", ftString, 20);
    required(add(s.equipment, "Kilometer", ftInteger));
    format(add(s.equipment, "equ_kaufdatum", ftDateTime), "dd.MM.yyyy", "!99/99/0000;1;_");
    label(withDefault(add(s.equipment, "equ_aktuell", ftBoolean), "true"), "Aktuell genutzt");
    withDefault(required(add(s.equipment, "equ_kategorie", ftString, 50)), "Keine Kategorie");
}

// eqdaten: links of equipment to units.
void declareEqdatenFields(TorvServer& s)
{
    add(s.eqdaten, "EqIndex", ftInteger);
    add(s.eqdaten, "EinheiIndex", ftInteger);
}

// strecke
void declareStreckeFields(TorvServer& s)
{
    add(s.strecke, "StrIndex", ftAutoInc);
    required(add(s.strecke, "Name", ftString, 100));
    add(s.strecke, "Land", ftString, 25);
    add(s.strecke, "Ort", ftString, 255);
    add(s.strecke, "Laenge", ftInteger);
    add(s.strecke, "HDiff", ftSmallint);
    add(s.strecke, "Beschreibung", ftMemo);
    add(s.strecke, "Kommentar", ftMemo);
    required(add(s.strecke, "str_kategorie", ftString, 30));
    add(s.strecke, "str_image", ftBlob);
    add(s.strecke, "str_karte", ftGraphic);
}

// strPunkte: the route points of the current route.
void declareStrPunkteFields(TorvServer& s)
{
    add(s.strPunkte, "stz_id", ftAutoInc);
    add(s.strPunkte, "StrIndex", ftInteger);
    add(s.strPunkte, "Meter", ftInteger);
    add(s.strPunkte, "Streckenpunkt", ftString, 150);
    add(s.strPunkte, "Hoehe", ftSmallint);
    add(s.strPunkte, "Kommentar", ftString, 255);
}

// bestzeiten
void declareBestzeitenFields(TorvServer& s)
{
    TDataSet& d = s.bestzeiten;
    add(d, "bes_id", ftAutoInc);
    label(add(d, "bes_sportart", ftInteger), "Sportart");
    format(label(add(d, "bes_datum", ftDateTime), "Datum"), "dd.MM.yy", "!99/99/00;1;_");
    label(add(d, "bes_meter", ftInteger), "Distanz");
    label(add(d, "bes_typ", ftString, 50), "Typ");
    format(label(add(d, "bes_zeit", ftDateTime), "Zeit"), "hh:mm:ss", kTimeMask);
    label(add(d, "bes_ort", ftString, 50), "Ort");
    required(label(add(d, "bes_kategorie", ftString, 50), "Kategorie"));
    label(add(d, "bes_kommentar", ftMemo), "Kommentar");
    label(lookup(d, "bes_sportLookup", ftString, 30, s.sportart, "bes_sportart", "Spo_Id", "Spo_Name"),
          "Sportart");
}

// bel5000m: 5000 m time bands of the load levels.
void declareBel5000mFields(TorvServer& s)
{
    add(s.bel5000m, "be5_Id", ftAutoInc);
    format(add(s.bel5000m, "be5_gesZeit", ftDateTime), "hh:mm:ss");
    format(add(s.bel5000m, "be5_zeit", ftDateTime), "hh:mm:ss");
    add(s.bel5000m, "be5_belStufe", ftInteger);
}

// tools
void declareToolsFields(TorvServer& s)
{
    required(add(s.tools, "too_id", ftAutoInc));
    required(add(s.tools, "too_Name", ftString, 50));
    add(s.tools, "too_source", ftBlob);
    add(s.tools, "too_filename", ftString, 255);
    required(add(s.tools, "too_kategorie", ftString, 50));
    add(s.tools, "too_beschreibung", ftString, 255);
    add(s.tools, "too_html", ftBoolean);
    add(s.tools, "too_exe", ftBoolean);
    add(s.tools, "too_delphipackage", ftBoolean);
}

// tagebuch
void declareTagebuchFields(TorvServer& s)
{
    add(s.tagebuch, "tgb_id", ftAutoInc);
    add(s.tagebuch, "tgb_datum", ftDateTime);
    add(s.tagebuch, "tgb_memo", ftMemo);
}

// quickstat: totals of a week or block per load level.
void declareQuickstatFields(TorvServer& s)
{
    add(s.quickstat, "belastungsstufe", ftSmallint);
    add(s.quickstat, "meter", ftFloat);
    add(s.quickstat, "farbe", ftString, 255)->SetReadOnly(true);
    add(s.quickstat, "lookBelstufe", ftString, 255)->SetReadOnly(true);
    add(s.quickstat, "zeit", ftFloat);
}

// zeit: the split rows and heart-rate samples of the current unit.
void declareZeitFields(TorvServer& s)
{
    TDataSet& d = s.zeit;
    add(d, "zei_Id", ftInteger);
    withDefault(add(d, "Meter", ftInteger), "0")->SetDecimalInput(true);
    withDefault(format(add(d, "Zwischenzeit", ftTime), "hh:mm:ss", kTimeMask), "00:00:00");
    withDefault(add(d, "Puls", ftSmallint), "0");
    label(withDefault(add(d, "zei_minpuls", ftSmallint), "0"), "Min. Puls");
    label(withDefault(add(d, "zei_maxpuls", ftSmallint), "0"), "Max. Puls");
    withDefault(add(d, "HDiff", ftSmallint), "0");
    add(d, "Notitz", ftString, 100);
    add(d, "zwTyp", ftSmallint);
    calc(d, "minkm", ftTime);
    calc(d, "Split", ftTime);
    format(calc(d, "kmh", ftFloat), "0.0#");
    add(d, "zei_hrm", ftBoolean);
    add(d, "unt_shortName", ftString, 9);
    add(d, "unt_Name", ftString, 50);
    add(d, "unt_calc", ftFloat);
    calc(d, "zei_distance", ftFloat);
    withDefault(add(d, "zei_trittfrequenz", ftInteger), "0");
    withDefault(calc(d, "zei_hdiffpkt", ftInteger), "0");
    format(withDefault(calc(d, "zei_steigung", ftFloat), "0"), "0.0#");
    format(withDefault(add(d, "zei_importkmh", ftFloat), "0"), "0.0#");
    withDefault(add(d, "zei_temperatur", ftInteger), "0");
    withDefault(calc(d, "zei_splitmeter", ftInteger), "0");
}

}  // namespace

void TorvServer::declareDataSets()
{
    auto table = [this](TTable& t, const char* tableName, const char* order, bool isStatic) {
        t.SetTableName(QString::fromLatin1(tableName));
        if (order)
            t.SetIndexFieldNames(QString::fromLatin1(order));
        if (isStatic)
            staticCursors_.insert(&t);
    };
    auto query = [this](TQuery& q, QStringList sql, bool isStatic) {
        q.SetSQL(sql);
        if (isStatic)
            staticCursors_.insert(&q);
    };

    table(daten, "DATEN", "datum;startzeit", true);
    table(allDaten, "daten", "datum,startzeit", false);
    query(navSuchen, {"Select * From daten order by datum"}, true);
    query(explorer, {"select * from DATEN inner join sportart on (daten.sportart = sportart.spo_id)"}, true);
    query(eqdetail, {"Select * from daten where dat_id = 2"}, true);
    table(datenblockdetail, "daten", "trainingsblock, datum, startzeit", false);
    datenblockdetail.SetMasterSource(&dsDaten);
    datenblockdetail.SetMasterFields("trainingsblock");
    table(trainblockman_detail, "daten", "trainingsblock, datum, startzeit", false);
    trainblockman_detail.SetMasterSource(&dstrainblockman);
    trainblockman_detail.SetMasterFields("trb_Id");
    query(zeitraum_old, {"Select * From daten;"}, false);
    query(zeitraum, {"SELECT * ", "FROM", "zeitraumstat"}, true);
    table(sportart, "sportart", "Spo_orderID", true);
    table(form, "FORM", "For_orderId", true);
    table(belStufe, "BELSTUFE", "bel_orderId", true);
    table(belArt, "BELART", "bea_orderID", true);
    table(distancespeed, "unit", nullptr, true);
    table(trainblock, "TRAININGSBLOCK", "trb_created", true);
    table(trainblockman, "trainingsblock", "trb_created", false);
    // Blocks without units. A unit without a block must not make the NOT IN yield nothing (a
    // Null in the list makes every comparison unknown), so Null keys are left out.
    query(del_OldTB, {"DELETE", "FROM trainingsblock a",
                      "WHERE a.trb_id not in (select daten.trainingsblock from daten "
                      "where daten.trainingsblock is not null);"},
          false);
    table(config, "CONFIG", nullptr, false);
    table(Plan, "plan", "pla_name", true);
    query(plan_daten, {"Select * from", "plan_daten inner join daten on plan_daten.pld_datenId = daten.dat_Id",
                       "ORDER BY daten.datum"},
          true);
    table(pDaten, "plan_daten", "pld_PlanID", false);
    pDaten.SetMasterSource(&dsPlan);
    pDaten.SetMasterFields("pla_ID");
    table(equipment, "EQUIPMENT", "equ_kategorie,Bezeichnung", false);
    table(eqdaten, "EQDATEN", nullptr, false);
    table(strecke, "STRECKE", "str_kategorie,name", true);
    table(strPunkte, "streckez", "StrIndex,meter", true);
    strPunkte.SetMasterSource(&dsStrecke);
    strPunkte.SetMasterFields("StrIndex");
    table(bestzeiten, "bestzeit", nullptr, true);
    query(bel5000m, {"Select * from bel5000m order by be5_geszeit, be5_zeit"}, true);
    table(tools, "tools", nullptr, false);
    table(tagebuch, "tagebuch", nullptr, true);
    query(quickstat,
          {"Select trainingsblock, belastungsstufe, "
           "DLookup(\"bel_farbe\",\"belstufe\",\"bel_id = \" & belastungsstufe) as farbe,"
           "DLookup(\"bel_name\",\"belstufe\",\"bel_id = \" & belastungsstufe) as lookBelstufe, "
           "sum(daten.meter) as meter, sum(daten.zeit) as zeit from (SELECT * from daten where "
           "trainingsblock = -1) group by  trainingsblock, belastungsstufe"},
          true);
    query(zeit,
          {"SELECT zeit.*,unit.unt_shortName,unit.unt_Name,unit.unt_calc FROM ((zeit INNER JOIN daten on "
           "(daten.dat_id = zeit.zei_id)) inner join sportart on (daten.sportart = sportart.spo_id)) "
           "inner join unit on (sportart.spo_distance = unit.unt_id)",
           "where zei_id = -1 order by zeit.meter"},
          true);
    query(zeitLookup, {"Select * from zeit"}, false);
    table(zeitAll, "zeit", nullptr, false);
}

void TorvServer::declareFields()
{
    // In the order of the datasets: the field order is what the windows and grids rely on.
    declareDatenFields(*this);
    // allDaten has no declared fields: all columns.
    declareNavSuchenFields(*this);
    declareExplorerFields(*this);
    declareEqdetailFields(*this);
    declareDatenblockdetailFields(*this);
    declareTrainblockmanDetailFields(*this);
    declareZeitraumOldFields(*this);
    declareZeitraumFields(*this);
    declareSportartFields(*this);
    declareFormFields(*this);
    declareBelStufeFields(*this);
    declareBelArtFields(*this);
    declareDistancespeedFields(*this);
    declareTrainblockFields(*this);
    declareConfigFields(*this);
    declarePlanFields(*this);
    declarePlanDatenFields(*this);
    declarePDatenFields(*this);
    // delete: no SQL and no fields.
    declareEquipmentFields(*this);
    declareEqdatenFields(*this);
    declareStreckeFields(*this);
    declareStrPunkteFields(*this);
    declareBestzeitenFields(*this);
    declareBel5000mFields(*this);
    declareToolsFields(*this);
    declareTagebuchFields(*this);
    declareQuickstatFields(*this);
    declareZeitFields(*this);
    // zeitLookup and zeitAll have no declared fields: all columns.
}
