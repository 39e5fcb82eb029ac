-- Tables of an athlete database (".orv"): the tables and columns the data module's datasets
-- address, under the names they address them by, plus the threshold-pace table and the saved
-- query "zeitraumstat" of the period statistics as a view.
--
-- The build runs this script and then data_<language>.sql into an empty file to make the
-- template databases "DB/leer.orv.system" (German) and "DB/leer_ENG.orv.system" (English) beside
-- the program; a new athlete database is a copy of one of them. Before the script runs, CMake's
-- configure_file puts the template language's decimal separator in place of the placeholder
-- DECIMAL_SEPARATOR between at signs (German ",", English ".").
--
-- Column types, read by the database layer to choose the field type:
--   INTEGER PRIMARY KEY AUTOINCREMENT  keys the database assigns; never reused, so rows that
--                                      still point at a deleted unit (splits, equipment links,
--                                      plan entries) never attach to a new one
--   INTEGER PRIMARY KEY                keys the program assigns (highest key plus one)
--   INTEGER, SMALLINT, DOUBLE          32-bit, 16-bit and floating-point numbers
--   DATETIME                           date-time values as days since 1899-12-30 (TDateTime)
--   BOOLEAN                            0 or 1
--   VARCHAR(n) / TEXT COLLATE NOCASE   text of at most n characters / long text; compared
--                                      without case like the original engine did
--   BLOB                               pictures and files
-- Defaults are those the data module declares for its fields, so that rows inserted by SQL
-- (imports, conversions) hold the same values as rows entered in the windows.
-- Required fields are checked by the datasets, not by NOT NULL: the repairs at open look for
-- and mend missing values that older files may hold.

PRAGMA foreign_keys = OFF;

-- Training units. Column order is the table order the copy-and-paste buffer relies on.
CREATE TABLE DATEN (
    dat_Id                INTEGER PRIMARY KEY AUTOINCREMENT,
    Datum                 DATETIME,
    Ort                   VARCHAR(30) COLLATE NOCASE,
    Form                  INTEGER,
    Startzeit             DATETIME,
    Gefuehl               VARCHAR(15) COLLATE NOCASE,
    Zeit                  DATETIME,
    Meter                 INTEGER,
    Wetter                VARCHAR(15) COLLATE NOCASE,
    Wind                  VARCHAR(15) COLLATE NOCASE,
    Hoehendifferenz       SMALLINT DEFAULT 0,
    Bemerkungen           TEXT COLLATE NOCASE,
    Temperatur            SMALLINT,
    Puls                  SMALLINT DEFAULT 0,
    Belastungsart         SMALLINT,
    Streckenbeschreibung  VARCHAR(255) COLLATE NOCASE,
    Sportart              INTEGER,
    Gli                   DOUBLE DEFAULT 0,
    Gewicht               DOUBLE DEFAULT 0,
    Belastungsstufe       SMALLINT,
    User1                 VARCHAR(20) COLLATE NOCASE,
    User2                 DOUBLE DEFAULT 0,
    Maxpuls               INTEGER DEFAULT 0,
    Ruhepuls              INTEGER DEFAULT 0,
    Erholungspuls         INTEGER DEFAULT 0,
    Fett                  DOUBLE DEFAULT 0,
    kcal                  INTEGER DEFAULT 0,
    platz                 SMALLINT DEFAULT 0,
    akplatz               SMALLINT DEFAULT 0,
    trainingsblock        INTEGER
);
-- The unit list is read in date order; blocks, statistics and lookups select by these columns.
CREATE INDEX daten_datum ON DATEN (Datum, Startzeit);
CREATE INDEX daten_trainingsblock ON DATEN (trainingsblock);
CREATE INDEX daten_sportart ON DATEN (Sportart);

-- Split rows and heart-rate samples of a unit (zei_Id = the unit's dat_Id). No key of its own:
-- the datasets address a row by its rowid.
CREATE TABLE zeit (
    zei_Id             INTEGER,
    Meter              INTEGER DEFAULT 0,
    Zwischenzeit       DATETIME DEFAULT 0,
    Puls               SMALLINT DEFAULT 0,
    zei_minpuls        SMALLINT DEFAULT 0,
    zei_maxpuls        SMALLINT DEFAULT 0,
    HDiff              SMALLINT DEFAULT 0,
    Notitz             VARCHAR(100) COLLATE NOCASE,
    zwTyp              SMALLINT,
    zei_hrm            BOOLEAN,
    zei_trittfrequenz  INTEGER DEFAULT 0,
    zei_importkmh      DOUBLE DEFAULT 0,
    zei_temperatur     INTEGER DEFAULT 0
);
-- One unit's rows are read in distance order (splits) or time order (samples).
CREATE INDEX zeit_unit ON zeit (zei_Id, Meter);

-- Sports. Row 0 is the built-in entry; Spo_speed and Spo_distance are keys of "unit".
CREATE TABLE sportart (
    Spo_Id                INTEGER PRIMARY KEY,
    Spo_Name              VARCHAR(20) COLLATE NOCASE,
    Spo_Farbe             INTEGER DEFAULT -1,
    Spo_Raster            INTEGER DEFAULT -1,
    Spo_Zahl              DOUBLE,
    Spo_Text              VARCHAR(50) COLLATE NOCASE,
    Spo_Image             BLOB,
    Spo_ZeitraumStandard  BOOLEAN DEFAULT 1,
    Spo_speed             INTEGER,
    Spo_distance          INTEGER,
    Spo_orderID           SMALLINT
);

-- Training forms. Form 1 is the training form that realised plan units are set to.
CREATE TABLE FORM (
    For_Id       INTEGER PRIMARY KEY,
    For_Form     VARCHAR(20) COLLATE NOCASE,
    For_Farbe    INTEGER,
    For_Zahl     DOUBLE,
    For_Text     VARCHAR(50) COLLATE NOCASE,
    For_Planung  BOOLEAN,
    For_Image    BLOB,
    For_orderId  SMALLINT
);

-- Load levels with their heart-rate band (both bounds inclusive).
CREATE TABLE BELSTUFE (
    bel_ID       INTEGER PRIMARY KEY,
    bel_Name     VARCHAR(50) COLLATE NOCASE,
    bel_HFStart  SMALLINT,
    bel_HFEnde   SMALLINT,
    bel_Farbe    INTEGER,
    bel_Zahl     DOUBLE,
    bel_Text     VARCHAR(50) COLLATE NOCASE,
    bel_orderID  SMALLINT
);

-- Load types.
CREATE TABLE BELART (
    bea_ID       INTEGER PRIMARY KEY,
    bea_Name     VARCHAR(50) COLLATE NOCASE,
    bea_Farbe    INTEGER,
    bea_Zahl     DOUBLE,
    bea_Text     VARCHAR(50) COLLATE NOCASE,
    bea_orderID  SMALLINT
);

-- Units of measure. unt_type 1: distance, metres x unt_calc = distance in the unit;
-- unt_type 2: pace, pace per kilometre x unt_calc = pace per the unit.
CREATE TABLE unit (
    unt_id         INTEGER PRIMARY KEY AUTOINCREMENT,
    unt_type       INTEGER,
    unt_name       VARCHAR(50) COLLATE NOCASE,
    unt_shortname  VARCHAR(9) COLLATE NOCASE,
    unt_calc       DOUBLE,
    unt_allawedit  BOOLEAN,
    unt_format     VARCHAR(50) COLLATE NOCASE
);

-- Training blocks; every unit belongs to one.
CREATE TABLE TRAININGSBLOCK (
    trb_Id        INTEGER PRIMARY KEY,
    trb_Name      VARCHAR(50) COLLATE NOCASE,
    trb_platz     SMALLINT,
    trb_form      INTEGER,
    trb_sportart  INTEGER,
    trb_created   DATETIME,
    trb_akplatz   SMALLINT
);
CREATE INDEX trainingsblock_created ON TRAININGSBLOCK (trb_created);

-- The athlete's settings: one row.
CREATE TABLE CONFIG (
    cfg_Id                 INTEGER PRIMARY KEY AUTOINCREMENT,
    cfg_name               VARCHAR(50) COLLATE NOCASE,
    cfg_geburtsdatum       DATETIME,
    cfg_maxpuls            SMALLINT,
    cfg_5000m              DATETIME,
    cfg_belautocalc        BOOLEAN,
    cfg_nachHF             BOOLEAN,
    cfg_belFarbeEingabe    BOOLEAN,
    cfg_belFarbeZeitraum   BOOLEAN,
    cfg_spoFarbeEingabe    BOOLEAN,
    cfg_spoFarbeZeitraum   BOOLEAN,
    cfg_forFarbeEingabe    BOOLEAN,
    cfg_forFarbeZeitraum   BOOLEAN,
    cfg_beaFarbeEingabe    BOOLEAN,
    cfg_beaFarbeZeitraum   BOOLEAN,
    cfg_eingabeTool        VARCHAR(50) COLLATE NOCASE,
    cfg_user1Label         VARCHAR(15) COLLATE NOCASE,
    cfg_user2Label         VARCHAR(15) COLLATE NOCASE,
    cfg_trbFarbigZeitraum  BOOLEAN,
    cfg_trbFarbeZeitraum   INTEGER,
    cfg_noarchive          BOOLEAN DEFAULT 1,
    cfg_startfenster       VARCHAR(50) COLLATE NOCASE,
    cfg_kommentar          BOOLEAN,
    cfg_zeitraumCO5aktiv   BOOLEAN,
    cfg_zeitraumCO5        VARCHAR(255) COLLATE NOCASE,
    cfg_wochenmonatUnt     INTEGER
);

-- Training plans and the units they hold.
CREATE TABLE plan (
    pla_ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    pla_Name          VARCHAR(50) COLLATE NOCASE,
    pla_Beschreibung  TEXT COLLATE NOCASE,
    pla_Created       DATETIME,
    pla_Realisiert    BOOLEAN,
    pla_Periode       VARCHAR(20) COLLATE NOCASE
);

CREATE TABLE plan_daten (
    pld_ID          INTEGER PRIMARY KEY AUTOINCREMENT,
    pld_PlanID      INTEGER,
    pld_DatenID     INTEGER,
    pld_status      VARCHAR(50) COLLATE NOCASE,
    pld_realisiert  BOOLEAN
);
CREATE INDEX plan_daten_plan ON plan_daten (pld_PlanID);
CREATE INDEX plan_daten_daten ON plan_daten (pld_DatenID);

-- Equipment and its links to units (EqIndex = equ_Id, EinheiIndex = dat_Id). The link table
-- has no key of its own: the datasets address a row by its rowid.
CREATE TABLE EQUIPMENT (
    equ_Id         INTEGER PRIMARY KEY AUTOINCREMENT,
    Bezeichnung    VARCHAR(30) COLLATE NOCASE,
    Art            VARCHAR(20) COLLATE NOCASE,
    Kilometer      INTEGER,
    equ_kaufdatum  DATETIME,
    equ_aktuell    BOOLEAN DEFAULT 1,
    equ_kategorie  VARCHAR(50) COLLATE NOCASE
);

CREATE TABLE EQDATEN (
    EqIndex      INTEGER,
    EinheiIndex  INTEGER
);
CREATE INDEX eqdaten_equipment ON EQDATEN (EqIndex);
CREATE INDEX eqdaten_daten ON EQDATEN (EinheiIndex);

-- Routes and their route points.
CREATE TABLE STRECKE (
    StrIndex       INTEGER PRIMARY KEY AUTOINCREMENT,
    Name           VARCHAR(100) COLLATE NOCASE,
    Land           VARCHAR(25) COLLATE NOCASE,
    Ort            VARCHAR(255) COLLATE NOCASE,
    Laenge         INTEGER,
    HDiff          SMALLINT,
    Beschreibung   TEXT COLLATE NOCASE,
    Kommentar      TEXT COLLATE NOCASE,
    str_kategorie  VARCHAR(30) COLLATE NOCASE,
    str_image      BLOB,
    str_karte      BLOB
);

CREATE TABLE streckez (
    stz_id         INTEGER PRIMARY KEY AUTOINCREMENT,
    StrIndex       INTEGER,
    Meter          INTEGER,
    Streckenpunkt  VARCHAR(150) COLLATE NOCASE,
    Hoehe          SMALLINT,
    Kommentar      VARCHAR(255) COLLATE NOCASE
);
CREATE INDEX streckez_strecke ON streckez (StrIndex, Meter);

-- Best times.
CREATE TABLE bestzeit (
    bes_id         INTEGER PRIMARY KEY AUTOINCREMENT,
    bes_sportart   INTEGER,
    bes_datum      DATETIME,
    bes_meter      INTEGER,
    bes_typ        VARCHAR(50) COLLATE NOCASE,
    bes_zeit       DATETIME,
    bes_ort        VARCHAR(50) COLLATE NOCASE,
    bes_kategorie  VARCHAR(50) COLLATE NOCASE,
    bes_kommentar  TEXT COLLATE NOCASE
);

-- Pace thresholds (time per kilometre) of the load levels per 5000 m time.
CREATE TABLE bel5000m (
    be5_Id        INTEGER PRIMARY KEY AUTOINCREMENT,
    be5_gesZeit   DATETIME,
    be5_zeit      DATETIME,
    be5_belStufe  INTEGER
);
CREATE INDEX bel5000m_geszeit ON bel5000m (be5_gesZeit, be5_zeit);

-- The user's tools catalogue.
CREATE TABLE tools (
    too_id             INTEGER PRIMARY KEY AUTOINCREMENT,
    too_Name           VARCHAR(50) COLLATE NOCASE,
    too_source         BLOB,
    too_filename       VARCHAR(255) COLLATE NOCASE,
    too_kategorie      VARCHAR(50) COLLATE NOCASE,
    too_beschreibung   VARCHAR(255) COLLATE NOCASE,
    too_html           BOOLEAN,
    too_exe            BOOLEAN,
    too_delphipackage  BOOLEAN
);

-- Diary: one text per day.
CREATE TABLE tagebuch (
    tgb_id     INTEGER PRIMARY KEY AUTOINCREMENT,
    tgb_datum  DATETIME,
    tgb_memo   TEXT COLLATE NOCASE
);
CREATE INDEX tagebuch_datum ON tagebuch (tgb_datum);

-- Split times at the anaerobic threshold per 5000 m time, one row every 30 seconds.
CREATE TABLE Schwellentempo (
    sch_zeit  DATETIME PRIMARY KEY,
    sch_200   DATETIME,
    sch_400   DATETIME,
    sch_600   DATETIME,
    sch_800   DATETIME,
    sch_1000  DATETIME,
    sch_1500  DATETIME
);

-- The saved query of the period statistics: one row per training unit (dat_Id > 0) with the
-- names of its sport, form, load type and load level, and one summary row per training block
-- (dat_Id = -trb_Id) with the block's name in Ort, its date, sport and form, and the sums of its
-- units' distance, time, height difference and calories.
-- Rows come grouped by block (the block's date, the summary row first, then its units by date
-- and start time); units without a block row are grouped by their own date. The period window
-- shows this order unchanged while block rows are shown.
-- distance is the distance as text in the sport's distance unit with the unit's short name
-- ("10@DECIMAL_SEPARATOR@5 km"); SpeedName is the short name of the sport's pace unit.
-- Lookups are outer joins, so a unit whose sport, form or level row is missing still appears.
CREATE VIEW zeitraumstat AS
SELECT Datum, Ort, Meter, Zeit, Spo_Name, For_Form, bea_Name, bel_Name, Puls, Hoehendifferenz,
       Startzeit, Gefuehl, trainingsblock, dat_Id, Form, Wetter, Wind, Temperatur, Belastungsart,
       Streckenbeschreibung, Sportart, Gli, Gewicht, Belastungsstufe, User1, User2, Maxpuls,
       Ruhepuls, Erholungspuls, Fett, kcal, platz, distance, SpeedName
FROM (
    SELECT d.Datum AS Datum, d.Ort AS Ort, d.Meter AS Meter, d.Zeit AS Zeit,
           s.Spo_Name AS Spo_Name, f.For_Form AS For_Form, a.bea_Name AS bea_Name,
           l.bel_Name AS bel_Name, d.Puls AS Puls, d.Hoehendifferenz AS Hoehendifferenz,
           d.Startzeit AS Startzeit, d.Gefuehl AS Gefuehl, d.trainingsblock AS trainingsblock,
           d.dat_Id AS dat_Id, d.Form AS Form, d.Wetter AS Wetter, d.Wind AS Wind,
           d.Temperatur AS Temperatur, d.Belastungsart AS Belastungsart,
           d.Streckenbeschreibung AS Streckenbeschreibung, d.Sportart AS Sportart, d.Gli AS Gli,
           d.Gewicht AS Gewicht, d.Belastungsstufe AS Belastungsstufe, d.User1 AS User1,
           d.User2 AS User2, d.Maxpuls AS Maxpuls, d.Ruhepuls AS Ruhepuls,
           d.Erholungspuls AS Erholungspuls, d.Fett AS Fett, d.kcal AS kcal, d.platz AS platz,
           CASE WHEN ud.unt_calc IS NULL THEN COALESCE(d.Meter, 0) || ' m'
                ELSE replace(rtrim(rtrim(printf('%.2f', COALESCE(d.Meter, 0) * ud.unt_calc), '0'), '.'),
                             '.', '@DECIMAL_SEPARATOR@') || ' ' || ud.unt_shortname
           END AS distance,
           us.unt_shortname AS SpeedName,
           COALESCE(b.trb_created, d.Datum) AS group_date,
           COALESCE(b.trb_Id, 0) AS group_id,
           1 AS group_row
    FROM DATEN d
    LEFT JOIN TRAININGSBLOCK b ON b.trb_Id = d.trainingsblock
    LEFT JOIN sportart s ON s.Spo_Id = d.Sportart
    LEFT JOIN FORM f ON f.For_Id = d.Form
    LEFT JOIN BELART a ON a.bea_ID = d.Belastungsart
    LEFT JOIN BELSTUFE l ON l.bel_ID = d.Belastungsstufe
    LEFT JOIN unit ud ON ud.unt_id = s.Spo_distance
    LEFT JOIN unit us ON us.unt_id = s.Spo_speed
    UNION ALL
    SELECT b.trb_created, b.trb_Name, COALESCE(t.Meter, 0), COALESCE(t.Zeit, 0),
           s.Spo_Name, f.For_Form, NULL, NULL, NULL, COALESCE(t.Hoehendifferenz, 0),
           NULL, NULL, b.trb_Id, -b.trb_Id, b.trb_form, NULL, NULL, NULL, NULL,
           NULL, b.trb_sportart, NULL, NULL, NULL, NULL, NULL, NULL,
           NULL, NULL, NULL, COALESCE(t.kcal, 0), b.trb_platz,
           CASE WHEN ud.unt_calc IS NULL THEN COALESCE(t.Meter, 0) || ' m'
                ELSE replace(rtrim(rtrim(printf('%.2f', COALESCE(t.Meter, 0) * ud.unt_calc), '0'), '.'),
                             '.', '@DECIMAL_SEPARATOR@') || ' ' || ud.unt_shortname
           END,
           us.unt_shortname,
           b.trb_created, b.trb_Id, 0
    FROM TRAININGSBLOCK b
    LEFT JOIN (SELECT trainingsblock, SUM(Meter) AS Meter, SUM(Zeit) AS Zeit,
                      SUM(Hoehendifferenz) AS Hoehendifferenz, SUM(kcal) AS kcal
               FROM DATEN GROUP BY trainingsblock) t ON t.trainingsblock = b.trb_Id
    LEFT JOIN sportart s ON s.Spo_Id = b.trb_sportart
    LEFT JOIN FORM f ON f.For_Id = b.trb_form
    LEFT JOIN unit ud ON ud.unt_id = s.Spo_distance
    LEFT JOIN unit us ON us.unt_id = s.Spo_speed
)
ORDER BY group_date, group_id, group_row, Datum, Startzeit, dat_Id;
