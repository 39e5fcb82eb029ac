-- Pace tables of the template databases; the same for every language.
--
-- Times are TDateTime values built from whole milliseconds (ms / 86400000.0), exactly as the
-- program encodes a typed time, so that the 5000 m time of the settings finds its band set
-- by equality.
--
-- bel5000m: one band set per 5000 m time from 12:30 to 45:00, one second apart, so that every
-- 5000 m time the athlete types finds its set. A unit's pace (time per kilometre) gets the load
-- level of the largest threshold strictly below it. The thresholds are multiples of the
-- 5000 m race pace p (5000 m time / 5), rounded to whole seconds:
--   level 5 (peak)            faster than p                (threshold 0)
--   level 4 (threshold area)  from p         to 1.08 x p
--   level 3 (tempo)           from 1.08 x p  to 1.20 x p
--   level 2 (endurance)       from 1.20 x p  to 1.40 x p
--   level 1 (recovery)        slower than 1.40 x p
-- For a 20:00 5000 m (4:00/km) that gives peak below 4:00, threshold 4:00-4:19, tempo
-- 4:19-4:48, endurance 4:48-5:36 and recovery above 5:36 per kilometre, in line with the usual
-- German training zones (SB, EB, GA2, GA1, REKOM) derived from a race pace.
--
-- Schwellentempo: one row every 30 seconds of 5000 m time from 12:00 to 45:00. The threshold
-- pace is taken as the pace the athlete can hold for 60 minutes, predicted from the 5000 m time
-- T (seconds) with Riegel's endurance formula t2 = t1 * (d2 / d1) ^ 1.06:
--   distance in 60 minutes  d60 = 5000 * (3600 / T) ^ (1 / 1.06) metres,
--   split for d metres      d * 3600 / d60 seconds, rounded to whole seconds.
-- For a 20:00 5000 m that gives 4:15 per kilometre and 51 s per 200 m.

WITH RECURSIVE
    fivek(sec) AS (SELECT 750 UNION ALL SELECT sec + 1 FROM fivek WHERE sec < 2700),
    band(level, factor) AS (VALUES (5, 0.0), (4, 1.00), (3, 1.08), (2, 1.20), (1, 1.40))
INSERT INTO bel5000m (be5_gesZeit, be5_zeit, be5_belStufe)
SELECT fivek.sec * 1000 / 86400000.0,
       CAST(round(fivek.sec * band.factor / 5.0) AS INTEGER) * 1000 / 86400000.0,
       band.level
FROM fivek CROSS JOIN band
ORDER BY fivek.sec, band.factor;

WITH RECURSIVE
    fivek(sec) AS (SELECT 720 UNION ALL SELECT sec + 30 FROM fivek WHERE sec < 2700),
    threshold(sec, d60) AS (SELECT sec, 5000.0 * pow(3600.0 / sec, 1.0 / 1.06) FROM fivek)
INSERT INTO Schwellentempo (sch_zeit, sch_200, sch_400, sch_600, sch_800, sch_1000, sch_1500)
SELECT sec * 1000 / 86400000.0,
       CAST(round(200 * 3600.0 / d60) AS INTEGER) * 1000 / 86400000.0,
       CAST(round(400 * 3600.0 / d60) AS INTEGER) * 1000 / 86400000.0,
       CAST(round(600 * 3600.0 / d60) AS INTEGER) * 1000 / 86400000.0,
       CAST(round(800 * 3600.0 / d60) AS INTEGER) * 1000 / 86400000.0,
       CAST(round(1000 * 3600.0 / d60) AS INTEGER) * 1000 / 86400000.0,
       CAST(round(1500 * 3600.0 / d60) AS INTEGER) * 1000 / 86400000.0
FROM threshold
ORDER BY sec;
