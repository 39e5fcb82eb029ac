#pragma once
// The program started on a database with one run (kilometres, 2 km, dat_Id 1) and its split
// page shown; rows of zeit are written past the data module before the start.
#include <gtest/gtest.h>

#include <QApplication>

#include "core/busy.h"
#include "core/main.h"
#include "core/orvdbserver.h"
#include "tests/traininglog/entrywindowfixture.h"
#include "traininglog/einheiteneingabe.h"


inline QString sqlNumber(double v)
{
    return QString::number(v, 'g', 17);
}

inline TDateTime hms(int h, int m, int s)
{
    return (h * 3600 + m * 60 + s) / 86400.0;
}

// Counts how often a window is shown.
class ShowCounter : public QObject {
public:
    explicit ShowCounter(QWidget* w) { w->installEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            ++shown;
        return false;
    }
};

class SplitPageTest : public EntryWindowFixture {
protected:
    void SetUp() override
    {
        EntryWindowFixture::SetUp();
        // One run (kilometres) of 2 km.
        db.exec("INSERT INTO DATEN (dat_Id, Datum, Form, Zeit, Meter, Hoehendifferenz, Belastungsart, Sportart, "
                "Belastungsstufe, trainingsblock) VALUES (1, " + sqlNumber(EncodeDate(2024, 3, 14)) + ", 1, " +
                sqlNumber(hms(0, 12, 0)) + ", 2000, 0, 1, 1, 1, 1)");
    }
    void addRow(int meter, TDateTime time, int height, bool hrm, const QString& note = QString(), int unit = 1)
    {
        db.exec(QString("INSERT INTO zeit (zei_Id, Meter, Zwischenzeit, HDiff, zei_hrm, Notitz) VALUES (%6, %1, %2, %3, %4, '%5')")
                    .arg(meter)
                    .arg(sqlNumber(time))
                    .arg(height)
                    .arg(hrm ? 1 : 0)
                    .arg(note)
                    .arg(unit));
    }
    // Another run, dated `day` days after the first.
    void addUnit(int id, int day, const QString& place)
    {
        db.exec(QString("INSERT INTO DATEN (dat_Id, Datum, Ort, Form, Zeit, Meter, Hoehendifferenz, Belastungsart, "
                        "Sportart, Belastungsstufe, trainingsblock) VALUES (%1, %2, '%3', 1, %4, 5000, 0, 1, 1, 1, 1)")
                    .arg(id)
                    .arg(sqlNumber(EncodeDate(2024, 3, 14) + day))
                    .arg(QString(place).replace("'", "''"))
                    .arg(sqlNumber(hms(0, 25, 0))));
    }
    // `count` rows of one kind in one statement: distances 0, 1, 2 ... (samples) or 100, 200 ...
    // (splits), every 5 seconds.
    void addRows(int count, bool hrm)
    {
        db.exec(QString("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                        "INSERT INTO zeit (zei_Id, Meter, Zwischenzeit, HDiff, zei_hrm) "
                        "SELECT 1, %2, (i + 1) * 5 / 86400.0, 100, %3 FROM n")
                    .arg(count - 1)
                    .arg(hrm ? "i" : "(i + 1) * 100")
                    .arg(hrm ? 1 : 0));
    }
    void addSamples(int count) { addRows(count, true); }

    // Starts the program on the test database and shows the split page.
    void start()
    {
        ASSERT_NO_FATAL_FAILURE(startProgram());
        eingabe->resize(900, 600);
        ASSERT_TRUE(eingabe->selectPage(eingabe->TabSheet5));
    }

    static TStringGrid& grid() { return *eingabe->StringGrid1; }
    static TQuery& zeit() { return orvServer->zeit; }
    int rows(const QString& where) const { return db.value("SELECT count(*) FROM zeit WHERE " + where).toInt(); }
};

