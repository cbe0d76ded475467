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
    QLineEdit* txtDeutsch = nullptr;
    QLineEdit* txtOlvani = nullptr;
    QRadioButton* radOlvani = nullptr;
    QCheckBox* chkNurVerben = nullptr;
    QPushButton* cmdStart = nullptr;
    QPushButton* cmdRichtig1 = nullptr;
    QPushButton* cmdRichtig2 = nullptr;
    QLabel* lblInfo = nullptr;
    QLabel* lblInfo2 = nullptr;

    void lade(const QByteArray& inhalt)
    {
        f->laden();
        startknopfUeber(*f, inhalt);
        QVERIFY(f->isVisible());
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
    }

    QLineEdit* antwortfeld() const { return txtDeutsch->isEnabled() ? txtDeutsch : txtOlvani; }

private slots:
    void init()
    {
        plattform = std::make_unique<Testplattform>(7);
        f = std::make_unique<frmHauptfenster>(*plattform, *plattform);
        txtDeutsch = steuerelement<QLineEdit>(f.get(), "txtDeutsch");
        txtOlvani = steuerelement<QLineEdit>(f.get(), "txtOlvani");
        radOlvani = steuerelement<QRadioButton>(f.get(), "radOlvani");
        chkNurVerben = steuerelement<QCheckBox>(f.get(), "chkNurVerben");
        cmdStart = steuerelement<QPushButton>(f.get(), "cmdStart");
        cmdRichtig1 = steuerelement<QPushButton>(f.get(), "cmdRichtig1");
        cmdRichtig2 = steuerelement<QPushButton>(f.get(), "cmdRichtig2");
        lblInfo = steuerelement<QLabel>(f.get(), "lblInfo");
        lblInfo2 = steuerelement<QLabel>(f.get(), "lblInfo2");
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
        radOlvani->setChecked(true); // the foreign word is shown
        for (int runde = 0; runde < 4; ++runde) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY(txtDeutsch->isEnabled() && !txtOlvani->isEnabled());
            QCOMPARE(QApplication::focusWidget(), txtDeutsch);
            QCOMPARE(f->standardknopf(), cmdRichtig1);
            const bool zorp = txtOlvani->text() == QStringLiteral("zorp");
            QTest::keyClicks(txtDeutsch, zorp ? QStringLiteral("Heim") : QStringLiteral("baum"));
            QTest::keyClick(txtDeutsch, Qt::Key_Return);
            QCOMPARE(lblInfo->text(), zorp ? QStringLiteral("Richtig! zorp: Haus Heim   ")
                                              : QStringLiteral("Falsch! Richtig ist blek: Baum    "));
            QVERIFY(txtDeutsch->text().isEmpty() && !txtDeutsch->isEnabled());
            QVERIFY(txtOlvani->text().isEmpty() && !txtOlvani->isEnabled());
            QCOMPARE(f->standardknopf(), cmdStart);
        }
        QCOMPARE(f->lauf().Erfolge() + f->lauf().Fehler(), 4);
        QCOMPARE(plattform->signaltoene, f->lauf().Fehler());
        QVERIFY(lblInfo2->text().startsWith(QStringLiteral("Versuche: 4 / Erfolge: ")));
    }

    void abfragenZweimalZaehltNichts()
    {
        lade("\"zorp\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n\"blek\",\"Baum\",\"@\",\"@\",\"@\",\"0\"\r\n");
        cmdStart->click();
        antwortfeld()->setText(QStringLiteral("falsch"));
        cmdRichtig1->click();
        const QString statistik = lblInfo2->text();
        QVERIFY(!statistik.isEmpty());
        cmdStart->click();
        cmdStart->click();
        QCOMPARE(lblInfo2->text(), statistik);
        QVERIFY(lblInfo->text().isEmpty());
        QCOMPARE(f->lauf().Fehler(), 1);
        QCOMPARE(f->lauf().Erfolge(), 0);
        QVERIFY(cmdRichtig1->isEnabled() && cmdRichtig2->isEnabled());
    }

    void fuenfteRichtigeAntwort()
    {
        lade("\"zorp\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n");
        QStringList verdiktBeiMeldung, statistikBeiMeldung;
        plattform->beiMeldung = [&](const Testplattform::Meldung& m) {
            if (m.symbol == Symbol::Information) {
                verdiktBeiMeldung << lblInfo->text();
                statistikBeiMeldung << lblInfo2->text();
            }
        };
        for (int i = 1; i <= 6; ++i) {
            cmdStart->click();
            txtOlvani->setText(QStringLiteral("zorp"));
            cmdRichtig1->click();
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
        chkNurVerben->setChecked(true);
        cmdStart->click();
        QCOMPARE(plattform->meldungen.size(), std::size_t(1));
        QCOMPARE(plattform->meldungen[0].text, std::string(KeineVokabelMeldung));
        QVERIFY(plattform->meldungen[0].symbol == Symbol::Information);
        QVERIFY(!txtDeutsch->isEnabled() && !txtOlvani->isEnabled());
        QVERIFY(txtDeutsch->text().isEmpty() && txtOlvani->text().isEmpty());
        QCOMPARE(f->standardknopf(), cmdStart);
        // Nothing was ever asked: nothing to judge or to correct.
        QVERIFY(!cmdRichtig1->isEnabled() && !cmdRichtig2->isEnabled());

        // After a question, the buttons keep their usual state.
        chkNurVerben->setChecked(false);
        cmdStart->click();
        chkNurVerben->setChecked(true);
        cmdStart->click();
        QVERIFY(cmdRichtig1->isEnabled() && cmdRichtig2->isEnabled());
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
            cmdStart->click();
            txtOlvani->setText(QString::fromLatin1(antwort));
            cmdRichtig1->click();
        }
        const QString verdikt = lblInfo->text();
        cmdRichtig2->click();
        QCOMPARE(lblInfo2->text(),
                 QStringLiteral("Versuche: 3 / Erfolge: 2 (%1%) / Fehler: 1 / Wörter: 1").arg(quote));
        QCOMPARE(lblInfo->text(), verdikt);
        QCOMPARE(f->standardknopf(), cmdStart);
    }

    void langeLoesungZeigtDasselbe()
    {
        QString lang;
        for (int i = 0; i < 20000; ++i)
            lang += QStringLiteral("wort%1: Haus    oder ").arg(i);
        QLabel ganz, gekuerzt;
        for (QLabel* l : {&ganz, &gekuerzt}) {
            l->setFont(lblInfo->font());
            l->setWordWrap(true);
            l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            l->resize(lblInfo->size());
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
