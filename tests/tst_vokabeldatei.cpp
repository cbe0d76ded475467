#include "vocab/dateisuche.h"
#include "vocab/fehler.h"
#include "vocab/vokabeldatei.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <string>

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
    } catch (const FatalerFehler& f) {
        return QString::fromUtf8(f.what());
    }
    return QStringLiteral("(kein Fehler)");
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
    QTest::newRow("Text nach Schlussquote ignoriert") << QByteArray("\"a\"xy,\"b\" z,c,d,e,\"1\" ")
                                                      << QStringList{"a", "b", "c", "d", "e"} << true;
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
}

void TstVokabeldatei::felder()
{
    QFETCH(QByteArray, inhalt);
    QFETCH(QStringList, erwartet);
    QFETCH(bool, kennung);

    const Vokabeltabelle t = lies(inhalt);
    QCOMPARE(t.Anzahl(), 1);
    QCOMPARE(QString::fromStdString(t.Wort(1)), erwartet[0]);
    for (int spalte = 1; spalte <= 4; ++spalte)
        QCOMPARE(QString::fromStdString(t.Bedeutung(1, spalte)), erwartet[spalte]);
    QCOMPARE(t.Bedeutung(1, 5), std::string());
    QCOMPARE(t.Kennung(1), kennung);
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
    QTest::newRow("zu kurz, Leerzeilen danach") << datensaetze(1) + "w,a\r\n\r\n\r\n"
                                                << unvollstaendig.arg(4).arg(2).arg(5).arg("vierte Bedeutung");
    QTest::newRow("Leerzeile mitten in der Datei ist ein Feld")
        << datensaetze(1) + "\r\n" + datensaetze(1) << unvollstaendig.arg(3).arg(3).arg(2).arg("erste Bedeutung");
    QTest::newRow("nur Wort in letzter Zeile") << datensaetze(2) + "w"
                                               << unvollstaendig.arg(3).arg(3).arg(2).arg("erste Bedeutung");
    QTest::newRow("Kennung fehlt") << QByteArray("a,b\nc,d,e\n") << unvollstaendig.arg(2).arg(1).arg(6).arg("Kennung");
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
        } catch (const FatalerFehler& f) {
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
