// The main window: controls and their initial states, the layout in twips,
// the option group, and which button Enter presses.
#include "stuetzen/fensterhilfen.h"
#include "stuetzen/testplattform.h"
#include "ui/hauptfenster.h"
#include "version.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>

#include <memory>

using namespace olvani;

class TestHauptfenster : public QObject {
    Q_OBJECT

    std::unique_ptr<Testplattform> plattform;
    std::unique_ptr<frmHauptfenster> f;

    void zeigeAktiv()
    {
        f->show();
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
    }

    // Stands in for a question: one answer box enabled and focused.
    void oeffneAntwortfeld(QLineEdit* feld)
    {
        f->cmdRichtig1->setEnabled(true);
        f->cmdRichtig2->setEnabled(true);
        feld->setEnabled(true);
        feld->setFocus();
    }

private slots:
    void init()
    {
        plattform = std::make_unique<Testplattform>();
        f = std::make_unique<frmHauptfenster>(*plattform, *plattform);
    }

    void cleanup()
    {
        f.reset();
        QCOMPARE(sichtbareFenster(), 0);
    }

    void lageUndGroesseInTwips_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        const auto zeile = [](const char* name, int l, int o, int b, int h) {
            QTest::newRow(name) << QString::fromLatin1(name) << QRect(l, o, b, h);
        };
        zeile("txtDeutsch", 1200, 240, 3495, 375);
        zeile("txtOlvani", 1200, 840, 3495, 375);
        zeile("radDeutsch", 180, 3960, 1215, 255);
        zeile("radOlvani", 1800, 3960, 1215, 255);
        zeile("radZufall", 3420, 3960, 1215, 255);
        zeile("Frame1", 120, 3600, 4575, 855);
        zeile("lblInfo2", 120, 3120, 4575, 495);
        zeile("lblInfo", 120, 1440, 4575, 855);
        zeile("chkWort", 240, 4560, 1935, 375);
        zeile("chkNeu", 2280, 4560, 2415, 375);
        zeile("chkNurVerben", 240, 5040, 1935, 495);
        zeile("Label1", 120, 360, 975, 255);
        zeile("Label2", 120, 960, 975, 255);
        zeile("cmdStart", 120, 2520, 1455, 495);
        zeile("cmdRichtig1", 1680, 2520, 1455, 495);
        zeile("cmdRichtig2", 3240, 2520, 1455, 495);
        zeile("chkKlugesTraining", 2280, 5040, 2415, 615);
        zeile("chkRichtig", 240, 5640, 1935, 855);
    }

    void lageUndGroesseInTwips()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        auto* element = f->findChild<QWidget*>(name);
        QVERIFY(element);
        const auto px = [](int t) { return (t + 7) / 15; };
        const QRect erwartet(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()));
        QCOMPARE(element->geometry(), erwartet);
        // Resizing the window leaves every control where it was.
        f->show();
        f->resize(700, 800);
        QCOMPARE(element->geometry(), erwartet);
    }

    void anfangszustand()
    {
        QCOMPARE(f->windowTitle(), QStringLiteral("Olvani Vokabeltrainer"));
        QCOMPARE(f->size(), QSize(321, 454));
        f->show(); // centred as a whole, also once its frame is known
        QCOMPARE(f->frameGeometry().center(), f->screen()->availableGeometry().center());
        // Only an icon that was found has sizes; a missing one may still not be "null".
        QVERIFY(f->windowIcon().availableSizes().contains(QSize(16, 16)));
        QVERIFY(!f->windowIcon().pixmap(16, 16).isNull());
        for (QLineEdit* feld : {f->txtDeutsch, f->txtOlvani}) {
            QVERIFY(feld->text().isEmpty());
            QVERIFY(!feld->isEnabled());
            QCOMPARE(feld->font().family(), QStringLiteral("MS Sans Serif"));
            QCOMPARE(feld->font().pointSizeF(), 12.0);
            QVERIFY(feld->font().bold());
        }
        QCOMPARE(f->radOlvani->text(), QStringLiteral("Olvni"));
        QVERIFY(f->radDeutsch->isChecked() && !f->radOlvani->isChecked() && !f->radZufall->isChecked());
        for (QCheckBox* k : {f->chkWort, f->chkNeu, f->chkNurVerben, f->chkKlugesTraining, f->chkRichtig})
            QVERIFY(!k->isChecked());
        QCOMPARE(f->chkKlugesTraining->text(),
                 QStringLiteral("kluges Training (frägt Wörter, die oft falsch beantwotet werden öfter)"));
        QVERIFY(f->cmdStart->isEnabled());
        QVERIFY(!f->cmdRichtig1->isEnabled() && !f->cmdRichtig2->isEnabled());
        QCOMPARE(f->standardknopf(), f->cmdStart);
        QVERIFY(f->cmdStart->isDefault() && !f->cmdRichtig1->isDefault() && !f->cmdRichtig2->isDefault());
        QVERIFY(f->lblInfo->text().isEmpty() && f->lblInfo2->text().isEmpty());
        QCOMPARE(f->lblInfo->font().pointSizeF(), 12.0);
        QVERIFY(!f->lblInfo->font().bold());
        QCOMPARE(f->Label1->buddy(), f->txtDeutsch);
        QCOMPARE(f->Label2->buddy(), f->txtOlvani);
        QVERIFY(f->lblVersion->text().endsWith(QStringLiteral(", Version ") + QLatin1String(versionsnummer)));
    }

    void tabulatorReihenfolge()
    {
        const QList<QWidget*> erwartet{f->txtDeutsch, f->txtOlvani, f->radDeutsch, f->radOlvani, f->radZufall, f->chkWort, f->chkNeu,
                                       f->chkNurVerben, f->cmdStart, f->cmdRichtig1, f->cmdRichtig2,
                                       f->chkKlugesTraining, f->chkRichtig};
        f->txtDeutsch->setEnabled(true);
        f->txtOlvani->setEnabled(true);
        QList<QWidget*> kette{f->txtDeutsch};
        for (QWidget* w = f->txtDeutsch->nextInFocusChain(); w != f->txtDeutsch; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                kette << w;
        QCOMPARE(kette, erwartet);
    }

    void optionsgruppeIstExklusiv()
    {
        zeigeAktiv();
        QTest::mouseClick(f->radOlvani, Qt::LeftButton);
        QVERIFY(f->radOlvani->isChecked() && !f->radDeutsch->isChecked());
        QTest::mouseClick(f->radZufall, Qt::LeftButton);
        QVERIFY(f->radZufall->isChecked() && !f->radOlvani->isChecked() && !f->radDeutsch->isChecked());
    }

    void textaenderungMachtRichtigZumStandard()
    {
        zeigeAktiv();
        f->txtOlvani->setText(QStringLiteral("zorp"));
        QCOMPARE(f->standardknopf(), f->cmdRichtig1);
        QVERIFY(!f->cmdStart->isDefault());
        f->cmdStart->setFocus();
        f->txtDeutsch->setText(QString()); // no change of text: no hand-over
        QCOMPARE(f->standardknopf(), f->cmdRichtig1);

        auto frisch = std::make_unique<frmHauptfenster>(*plattform, *plattform);
        frisch->show();
        frisch->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frisch.get()));
        frisch->txtDeutsch->setEnabled(true);
        frisch->txtDeutsch->setFocus();
        QTest::keyClicks(frisch->txtDeutsch, QStringLiteral("H"));
        QCOMPARE(frisch->standardknopf(), frisch->cmdRichtig1);
    }

    void enterDruecktDenStandardknopf_data()
    {
        QTest::addColumn<QString>("fokus");
        QTest::newRow("Antwortfeld") << QStringLiteral("txtDeutsch");
        QTest::newRow("Kontrollkaestchen") << QStringLiteral("chkNeu");
        QTest::newRow("Optionsfeld") << QStringLiteral("radZufall");
    }

    void enterDruecktDenStandardknopf()
    {
        QFETCH(QString, fokus);
        zeigeAktiv();
        oeffneAntwortfeld(f->txtDeutsch);
        f->txtDeutsch->setText(QStringLiteral("Haus"));
        QCOMPARE(f->standardknopf(), f->cmdRichtig1);
        auto* ziel = f->findChild<QWidget*>(fokus);
        ziel->setFocus();
        QSignalSpy richtig(f->cmdRichtig1, &QPushButton::clicked);
        QSignalSpy abfragen(f->cmdStart, &QPushButton::clicked);
        QTest::keyClick(ziel, Qt::Key_Return);
        QCOMPARE(richtig.count(), 1);
        QCOMPARE(abfragen.count(), 0);
        QVERIFY(!f->chkNeu->isChecked());
    }

    void fokussierterKnopfNimmtEnterSelbst()
    {
        zeigeAktiv();
        oeffneAntwortfeld(f->txtOlvani);
        f->txtOlvani->setText(QStringLiteral("zorp"));
        f->cmdRichtig2->setFocus();
        QSignalSpy korrektur(f->cmdRichtig2, &QPushButton::clicked);
        QSignalSpy richtig(f->cmdRichtig1, &QPushButton::clicked);
        QTest::keyClick(f->cmdRichtig2, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(korrektur.count(), 1);
        QCOMPARE(richtig.count(), 0);
        // Focus does not move the default: it stays where the cycle put it.
        QCOMPARE(f->standardknopf(), f->cmdRichtig1);
    }

    void gesperrterStandardknopfNimmtKeinEnter()
    {
        zeigeAktiv();
        f->txtOlvani->setText(QStringLiteral("zorp")); // default now "Richtig?", still disabled
        f->chkWort->setFocus();
        QSignalSpy richtig(f->cmdRichtig1, &QPushButton::clicked);
        QTest::keyClick(f->chkWort, Qt::Key_Return);
        QCOMPARE(richtig.count(), 0);
    }

    void escapeLaesstDasFensterOffen()
    {
        zeigeAktiv();
        f->chkWort->setFocus();
        QTest::keyClick(f->chkWort, Qt::Key_Escape);
        QTest::keyClick(f.get(), Qt::Key_Escape);
        QVERIFY(f->isVisible());
    }
};

QTEST_MAIN(TestHauptfenster)
#include "tst_hauptfenster.moc"
