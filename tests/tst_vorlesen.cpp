// What a screen reader is told: the question with the focus, the verdict and
// the statistics line as announcements, seen through Qt's accessibility
// update handler.
#include "stuetzen/fensterhilfen.h"
#include "stuetzen/testplattform.h"
#include "quiz/antwortpruefung.h"
#include "ui/hauptfenster.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <private/qguiapplication_p.h>

#include <memory>
#include <vector>

using namespace olvani;

namespace {

struct Ereignis {
    QAccessible::Event art;
    QString objekt; // objectName of the source
    QString text;   // description or announced text
    bool sofort = false;
};

std::vector<Ereignis> ereignisse;

void merke(QAccessibleEvent* e)
{
    const QString name = e->object() ? e->object()->objectName() : QString();
    if (e->type() == QAccessible::Focus) {
        ereignisse.push_back({e->type(), name, {}});
    } else if (e->type() == QAccessible::DescriptionChanged) {
        QAccessibleInterface* iface = e->accessibleInterface();
        ereignisse.push_back({e->type(), name, iface ? iface->text(QAccessible::Description) : QString()});
    }
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    else if (e->type() == QAccessible::Announcement) {
        auto* ansage = static_cast<QAccessibleAnnouncementEvent*>(e);
        ereignisse.push_back({e->type(), name, ansage->message(),
                              ansage->politeness() == QAccessible::AnnouncementPoliteness::Assertive});
    }
#endif
}

std::vector<Ereignis> nur(QAccessible::Event art, const QString& objekt = {})
{
    std::vector<Ereignis> gefiltert;
    for (const Ereignis& e : ereignisse)
        if (e.art == art && (objekt.isEmpty() || e.objekt == objekt))
            gefiltert.push_back(e);
    return gefiltert;
}

} // namespace

class TestVorlesen : public QObject {
    Q_OBJECT

    std::unique_ptr<Testplattform> plattform;
    std::unique_ptr<frmHauptfenster> f;

    void lade(const QByteArray& inhalt)
    {
        f->laden();
        startknopfUeber(*f, inhalt);
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        ereignisse.clear();
    }

    template <class T>
    T* element(const char* name) const
    {
        return f->findChild<T*>(QLatin1String(name));
    }

private slots:
    void initTestCase()
    {
        QAccessible::installUpdateHandler(merke);
        // Without an active bridge Qt raises no accessibility events at all.
        QPlatformAccessibility* bruecke = QGuiApplicationPrivate::platformIntegration()->accessibility();
        QVERIFY(bruecke);
        bruecke->setActive(true);
        QVERIFY(QAccessible::isActive());
    }

    void cleanupTestCase() { QAccessible::installUpdateHandler(nullptr); }

    void init()
    {
        plattform = std::make_unique<Testplattform>(3);
        f = std::make_unique<frmHauptfenster>(*plattform);
    }

    void cleanup()
    {
        f.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(sichtbareFenster(), 0);
    }

    void frageKommtMitDemFokus_data()
    {
        QTest::addColumn<QString>("richtung");
        QTest::addColumn<QString>("antwortfeld");
        QTest::addColumn<QString>("fragefeld");
        QTest::newRow("Olvani-Wort gezeigt") << "radOlvani" << "txtDeutsch" << "txtOlvani";
        QTest::newRow("deutsche Bedeutung gezeigt") << "radDeutsch" << "txtOlvani" << "txtDeutsch";
    }

    void frageKommtMitDemFokus()
    {
        QFETCH(QString, richtung);
        QFETCH(QString, antwortfeld);
        QFETCH(QString, fragefeld);
        lade("\"dorva\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n");
        // The other direction first, so that the box now asked held a question before.
        f->findChild<QRadioButton*>(richtung == "radOlvani" ? "radDeutsch" : "radOlvani")->setChecked(true);
        element<QPushButton>("cmdStart")->click();
        f->findChild<QRadioButton*>(richtung)->setChecked(true);
        ereignisse.clear();

        QTest::keyClick(element<QPushButton>("cmdStart"), Qt::Key_Space);
        auto* antwort = f->findChild<QLineEdit*>(antwortfeld);
        auto* frage = f->findChild<QLineEdit*>(fragefeld);
        QCOMPARE(QApplication::focusWidget(), antwort);
        QVERIFY(!frage->text().isEmpty());
        // What the screen reader reads from the focused box.
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(antwort);
        QCOMPARE(iface->text(QAccessible::Description), frage->text());
        QCOMPARE(iface->text(QAccessible::Name), antwortfeld == "txtDeutsch" ? QStringLiteral("Deutsch") : QStringLiteral("Olvani"));
        QVERIFY(frage->accessibleDescription().isEmpty());
        // The description is in place before the focus arrives.
        const auto beschreibungen = nur(QAccessible::DescriptionChanged, antwortfeld);
        QCOMPARE(beschreibungen.size(), std::size_t(1));
        QCOMPARE(beschreibungen[0].text, frage->text());
        const auto fokus = nur(QAccessible::Focus, antwortfeld);
        QCOMPARE(fokus.size(), std::size_t(1));
        std::size_t beschreibung = 0, fokusAn = 0;
        for (std::size_t i = 0; i < ereignisse.size(); ++i) {
            if (ereignisse[i].art == QAccessible::DescriptionChanged && ereignisse[i].objekt == antwortfeld)
                beschreibung = i;
            if (ereignisse[i].art == QAccessible::Focus && ereignisse[i].objekt == antwortfeld)
                fokusAn = i;
        }
        QVERIFY(beschreibung < fokusAn);

        // After the verdict no box describes a question that is gone.
        element<QPushButton>("cmdRichtig1")->click();
        QVERIFY(antwort->accessibleDescription().isEmpty() && frage->accessibleDescription().isEmpty());
    }

    // The focus stays in the answer box when "Abfragen" is pressed without
    // taking the focus (as a screen reader's press action does): the new
    // question must still be told, even when it is the same word again.
    void neueFrageBeiBleibendemFokus_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::newRow("dasselbe Wort") << QByteArray("\"dorva\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n");
        QTest::newRow("ein anderes Wort")
            << QByteArray("\"dorva\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n\"blek\",\"Baum\",\"@\",\"@\",\"@\",\"0\"\r\n");
    }

    void neueFrageBeiBleibendemFokus()
    {
        QFETCH(QByteArray, inhalt);
        lade(inhalt);
        element<QRadioButton>("radOlvani")->setChecked(true);
        element<QCheckBox>("chkWort")->setChecked(true); // two entries: the second question differs
        auto* start = element<QPushButton>("cmdStart");
        auto* antwort = element<QLineEdit>("txtDeutsch");
        auto* frage = element<QLineEdit>("txtOlvani");
        start->click();
        QCOMPARE(QApplication::focusWidget(), antwort);
        const QString erste = frage->text();
        ereignisse.clear();

        start->click();
        QCOMPARE(QApplication::focusWidget(), antwort);
        QCOMPARE(frage->text() == erste, inhalt.count('\n') == 1);
        const auto beschreibungen = nur(QAccessible::DescriptionChanged, QStringLiteral("txtDeutsch"));
        QCOMPARE(beschreibungen.size(), std::size_t(1));
        QCOMPARE(beschreibungen[0].text, frage->text());
    }

    void urteilWirdAngesagt_data()
    {
        QTest::addColumn<QString>("antwort");
        QTest::addColumn<int>("vorherRichtig");
        QTest::addColumn<bool>("dochRichtig");
        QTest::addColumn<QString>("verdikt");
        QTest::newRow("richtig") << "dorva" << 0 << false << "Richtig! dorva: Haus    ";
        QTest::newRow("falsch") << "darva" << 0 << false << "Falsch! Richtig ist dorva: Haus    ";
        // Only the statistics line changed; both lines are told again.
        QTest::newRow("doch richtig") << "darva" << 0 << true << "Falsch! Richtig ist dorva: Haus    ";
        // The congratulation comes first; both lines are told after it.
        QTest::newRow("fuenftes Mal richtig") << "dorva" << 4 << false << "Richtig! dorva: Haus    ";
    }

    void urteilWirdAngesagt()
    {
        QFETCH(QString, antwort);
        QFETCH(int, vorherRichtig);
        QFETCH(bool, dochRichtig);
        QFETCH(QString, verdikt);
        lade("\"dorva\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n");
        for (int i = 0; i < vorherRichtig; ++i)
            f->tabelle().zaehleRichtig(1);
        std::size_t ereignisseBeiMeldung = 0;
        plattform->beiMeldung = [&](const Testplattform::Meldung& m) {
            if (m.symbol == Symbol::Information)
                ereignisseBeiMeldung = ereignisse.size();
        };
        element<QPushButton>("cmdStart")->click();
        auto* feld = element<QLineEdit>("txtOlvani");
        feld->setFocus();
        QTest::keyClicks(feld, antwort);
        ereignisse.clear();
        QTest::keyClick(feld, Qt::Key_Return);
        QWidget* fokus = QApplication::focusWidget();
        if (dochRichtig) {
            ereignisse.clear();
            element<QPushButton>("cmdRichtig2")->click();
            QCOMPARE(QApplication::focusWidget(), fokus); // told without moving the focus
        }
        QCOMPARE(element<QLabel>("lblInfo")->text(), verdikt);
        const QString statistik = element<QLabel>("lblInfo2")->text();
        QVERIFY(statistik.startsWith(QStringLiteral("Versuche: 1 ")));
        QVERIFY(fokus != feld);

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        const auto ansagen = nur(QAccessible::Announcement);
        QCOMPARE(ansagen.size(), std::size_t(2));
        QCOMPARE(ansagen[0].objekt, QStringLiteral("lblInfo"));
        QCOMPARE(ansagen[0].text, verdikt);
        QVERIFY(ansagen[0].sofort);
        QCOMPARE(ansagen[1].objekt, QStringLiteral("lblInfo2"));
        QCOMPARE(ansagen[1].text, statistik);
        QVERIFY(!ansagen[1].sofort);
        // Last of all, so that the report of the new focus does not cut them off.
        QCOMPARE(ereignisse.back().art, QAccessible::Announcement);
        if (vorherRichtig == 4) {
            QCOMPARE(plattform->meldungen.back().text, std::string(FuenfmalRichtigMeldung));
            for (std::size_t i = 0; i < ereignisseBeiMeldung; ++i)
                QVERIFY(ereignisse[i].art != QAccessible::Announcement);
        }
#else
        Q_UNUSED(ereignisseBeiMeldung);
        QSKIP("Qt before 6.8 has no announcement event");
#endif
    }
};

QTEST_MAIN(TestVorlesen)
#include "tst_vorlesen.moc"
