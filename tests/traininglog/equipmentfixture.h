#pragma once
// The program started on a database with training units, equipment items and their links,
// written past the data module before the start.
#include <gtest/gtest.h>

#include <QApplication>

#include "core/main.h"
#include "core/orvdbserver.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "traininglog/einheiteneingabe.h"

class EquipmentTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        savedSettings_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        SetScreenWidthSource([] { return 800; });
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        SetScreenWidthSource({});
        FormatSettings() = savedSettings_;
    }

    static QString quoted(const QString& text) { return "'" + QString(text).replace("'", "''") + "'"; }

    // A unit of `meter` metres, dated `day` days after 1 March 2024 (the newest is current).
    void addUnit(int id, int day, int meter, int sport = 1)
    {
        db.exec(QString("INSERT INTO DATEN (dat_Id, Datum, Ort, Form, Zeit, Meter, Hoehendifferenz, Belastungsart, "
                        "Sportart, Belastungsstufe, trainingsblock) VALUES (%1, %2, 'Ort %1', 1, 0.01, %3, 0, 1, %4, 1, 1)")
                    .arg(id)
                    .arg(EncodeDate(2024, 3, 1) + day, 0, 'f', 1)
                    .arg(meter)
                    .arg(sport));
    }
    // An item; a null QString category stores NULL.
    void addItem(int id, const QString& name, const QString& category, bool current = true, int kilometer = 1000)
    {
        db.exec(QString("INSERT INTO EQUIPMENT (equ_Id, Bezeichnung, Kilometer, equ_aktuell, equ_kategorie) "
                        "VALUES (%1, %2, %3, %4, %5)")
                    .arg(id)
                    .arg(quoted(name))
                    .arg(kilometer)
                    .arg(current ? 1 : 0)
                    .arg(category.isNull() ? QStringLiteral("NULL") : quoted(category)));
    }
    void link(int item, int unit) { db.exec(QString("INSERT INTO EQDATEN (EqIndex, EinheiIndex) VALUES (%1, %2)").arg(item).arg(unit)); }
    // The stored links of a unit, as item ids in order.
    QList<int> linksOf(int unit) const
    {
        QList<int> ids;
        const int n = db.value(QString("SELECT count(*) FROM EQDATEN WHERE EinheiIndex = %1").arg(unit)).toInt();
        for (int i = 0; i < n; ++i)
            ids << db.value(QString("SELECT EqIndex FROM EQDATEN WHERE EinheiIndex = %1 ORDER BY EqIndex LIMIT 1 OFFSET %2")
                                .arg(unit)
                                .arg(i))
                       .toInt();
        return ids;
    }

    void start()
    {
        StartProgram({db.path()});
        ASSERT_NE(eingabe, nullptr);
        ASSERT_TRUE(eingabe->isVisible());
        QApplication::setActiveWindow(MainForm);
    }
    static TTable& daten() { return orvServer->daten; }
    static TTable& equipment() { return orvServer->equipment; }

    AthleteDatabase db;

private:
    TFormatSettings savedSettings_;
};
