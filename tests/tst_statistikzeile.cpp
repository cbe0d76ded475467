// The statistics line: counts of the run and of the entry asked last, and
// the rate rounded half to even, with the learner's decimal separator.
#include "quiz/durchlauf.h"
#include "quiz/statistikzeile.h"
#include "stuetzen/testzufall.h"

#include <QtTest>

using namespace olvani;

Q_DECLARE_METATYPE(olvani::Form)

namespace {

// The runs here choose no question, so they draw nothing.
Testzufall zufall;

// The rate as it stands in the line, between " (" and "%)".
std::string prozentIn(const std::string& zeile)
{
    const std::size_t anfang = zeile.find(" (") + 2;
    return zeile.substr(anfang, zeile.find("%)") - anfang);
}

} // namespace

class TestStatistikzeile : public QObject {
    Q_OBJECT

private slots:
    void prozent_data();
    void prozent();
    void langeZeileWieImBeispiel();
};

void TestStatistikzeile::prozent_data()
{
    QTest::addColumn<int>("erfolge");
    QTest::addColumn<int>("fehler");
    QTest::addColumn<Form>("form");
    QTest::addColumn<QString>("trenner");
    QTest::addColumn<QString>("text");
    QTest::newRow("1 von 8: 12,5 zu 12") << 1 << 7 << Form::Lang << "," << "12";
    QTest::newRow("3 von 8: 37,5 zu 38") << 3 << 5 << Form::Lang << "," << "38";
    QTest::newRow("5 von 8: 62,5 zu 62") << 5 << 3 << Form::Lang << "," << "62";
    QTest::newRow("1 von 40: 2,5 zu 2") << 1 << 39 << Form::Lang << "," << "2";
    QTest::newRow("2 von 3 lang") << 2 << 1 << Form::Lang << "," << "67";
    QTest::newRow("2 von 3 kurz, deutsch") << 2 << 1 << Form::Kurz << "," << "66,67";
    QTest::newRow("2 von 3 kurz, englisch") << 2 << 1 << Form::Kurz << "." << "66.67";
    QTest::newRow("5 von 8 kurz: keine Null hinten") << 5 << 3 << Form::Kurz << "," << "62,5";
    QTest::newRow("1 von 32 kurz: 3,125 zu 3,12") << 1 << 31 << Form::Kurz << "," << "3,12";
    QTest::newRow("3 von 32 kurz: 9,375 zu 9,38") << 3 << 29 << Form::Kurz << "," << "9,38";
    // 100 / 24 * 15 is 62.50000000000001 in double precision, not 62.5.
    QTest::newRow("15 von 24: erst teilen, dann malnehmen") << 15 << 9 << Form::Lang << "," << "63";
    QTest::newRow("ganz, kurz") << 4 << 0 << Form::Kurz << "," << "100";
    QTest::newRow("nichts richtig") << 0 << 3 << Form::Lang << "," << "0";
}

void TestStatistikzeile::prozent()
{
    QFETCH(int, erfolge);
    QFETCH(int, fehler);
    QFETCH(Form, form);
    QFETCH(QString, trenner);
    QFETCH(QString, text);
    Vokabeltabelle t;
    t.neuerEintrag("zorp", {"Haus", "", "", ""}, false);
    const Durchlauf lauf(t, zufall, Durchlauf::Stand().mitAntworten(erfolge, fehler));
    QCOMPARE(QString::fromStdString(prozentIn(Statistikzeile(lauf, form, trenner.toStdString()))), text);
}

void TestStatistikzeile::langeZeileWieImBeispiel()
{
    Vokabeltabelle t;
    for (int i = 1; i <= 250; ++i)
        t.neuerEintrag(std::string("w").append(std::to_string(i)), {"b", "", "", ""}, false);
    t.zaehleRichtig(17);
    t.zaehleFalsch(17);
    Durchlauf lauf(t, zufall, Durchlauf::Stand().mitAntworten(4, 3).mitFrage(17, Frage{Seite::Olvani, "w17"}));
    const Urteil u = lauf.pruefeAntwort("b");
    QCOMPARE(u.statistikzeile, std::string("Versuche: 8 / Erfolge: 5 (62%) / Fehler: 3 / Wörter: 250"
                                     " / letztes Wort richtig  2 / letztes Wort falsch  1"));
    QCOMPARE(Statistikzeile(lauf, Form::Kurz, ","), std::string("Versuche: 8 / Erfolge: 5 (62,5%) / Fehler: 3 / Wörter: 250"));
}

QTEST_GUILESS_MAIN(TestStatistikzeile)
#include "tst_statistikzeile.moc"
