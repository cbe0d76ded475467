// Round trip of the vocabulary file: random tables written the way the file
// is meant to be written come back from the reader exactly as they were.
#include "vocab/abbruch.h"
#include "vocab/vokabeldatei.h"

#include <QTest>

#include <array>
#include <random>
#include <string>
#include <vector>

using namespace olvani;

namespace {

struct Eintrag {
    std::string wort;
    std::array<std::string, Bedeutungen> bedeutung; // "" is an absent meaning
    bool kennung = false;
};

// One character as the learner sees it (UTF-8) and as a Windows editor saves
// it (one Windows-1252 byte; ASCII stands for itself).
struct Zeichen {
    const char* utf8;
    unsigned char cp1252;
};

// Letters with a byte of C0 or above, and signs from 80 to BF. The file must
// not look like UTF-8, so a sign never directly follows such a letter (the
// pair could form a valid UTF-8 sequence); see naechstesZeichen.
constexpr std::array<Zeichen, 13> Buchstaben{{{"ä", 0xE4}, {"ö", 0xF6}, {"ü", 0xFC}, {"Ä", 0xC4}, {"Ö", 0xD6},
                                              {"Ü", 0xDC}, {"ß", 0xDF}, {"é", 0xE9}, {"è", 0xE8}, {"à", 0xE0},
                                              {"ç", 0xE7}, {"ñ", 0xF1}, {"ÿ", 0xFF}}};
constexpr std::array<Zeichen, 12> Zeichen8x{{{"€", 0x80}, {"‚", 0x82}, {"„", 0x84}, {"…", 0x85}, {"‘", 0x91},
                                            {"’", 0x92}, {"“", 0x93}, {"”", 0x94}, {"–", 0x96}, {"—", 0x97},
                                            {"°", 0xB0}, {"§", 0xA7}}};
// Blanks, commas and "@" are allowed inside quotes, too.
constexpr std::string_view Ascii = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ,.;:!?@-'()/\t";

class Generator {
public:
    explicit Generator(unsigned seed) : zufall_(seed) {}

    int zahl(int von, int bis) { return std::uniform_int_distribution<int>(von, bis)(zufall_); }
    bool wurf(int prozent) { return zahl(1, 100) <= prozent; }

    // A text and its bytes in the file.
    void text(std::string& utf8, std::string& datei, int maxLaenge, bool cp1252 = true)
    {
        utf8.clear();
        datei.clear();
        bool nachBuchstabe = false;
        for (int n = zahl(0, maxLaenge); n > 0; --n) {
            const int art = zahl(0, 9);
            if (art == 0 && !nachBuchstabe) {
                anhaengen(Zeichen8x[std::size_t(zahl(0, int(Zeichen8x.size()) - 1))], utf8, datei, cp1252);
            } else if (art <= 2) {
                anhaengen(Buchstaben[std::size_t(zahl(0, int(Buchstaben.size()) - 1))], utf8, datei, cp1252);
                nachBuchstabe = true;
                continue;
            } else {
                const char c = Ascii[std::size_t(zahl(0, int(Ascii.size()) - 1))];
                utf8 += c;
                datei += c;
            }
            nachBuchstabe = false;
        }
    }

    std::vector<Eintrag> tabelle(int anzahl, std::string& datei, bool cp1252)
    {
        std::vector<Eintrag> eintraege(static_cast<std::size_t>(anzahl));
        std::string utf8, roh;
        for (Eintrag& e : eintraege) {
            text(e.wort, roh, 14, cp1252);
            if (wurf(20)) {
                e.wort.insert(0, "-"); // a verb
                roh.insert(0, "-");
            }
            datei += '"' + roh + '"';
            for (std::string& b : e.bedeutung) {
                do {
                    text(b, roh, wurf(70) ? 16 : 0, cp1252);
                } while (b == "@"); // cannot be told from an absent meaning
                datei += ",\"" + (b.empty() ? std::string("@") : roh) + '"';
            }
            e.kennung = wurf(30);
            static constexpr std::array<const char*, 7> Aus{"0", "", "@", "01", " 1", "1 ", "11"};
            datei += ",\"" + std::string(e.kennung ? "1" : Aus[std::size_t(zahl(0, int(Aus.size()) - 1))]) + '"';
            datei += "\r\n";
        }
        if (wurf(10))
            datei.resize(datei.size() - 2); // the last line end is optional
        return eintraege;
    }

private:
    static void anhaengen(const Zeichen& z, std::string& utf8, std::string& datei, bool cp1252)
    {
        utf8 += z.utf8;
        datei += cp1252 ? std::string(1, static_cast<char>(z.cp1252)) : std::string(z.utf8);
    }

    std::mt19937 zufall_;
};

// The first difference between what was written and what was read, or "".
QString unterschied(const std::vector<Eintrag>& erwartet, const Vokabeltabelle& t)
{
    if (t.Anzahl() != int(erwartet.size()))
        return QStringLiteral("Anzahl %1 statt %2").arg(t.Anzahl()).arg(erwartet.size());
    const auto q = [](const std::string& s) { return QString::fromStdString(s); };
    for (int i = 1; i <= t.Anzahl(); ++i) {
        const Eintrag& e = erwartet[std::size_t(i - 1)];
        if (t.Wort(i) != e.wort)
            return QStringLiteral("Wort %1: [%2] statt [%3]").arg(i).arg(q(t.Wort(i)), q(e.wort));
        for (int spalte = 1; spalte <= Bedeutungen; ++spalte) {
            const std::string& b = e.bedeutung[std::size_t(spalte - 1)];
            if (t.Bedeutung(i, spalte) != b)
                return QStringLiteral("Bedeutung(%1, %2): [%3] statt [%4]")
                    .arg(i)
                    .arg(spalte)
                    .arg(q(t.Bedeutung(i, spalte)), q(b));
        }
        if (!t.Bedeutung(i, 5).empty())
            return QStringLiteral("Bedeutung(%1, 5) nicht leer").arg(i);
        if (t.Kennung(i) != e.kennung)
            return QStringLiteral("Kennung %1: %2").arg(i).arg(t.Kennung(i));
        if (t.istVerb(i) != (!e.wort.empty() && e.wort[0] == '-'))
            return QStringLiteral("istVerb %1").arg(i);
    }
    return {};
}

QString lesenUndVergleichen(const std::string& datei, const std::vector<Eintrag>& erwartet)
{
    try {
        return unterschied(erwartet, liesVokabeln(datei, "olvani.txt"));
    } catch (const Abbruch& f) {
        return QStringLiteral("Fehler: ") + QString::fromUtf8(f.what());
    }
}

} // namespace

class TestRundreise : public QObject {
    Q_OBJECT

private slots:
    void zufallstabellen_data()
    {
        QTest::addColumn<bool>("cp1252");
        QTest::addColumn<QByteArray>("vorspann");
        QTest::newRow("Windows-1252") << true << QByteArray();
        QTest::newRow("UTF-8 mit BOM") << false << QByteArray("\xEF\xBB\xBF");
    }

    // Several hundred tables per encoding, small and mid-sized.
    void zufallstabellen()
    {
        QFETCH(bool, cp1252);
        QFETCH(QByteArray, vorspann);
        for (unsigned seed = 1; seed <= 400; ++seed) {
            Generator g(seed);
            std::string datei = vorspann.toStdString();
            const auto erwartet = g.tabelle(seed % 10 == 0 ? g.zahl(50, 300) : g.zahl(1, 12), datei, cp1252);
            const QString fehler = lesenUndVergleichen(datei, erwartet);
            QVERIFY2(fehler.isEmpty(), qPrintable(QStringLiteral("Tabelle %1: %2").arg(seed).arg(fehler)));
        }
    }

    // A full table survives as well.
    void volleTabelle()
    {
        Generator g(4711);
        std::string datei;
        const auto erwartet = g.tabelle(Kapazitaet, datei, true);
        const QString fehler = lesenUndVergleichen(datei, erwartet);
        QVERIFY2(fehler.isEmpty(), qPrintable(fehler));
    }
};

QTEST_APPLESS_MAIN(TestRundreise)
#include "tst_rundreise.moc"
