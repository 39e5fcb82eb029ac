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
    // 1. daten: the current unit of the whole program.
    {
        TDataSet& d = daten;
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
        add(d, "Meter", ftInteger);
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
        lookup(d, "SportName", ftString, 20, sportart, "Sportart", "SPO_ID", "SPO_NAME");
        lookup(d, "trbname", ftString, 50, trainblock, "trainingsblock", "trb_Id", "trb_Name");
        width(calc(d, "lSpeed", ftString, 15), 15);
        width(calc(d, "lDistance", ftString, 12), 12);
        withDefault(add(d, "akplatz", ftSmallint), "0");
    }

    // 2. allDaten has no declared fields: all columns.

    // 3. navSuchen: the navigator's search.
    addDatenColumns(navSuchen);
    setFormat(navSuchen, "Datum", "dd.MM.yy");
    setFormat(navSuchen, "Zeit", "hh:mm:ss");
    add(navSuchen, "akplatz", ftSmallint);
    add(navSuchen, "trainingsblock", ftInteger);

    // 4. explorer
    lookup(explorer, "lookForm", ftString, 55, form, "Form", "For_Id", "For_Form");
    lookup(explorer, "lookBelArt", ftString, 55, belArt, "Belastungsart", "bea_ID", "bea_Name");
    lookup(explorer, "lookBelStufe", ftString, 55, belStufe, "Belastungsstufe", "bel_ID", "bel_Name");
    lookup(explorer, "lookSportart", ftString, 55, sportart, "Sportart", "Spo_Id", "Spo_Name");
    addDatenColumns(explorer);
    setFormat(explorer, "Zeit", "hh:mm:ss");
    add(explorer, "trainingsblock", ftInteger);
    add(explorer, "akplatz", ftSmallint);
    calc(explorer, "distanz", ftString, 20);
    add(explorer, "Spo_orderID", ftSmallint);

    // 5. eqdetail
    lookup(eqdetail, "sportName", ftString, 50, sportart, "Sportart", "Spo_Id", "Spo_Name");
    lookup(eqdetail, "formName", ftString, 50, form, "form", "For_Id", "For_Form");
    addDatenColumns(eqdetail);
    setFormat(eqdetail, "Zeit", "hh:mm:ss");
    add(eqdetail, "trainingsblock", ftInteger);

    // 6. datenblockdetail: the units of the current unit's block.
    addDatenColumns(datenblockdetail);
    add(datenblockdetail, "trainingsblock", ftInteger);
    lookup(datenblockdetail, "formName", ftString, 50, form, "form", "For_Id", "For_Form");
    lookup(datenblockdetail, "sportName", ftString, 50, sportart, "Sportart", "Spo_Id", "Spo_Name");

    // 7. trainblockman_detail: the units of the block chosen in the block manager.
    lookup(trainblockman_detail, "SportName", ftString, 20, sportart, "Sportart", "SPO_ID", "SPO_NAME");
    addDatenColumns(trainblockman_detail);
    setFormat(trainblockman_detail, "Zeit", "hh:mm:ss");
    add(trainblockman_detail, "trainingsblock", ftInteger);
    lookup(trainblockman_detail, "FormName", ftString, 25, form, "Form", "For_Id", "For_Form");
    add(trainblockman_detail, "akplatz", ftSmallint);

    // 8. zeitraum_old
    {
        TDataSet& d = zeitraum_old;
        add(d, "trainingsblock", ftInteger);
        label(lookup(d, "SportName", ftString, 20, sportart, "SPORTART", "SPO_ID", "SPO_NAME"), "Sportart");
        label(lookup(d, "formName", ftString, 25, form, "FORM", "FOR_ID", "FOR_FORM"), "Form");
        label(lookup(d, "belStufeName", ftString, 25, belStufe, "BELASTUNGSSTUFE", "BEL_ID", "BEL_NAME"),
              "Belastungsstufe");
        label(lookup(d, "belArtName", ftString, 25, belArt, "BELASTUNGSART", "BEA_ID", "BEA_NAME"),
              "Belastungsart");
        calc(d, "Tag", ftString, 10);
        addDatenColumns(d);
        setFormat(d, "Datum", "dd.MM.yy");
        setFormat(d, "Startzeit", "hh:mm");
        setFormat(d, "Zeit", "hh:mm:ss");
    }

    // 9. zeitraum: the period statistics over the saved query.
    {
        TDataSet& d = zeitraum;
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

    // 10. sportart
    {
        TDataSet& d = sportart;
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
        lookup(d, "lSpeed", ftString, 25, distancespeed, "Spo_speed", "unt_id", "unt_name")
            ->SetCustomConstraint(QStringLiteral("unt_type =2"));
        lookup(d, "lDistance", ftString, 15, distancespeed, "Spo_distance", "unt_id", "unt_name")
            ->SetCustomConstraint(QStringLiteral("unt_type = 1"));
    }

    // 11. form
    required(add(form, "For_Id", ftInteger));
    required(add(form, "For_Form", ftString, 20));
    required(add(form, "For_Farbe", ftInteger));
    add(form, "For_Zahl", ftFloat);
    add(form, "For_Text", ftString, 50);
    required(add(form, "For_Planung", ftBoolean));
    add(form, "For_Image", ftBlob);
    required(add(form, "For_orderId", ftSmallint));

    // 12. belStufe
    add(belStufe, "bel_ID", ftInteger);
    add(belStufe, "bel_Name", ftString, 50);
    add(belStufe, "bel_HFStart", ftSmallint);
    add(belStufe, "bel_HFEnde", ftSmallint);
    add(belStufe, "bel_Farbe", ftInteger);
    add(belStufe, "bel_Zahl", ftFloat);
    add(belStufe, "bel_Text", ftString, 50);
    add(belStufe, "bel_orderID", ftSmallint);

    // 13. belArt
    add(belArt, "bea_ID", ftInteger);
    add(belArt, "bea_Name", ftString, 50);
    add(belArt, "bea_Farbe", ftInteger);
    add(belArt, "bea_Zahl", ftFloat);
    add(belArt, "bea_Text", ftString, 50);
    add(belArt, "bea_orderID", ftSmallint);

    // 14. distancespeed: units of measure.
    add(distancespeed, "unt_id", ftAutoInc);
    add(distancespeed, "unt_type", ftInteger);
    add(distancespeed, "unt_name", ftString, 50);
    add(distancespeed, "unt_shortname", ftString, 9);
    add(distancespeed, "unt_calc", ftFloat);
    add(distancespeed, "unt_allawedit", ftBoolean);
    add(distancespeed, "unt_format", ftString, 50);

    // 15., 16. trainblock and the block manager's trainblockman.
    for (TTable* t : {&trainblock, &trainblockman}) {
        const bool manager = t == &trainblockman;
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

    // 18. config: the athlete's settings.
    {
        TDataSet& d = config;
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

    // 19. Plan
    add(Plan, "pla_ID", ftAutoInc);
    add(Plan, "pla_Name", ftString, 50);
    add(Plan, "pla_Beschreibung", ftMemo);
    add(Plan, "pla_Created", ftDateTime);
    add(Plan, "pla_Realisiert", ftBoolean);
    add(Plan, "pla_Periode", ftString, 20);

    // 20. plan_daten: the units of a plan.
    {
        TDataSet& d = plan_daten;
        add(d, "pld_ID", ftAutoInc);
        add(d, "pld_PlanID", ftInteger);
        add(d, "pld_DatenID", ftInteger);
        add(d, "pld_status", ftString, 50);
        add(d, "pld_realisiert", ftBoolean);
        addDatenColumns(d);
        setFormat(d, "Zeit", "hh:mm:ss");
        add(d, "trainingsblock", ftInteger);
        label(lookup(d, "belArtName", ftString, 25, belArt, "BELASTUNGSART", "BEA_ID", "BEA_NAME"),
              "Belastungsart");
        label(lookup(d, "belStufeName", ftString, 25, belStufe, "BELASTUNGSSTUFE", "BEL_ID", "BEL_NAME"),
              "Belastungsstufe");
        label(lookup(d, "formName", ftString, 25, form, "FORM", "FOR_ID", "FOR_FORM"), "Form");
        label(lookup(d, "SportName", ftString, 20, sportart, "SPORTART", "SPO_ID", "SPO_NAME"), "Sportart");
        calc(d, "Tag", ftString, 3);
        calc(d, "Woche", ftString, 5);
        calc(d, "minkm", ftTime);
        calc(d, "kmh", ftFloat);
    }

    // 21. pDaten
    add(pDaten, "pld_ID", ftAutoInc);
    add(pDaten, "pld_PlanID", ftInteger);
    add(pDaten, "pld_DatenID", ftInteger);
    add(pDaten, "pld_status", ftString, 50);
    add(pDaten, "pld_realisiert", ftBoolean);

    // 22. delete: no SQL and no fields.

    // 23. equipment
    required(add(equipment, "equ_Id", ftAutoInc));
    required(add(equipment, "Bezeichnung", ftString, 30));
    add(equipment, "Art", ftString, 20);
    required(add(equipment, "Kilometer", ftInteger));
    format(add(equipment, "equ_kaufdatum", ftDateTime), "dd.MM.yyyy", "!99/99/0000;1;_");
    label(withDefault(add(equipment, "equ_aktuell", ftBoolean), "true"), "Aktuell genutzt");
    withDefault(required(add(equipment, "equ_kategorie", ftString, 50)), "Keine Kategorie");

    // 24. eqdaten: links of equipment to units.
    add(eqdaten, "EqIndex", ftInteger);
    add(eqdaten, "EinheiIndex", ftInteger);

    // 25. strecke
    add(strecke, "StrIndex", ftAutoInc);
    required(add(strecke, "Name", ftString, 100));
    add(strecke, "Land", ftString, 25);
    add(strecke, "Ort", ftString, 255);
    add(strecke, "Laenge", ftInteger);
    add(strecke, "HDiff", ftSmallint);
    add(strecke, "Beschreibung", ftMemo);
    add(strecke, "Kommentar", ftMemo);
    required(add(strecke, "str_kategorie", ftString, 30));
    add(strecke, "str_image", ftBlob);
    add(strecke, "str_karte", ftGraphic);

    // 26. strPunkte: the route points of the current route.
    add(strPunkte, "stz_id", ftAutoInc);
    add(strPunkte, "StrIndex", ftInteger);
    add(strPunkte, "Meter", ftInteger);
    add(strPunkte, "Streckenpunkt", ftString, 150);
    add(strPunkte, "Hoehe", ftSmallint);
    add(strPunkte, "Kommentar", ftString, 255);

    // 27. bestzeiten
    {
        TDataSet& d = bestzeiten;
        add(d, "bes_id", ftAutoInc);
        label(add(d, "bes_sportart", ftInteger), "Sportart");
        format(label(add(d, "bes_datum", ftDateTime), "Datum"), "dd.MM.yy", "!99/99/00;1;_");
        label(add(d, "bes_meter", ftInteger), "Distanz");
        label(add(d, "bes_typ", ftString, 50), "Typ");
        format(label(add(d, "bes_zeit", ftDateTime), "Zeit"), "hh:mm:ss", kTimeMask);
        label(add(d, "bes_ort", ftString, 50), "Ort");
        required(label(add(d, "bes_kategorie", ftString, 50), "Kategorie"));
        label(add(d, "bes_kommentar", ftMemo), "Kommentar");
        label(lookup(d, "bes_sportLookup", ftString, 30, sportart, "bes_sportart", "Spo_Id", "Spo_Name"),
              "Sportart");
    }

    // 28. bel5000m: 5000 m time bands of the load levels.
    add(bel5000m, "be5_Id", ftAutoInc);
    format(add(bel5000m, "be5_gesZeit", ftDateTime), "hh:mm:ss");
    format(add(bel5000m, "be5_zeit", ftDateTime), "hh:mm:ss");
    add(bel5000m, "be5_belStufe", ftInteger);

    // 29. tools
    required(add(tools, "too_id", ftAutoInc));
    required(add(tools, "too_Name", ftString, 50));
    add(tools, "too_source", ftBlob);
    add(tools, "too_filename", ftString, 255);
    required(add(tools, "too_kategorie", ftString, 50));
    add(tools, "too_beschreibung", ftString, 255);
    add(tools, "too_html", ftBoolean);
    add(tools, "too_exe", ftBoolean);
    add(tools, "too_delphipackage", ftBoolean);

    // 30. tagebuch
    add(tagebuch, "tgb_id", ftAutoInc);
    add(tagebuch, "tgb_datum", ftDateTime);
    add(tagebuch, "tgb_memo", ftMemo);

    // 31. quickstat: totals of a week or block per load level.
    add(quickstat, "belastungsstufe", ftSmallint);
    add(quickstat, "meter", ftFloat);
    add(quickstat, "farbe", ftString, 255)->SetReadOnly(true);
    add(quickstat, "lookBelstufe", ftString, 255)->SetReadOnly(true);
    add(quickstat, "zeit", ftFloat);

    // 32. zeit: the split rows and heart-rate samples of the current unit.
    {
        TDataSet& d = zeit;
        add(d, "zei_Id", ftInteger);
        withDefault(add(d, "Meter", ftInteger), "0");
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

    // 33. zeitLookup and 34. zeitAll have no declared fields: all columns.
}
