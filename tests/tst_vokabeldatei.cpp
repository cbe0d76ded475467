#include "vocab/dateisuche.h"
#include "vocab/abbruch.h"
#include "vocab/vokabeldatei.h"
#include "vocab/zeilenfelder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <string>
#include <vector>

using namespace olvani;

namespace {

Vokabeltabelle lies(const QByteArray& inhalt)
{
    return liesVokabeln(std::string_view(inhalt.constData(), static_cast<std::size_t>(inhalt.size())), "/x/olvani.txt");
}

QString fehlerText(const QByteArray& inhalt)
{
    try {
        lies(inhalt);
    } catch (const Abbruch& f) {
        return QString::fromUtf8(f.what());
    }
    return QStringLiteral("(kein Fehler)");
}

// Text as UTF-16 with its byte-order mark (or without, when `bom` is false).
QByteArray alsUtf16(const QString& text, bool grossEndian, bool bom = true)
{
    QByteArray aus = bom ? QByteArray(grossEndian ? "\xFE\xFF" : "\xFF\xFE") : QByteArray();
    for (const QChar c : text) {
        const char hoch = static_cast<char>(c.unicode() >> 8), tief = static_cast<char>(c.unicode() & 0xFF);
        aus += grossEndian ? hoch : tief;
        aus += grossEndian ? tief : hoch;
    }
    return aus;
}

// The rows of the sheet the exports in daten/tabellen/ were made from: the
// texts of their cells.
QList<QStringList> tabellenblatt(const QString& pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&datei);
    QList<QStringList> zeilen;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"table-row")
            zeilen.append(QStringList());
        else if (xml.name() == u"p" && !zeilen.isEmpty())
            zeilen.last().append(xml.readElementText(QXmlStreamReader::IncludeChildElements));
    }
    return zeilen;
}

QByteArray datensaetze(int anzahl)
{
    QByteArray inhalt;
    for (int i = 1; i <= anzahl; ++i)
        inhalt += "\"wort" + QByteArray::number(i) + "\",\"Bedeutung, lang\",\"@\",\"zwei\",\"@\",\"0\"\r\n";
    return inhalt;
}

} // namespace

class TstVokabeldatei : public QObject {
    Q_OBJECT

private slots:
    void felder_data();
    void felder();
    void zeilenenden_data();
    void zeilenenden();
    void kodierung_data();
    void kodierung();
    void utf16_data();
    void utf16();
    void kodierungsraender_data();
    void kodierungsraender();
    void stueckgrenzen_data();
    void stueckgrenzen();
    void spaetesCp1252();
    void tabellenexporte_data();
    void tabellenexporte();
    void langeZeilen();
    void fehler_data();
    void fehler();
    void kapazitaet();
    void ladenAusDatei();
    void suche_data();
    void suche();
    void pfadUndMeldung();
};

// One record each; columns 1..4 and the flag as stored.
void TstVokabeldatei::felder_data()
{
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<QStringList>("erwartet"); // Wort, Bedeutung 1..4
    QTest::addColumn<bool>("kennung");

    QTest::newRow("Normalform") << QByteArray("\"-geh\",\"gehen\",\"laufen\",\"@\",\"@\",\"0\"\r\n")
                                << QStringList{"-geh", "gehen", "laufen", "", ""} << false;
    QTest::newRow("Komma in Anfuehrungszeichen") << QByteArray("\"a\",\"ja, gut\",\"@\",\"@\",\"@\",\"1\"")
                                                 << QStringList{"a", "ja, gut", "", "", ""} << true;
    QTest::newRow("nur zweite Bedeutung") << QByteArray("\"a\",\"@\",\"zwei\",\"@\",\"@\",\"1\"\r\n")
                                          << QStringList{"a", "", "zwei", "", ""} << true;
    QTest::newRow("@ im Wort bleibt") << QByteArray("\"@\",\"@x\",\"x@\",\" @\",\"@\",\"0\"")
                                      << QStringList{"@", "@x", "x@", " @", ""} << false;
    QTest::newRow("@ ungequotet mit Blanks") << QByteArray("w,  @  ,b,c,d,0")
                                             << QStringList{"w", "", "b", "c", "d"} << false;
    QTest::newRow("Kennung gequotet Blank 1") << QByteArray("a,b,c,d,e,\" 1\"") << QStringList{"a", "b", "c", "d", "e"}
                                              << false;
    QTest::newRow("Kennung 01") << QByteArray("a,b,c,d,e,\"01\"") << QStringList{"a", "b", "c", "d", "e"} << false;
    QTest::newRow("Kennung @") << QByteArray("a,b,c,d,e,@") << QStringList{"a", "b", "c", "d", "e"} << false;
    QTest::newRow("Kennung ungequotet Blanks 1 Tab") << QByteArray("a,b,c,d,e,   1\t\r\n")
                                                     << QStringList{"a", "b", "c", "d", "e"} << true;
    QTest::newRow("Blanks: vorn weg, hinten weg, innen bleiben")
        << QByteArray("  ein Wort \t,\t b ,\" c \",d,e,0") << QStringList{"ein Wort", "b", " c ", "d", "e"} << false;
    QTest::newRow("Blank vor Bindestrich ist kein Verb, bleibt") << QByteArray("\" -x\",b,c,d,e,0")
                                                                 << QStringList{" -x", "b", "c", "d", "e"} << false;
    QTest::newRow("Blanks nach Schlussquote ignoriert") << QByteArray("\"a\" ,\"b\" \t,c,d,e,\"1\" ")
                                                        << QStringList{"a", "b", "c", "d", "e"} << true;
    // Where the doubled-quote look-ahead meets the end of the line.
    QTest::newRow("verdoppelte Quote am Zeilenende, offen") << QByteArray("\"w\"\"\r\nb,c,d,e,1")
                                                            << QStringList{"w\"", "b", "c", "d", "e"} << true;
    QTest::newRow("verdoppelte Quote, Schlussquote am Zeilenende") << QByteArray("\"w\",b,c,d,e,\"1\"\"\"")
                                                                   << QStringList{"w", "b", "c", "d", "e"} << false;
    QTest::newRow("leere Felder") << QByteArray(",,,,,") << QStringList{"", "", "", "", ""} << false;
    QTest::newRow("Datensatz ueber mehrere Zeilen") << QByteArray("a\r\nb,c\r\nd\r\ne\r\n1\r\n")
                                                    << QStringList{"a", "b", "c", "d", "e"} << true;
    QTest::newRow("offene Quote endet am Zeilenende") << QByteArray("\"a,b\r\nc,d,e,f,1")
                                                      << QStringList{"a,b", "c", "d", "e", "f"} << true;
    QTest::newRow("offene Quote am Dateiende") << QByteArray("a,b,c,d,e,\"1") << QStringList{"a", "b", "c", "d", "e"}
                                               << true;
    // Line ends end fields up to the last complete record: a blank line
    // after five fields is the sixth, and only what follows is skipped.
    QTest::newRow("Leerzeile am Ende ist die Kennung") << QByteArray("a,b,c,d,e\r\n\r\n")
                                                       << QStringList{"a", "b", "c", "d", "e"} << false;
    QTest::newRow("leere Felder, nur CR") << QByteArray(",,,,\r\r") << QStringList{"", "", "", "", ""} << false;
    QTest::newRow("Leerzeilen nach der Kennung weg") << QByteArray("a,b,c,d,e\n\n\n \n")
                                                     << QStringList{"a", "b", "c", "d", "e"} << false;
    // Two quotes in a quoted field are one; as a whole field they are empty.
    QTest::newRow("doppelte Quotes") << QByteArray("\"w\",\"sagen \"\"ja\"\"\",\"\"\"Ja\"\", sagen\",\"\"\"\",\"\",0")
                                     << QStringList{"w", "sagen \"ja\"", "\"Ja\", sagen", "\"", ""} << false;
    QTest::newRow("Semikolon, Komma in Bedeutung") << QByteArray("dorva;Haus, Heim;\"a;b\";@; @ ;1\r\n")
                                                   << QStringList{"dorva", "Haus, Heim", "a;b", "", ""} << true;
    QTest::newRow("Tabulator trennt, Leerzeichen fallen weg") << QByteArray("a \t b\t\"c\" \t\td\t1\n")
                                                             << QStringList{"a", "b", "c", "", "d"} << true;
    // Only blank lines follow, so the first line still decides the separator.
    QTest::newRow("nur Tabulatoren, Leerzeilen danach") << QByteArray("\t\t\t\t\t\n\n")
                                                       << QStringList{"", "", "", "", ""} << false;
    QTest::newRow("sechs Felder mit Semikolon und mit Tabulator: Semikolon")
        << QByteArray("a\tx;b\ty;c\tz;d\tu;e\tv;1") << QStringList{"a\tx", "b\ty", "c\tz", "d\tu", "e\tv"} << true;
    QTest::newRow("sechs Felder mit Komma: Komma bleibt") << QByteArray("w;x,b,c,d,e,1")
                                                          << QStringList{"w;x", "b", "c", "d", "e"} << true;
    // Six fields at semicolons in the first line, but only commas read the
    // whole file.
    QTest::newRow("Semikolon scheitert, Komma liest") << QByteArray("zorp;a;b;c;d;e,Haus\r\n@,@,@,0\r\n")
                                                      << QStringList{"zorp;a;b;c;d;e", "Haus", "", "", ""} << false;
}

void TstVokabeldatei::felder()
{
    QFETCH(QByteArray, inhalt);
    QFETCH(QStringList, erwartet);
    QFETCH(bool, kennung);

    Vokabeltabelle t;
    try {
        t = lies(inhalt);
    } catch (const Abbruch& fehler) {
        QFAIL(fehler.what());
    }
    QCOMPARE(t.Anzahl(), 1);
    QCOMPARE(QString::fromStdString(t.Wort(1)), erwartet[0]);
    for (int spalte = 1; spalte <= 4; ++spalte)
        QCOMPARE(QString::fromStdString(t.Bedeutung(1, spalte)), erwartet[spalte]);
    QCOMPARE(t.Bedeutung(1, 5), std::string());
    QCOMPARE(t.Kennung(1), kennung);

    // A line that ends where its memory ends is split without a look past
    // it (a sanitizer build sees any read beyond).
    if (!inhalt.contains('\r') && !inhalt.contains('\n')) {
        const std::vector<char> genau(inhalt.begin(), inhalt.end());
        const std::string_view zeile(genau.data(), genau.size());
        QCOMPARE(zaehleFelder(zeile, erkenneTrenner(zeile)), std::size_t{6});
    }
}

void TstVokabeldatei::zeilenenden_data()
{
    QTest::addColumn<QByteArray>("inhalt");

    QTest::newRow("CR LF") << QByteArray("a,1,2,3,4,1\r\nb,5,6,7,8,0\r\n");
    QTest::newRow("LF") << QByteArray("a,1,2,3,4,1\nb,5,6,7,8,0\n");
    QTest::newRow("CR") << QByteArray("a,1,2,3,4,1\rb,5,6,7,8,0\r");
    QTest::newRow("ohne letztes Zeilenende") << QByteArray("a,1,2,3,4,1\r\nb,5,6,7,8,0");
    QTest::newRow("Leerzeilen am Ende") << QByteArray("a,1,2,3,4,1\nb,5,6,7,8,0\r\n\r\n  \t\n\r\n");
    QTest::newRow("Strg-Z am Ende") << QByteArray("a,1,2,3,4,1\r\nb,5,6,7,8,0\r\n\x1A");
    QTest::newRow("zwei Datensaetze in einer Zeile") << QByteArray("a,1,2,3,4,1,b,5,6,7,8,0");
    QTest::newRow("erste Zeile sechs Felder mit Semikolon, Komma liest")
        << QByteArray("a;x;y;z;w;v,1,2,3\r\n4,1\r\nb,5,6,7,8,0\r\n");
}

void TstVokabeldatei::zeilenenden()
{
    QFETCH(QByteArray, inhalt);

    const Vokabeltabelle t = lies(inhalt);
    QCOMPARE(t.Anzahl(), 2);
    QCOMPARE(t.Wort(2), std::string("b"));
    QCOMPARE(t.Bedeutung(1, 4), std::string("4"));
    QCOMPARE(t.Bedeutung(2, 4), std::string("8"));
    QVERIFY(t.Kennung(1));
    QVERIFY(!t.Kennung(2));
}

void TstVokabeldatei::kodierung_data()
{
    QTest::addColumn<QByteArray>("wort");
    QTest::addColumn<QString>("erwartet");

    QTest::newRow("1252 Umlaute und ss") << QByteArray("\xC4\xD6\xDC\xE4\xF6\xFC\xDF") << QStringLiteral("ÄÖÜäöüß");
    QTest::newRow("1252 Steuerbereich") << QByteArray("\x80\x8A\x93\x94\x9F") << QStringLiteral("€Š“”Ÿ");
    QTest::newRow("1252 undefinierte Bytes") << QByteArray("\x81\x8D\x8F\x90\x9D")
                                             << QStringLiteral("\u0081\u008D\u008F\u0090\u009D");
    QTest::newRow("1252 A0 und FF") << QByteArray("\xA0\xFF") << QStringLiteral("\u00A0ÿ");
    QTest::newRow("UTF-8 ohne BOM") << QByteArray("Stra\xC3\x9F" "e \xE2\x82\xAC") << QStringLiteral("Straße €");
    QTest::newRow("UTF-8-Folge mit 1252-Byte ist 1252") << QByteArray("\xC3\xA4 \xE4") << QStringLiteral("Ã¤ ä");
    QTest::newRow("UTF-8-Ueberlangform ist 1252") << QByteArray("\xE0\x80\xAF") << QStringLiteral("à€¯");
    QTest::newRow("UTF-8 mit BOM") << QByteArray("\xEF\xBB\xBF\xC3\xBC" "ber") << QStringLiteral("über");
    QTest::newRow("BOM, ungueltige Bytes") << QByteArray("\xEF\xBB\xBF" "a\xE4\xE2\x82z")
                                           << QStringLiteral("a\uFFFD\uFFFD\uFFFDz");
}

void TstVokabeldatei::utf16_data()
{
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<QString>("wort");
    QTest::addColumn<bool>("kennung");

    const QString satz = QStringLiteral("\"Grüße €\U0001F600\"\tx\t@\t@\t@\t1\r\n");
    QTest::newRow("little-endian") << alsUtf16(satz, false) << QStringLiteral("Grüße €\U0001F600") << true;
    QTest::newRow("big-endian") << alsUtf16(satz, true) << QStringLiteral("Grüße €\U0001F600") << true;
    // An unpaired surrogate and a lone last byte become U+FFFD (the flag is "1\uFFFD").
    QTest::newRow("Bruchstuecke") << alsUtf16(QStringLiteral("a") + QChar(0xD800) + QStringLiteral(",x,@,@,@,1"), true) + "\x31"
                                  << QStringLiteral("a\uFFFD") << false;
}

void TstVokabeldatei::utf16()
{
    QFETCH(QByteArray, inhalt);
    QFETCH(QString, wort);
    QFETCH(bool, kennung);

    const Vokabeltabelle t = lies(inhalt);
    QCOMPARE(t.Anzahl(), 1);
    QCOMPARE(QString::fromStdString(t.Wort(1)), wort);
    QCOMPARE(t.Bedeutung(1, 1), std::string("x"));
    QCOMPARE(t.Kennung(1), kennung);
}

// Where a decoder's bounds lie: each row's file holds one record, and its
// word comes out as these UTF-8 bytes (compared as bytes, since a wrongly
// encoded character may read back as the same QString).
void TstVokabeldatei::kodierungsraender_data()
{
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<QString>("wort");

    QTest::newRow("dreibytige Folge, drittes Byte kein Folgebyte: 1252") << QByteArray("\xE2\x82" "A,x,@,@,@,0")
                                                                         << QStringLiteral("â‚A");
    // The flag field ends the text with "ä": valid, so the word is UTF-8 too.
    QTest::newRow("UTF-8-Zeichen als letzte Bytes der Datei") << QByteArray("\xC3\xA4,x,@,@,@,0\xC3\xA4")
                                                              << QStringLiteral("ä");
    QTest::newRow("UTF-16 U+0800: erstes Zeichen aus drei Bytes")
        << alsUtf16(QChar(0x0800) + QStringLiteral(",x,@,@,@,0"), false) << QStringLiteral("\u0800");
    QTest::newRow("UTF-16 ungepaartes DFFF") << alsUtf16(QChar(0xDFFF) + QStringLiteral(",x,@,@,@,0"), true)
                                             << QStringLiteral("\uFFFD");
}

void TstVokabeldatei::kodierungsraender()
{
    QFETCH(QByteArray, inhalt);
    QFETCH(QString, wort);

    const Vokabeltabelle t = lies(inhalt);
    QCOMPARE(t.Anzahl(), 1);
    QCOMPARE(QByteArray::fromStdString(t.Wort(1)), wort.toUtf8());
    QCOMPARE(t.Bedeutung(1, 1), std::string("x"));
}

// The file is read in pieces of 64 KiB: a line end, a character or a
// surrogate pair cut by the end of a piece must come out whole.
void TstVokabeldatei::stueckgrenzen_data()
{
    QTest::addColumn<QString>("kodierung");
    QTest::addColumn<QString>("wort");

    QTest::newRow("UTF-8") << "UTF-8" << QStringLiteral("ß€\U0001F600-Straße");
    QTest::newRow("UTF-8 mit BOM") << "BOM" << QStringLiteral("ß€\U0001F600-Straße");
    QTest::newRow("Windows-1252") << "1252" << QStringLiteral("ßäöü-Straße");
    QTest::newRow("UTF-16 LE") << "LE" << QStringLiteral("ß€\U0001F600\U0001F600-Straße");
    QTest::newRow("UTF-16 BE") << "BE" << QStringLiteral("ß€\U0001F600\U0001F600-Straße");
}

void TstVokabeldatei::stueckgrenzen()
{
    QFETCH(QString, kodierung);
    QFETCH(QString, wort);

    const bool zweiBytes = kodierung == "LE" || kodierung == "BE";
    const int grenze = 64 * 1024 / (zweiBytes ? 2 : 1);
    for (int laenge = grenze - 16; laenge < grenze + 4; ++laenge) {
        const QString text = QString(laenge, 'x') + ",a,@,@,@,0\r\n" + wort + ",b,@,@,@,1\r\n";
        const QByteArray inhalt = zweiBytes          ? alsUtf16(text, kodierung == "BE")
                                  : kodierung == "1252" ? text.toLatin1()
                                  : kodierung == "BOM"  ? "\xEF\xBB\xBF" + text.toUtf8()
                                                        : text.toUtf8();
        const Vokabeltabelle t = lies(inhalt);
        QCOMPARE(t.Anzahl(), 2);
        QCOMPARE(t.Bedeutung(1, 1), std::string("a"));
        QCOMPARE(QString::fromStdString(t.Wort(2)), wort);
        QVERIFY(t.Kennung(2));
    }
}

// Records read before the first byte that is not UTF-8 are Windows-1252 too.
void TstVokabeldatei::spaetesCp1252()
{
    const Vokabeltabelle t = lies("\xC3\xA4,a,@,@,@,0\r\n" + datensaetze(3000) + "\xE4,b,@,@,@,1\r\n");
    QCOMPARE(t.Anzahl(), 3002);
    QCOMPARE(QString::fromStdString(t.Wort(1)), QStringLiteral("Ã¤"));
    QCOMPARE(QString::fromStdString(t.Wort(3002)), QStringLiteral("ä"));
    QCOMPARE(t.Bedeutung(3000, 1), std::string("Bedeutung, lang"));
}

// A line of more than 1 MiB is taken in parts: field by field, a field that
// is longer as a whole, and a blank one as a blank line.
void TstVokabeldatei::langeZeilen()
{
    QByteArray eineZeile, jeZeile;
    for (int i = 0; i < 8000; ++i) {
        const QByteArray satz = "\"w" + QByteArray(150, 'x') + QByteArray::number(i) + "\",\"a, \"\"b\"\" "
                                + QByteArray::number(i) + "\",@, c ,d," + QByteArray::number(i % 2);
        eineZeile += satz + (i + 1 < 8000 ? "," : "");
        jeZeile += satz + "\r\n";
    }
    QVERIFY(eineZeile.size() > 1024 * 1024);
    const Vokabeltabelle t = lies(eineZeile), u = lies(jeZeile);
    QCOMPARE(t.Anzahl(), 8000);
    QCOMPARE(u.Anzahl(), 8000);
    for (int i = 1; i <= 8000; ++i) {
        QCOMPARE(t.Wort(i), u.Wort(i));
        QCOMPARE(t.Bedeutung(i, 1), u.Bedeutung(i, 1));
        QCOMPARE(t.Bedeutung(i, 3), u.Bedeutung(i, 3));
        QCOMPARE(t.Kennung(i), u.Kennung(i));
    }
    QCOMPARE(t.Bedeutung(8000, 1), std::string("a, \"b\" 7999"));

    const Vokabeltabelle lang = lies(QByteArray(3 << 19, 'x') + ",a,b,c,d,1\r\n" + QByteArray(3 << 19, ' ') + "\r\n");
    QCOMPARE(lang.Anzahl(), 1);
    QCOMPARE(lang.Wort(1).size(), std::size_t{3 << 19});
    QCOMPARE(fehlerText(QByteArray(3 << 20, 'y') + QByteArray(1, '\0')),
             QStringLiteral("Die Vokabel-Datei /x/olvani.txt ist keine Textdatei: in Zeile 1 steht im Datensatz 1 im Feld 1 "
                            "(Wort) ein Nullzeichen."));
}

// Each file that scripts/tabellen-exportieren.sh made from the sheet
// (listed in INHALT) loads as the sheet holds it.
void TstVokabeldatei::tabellenexporte_data()
{
    QTest::addColumn<QString>("datei");

    QFile inhalt(QFINDTESTDATA("daten/tabellen/INHALT"));
    QVERIFY(inhalt.open(QIODevice::ReadOnly | QIODevice::Text));
    while (!inhalt.atEnd()) {
        const QString zeile = QString::fromUtf8(inhalt.readLine());
        if (!zeile.startsWith('#'))
            QTest::newRow(qPrintable(zeile.section(':', 0, 0))) << zeile.section(':', 0, 0);
    }
}

void TstVokabeldatei::tabellenexporte()
{
    QFETCH(QString, datei);

    const QString ordner = QFINDTESTDATA("daten/tabellen");
    const QList<QStringList> blatt = tabellenblatt(ordner + "/olvani.fods");
    QCOMPARE(blatt.size(), 32);
    const Vokabeltabelle t = ladeVokabeldatei((ordner + "/" + datei).toStdString());
    QCOMPARE(t.Anzahl(), blatt.size());
    for (int i = 1; i <= t.Anzahl(); ++i) {
        const QStringList& zellen = blatt[i - 1];
        QCOMPARE(zellen.size(), 6);
        QCOMPARE(QString::fromStdString(t.Wort(i)), zellen[0]);
        for (int spalte = 1; spalte <= 4; ++spalte)
            QCOMPARE(QString::fromStdString(t.Bedeutung(i, spalte)), zellen[spalte] == "@" ? "" : zellen[spalte]);
        QCOMPARE(t.Kennung(i), zellen[5] == "1");
    }
}

// The first field carries the text; the BOM, if any, is the file's first bytes.
void TstVokabeldatei::kodierung()
{
    QFETCH(QByteArray, wort);
    QFETCH(QString, erwartet);

    const Vokabeltabelle t = lies(wort + ",x,@,@,@,0\r\n");
    QCOMPARE(QString::fromStdString(t.Wort(1)), erwartet);
    QCOMPARE(t.Bedeutung(1, 1), std::string("x"));
}

void TstVokabeldatei::fehler_data()
{
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<QString>("meldung");

    const QString unvollstaendig = QStringLiteral("Die Vokabel-Datei /x/olvani.txt ist unvollständig: in Zeile %1 "
                                                  "fehlt dem Datensatz %2 das Feld %3 (%4).");
    const QString leer = QStringLiteral("Die Vokabel-Datei /x/olvani.txt ist leer: sie enthält keinen einzigen "
                                        "Datensatz.");
    QTest::newRow("leer") << QByteArray() << leer;
    QTest::newRow("nur Leerzeilen") << QByteArray(" \r\n\t\n") << leer;
    QTest::newRow("nur BOM und Strg-Z") << QByteArray("\xEF\xBB\xBF\x1A") << leer;
    QTest::newRow("letzte Zeile zu kurz") << datensaetze(6) + "\"w\",\"a\",\"b\"\r\n"
                                          << unvollstaendig.arg(7).arg(7).arg(4).arg("dritte Bedeutung");
    // The blank lines are the third and fourth field; the fifth is missing.
    // Where the records first left the lines is named too, when it is an
    // earlier line.
    const QString verrutscht = QStringLiteral(" Verrutscht ist das schon in Zeile %1: %2");
    QTest::newRow("zu kurz, Leerzeilen danach")
        << datensaetze(1) + "w,a\r\n\r\n\r\n"
        << unvollstaendig.arg(4).arg(2).arg(5).arg("vierte Bedeutung")
               + verrutscht.arg(2).arg("dort stehen 2 Felder statt sechs.");
    QTest::newRow("Leerzeile mitten in der Datei ist ein Feld")
        << datensaetze(1) + "\r\n" + datensaetze(1)
        << unvollstaendig.arg(3).arg(3).arg(2).arg("erste Bedeutung")
               + verrutscht.arg(2).arg("eine Leerzeile zählt als ein leeres Feld.");
    QTest::newRow("nur Wort in letzter Zeile") << datensaetze(2) + "w"
                                               << unvollstaendig.arg(3).arg(3).arg(2).arg("erste Bedeutung");
    QTest::newRow("Kennung fehlt") << QByteArray("a,b\nc,d,e\n")
                                   << unvollstaendig.arg(2).arg(1).arg(6).arg("Kennung")
                                          + verrutscht.arg(1).arg("dort stehen 2 Felder statt sechs.");
    // A header of seven columns: the first line does not give the separator.
    QTest::newRow("Semikolon, Kopfzeile mit sieben Spalten")
        << QByteArray("Wort;B1;B2;B3;B4;K;Notiz\r\nf;g;h;i;j;0\r\n")
        << unvollstaendig.arg(2).arg(1).arg(3).arg("zweite Bedeutung")
               + verrutscht.arg(1).arg("dort stehen mit Semikolon 7 Felder statt sechs.")
               + " Mit Semikolon als Trenner hätte Zeile 2 sechs Felder; der Trenner richtet sich nach der ersten "
                 "Zeile, und die wird mit Komma gelesen.";
    QTest::newRow("Leerzeilen vor der Kopfzeile: die erste Zeile mit Text")
        << QByteArray("\r\n\r\nWort;B1;B2;B3;B4;K;Notiz\r\nf;g;h;i;j;0\r\n")
        << unvollstaendig.arg(4).arg(1).arg(5).arg("vierte Bedeutung")
               + verrutscht.arg(1).arg("eine Leerzeile zählt als ein leeres Feld.")
               + " Mit Semikolon als Trenner hätte Zeile 4 sechs Felder; der Trenner richtet sich nach der ersten "
                 "Zeile mit Text, Zeile 3, und die wird mit Komma gelesen.";
    // Neither reading takes the file: the one the first line chose speaks.
    QTest::newRow("Semikolon und Komma scheitern") << QByteArray("a;b;c;d;e;f\r\ng;h\r\n")
                                                   << unvollstaendig.arg(2).arg(2).arg(3).arg("zweite Bedeutung");
    QTest::newRow("Zelle mit Zeilenumbruch")
        << QByteArray("\"w\",\"Zeile eins\r\nZeile zwei\",\"@\",\"@\",\"@\",\"0\"\r\n")
        << unvollstaendig.arg(2).arg(2).arg(2).arg("erste Bedeutung")
               + verrutscht.arg(1).arg("dort stehen 2 Felder statt sechs.")
               + " In Zeile 1 beginnt ein Feld in Anführungszeichen, das erst nach dem Zeilenende schließt: wohl "
                 "eine Tabellenzelle mit Zeilenumbruch. Der Trainer liest jede Zeile für sich; schreib den Text der "
                 "Zelle in eine Zeile.";
    // A quoted field still open at the end of the file reached no line end:
    // no cell with a line break is named.
    QTest::newRow("offene Quote am Dateiende nennt keine Zelle mit Umbruch")
        << QByteArray("a,b,c,d,e,1\r\n\"\"\"") << unvollstaendig.arg(2).arg(2).arg(2).arg("erste Bedeutung");
    QTest::newRow("Zeile nur mit Tabulator ist nicht leer") << QByteArray("a\tb\tc\td\te\t1\n\t\n")
                                                            << unvollstaendig.arg(2).arg(2).arg(3).arg("zweite Bedeutung")
                                                                   + " Zeile 2 sieht leer aus, enthält aber einen "
                                                                     "Tabulator: das sind 2 leere Felder.";
    const QString streuquote = QStringLiteral("Die Vokabel-Datei /x/olvani.txt ist fehlerhaft: in Zeile %1 steht im "
                                              "Datensatz %2 im Feld %3 (%4) nach dem schließenden Anführungszeichen "
                                              "noch „%5“. Ein Anführungszeichen in einem Feld in Anführungszeichen "
                                              "wird doppelt geschrieben: \"sagen \"\"ja\"\"\" steht für sagen \"ja\".");
    QTest::newRow("Quote im Feld nicht verdoppelt")
        << QByteArray("\"dorva\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n\"zorp\",\"sagen \"ja\"\",\"@\",\"@\",\"@\",\"0\"\r\n")
        << streuquote.arg(2).arg(2).arg(2).arg("erste Bedeutung").arg("ja\"\"");
    QTest::newRow("Text nach Schlussquote") << QByteArray("\"a\"xy ,b,c,d,e,1")
                                            << streuquote.arg(1).arg(1).arg(1).arg("Wort").arg("xy");
    const QString keinText = QStringLiteral("Die Vokabel-Datei /x/olvani.txt ist keine Textdatei: in Zeile %1 steht "
                                            "im Datensatz %2 im Feld %3 (%4) ein Nullzeichen.");
    QTest::newRow("Nullbyte in einer Bedeutung") << datensaetze(2) + "\"w\",\"Ha" + QByteArray(1, '\0') + "us\",@,@,@,0\r\n"
                                                 << keinText.arg(3).arg(3).arg(2).arg("erste Bedeutung");
    QTest::newRow("Nullzeichen in UTF-16") << alsUtf16(QStringLiteral("a;b;c;d;e;1\nf;g") + QChar(0) + ";", true)
                                           << keinText.arg(2).arg(2).arg(2).arg("erste Bedeutung");
    const QString ohneBom = QStringLiteral(" Sie sieht aus wie UTF-16 ohne Byte-Order-Mark (BOM); UTF-16 liest der "
                                           "Trainer nur mit BOM, wie „Unicode-Text“ ihn schreibt.");
    QTest::newRow("UTF-16 ohne BOM") << alsUtf16(QStringLiteral("a,b,c,d,e,1\r\n"), false, false)
                                     << keinText.arg(1).arg(1).arg(1).arg("Wort") + ohneBom;
    QTest::newRow("UTF-16 big-endian ohne BOM") << alsUtf16(QStringLiteral("a,b,c,d,e,1\r\n"), true, false)
                                                << keinText.arg(1).arg(1).arg(1).arg("Wort") + ohneBom;
    // Zeros, but not every other byte: no UTF-16.
    QTest::newRow("Nullzeichen, nicht abwechselnd") << QByteArray("a\0b\0cd\0e\0", 8)
                                                    << keinText.arg(1).arg(1).arg(1).arg("Wort");
    QTest::newRow("Komma nach Kennung beginnt Datensatz") << QByteArray("a,b,c,d,e,1,")
                                                          << unvollstaendig.arg(1).arg(2).arg(2).arg("erste Bedeutung");
}

void TstVokabeldatei::fehler()
{
    QFETCH(QByteArray, inhalt);
    QFETCH(QString, meldung);

    QCOMPARE(fehlerText(inhalt), meldung);
}

void TstVokabeldatei::kapazitaet()
{
    const QByteArray voll = datensaetze(10000);
    const Vokabeltabelle t = lies(voll);
    QCOMPARE(t.Anzahl(), 10000);
    QCOMPARE(t.Wort(10000), std::string("wort10000"));
    QCOMPARE(t.Bedeutung(10000, 1), std::string("Bedeutung, lang"));

    QCOMPARE(lies(voll + "\r\n \r\n").Anzahl(), 10000);
    QCOMPARE(fehlerText(voll + "x"), QStringLiteral("Die Vokabel-Datei /x/olvani.txt enthält mehr als 10000 Vokabeln: "
                                                    "der Datensatz 10001 beginnt in Zeile 10001."));
}

void TstVokabeldatei::ladenAusDatei()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string pfad = dir.filePath("olvani.txt").toStdString();
    QFile datei(dir.filePath("olvani.txt"));
    QVERIFY(datei.open(QIODevice::WriteOnly));
    datei.write("\"gr\xFC\xDF\",\"Gru\xDF\",\"@\",\"@\",\"@\",\"1\"\r\n\x1A");
    datei.close();
    const Vokabeltabelle t = ladeVokabeldatei(pfad);
    QCOMPARE(t.Anzahl(), 1);
    QCOMPARE(QString::fromStdString(t.Wort(1)), QStringLiteral("grüß"));

    const auto meldung = [](const std::string& p) -> std::string {
        try {
            ladeVokabeldatei(p);
        } catch (const Abbruch& f) {
            return f.what();
        }
        return "(kein Fehler)";
    };
    QVERIFY(QDir(dir.path()).mkdir("verzeichnis"));
    const std::string verzeichnis = dir.filePath("verzeichnis").toStdString();
#ifdef Q_OS_WIN
    const std::string wie = " kann nicht geöffnet werden."; // Windows opens no folder as a file
#else
    const std::string wie = " kann nicht gelesen werden.";
#endif
    QCOMPARE(meldung(verzeichnis), "Die Vokabel-Datei " + verzeichnis + wie);
    const std::string fehlt = dir.filePath("fehlt.txt").toStdString();
    QCOMPARE(meldung(fehlt), "Die Vokabel-Datei " + fehlt + " kann nicht geöffnet werden.");
}

void TstVokabeldatei::suche_data()
{
    QTest::addColumn<QStringList>("dateien");
    QTest::addColumn<QStringList>("verzeichnisse");
    QTest::addColumn<QString>("gefunden");

    QTest::newRow("genau") << QStringList{"olvani.txt", "andere.txt"} << QStringList{} << "olvani.txt";
    QTest::newRow("gross") << QStringList{"OLVANI.TXT"} << QStringList{} << "OLVANI.TXT";
    QTest::newRow("gemischt") << QStringList{"Olvani.Txt"} << QStringList{} << "Olvani.Txt";
    QTest::newRow("klein gewinnt") << QStringList{"OLVANI.TXT", "olvani.txt", "Olvani.txt"} << QStringList{}
                                   << "olvani.txt";
    QTest::newRow("sonst kleinster Name") << QStringList{"olvani.TXT", "Olvani.txt", "OLVANI.txt"} << QStringList{}
                                          << "OLVANI.txt";
    QTest::newRow("keine") << QStringList{"olvani.txt.bak", "xolvani.txt", "olvani"} << QStringList{} << "";
    QTest::newRow("Verzeichnis zaehlt nicht") << QStringList{"Olvani.TXT"} << QStringList{"olvani.txt"}
                                              << "Olvani.TXT";
    QTest::newRow("nur Verzeichnis") << QStringList{} << QStringList{"OLVANI.TXT"} << "";
}

void TstVokabeldatei::suche()
{
    QFETCH(QStringList, dateien);
    QFETCH(QStringList, verzeichnisse);
    QFETCH(QString, gefunden);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
#ifdef Q_OS_WIN
    QStringList klein;
    for (const QString& name : dateien + verzeichnisse)
        klein << name.toLower();
    klein.removeDuplicates();
    if (klein.size() < dateien.size() + verzeichnisse.size())
        QSKIP("Windows' file system ignores letter case: these names are one file there");
#endif
    for (const QString& name : dateien) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    for (const QString& name : verzeichnisse)
        QVERIFY(QDir(dir.path()).mkdir(name));
    const QString erwartet = gefunden.isEmpty() ? QString() : dir.path() + QDir::separator() + gefunden;
    QCOMPARE(QString::fromStdString(findeVokabeldatei(dir.path().toStdString())), erwartet);
}

void TstVokabeldatei::pfadUndMeldung()
{
#ifdef Q_OS_WIN
    QCOMPARE(erwarteterPfad("C:\\Users\\lerner"), std::string("C:\\Users\\lerner\\olvani.txt"));
    QCOMPARE(erwarteterPfad("C:\\"), std::string("C:\\olvani.txt"));
#else
    QCOMPARE(erwarteterPfad("/home/lerner"), std::string("/home/lerner/olvani.txt"));
    QCOMPARE(erwarteterPfad("/"), std::string("/olvani.txt"));
#endif
    QCOMPARE(fehltMeldung("/home/lerner/olvani.txt"),
             std::string("Kann die Vokabel-Datei /home/lerner/olvani.txt nicht finden!"));
    QCOMPARE(findeVokabeldatei("/gibt/es/nicht"), std::string());

    // Paths are UTF-8 text, also letters outside the Windows code page.
    QTemporaryDir fremd;
    const QString ordner = fremd.filePath(QStringLiteral("Übung Ωmega"));
    QVERIFY(QDir().mkdir(ordner));
    QFile datei(ordner + "/olvani.txt");
    QVERIFY(datei.open(QIODevice::WriteOnly));
    datei.write("a,b,c,d,e,1");
    datei.close();
    const std::string gefunden = findeVokabeldatei(ordner.toStdString());
    QCOMPARE(QString::fromStdString(gefunden), ordner + QDir::separator() + "olvani.txt");
    QCOMPARE(ladeVokabeldatei(gefunden).Anzahl(), 1);
    const QString vorher = QDir::currentPath();
    QDir::setCurrent(ordner);
    const QString aktuell = QString::fromStdString(aktuellesVerzeichnis());
    QDir::setCurrent(vorher);
    QCOMPARE(aktuell, QDir::toNativeSeparators(ordner));

#ifdef Q_OS_WIN
    QSKIP("Windows makes shortcut files, not links of the file system");
#endif
    // A link to the file counts, a dangling link does not.
    QTemporaryDir dir;
    QVERIFY(QFile(dir.filePath("ziel")).open(QIODevice::WriteOnly));
    QVERIFY(QFile::link(dir.filePath("ziel"), dir.filePath("OLVANI.TXT")));
    QVERIFY(QFile::link(dir.filePath("weg"), dir.filePath("olvani.txt")));
    QCOMPARE(QString::fromStdString(findeVokabeldatei(dir.path().toStdString())), dir.filePath("OLVANI.TXT"));
}

QTEST_APPLESS_MAIN(TstVokabeldatei)
#include "tst_vokabeldatei.moc"
