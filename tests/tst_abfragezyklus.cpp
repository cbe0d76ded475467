// The question-and-answer cycle through the real main window: "Abfragen",
// "Richtig?" and "Doch Richtig!" by clicks and by the Enter key alone.
#include "stuetzen/fensterhilfen.h"
#include "stuetzen/testplattform.h"
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

    std::unique_ptr<Testplattform> plattform;
    std::unique_ptr<frmHauptfenster> f;

    void lade(const QByteArray& inhalt)
    {
        f->laden();
        startknopfUeber(*f, inhalt);
        QVERIFY(f->isVisible());
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
    }

    QLineEdit* antwortfeld() const { return f->txtDeutsch->isEnabled() ? f->txtDeutsch : f->txtOlvani; }

private slots:
    void init()
    {
        plattform = std::make_unique<Testplattform>(7);
        f = std::make_unique<frmHauptfenster>(*plattform, *plattform);
    }

    void cleanup()
    {
        QLocale::setDefault(QLocale::c());
        f.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(sichtbareFenster(), 0);
    }

    void nurMitEnter()
    {
        lade("\"zorp\",\"Haus\",\"Heim\",\"@\",\"@\",\"0\"\r\n"
             "\"blek\",\"Baum\",\"@\",\"@\",\"@\",\"0\"\r\n");
        f->radOlvani->setChecked(true); // the foreign word is shown
        for (int runde = 0; runde < 4; ++runde) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY(f->txtDeutsch->isEnabled() && !f->txtOlvani->isEnabled());
            QCOMPARE(QApplication::focusWidget(), f->txtDeutsch);
            QCOMPARE(f->standardknopf(), f->cmdRichtig1);
            const bool zorp = f->txtOlvani->text() == QStringLiteral("zorp");
            QTest::keyClicks(f->txtDeutsch, zorp ? QStringLiteral("Heim") : QStringLiteral("baum"));
            QTest::keyClick(f->txtDeutsch, Qt::Key_Return);
            QCOMPARE(f->lblInfo->text(), zorp ? QStringLiteral("Richtig! zorp: Haus Heim   ")
                                              : QStringLiteral("Falsch! Richtig ist blek: Baum    "));
            QVERIFY(f->txtDeutsch->text().isEmpty() && !f->txtDeutsch->isEnabled());
            QVERIFY(f->txtOlvani->text().isEmpty() && !f->txtOlvani->isEnabled());
            QCOMPARE(f->standardknopf(), f->cmdStart);
        }
        QCOMPARE(int(f->lauf().Erfolge) + int(f->lauf().Fehler), 4);
        QCOMPARE(plattform->signaltoene, int(f->lauf().Fehler));
        QVERIFY(f->lblInfo2->text().startsWith(QStringLiteral("Versuche: 4 / Erfolge: ")));
    }

    void abfragenZweimalZaehltNichts()
    {
        lade("\"zorp\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n\"blek\",\"Baum\",\"@\",\"@\",\"@\",\"0\"\r\n");
        f->cmdStart->click();
        antwortfeld()->setText(QStringLiteral("falsch"));
        f->cmdRichtig1->click();
        const QString statistik = f->lblInfo2->text();
        QVERIFY(!statistik.isEmpty());
        f->cmdStart->click();
        f->cmdStart->click();
        QCOMPARE(f->lblInfo2->text(), statistik);
        QVERIFY(f->lblInfo->text().isEmpty());
        QCOMPARE(int(f->lauf().Fehler), 1);
        QCOMPARE(int(f->lauf().Erfolge), 0);
        QVERIFY(f->cmdRichtig1->isEnabled() && f->cmdRichtig2->isEnabled());
    }

    void fuenfteRichtigeAntwort()
    {
        lade("\"zorp\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n");
        QStringList verdiktBeiMeldung, statistikBeiMeldung;
        plattform->beiMeldung = [&](const Testplattform::Meldung& m) {
            if (m.symbol == Symbol::Information) {
                verdiktBeiMeldung << f->lblInfo->text();
                statistikBeiMeldung << f->lblInfo2->text();
            }
        };
        for (int i = 1; i <= 6; ++i) {
            f->cmdStart->click();
            f->txtOlvani->setText(QStringLiteral("zorp"));
            f->cmdRichtig1->click();
        }
        // One message, after the verdict and before the fifth statistics line.
        QCOMPARE(verdiktBeiMeldung, QStringList{QStringLiteral("Richtig! zorp: Haus    ")});
        QCOMPARE(statistikBeiMeldung.size(), 1);
        QVERIFY(statistikBeiMeldung[0].contains(QStringLiteral("Versuche: 4 ")));
        // With a single entry the round ends before every question.
        int rundenenden = 0;
        for (const auto& m : plattform->meldungen)
            rundenenden += m.text == RundenendeMeldung && m.symbol == Symbol::Ausruf;
        QCOMPARE(rundenenden, 6);
        QCOMPARE(plattform->signaltoene, 0);
    }

    void keineVokabelPasst()
    {
        lade("\"zorp\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n\"blek\",\"Baum\",\"@\",\"@\",\"@\",\"0\"\r\n");
        f->chkNurVerben->setChecked(true);
        f->cmdStart->click();
        QCOMPARE(plattform->meldungen.size(), std::size_t(1));
        QCOMPARE(plattform->meldungen[0].text, std::string(KeineVokabelMeldung));
        QVERIFY(plattform->meldungen[0].symbol == Symbol::Information);
        QVERIFY(!f->txtDeutsch->isEnabled() && !f->txtOlvani->isEnabled());
        QVERIFY(f->txtDeutsch->text().isEmpty() && f->txtOlvani->text().isEmpty());
        QCOMPARE(f->standardknopf(), f->cmdStart);
        // Nothing was ever asked: nothing to judge or to correct.
        QVERIFY(!f->cmdRichtig1->isEnabled() && !f->cmdRichtig2->isEnabled());

        // After a question, the buttons keep their usual state.
        f->chkNurVerben->setChecked(false);
        f->cmdStart->click();
        f->chkNurVerben->setChecked(true);
        f->cmdStart->click();
        QVERIFY(f->cmdRichtig1->isEnabled() && f->cmdRichtig2->isEnabled());
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
        lade("\"zorp\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n");
        for (const char* antwort : {"zorp", "falsch", "falsch"}) {
            f->cmdStart->click();
            f->txtOlvani->setText(QString::fromLatin1(antwort));
            f->cmdRichtig1->click();
        }
        const QString lblInfo = f->lblInfo->text();
        f->cmdRichtig2->click();
        QCOMPARE(f->lblInfo2->text(),
                 QStringLiteral("Versuche: 3 / Erfolge: 2 (%1%) / Fehler: 1 / Wörter: 1").arg(quote));
        QCOMPARE(f->lblInfo->text(), lblInfo);
        QCOMPARE(f->standardknopf(), f->cmdStart);
    }

    void langeLoesungZeigtDasselbe()
    {
        QString lang;
        for (int i = 0; i < 20000; ++i)
            lang += QStringLiteral("wort%1: Haus    oder ").arg(i);
        QLabel ganz, gekuerzt;
        for (QLabel* l : {&ganz, &gekuerzt}) {
            l->setFont(f->lblInfo->font());
            l->setWordWrap(true);
            l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            l->resize(f->lblInfo->size());
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
