-- Rows of the German template database "DB/leer.orv.system".
--
-- Colours are Windows colour values (0x00BBGGRR); -1 means no colour.
-- Row 0 of sports, forms, load levels and load types is the built-in entry that can be neither
-- deleted nor renumbered. Form 1 is the training form that realised plan units are set to.
-- Unit 1 is the pace unit and unit 5 the distance unit that the repairs at open fall back to.

-- Units of measure. Distances (type 1): metres x unt_calc = distance in the unit.
-- Paces (type 2): pace per kilometre x unt_calc = pace per the unit.
-- Speeds such as km/h, m/s or mph are no rows of their own: every unit shows its speed in km/h
-- beside its pace ("km/h - min/km"), and a type 2 factor multiplies a pace per kilometre, which
-- cannot turn it into a speed (a speed is the reciprocal of a pace, not a multiple of it).
INSERT INTO unit (unt_id, unt_type, unt_name, unt_shortname, unt_calc, unt_allawedit, unt_format) VALUES
    (1, 2, 'Minuten pro Kilometer',  'min/km',   1.0,                 0, ''),
    (2, 2, 'Minuten pro Meile',      'min/mi',   1.609344,            0, ''),
    (3, 2, 'Minuten pro 100 Meter',  'min/100m', 0.1,                 0, ''),
    (4, 2, 'Minuten pro 500 Meter',  'min/500m', 0.5,                 0, ''),
    (5, 1, 'Kilometer',              'km',       0.001,               0, '0.00'),
    (6, 1, 'Meter',                  'm',        1.0,                 0, '0'),
    (7, 1, 'Meilen',                 'mi',       0.000621371192237334, 0, '0.00'),
    (8, 1, 'Yards',                  'yd',       1.09361329833771,    0, '0');

INSERT INTO sportart (Spo_Id, Spo_Name, Spo_Farbe, Spo_Raster, Spo_Zahl, Spo_Text, Spo_Image,
                      Spo_ZeitraumStandard, Spo_speed, Spo_distance, Spo_orderID) VALUES
    (0, 'Sonstige',        -1,       -1, NULL, NULL, NULL, 1, 1, 5, 9),
    (1, 'Laufen',          0x98DB98, -1, NULL, NULL, NULL, 1, 1, 5, 1),
    (2, 'Radfahren',       0x78C8FF, -1, NULL, NULL, NULL, 1, 1, 5, 2),
    (3, 'Schwimmen',       0xFACE87, -1, NULL, NULL, NULL, 1, 3, 6, 3),
    (4, 'Walking',         0x96E6E6, -1, NULL, NULL, NULL, 1, 1, 5, 4),
    (5, 'Skilanglauf',     0xFFC8C8, -1, NULL, NULL, NULL, 1, 1, 5, 5),
    (6, 'Inline-Skating',  0xC1B6FF, -1, NULL, NULL, NULL, 1, 1, 5, 6),
    (7, 'Krafttraining',   0x8CB4D2, -1, NULL, NULL, NULL, 1, 1, 5, 7),
    (8, 'Rudern',          0xEEEEAF, -1, NULL, NULL, NULL, 1, 4, 5, 8);

INSERT INTO FORM (For_Id, For_Form, For_Farbe, For_Zahl, For_Text, For_Planung, For_Image, For_orderId) VALUES
    (0, 'Keine',      -1,       NULL, NULL,                      0, NULL, 0),
    (1, 'Training',   0xFFF0DC, NULL, NULL,                      0, NULL, 1),
    (2, 'Wettkampf',  0xA0A0FF, NULL, NULL,                      0, NULL, 2),
    (3, 'Geplant',    0xDCDCDC, NULL, 'Geplante Einheit',        1, NULL, 3),
    (4, 'Test',       0x96E6FF, NULL, 'Leistungstest',           0, NULL, 4);

-- Heart-rate bands for a maximum heart rate of 190: 50-69 %, 70-79 %, 80-87 %, 88-93 % and from
-- 94 % of the maximum.
INSERT INTO BELSTUFE (bel_ID, bel_Name, bel_HFStart, bel_HFEnde, bel_Farbe, bel_Zahl, bel_Text, bel_orderID) VALUES
    (0, 'Keine',  0,   0,   -1,       NULL, NULL,                             0),
    (1, 'REKOM',  95,  132, 0xC8FFC8, NULL, 'Regeneration und Kompensation',  1),
    (2, 'GA1',    133, 151, 0x90EE90, NULL, 'Grundlagenausdauer 1',           2),
    (3, 'GA2',    152, 166, 0x80FFFF, NULL, 'Grundlagenausdauer 2',           3),
    (4, 'EB',     167, 178, 0x64BEFF, NULL, 'Entwicklungsbereich',            4),
    (5, 'SB',     179, 220, 0x7878FF, NULL, 'Spitzenbereich',                 5);

INSERT INTO BELART (bea_ID, bea_Name, bea_Farbe, bea_Zahl, bea_Text, bea_orderID) VALUES
    (0, 'Keine',           -1,       NULL, NULL, 0),
    (1, 'Dauerlauf',       0xFFE6C8, NULL, NULL, 1),
    (2, 'Fahrtspiel',      0xFFD2E6, NULL, NULL, 2),
    (3, 'Intervalle',      0xC8C8FF, NULL, NULL, 3),
    (4, 'Tempodauerlauf',  0xB4E1FF, NULL, NULL, 4),
    (5, 'Bergtraining',    0xAAC8D2, NULL, NULL, 5);

-- The settings row: maximum heart rate 190, 5000 m in 25:00 (a band set of bel5000m), colours
-- on, block rows of the period statistics in light yellow, totals in kilometres.
-- cfg_startfenster and cfg_eingabeTool hold texts of the interface language ("Einheit", "Bio").
INSERT INTO CONFIG (cfg_Id, cfg_name, cfg_geburtsdatum, cfg_maxpuls, cfg_5000m,
                    cfg_belautocalc, cfg_nachHF,
                    cfg_belFarbeEingabe, cfg_belFarbeZeitraum, cfg_spoFarbeEingabe, cfg_spoFarbeZeitraum,
                    cfg_forFarbeEingabe, cfg_forFarbeZeitraum, cfg_beaFarbeEingabe, cfg_beaFarbeZeitraum,
                    cfg_eingabeTool, cfg_user1Label, cfg_user2Label,
                    cfg_trbFarbigZeitraum, cfg_trbFarbeZeitraum, cfg_noarchive, cfg_startfenster,
                    cfg_kommentar, cfg_zeitraumCO5aktiv, cfg_zeitraumCO5, cfg_wochenmonatUnt) VALUES
    (1, '', NULL, 190, 1500000 / 86400000.0,
     0, 0,
     1, 1, 1, 1,
     1, 1, 1, 1,
     'Bio', 'Eigener Text', 'Eigene Zahl',
     1, 0xCCFFFF, 1, 'Einheit',
     1, 0, '', 5);
