// The question-and-answer cycle through the real main window: "Abfragen",
// "Richtig?" and "Doch Richtig!" by clicks and by the Enter key alone.
#include "stuetzen/fensterhilfen.h"
#include "ui/hauptfenster.h"
#include "ui/sichtbarertext.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

using namespace olvani;

class TestAbfragezyklus : public QObject {
    Q_OBJECT

    std::unique_ptr<Fensterprobe> p;

private slots:
    void init() { p = std::make_unique<Fensterprobe>(7); }
    void cleanup()
    {
        QLocale::setDefault(QLocale::c());
        raeumeAuf(p);
    }

    void nurMitEnter()
    {
        p->lade("\"zorp\",\"Haus\",\"Heim\",\"@\",\"@\",\"0\"\r\n"
             "\"blek\",\"Baum\",\"@\",\"@\",\"@\",\"0\"\r\n");
        p->element<QRadioButton>("radOlvani")->setChecked(true); // the foreign word is shown
        for (int runde = 0; runde < 4; ++runde) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY(p->txtDeutsch()->isEnabled() && !p->txtOlvani()->isEnabled());
            QCOMPARE(QApplication::focusWidget(), p->txtDeutsch());
            QCOMPARE(p->fenster.standardknopf(), p->cmdRichtig1());
            const bool zorp = p->txtOlvani()->text() == QStringLiteral("zorp");
            QTest::keyClicks(p->txtDeutsch(), zorp ? QStringLiteral("Heim") : QStringLiteral("baum"));
            QTest::keyClick(p->txtDeutsch(), Qt::Key_Return);
            QCOMPARE(p->lblInfo()->text(), zorp ? QStringLiteral("Richtig! zorp: Haus Heim   ")
                                              : QStringLiteral("Falsch! Richtig ist blek: Baum    "));
            QVERIFY(p->txtDeutsch()->text().isEmpty() && !p->txtDeutsch()->isEnabled());
            QVERIFY(p->txtOlvani()->text().isEmpty() && !p->txtOlvani()->isEnabled());
            QCOMPARE(p->fenster.standardknopf(), p->cmdStart());
        }
        QCOMPARE(p->fenster.lauf()->Erfolge() + p->fenster.lauf()->Fehler(), 4);
        QCOMPARE(p->plattform.signaltoene, p->fenster.lauf()->Fehler());
        QVERIFY(p->lblInfo2()->text().startsWith(QStringLiteral("Versuche: 4 / Erfolge: ")));
    }

    void abfragenZweimalZaehltNichts()
    {
        p->lade("\"zorp\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n\"blek\",\"Baum\",\"@\",\"@\",\"@\",\"0\"\r\n");
        p->cmdStart()->click();
        p->offenesFeld()->setText(QStringLiteral("falsch"));
        p->cmdRichtig1()->click();
        const QString statistik = p->lblInfo2()->text();
        QVERIFY(!statistik.isEmpty());
        p->cmdStart()->click();
        p->cmdStart()->click();
        QCOMPARE(p->lblInfo2()->text(), statistik);
        QVERIFY(p->lblInfo()->text().isEmpty());
        QCOMPARE(p->fenster.lauf()->Fehler(), 1);
        QCOMPARE(p->fenster.lauf()->Erfolge(), 0);
        QVERIFY(p->cmdRichtig1()->isEnabled() && p->cmdRichtig2()->isEnabled());
    }

    void fuenfteRichtigeAntwort()
    {
        p->lade("\"zorp\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n");
        QStringList verdiktBeiMeldung, statistikBeiMeldung;
        p->plattform.beiMeldung = [&](const Testplattform::Meldung& m) {
            if (m.symbol == Symbol::Information) {
                verdiktBeiMeldung << p->lblInfo()->text();
                statistikBeiMeldung << p->lblInfo2()->text();
            }
        };
        for (int i = 1; i <= 6; ++i) {
            p->cmdStart()->click();
            p->txtOlvani()->setText(QStringLiteral("zorp"));
            p->cmdRichtig1()->click();
        }
        // One message, after the verdict and before the fifth statistics line.
        QCOMPARE(verdiktBeiMeldung, QStringList{QStringLiteral("Richtig! zorp: Haus    ")});
        QCOMPARE(statistikBeiMeldung.size(), 1);
        QVERIFY(statistikBeiMeldung[0].contains(QStringLiteral("Versuche: 4 ")));
        // With a single entry the round ends before every question.
        int rundenenden = 0;
        for (const auto& m : p->plattform.meldungen)
            rundenenden += m.text == RundenendeMeldung && m.symbol == Symbol::Ausruf;
        QCOMPARE(rundenenden, 6);
        QCOMPARE(p->plattform.signaltoene, 0);
    }

    void keineVokabelPasst()
    {
        p->lade("\"zorp\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n\"blek\",\"Baum\",\"@\",\"@\",\"@\",\"0\"\r\n");
        p->element<QCheckBox>("chkNurVerben")->setChecked(true);
        p->cmdStart()->click();
        QCOMPARE(p->plattform.meldungen.size(), std::size_t(1));
        QCOMPARE(p->plattform.meldungen[0].text, std::string(KeineVokabelMeldung));
        QVERIFY(p->plattform.meldungen[0].symbol == Symbol::Information);
        QVERIFY(!p->txtDeutsch()->isEnabled() && !p->txtOlvani()->isEnabled());
        QVERIFY(p->txtDeutsch()->text().isEmpty() && p->txtOlvani()->text().isEmpty());
        QCOMPARE(p->fenster.standardknopf(), p->cmdStart());
        // Nothing was ever asked: nothing to judge or to correct.
        QVERIFY(!p->cmdRichtig1()->isEnabled() && !p->cmdRichtig2()->isEnabled());

        // After a question, the buttons keep their usual state.
        p->element<QCheckBox>("chkNurVerben")->setChecked(false);
        p->cmdStart()->click();
        p->element<QCheckBox>("chkNurVerben")->setChecked(true);
        p->cmdStart()->click();
        QVERIFY(p->cmdRichtig1()->isEnabled() && p->cmdRichtig2()->isEnabled());
    }

    void dochRichtigMitRegionalemKomma_data()
    {
        QTest::addColumn<QLocale>("region");
        QTest::addColumn<QString>("quote");
        QTest::newRow("deutsch") << QLocale(QLocale::German, QLocale::Germany) << QStringLiteral("66,67");
        QTest::newRow("englisch") << QLocale(QLocale::English, QLocale::UnitedStates) << QStringLiteral("66.67");
    }

    void dochRichtigMitRegionalemKomma()
    {
        QFETCH(QLocale, region);
        QFETCH(QString, quote);
        QLocale::setDefault(region);
        p->lade("\"zorp\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n");
        for (const char* antwort : {"zorp", "falsch", "falsch"}) {
            p->cmdStart()->click();
            p->txtOlvani()->setText(QString::fromLatin1(antwort));
            p->cmdRichtig1()->click();
        }
        const QString verdikt = p->lblInfo()->text();
        p->cmdRichtig2()->click();
        QCOMPARE(p->lblInfo2()->text(),
                 QStringLiteral("Versuche: 3 / Erfolge: 2 (%1%) / Fehler: 1 / Wörter: 1").arg(quote));
        QCOMPARE(p->lblInfo()->text(), verdikt);
        QCOMPARE(p->fenster.standardknopf(), p->cmdStart());
    }

    void langeLoesungZeigtDasselbe()
    {
        QString lang;
        for (int i = 0; i < 20000; ++i)
            lang += QStringLiteral("wort%1: Haus    oder ").arg(i);
        QLabel ganz, gekuerzt;
        for (QLabel* l : {&ganz, &gekuerzt}) {
            l->setFont(p->lblInfo()->font());
            l->setWordWrap(true);
            l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            l->resize(p->lblInfo()->size());
        }
        ganz.setText(lang);
        gekuerzt.setText(sichtbarerText(lang, gekuerzt.font(), gekuerzt.contentsRect().size()));
        QVERIFY(gekuerzt.text().size() < 10000);
        QVERIFY(lang.startsWith(gekuerzt.text()));
        QCOMPARE(gekuerzt.grab().toImage(), ganz.grab().toImage());
        // Short texts are never cut.
        QCOMPARE(sichtbarerText(QStringLiteral("Richtig! zorp: Haus    "), ganz.font(), ganz.size()),
                 QStringLiteral("Richtig! zorp: Haus    "));
    }
};

QTEST_MAIN(TestAbfragezyklus)
#include "tst_abfragezyklus.moc"
