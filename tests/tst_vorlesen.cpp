// What a screen reader is told: the question with the focus, the verdict and
// the statistics line as announcements, seen through Qt's accessibility
// update handler; the key for "Doch Richtig!".
#include "stuetzen/fensterhilfen.h"
#include "ui/hauptfenster.h"
#include "ui/vorlesen.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <memory>

using namespace olvani;

// The events of interest as "Fokus txtOlvani", "Beschreibung txtOlvani Haus",
// "Ansage lblInfo ..." ("Ansage!" when assertive), "Hinweis ..." (a
// notification shown), in the order raised.
static QStringList ereignisse;

static void merke(QAccessibleEvent* e)
{
    const QString name = e->object() ? e->object()->objectName() : QString();
    if (e->type() == QAccessible::Focus)
        ereignisse << "Fokus " + name;
    else if (e->type() == QAccessible::DescriptionChanged)
        ereignisse << "Beschreibung " + name + " " + e->accessibleInterface()->text(QAccessible::Description);
    else if (e->type() == QAccessible::ObjectShow && e->accessibleInterface()->role() == QAccessible::Notification)
        ereignisse << "Hinweis " + e->accessibleInterface()->text(QAccessible::Name);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    else if (e->type() == QAccessible::Announcement) {
        auto* ansage = static_cast<QAccessibleAnnouncementEvent*>(e);
        const bool sofort = ansage->politeness() == QAccessible::AnnouncementPoliteness::Assertive;
        ereignisse << QStringLiteral("Ansage%1 %2 %3").arg(sofort ? "!" : "", name, ansage->message());
    }
#endif
}

// Who raises what a label says: the label, but on Windows its window, which
// a screen reader there can tie to a native window.
static QString ansager(const QString& label)
{
#ifdef Q_OS_WIN
    Q_UNUSED(label);
    return QStringLiteral("frmHauptfenster");
#else
    return label;
#endif
}

class TestVorlesen : public QObject {
    Q_OBJECT

    std::unique_ptr<Fensterprobe> p;

    template <class T>
    T* element(const QString& name) const { return p->element<T>(qPrintable(name)); }
    void klick(const char* name) const { p->klick(name); }

private slots:
    void initTestCase()
    {
        QAccessible::installUpdateHandler(merke);
        // Offscreen there is no bridge, and without an active one Qt raises no
        // accessibility events at all: switch on Qt's stand-in.
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QVERIFY(QAccessible::isActive());
    }
    void init()
    {
        p = std::make_unique<Fensterprobe>(3);
        p->lade("\"dorva\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n");
        ereignisse.clear();
    }
    void cleanup() { raeumeAuf(p); }

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
        // The other direction first: the box now showing the question
        // described the question before.
        element<QRadioButton>(richtung == "radOlvani" ? "radDeutsch" : "radOlvani")->setChecked(true);
        klick("cmdStart");
        element<QRadioButton>(richtung)->setChecked(true);
        ereignisse.clear();

        klick("cmdStart");
        auto* antwort = element<QLineEdit>(antwortfeld);
        const QString wort = element<QLineEdit>(fragefeld)->text();
        QCOMPARE(QApplication::focusWidget(), antwort);
        // The description is in place before the focus arrives.
        QCOMPARE(ereignisse.filter(antwortfeld),
                 (QStringList{"Beschreibung " + antwortfeld + " " + wort, "Fokus " + antwortfeld}));
        QCOMPARE(ereignisse.filter(fragefeld), QStringList{"Beschreibung " + fragefeld + " "});
        QCOMPARE(QAccessible::queryAccessibleInterface(antwort)->text(QAccessible::Description), wort);

        // After the verdict no box describes a question that is gone.
        klick("cmdRichtig1");
        QVERIFY(antwort->accessibleDescription().isEmpty());
    }

    // "Abfragen" pressed without taking the focus (as a screen reader's press
    // action does) asks the same word again: it must be told again.
    void gleicheFrageBeiBleibendemFokus()
    {
        element<QRadioButton>("radOlvani")->setChecked(true);
        klick("cmdStart");
        ereignisse.clear();
        klick("cmdStart");
        QCOMPARE(QApplication::focusWidget(), element<QLineEdit>("txtDeutsch"));
        QCOMPARE(ereignisse.filter("txtDeutsch"), QStringList{"Beschreibung txtDeutsch dorva"});
    }

    void urteilWirdAngesagt_data()
    {
        QTest::addColumn<QString>("antwort");
        QTest::addColumn<int>("vorherRichtig");
        QTest::addColumn<bool>("dochRichtig");
        QTest::addColumn<QString>("verdikt");
        QTest::newRow("richtig") << "dorva" << 0 << false << "Richtig! dorva: Haus    ";
        QTest::newRow("falsch") << "darva" << 0 << false << "Falsch! Richtig ist dorva: Haus    ";
        // Only the statistics line changed, and only that is told.
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
        antworteRichtig(p->fenster, vorherRichtig);
        qsizetype ereignisseBeiMeldung = -1;
        p->plattform.beiMeldung = [&](const Testplattform::Meldung& m) {
            if (m.symbol == Symbol::Information)
                ereignisseBeiMeldung = ereignisse.size();
        };
        klick("cmdStart");
        auto* feld = element<QLineEdit>("txtOlvani");
        QTest::keyClicks(feld, antwort);
        ereignisse.clear();
        QTest::keyClick(feld, Qt::Key_Return);
        QWidget* fokus = QApplication::focusWidget();
        QVERIFY(fokus != feld);
        if (dochRichtig) {
            ereignisse.clear();
            klick("cmdRichtig2");
            QCOMPARE(QApplication::focusWidget(), fokus);
        }
        QCOMPARE(element<QLabel>("lblInfo")->text(), verdikt);
        const QString statistik = element<QLabel>("lblInfo2")->text();
        QVERIFY(statistik.startsWith(QStringLiteral("Versuche: %1 ").arg(vorherRichtig + 1)));
        QCOMPARE(ereignisseBeiMeldung >= 0, vorherRichtig == 4);

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        // One announcement, last of all, after the focus left the answer box.
        const QString ansage = dochRichtig ? "Ansage " + ansager("lblInfo2") + " " + statistik
                                           : "Ansage " + ansager("lblInfo") + " " + verdikt + "\n" + statistik;
        QCOMPARE(ereignisse.filter("Ansage"), QStringList{ansage});
        QVERIFY(ereignisse.last().startsWith("Ansage"));
        if (ereignisseBeiMeldung >= 0)
            QVERIFY(ereignisse.mid(0, ereignisseBeiMeldung).filter("Ansage").isEmpty());
        // Said once: the focused control does not repeat it.
        QVERIFY(fokus->accessibleDescription().isEmpty());
#else
        QSKIP("Qt before 6.8 has no announcement event");
#endif
    }

    // A verdict cut in the label is heard with the entries it shows whole
    // and how many follow, then the statistics line; from the announcement,
    // or before Qt 6.8 from the control the focus moved to.
    void gekuerztesUrteilSagtWieVieleFolgen()
    {
        QByteArray datei;
        for (int i = 1; i <= 70; ++i)
            datei += QStringLiteral("\"wort%1\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n").arg(i).toLatin1();
        raeumeAuf(p);
        p = std::make_unique<Fensterprobe>(3);
        p->lade(datei);
        klick("cmdStart");
        auto* feld = element<QLineEdit>("txtOlvani");
        QTest::keyClicks(feld, "falsch");
        ereignisse.clear();
        QTest::keyClick(feld, Qt::Key_Return);
        const QString gezeigt = element<QLabel>("lblInfo")->text();
        const QString statistik = element<QLabel>("lblInfo2")->text();
        QVERIFY(gezeigt.endsWith(QStringLiteral("…")));
        const QStringList gesagt = ereignisse.filter(QRegularExpression("^(Ansage " + ansager("lblInfo") + "|Beschreibung \\w+) ."));
        QCOMPARE(gesagt.size(), 1);
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("^\\S+ \\w+ (.*: Haus) … und (\\d+) weitere\n(.*)$"),
                               QRegularExpression::DotMatchesEverythingOption)
                .match(gesagt.first());
        QVERIFY2(m.hasMatch(), qPrintable(gesagt.first()));
        QCOMPARE(m.captured(3), statistik);
        // The entries the label shows whole are heard, and no more.
        const QRegularExpression eintrag(QStringLiteral("wort\\d+: Haus"));
        const qsizetype gehoert = m.captured(1).count(eintrag);
        QVERIFY(gehoert >= 1);
        QCOMPARE(gehoert, gezeigt.simplified().count(eintrag));
        QVERIFY(gezeigt.simplified().startsWith(m.captured(1).simplified()));
        QCOMPARE(gehoert + m.captured(2).toInt(), 70);
    }

    // Before Qt 6.8, when Enter in the answer box moves the focus on, the
    // verdict and statistics line are lent to the newly focused control as
    // its description, and taken back when the focus leaves or the next
    // question comes, whichever is first.
    void urteilLiegtBeimFokus_data()
    {
        QTest::addColumn<bool>("naechsteFrage");
        QTest::addColumn<bool>("hinterMeldung");
        QTest::newRow("Fokus geht weiter") << false << false;
        QTest::newRow("naechste Frage") << true << false;
        // The fifth right answer's message box still has the keyboard when
        // the verdict is told: it waits for the focus coming back.
        QTest::newRow("hinter der Meldung") << true << true;
    }
    void urteilLiegtBeimFokus()
    {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        QSKIP("Qt 6.8 announces the verdict instead");
#else
        QFETCH(bool, naechsteFrage);
        QFETCH(bool, hinterMeldung);
        // Answered before, so that the next right answer is the fifth; the
        // verdict lent last is taken back with the question.
        if (hinterMeldung)
            antworteRichtig(p->fenster, 4);
        klick("cmdStart");
        // A description a control had before comes back afterwards.
        for (auto* knopf : p->fenster.findChildren<QAbstractButton*>())
            knopf->setAccessibleDescription(knopf->objectName());
        QWidget meldung; // stands in for the modal box
        if (hinterMeldung) {
            p->plattform.beiMeldung = [&](const Testplattform::Meldung& m) {
                if (m.symbol != Symbol::Information)
                    return;
                meldung.show();
                meldung.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&meldung));
            };
        }
        QTest::keyClicks(element<QLineEdit>("txtOlvani"), hinterMeldung ? "dorva" : "darva");
        QTest::keyClick(element<QLineEdit>("txtOlvani"), Qt::Key_Return);
        if (hinterMeldung) {
            QVERIFY(meldung.isActiveWindow());
            meldung.close();
            p->fenster.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&p->fenster));
        }
        QWidget* fokus = QApplication::focusWidget();
        QVERIFY(fokus);
        const QString name = fokus->objectName();
        const QString gesagt = element<QLabel>("lblInfo")->text() + "\n" + element<QLabel>("lblInfo2")->text();
        QCOMPARE(fokus->accessibleDescription(), gesagt);
        QVERIFY(ereignisse.contains("Beschreibung " + name + " " + gesagt));

        ereignisse.clear();
        if (naechsteFrage) {
            klick("cmdStart");
            // Taken back before the new question is described.
            QCOMPARE(ereignisse.value(0), "Beschreibung " + name + " " + name);
        } else {
            auto* anderes = element<QRadioButton>(name == "radDeutsch" ? "radOlvani" : "radDeutsch");
            anderes->setFocus(Qt::TabFocusReason);
            QCOMPARE(QApplication::focusWidget(), anderes);
        }
        QCOMPARE(fokus->accessibleDescription(), name);
#endif
    }

    // Where the focus stays (a click takes it before it counts, the key
    // leaves it where it is), nothing is lent to the focused control: the
    // text goes out as an announcement, before Qt 6.8 as a notification in a
    // status bar. After "Doch Richtig!" it is the statistics line alone.
    void ansageWoDerFokusBleibt_data()
    {
        QTest::addColumn<QString>("knopf");
        QTest::addColumn<bool>("perTaste");
        QTest::newRow("Doch Richtig! per Maus") << "cmdRichtig2" << false;
        QTest::newRow("Doch Richtig! per Alt+D") << "cmdRichtig2" << true;
        QTest::newRow("Richtig? per Maus") << "cmdRichtig1" << false;
    }
    void ansageWoDerFokusBleibt()
    {
        QFETCH(QString, knopf);
        QFETCH(bool, perTaste);
        const bool dochRichtig = knopf == "cmdRichtig2";
        klick("cmdStart");
        auto* feld = element<QLineEdit>("txtOlvani");
        QTest::keyClicks(feld, "darva");
        if (dochRichtig) // judged by Enter: the verdict is lent to the next control
            QTest::keyClick(feld, Qt::Key_Return);
        ereignisse.clear();
        auto* k = element<QPushButton>(knopf);
        QWidget* fokusVorher = QApplication::focusWidget();
        QSignalSpy geklickt(k, &QPushButton::clicked);
        if (perTaste)
            QTest::keyClick(fokusVorher, Qt::Key_D, Qt::AltModifier);
        else
            QTest::mouseClick(k, Qt::LeftButton);
        QVERIFY(geklickt.count() == 1 || geklickt.wait()); // the key presses the button visibly first
        QWidget* fokus = QApplication::focusWidget();

        const QString statistik = element<QLabel>("lblInfo2")->text();
        const QString gesagt = dochRichtig ? statistik : element<QLabel>("lblInfo")->text() + "\n" + statistik;
        // Neither lent now nor still lent from "Richtig?".
        QVERIFY(fokus->accessibleDescription().isEmpty());
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        QCOMPARE(ereignisse.filter("Ansage"),
                 QStringList{QStringLiteral("Ansage %1 %2").arg(ansager(dochRichtig ? "lblInfo2" : "lblInfo"), gesagt)});
#else
        QCOMPARE(ereignisse.filter("Hinweis"), QStringList{"Hinweis " + gesagt});
        // Orca says no role name before a notification in a status bar.
        auto* hinweis = p->fenster.findChild<QWidget*>("vorlesehinweis");
        QCOMPARE(QAccessible::queryAccessibleInterface(hinweis)->parent()->role(), QAccessible::StatusBar);
        // The next question takes it away, as it takes back a lent text.
        klick("cmdStart");
        QVERIFY(!hinweis->isVisible());
#endif
    }

    // Alt+D presses "Doch Richtig!" from anywhere in the main window, even
    // from the answer box, which it leaves as it was; screen readers learn
    // it as the button's shortcut.
    void tasteFuerDochRichtig()
    {
        auto* knopf = element<QPushButton>("cmdRichtig2");
        QCOMPARE(QAccessible::queryAccessibleInterface(knopf)->actionInterface()->keyBindingsForAction(
                     QAccessibleActionInterface::pressAction()),
                 QStringList{"Alt+D"});
        klick("cmdStart");
        auto* feld = element<QLineEdit>("txtOlvani");
        QTest::keyClicks(feld, "dar");
        QSignalSpy geklickt(knopf, &QPushButton::clicked);
        QTest::keyClick(feld, Qt::Key_D, Qt::AltModifier);
        QVERIFY(geklickt.wait());
        QCOMPARE(feld->text(), "dar");
        QVERIFY(element<QLabel>("lblInfo2")->text().startsWith("Versuche: 0 / Erfolge: 1 "));
    }

    // With a screen reader running, Qt's bridge writes a line to stderr for
    // every question about a window that is gone; only that category falls
    // silent.
    void nurDieBrueckeSchweigt()
    {
        vorlesen::schweigeBruecke();
        QVERIFY(!QLoggingCategory("qt.accessibility.atspi").isWarningEnabled());
        QVERIFY(QLoggingCategory("qt.accessibility.atspi.creation").isWarningEnabled());
        QLoggingCategory::setFilterRules(QString());
    }
};

QTEST_MAIN(TestVorlesen)
#include "tst_vorlesen.moc"
