#include "vocab/abbruch.h"
#include "vocab/vokabeltabelle.h"

#include <QTest>

#include <functional>

using namespace olvani;

namespace {

Vokabeltabelle dreiEintraege()
{
    Vokabeltabelle t;
    t.neuerEintrag("-geh", {"gehen", "", "laufen", ""}, false);
    t.neuerEintrag("haus", {"Haus", "", "", ""}, true);
    t.neuerEintrag("baum", {"", "", "", ""}, false);
    return t;
}

} // namespace

class TstVokabeltabelle : public QObject {
    Q_OBJECT

private slots:
    void frischeZaehler();
    void verb_data();
    void verb();
    void spalten();
    void ungueltigerIndex_data();
    void ungueltigerIndex();
    void zaehler16_data();
    void zaehler16();
    void kapazitaet();
    void zaehlen();
};

void TstVokabeltabelle::frischeZaehler()
{
    const Vokabeltabelle t = dreiEintraege();
    QCOMPARE(t.Anzahl(), 3);
    for (int i = 0; i <= Kapazitaet; i += i < 5 ? 1 : 4999) {
        QCOMPARE(t.RichtigZaehler(i), 0);
        QCOMPARE(t.FalschZaehler(i), 0);
    }
    // Unloaded slots read as in a zero-filled table.
    QCOMPARE(t.Wort(10000), std::string());
    QVERIFY(!t.Kennung(10000));
}

void TstVokabeltabelle::verb_data()
{
    QTest::addColumn<QString>("wort");
    QTest::addColumn<bool>("verb");

    QTest::newRow("Bindestrich vorn") << "-geh" << true;
    QTest::newRow("nur Bindestrich") << "-" << true;
    QTest::newRow("Blank vor Bindestrich") << " -geh" << false;
    QTest::newRow("Bindestrich hinten") << "geh-" << false;
    QTest::newRow("leer") << "" << false;
}

void TstVokabeltabelle::verb()
{
    QFETCH(QString, wort);
    QFETCH(bool, verb);

    Vokabeltabelle t;
    t.neuerEintrag(wort.toStdString(), {"a", "", "", ""}, false);
    QCOMPARE(t.istVerb(1), verb);
}

void TstVokabeltabelle::spalten()
{
    const Vokabeltabelle t = dreiEintraege();
    for (int i = 1; i <= 3; ++i) {
        QCOMPARE(t.Bedeutung(i, 0), std::string());
        QCOMPARE(t.Bedeutung(i, Bedeutungen + 1), std::string());
    }
    QCOMPARE(t.Bedeutung(1, 3), std::string("laufen"));
    QCOMPARE(t.belegteBedeutungen(1), 2);
    QCOMPARE(t.belegteBedeutungen(2), 1);
    QCOMPARE(t.belegteBedeutungen(3), 0);
    QVERIFY(t.Kennung(2));
    QVERIFY(!t.Kennung(1));
}

void TstVokabeltabelle::ungueltigerIndex_data()
{
    QTest::addColumn<std::function<void(Vokabeltabelle&)>>("zugriff");

    using Z = std::function<void(Vokabeltabelle&)>;
    QTest::newRow("Wort -1") << Z([](Vokabeltabelle& t) { t.Wort(-1); });
    QTest::newRow("Wort 10001") << Z([](Vokabeltabelle& t) { t.Wort(Kapazitaet + 1); });
    QTest::newRow("Bedeutung Spalte 6") << Z([](Vokabeltabelle& t) { t.Bedeutung(1, Bedeutungen + 2); });
    QTest::newRow("Bedeutung Spalte -1") << Z([](Vokabeltabelle& t) { t.Bedeutung(1, -1); });
    QTest::newRow("Kennung 10001") << Z([](Vokabeltabelle& t) { t.Kennung(Kapazitaet + 1); });
    QTest::newRow("zaehleRichtig -1") << Z([](Vokabeltabelle& t) { t.zaehleRichtig(-1); });
    QTest::newRow("zaehleFalsch ungeladen") << Z([](Vokabeltabelle& t) { t.zaehleFalsch(Kapazitaet); });
}

void TstVokabeltabelle::ungueltigerIndex()
{
    QFETCH(std::function<void(Vokabeltabelle&)>, zugriff);

    Vokabeltabelle t = dreiEintraege();
    QVERIFY_THROWS_EXCEPTION(Abbruch, zugriff(t));
}

void TstVokabeltabelle::zaehler16_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("schritt");

    QTest::newRow("32767 aufwaerts") << 32767 << 1;
    QTest::newRow("-32768 abwaerts") << -32768 << -1;
}

void TstVokabeltabelle::zaehler16()
{
    QFETCH(int, start);
    QFETCH(int, schritt);

    Zaehler16 z;
    z = start - schritt;
    schritt > 0 ? ++z : --z;
    QCOMPARE(int(z), start);
    QVERIFY_THROWS_EXCEPTION(Abbruch, schritt > 0 ? ++z : --z);
    QCOMPARE(int(z), start); // the failed step leaves the value alone
    QVERIFY_THROWS_EXCEPTION(Abbruch, z = start + schritt);
}

void TstVokabeltabelle::kapazitaet()
{
    Vokabeltabelle t;
    for (int i = 1; i <= Kapazitaet; ++i)
        QCOMPARE(t.neuerEintrag("w", {"b", "", "", ""}, false), i);
    QVERIFY_THROWS_EXCEPTION(Abbruch, t.neuerEintrag("w", {"b", "", "", ""}, false));
    QCOMPARE(t.Anzahl(), Kapazitaet);
}

void TstVokabeltabelle::zaehlen()
{
    Vokabeltabelle t = dreiEintraege();
    t.zaehleRichtig(2);
    t.zaehleRichtig(2);
    t.zaehleFalsch(3);
    QCOMPARE(t.RichtigZaehler(2), 2);
    QCOMPARE(t.FalschZaehler(2), 0);
    QCOMPARE(t.FalschZaehler(3), 1);
    QCOMPARE(t.RichtigZaehler(1), 0);
}

QTEST_APPLESS_MAIN(TstVokabeltabelle)
#include "tst_vokabeltabelle.moc"
