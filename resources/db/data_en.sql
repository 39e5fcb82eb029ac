-- Rows of the English template database "DB/leer_ENG.orv.system": the rows of the German
-- template (data_de.sql) with English names. Keys, factors, colours and bands are the same.
--
-- Colours are Windows colour values (0x00BBGGRR); -1 means no colour.
-- Row 0 of sports, forms, load levels and load types is the built-in entry that can be neither
-- deleted nor renumbered. Form 1 is the training form that realised plan units are set to.
-- Unit 1 is the pace unit and unit 5 the distance unit that the repairs at open fall back to.
-- The metre unit keeps the name "Meter": the split dialog finds its unit by that caption.

-- Units of measure. Distances (type 1): metres x unt_calc = distance in the unit.
-- Paces (type 2): pace per kilometre x unt_calc = pace per the unit.
-- Speeds such as km/h, m/s or mph are no rows of their own: every unit shows its speed in km/h
-- beside its pace ("km/h - min/km"), and a type 2 factor multiplies a pace per kilometre, which
-- cannot turn it into a speed (a speed is the reciprocal of a pace, not a multiple of it).
INSERT INTO unit (unt_id, unt_type, unt_name, unt_shortname, unt_calc, unt_allawedit, unt_format) VALUES
    (1, 2, 'Minutes per kilometer',  'min/km',   1.0,                 0, ''),
    (2, 2, 'Minutes per mile',       'min/mi',   1.609344,            0, ''),
    (3, 2, 'Minutes per 100 meters', 'min/100m', 0.1,                 0, ''),
    (4, 2, 'Minutes per 500 meters', 'min/500m', 0.5,                 0, ''),
    (5, 1, 'Kilometer',              'km',       0.001,               0, '0.00'),
    (6, 1, 'Meter',                  'm',        1.0,                 0, '0'),
    (7, 1, 'Miles',                  'mi',       0.000621371192237334, 0, '0.00'),
    (8, 1, 'Yards',                  'yd',       1.09361329833771,    0, '0');

INSERT INTO sportart (Spo_Id, Spo_Name, Spo_Farbe, Spo_Raster, Spo_Zahl, Spo_Text, Spo_Image,
                      Spo_ZeitraumStandard, Spo_speed, Spo_distance, Spo_orderID) VALUES
    (0, 'Other',                 -1,       -1, NULL, NULL, NULL, 1, 1, 5, 9),
    (1, 'Running',               0x98DB98, -1, NULL, NULL, NULL, 1, 1, 5, 1),
    (2, 'Cycling',               0x78C8FF, -1, NULL, NULL, NULL, 1, 1, 5, 2),
    (3, 'Swimming',              0xFACE87, -1, NULL, NULL, NULL, 1, 3, 6, 3),
    (4, 'Walking',               0x96E6E6, -1, NULL, NULL, NULL, 1, 1, 5, 4),
    (5, 'Cross-country skiing',  0xFFC8C8, -1, NULL, NULL, NULL, 1, 1, 5, 5),
    (6, 'Inline skating',        0xC1B6FF, -1, NULL, NULL, NULL, 1, 1, 5, 6),
    (7, 'Strength training',     0x8CB4D2, -1, NULL, NULL, NULL, 1, 1, 5, 7),
    (8, 'Rowing',                0xEEEEAF, -1, NULL, NULL, NULL, 1, 4, 5, 8);

INSERT INTO FORM (For_Id, For_Form, For_Farbe, For_Zahl, For_Text, For_Planung, For_Image, For_orderId) VALUES
    (0, 'None',      -1,       NULL, NULL,                0, NULL, 0),
    (1, 'Training',  0xFFF0DC, NULL, NULL,                0, NULL, 1),
    (2, 'Race',      0xA0A0FF, NULL, NULL,                0, NULL, 2),
    (3, 'Planned',   0xDCDCDC, NULL, 'Planned unit',      1, NULL, 3),
    (4, 'Test',      0x96E6FF, NULL, 'Performance test',  0, NULL, 4);

-- Heart-rate bands for a maximum heart rate of 190: 50-69 %, 70-79 %, 80-87 %, 88-93 % and from
-- 94 % of the maximum.
INSERT INTO BELSTUFE (bel_ID, bel_Name, bel_HFStart, bel_HFEnde, bel_Farbe, bel_Zahl, bel_Text, bel_orderID) VALUES
    (0, 'None',       0,   0,   -1,       NULL, NULL,                     0),
    (1, 'Recovery',   95,  132, 0xC8FFC8, NULL, 'Recovery and regeneration', 1),
    (2, 'Endurance',  133, 151, 0x90EE90, NULL, 'Basic endurance',        2),
    (3, 'Tempo',      152, 166, 0x80FFFF, NULL, 'Extensive tempo',        3),
    (4, 'Threshold',  167, 178, 0x64BEFF, NULL, 'Anaerobic threshold',    4),
    (5, 'Peak',       179, 220, 0x7878FF, NULL, 'Maximal and race pace',  5);

INSERT INTO BELART (bea_ID, bea_Name, bea_Farbe, bea_Zahl, bea_Text, bea_orderID) VALUES
    (0, 'None',            -1,       NULL, NULL, 0),
    (1, 'Continuous run',  0xFFE6C8, NULL, NULL, 1),
    (2, 'Fartlek',         0xFFD2E6, NULL, NULL, 2),
    (3, 'Intervals',       0xC8C8FF, NULL, NULL, 3),
    (4, 'Tempo run',       0xB4E1FF, NULL, NULL, 4),
    (5, 'Hill training',   0xAAC8D2, NULL, NULL, 5);

-- The settings row: maximum heart rate 190, 5000 m in 25:00 (a band set of bel5000m), colours
-- on, block rows of the period statistics in light yellow, totals in kilometres.
-- cfg_startfenster and cfg_eingabeTool hold texts of the interface language.
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
     'Bio', 'Custom text', 'Custom number',
     1, 0xCCFFFF, 1, 'Unit',
     1, 0, '', 5);
