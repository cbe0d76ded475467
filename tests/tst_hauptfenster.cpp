// The main window: controls and their initial states, what the learner sees
// of the layout, the option group, and which button Enter presses.
#include "quiz/antwortpruefung.h"
#include "stuetzen/fensterhilfen.h"
#include "ui/hauptfenster.h"
#include "ui/kontrollkaestchen.h"
#include "ui/schriften.h"
#include "version.h"

#include <QAccessible>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

using namespace olvani;

// A style whose check-box square is far wider than the squares the check
// boxes were sized for (Windows 11's is 16 pixels, which cuts captions only in
// Windows' fonts).
class BreitesQuadrat : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metrik, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metrik == PM_IndicatorWidth || metrik == PM_IndicatorHeight)
            return 60;
        return QProxyStyle::pixelMetric(metrik, option, widget);
    }
};

class TestHauptfenster : public QObject {
    Q_OBJECT

    std::unique_ptr<Fensterprobe> p;

    template <class T = QWidget>
    T* e(const char* name) const { return p->element<T>(name); }

    // Stands in for a question: one answer box enabled and focused.
    void oeffneAntwortfeld(QLineEdit* feld)
    {
        p->cmdRichtig1()->setEnabled(true);
        p->cmdRichtig2()->setEnabled(true);
        feld->setEnabled(true);
        feld->setFocus();
    }

    // Where a button draws its caption: inside its frame, or right of its
    // check box or option circle.
    static QRect textfeld(QAbstractButton* k)
    {
        if (auto* kaestchen = qobject_cast<Kontrollkaestchen*>(k))
            return kaestchen->beschriftungsfeld();
        QStyleOptionButton option;
        option.initFrom(k);
        if (qobject_cast<QPushButton*>(k))
            return k->style()->subElementRect(QStyle::SE_PushButtonContents, &option, k);
        const bool kaestchen = qobject_cast<QCheckBox*>(k);
        const QRect zeichen = k->style()->subElementRect(
            kaestchen ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator, &option, k);
        const int abstand = k->style()->pixelMetric(
            kaestchen ? QStyle::PM_CheckBoxLabelSpacing : QStyle::PM_RadioButtonLabelSpacing, &option, k);
        return k->rect().adjusted(zeichen.right() + 1 + abstand, 0, 0, 0);
    }

private slots:
    // The fonts the program sets up at its start; without them a minimal
    // system measures the captions in a monospace face.
    void initTestCase() { richteSchriftenEin(); }

    void init() { p = std::make_unique<Fensterprobe>(); }
    void cleanup() { raeumeAuf(p); }

    // What the learner sees of the layout: every control inside the window,
    // each label on the line of its box and left of it, the option buttons
    // inside their frame; resizing moves nothing.
    void allesIstGanzZuSehen()
    {
        QWidget& f = p->fenster;
        f.show();
        const QList<QWidget*> elemente = f.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(elemente.size(), 20);
        for (QWidget* el : elemente)
            QVERIFY2(f.rect().contains(el->geometry()), qPrintable(el->objectName()));

        for (auto [label, feld] : {std::pair{e<QLabel>("Label1"), p->txtDeutsch()}, std::pair{e<QLabel>("Label2"), p->txtOlvani()}}) {
            QVERIFY(label->geometry().right() < feld->geometry().left());
            QVERIFY(label->geometry().top() >= feld->geometry().top() && label->geometry().bottom() <= feld->geometry().bottom());
        }
        auto* rahmen = e<QGroupBox>("Frame1");
        const int titel = rahmen->y() + QFontMetrics(rahmen->font()).height();
        for (const char* r : {"radDeutsch", "radOlvani", "radZufall"})
            QVERIFY(rahmen->geometry().contains(e(r)->geometry()) && e(r)->y() >= titel);

        QList<QRect> vorher;
        for (QWidget* el : elemente)
            vorher << el->geometry();
        f.resize(700, 800);
        for (qsizetype i = 0; i < elemente.size(); ++i)
            QCOMPARE(elemente[i]->geometry(), vorher[i]);
    }

    // Every caption whole, in the fonts the program sets up, also where the
    // check-box square is wider than usual: only the check boxes wrap.
    void beschriftungenSindGanz_data()
    {
        QTest::addColumn<bool>("breitesQuadrat");
        QTest::newRow("Stil des Systems") << false;
        QTest::newRow("breites Quadrat") << true;
    }
    void beschriftungenSindGanz()
    {
#ifdef Q_OS_WIN
        QSKIP("the offscreen platform of a Windows build has none of the fonts the program asks for");
#endif
        QFETCH(bool, breitesQuadrat);
        BreitesQuadrat stil;
        const QList<Kontrollkaestchen*> kaestchen = p->fenster.findChildren<Kontrollkaestchen*>();
        const auto zurueck = qScopeGuard([&] {
            for (Kontrollkaestchen* k : kaestchen)
                k->setStyle(nullptr);
        });
        if (breitesQuadrat)
            for (Kontrollkaestchen* k : kaestchen)
                k->setStyle(&stil);
        p->fenster.show();
        for (QAbstractButton* k : p->fenster.findChildren<QAbstractButton*>()) {
            const QFontMetrics fm(k->font());
            const QRect feld = textfeld(k);
            const QRect text = fm.boundingRect(feld, Qt::TextWordWrap, k->text());
            // Descenders of the last line may reach the edge.
            QVERIFY2(text.width() <= feld.width() && text.height() - fm.descent() <= feld.height(),
                     qPrintable(k->objectName()));
            // Only the check boxes wrap.
            QVERIFY2(qobject_cast<QCheckBox*>(k) || fm.horizontalAdvance(k->text()) <= feld.width(),
                     qPrintable(k->objectName()));
        }
        for (QLabel* l : {e<QLabel>("Label1"), e<QLabel>("Label2"), e<QLabel>("lblVersion")})
            QVERIFY2(QFontMetrics(l->font()).horizontalAdvance(l->text()) <= l->width(), qPrintable(l->objectName()));
    }

    void anfangszustand()
    {
        QWidget& f = p->fenster;
        QCOMPARE(f.windowTitle(), QStringLiteral("Olvani Vokabeltrainer"));
        QCOMPARE(f.size(), QSize(321, 454));
        f.show(); // centred as a whole, also once its frame is known
        QCOMPARE(f.frameGeometry().center(), f.screen()->availableGeometry().center());
        // Only an icon that was found has sizes; a missing one may still not be "null".
        QVERIFY(f.windowIcon().availableSizes().contains(QSize(16, 16)));
        QVERIFY(!f.windowIcon().pixmap(16, 16).isNull());
        for (QLineEdit* feld : {p->txtDeutsch(), p->txtOlvani()}) {
            QVERIFY(feld->text().isEmpty());
            QVERIFY(!feld->isEnabled());
#ifdef Q_OS_WIN
            QCOMPARE(feld->font().family(), QStringLiteral("Microsoft Sans Serif"));
#else
            QCOMPARE(feld->font().family(), QStringLiteral("MS Sans Serif"));
#endif
            QCOMPARE(feld->font().pointSizeF(), 12.0);
            QVERIFY(feld->font().bold());
        }
        // A control without a font of its own has the window's: regular 8.25 pt.
        for (QWidget* ohne : {e("cmdStart"), e("chkWort"), e("Label1")}) {
            QCOMPARE(ohne->font().pointSizeF(), 8.25);
            QVERIFY2(!ohne->font().bold(), qPrintable(ohne->objectName()));
        }
        QCOMPARE(e<QRadioButton>("radOlvani")->text(), QStringLiteral("Olvni"));
        QVERIFY(e<QRadioButton>("radDeutsch")->isChecked() && !e<QRadioButton>("radOlvani")->isChecked()
                && !e<QRadioButton>("radZufall")->isChecked());
        for (QCheckBox* k : f.findChildren<QCheckBox*>())
            QVERIFY(!k->isChecked());
        QCOMPARE(e<QCheckBox>("chkKlugesTraining")->text(),
                 QStringLiteral("kluges Training (frägt Wörter, die oft falsch beantwotet werden öfter)"));
        QVERIFY(p->cmdStart()->isEnabled());
        QVERIFY(!p->cmdRichtig1()->isEnabled() && !p->cmdRichtig2()->isEnabled());
        QCOMPARE(p->fenster.standardknopf(), p->cmdStart());
        QVERIFY(p->cmdStart()->isDefault() && !p->cmdRichtig1()->isDefault() && !p->cmdRichtig2()->isDefault());
        QVERIFY(p->lblInfo()->text().isEmpty() && p->lblInfo2()->text().isEmpty());
        QCOMPARE(p->lblInfo()->font().pointSizeF(), 12.0);
        QVERIFY(!p->lblInfo()->font().bold());
        QCOMPARE(e<QLabel>("Label1")->buddy(), p->txtDeutsch());
        QCOMPARE(e<QLabel>("Label2")->buddy(), p->txtOlvani());
        QVERIFY(e<QLabel>("lblVersion")->text().endsWith(QStringLiteral(", Version ") + QLatin1String(versionsnummer)));
    }

    void tabulatorReihenfolge()
    {
        QList<QWidget*> erwartet;
        for (const char* name : {"txtDeutsch", "txtOlvani", "radDeutsch", "radOlvani", "radZufall", "chkWort", "chkNeu",
                                 "chkNurVerben", "cmdStart", "cmdRichtig1", "cmdRichtig2", "chkKlugesTraining",
                                 "chkRichtig"})
            erwartet << e(name);
        p->txtDeutsch()->setEnabled(true);
        p->txtOlvani()->setEnabled(true);
        QList<QWidget*> kette{p->txtDeutsch()};
        for (QWidget* w = p->txtDeutsch()->nextInFocusChain(); w != p->txtDeutsch(); w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                kette << w;
        QCOMPARE(kette, erwartet);
    }

    void optionsgruppeIstExklusiv()
    {
        p->zeigeAktiv();
        auto* radDeutsch = e<QRadioButton>("radDeutsch");
        auto* radOlvani = e<QRadioButton>("radOlvani");
        auto* radZufall = e<QRadioButton>("radZufall");
        QTest::mouseClick(radOlvani, Qt::LeftButton);
        QVERIFY(radOlvani->isChecked() && !radDeutsch->isChecked());
        QTest::mouseClick(radZufall, Qt::LeftButton);
        QVERIFY(radZufall->isChecked() && !radOlvani->isChecked() && !radDeutsch->isChecked());
    }

    void textaenderungMachtRichtigZumStandard()
    {
        p->zeigeAktiv();
        p->txtOlvani()->setText(QStringLiteral("zorp"));
        QCOMPARE(p->fenster.standardknopf(), p->cmdRichtig1());
        QVERIFY(!p->cmdStart()->isDefault());
        p->cmdStart()->setFocus();
        p->txtDeutsch()->setText(QString()); // no change of text: no hand-over
        QCOMPARE(p->fenster.standardknopf(), p->cmdRichtig1());

        Fensterprobe frisch;
        frisch.zeigeAktiv();
        frisch.txtDeutsch()->setEnabled(true);
        frisch.txtDeutsch()->setFocus();
        QTest::keyClicks(frisch.txtDeutsch(), QStringLiteral("H"));
        QCOMPARE(frisch.fenster.standardknopf(), frisch.cmdRichtig1());
    }

    // Enter presses the default button from wherever the focus is, unless a
    // button has the focus, which takes it itself; a disabled default takes
    // nothing.
    void enterDruecktDenStandardknopf_data()
    {
        QTest::addColumn<QString>("fokus");
        QTest::addColumn<bool>("frageOffen");
        QTest::addColumn<int>("taste");
        QTest::addColumn<QString>("gedrueckt"); // empty: none
        QTest::newRow("Antwortfeld") << "txtDeutsch" << true << int(Qt::Key_Return) << "cmdRichtig1";
        QTest::newRow("Kontrollkaestchen") << "chkNeu" << true << int(Qt::Key_Return) << "cmdRichtig1";
        QTest::newRow("Optionsfeld") << "radZufall" << true << int(Qt::Key_Return) << "cmdRichtig1";
        QTest::newRow("Knopf mit Fokus, Ziffernblock") << "cmdRichtig2" << true << int(Qt::Key_Enter) << "cmdRichtig2";
        QTest::newRow("gesperrter Standardknopf") << "chkWort" << false << int(Qt::Key_Return) << "";
    }

    void enterDruecktDenStandardknopf()
    {
        QFETCH(QString, fokus);
        QFETCH(bool, frageOffen);
        QFETCH(int, taste);
        QFETCH(QString, gedrueckt);
        p->zeigeAktiv();
        if (frageOffen)
            oeffneAntwortfeld(p->txtDeutsch());
        p->txtDeutsch()->setText(QStringLiteral("Haus"));
        QCOMPARE(p->fenster.standardknopf(), p->cmdRichtig1());
        auto* ziel = e(qPrintable(fokus));
        ziel->setFocus();
        std::map<QString, int> klicks;
        for (QPushButton* k : p->fenster.findChildren<QPushButton*>())
            connect(k, &QPushButton::clicked, this, [&klicks, k] { ++klicks[k->objectName()]; });
        QTest::keyClick(ziel, Qt::Key(taste), taste == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        std::map<QString, int> erwartet;
        if (!gedrueckt.isEmpty())
            erwartet[gedrueckt] = 1;
        QCOMPARE(klicks, erwartet);
        QVERIFY(!e<QCheckBox>("chkNeu")->isChecked());
        // Focus does not move the default: it stays where the cycle put it.
        if (gedrueckt == "cmdRichtig2")
            QCOMPARE(p->fenster.standardknopf(), p->cmdRichtig1());
    }

    void escapeLaesstDasFensterOffen()
    {
        p->zeigeAktiv();
        e("chkWort")->setFocus();
        QTest::keyClick(e("chkWort"), Qt::Key_Escape);
        QTest::keyClick(&p->fenster, Qt::Key_Escape);
        QVERIFY(p->fenster.isVisible());
    }

    // A verdict that does not fit the label ends in "…" on its last line
    // shown whole; the tooltip holds the whole of it, one entry a line, as
    // many as the screen takes. Words with characters beyond Latin-1 and
    // beyond 16 bits, so that every entry must be found where it begins.
    void urteilDasNichtPasstSagtEs_data()
    {
        QTest::addColumn<int>("eintraege"); // sharing the meaning shown
        QTest::addColumn<bool>("passt");
        QTest::addColumn<bool>("tooltipGanz");
        QTest::newRow("passt") << 2 << true << true;
        QTest::newRow("passt nicht") << 12 << false << true;
        QTest::newRow("laenger als der Bildschirm") << 400 << false << false;
    }
    void urteilDasNichtPasstSagtEs()
    {
        QFETCH(int, eintraege);
        QFETCH(bool, passt);
        QFETCH(bool, tooltipGanz);
        QByteArray datei;
        for (int i = 1; i <= eintraege; ++i)
            datei += QStringLiteral("\"w\u00f6rt%1\U0001D11E\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n").arg(i).toUtf8();
        p->lade(datei);
        p->cmdStart()->click();
        const Durchlauf& lauf = *p->fenster.lauf();
        const QString loesung = QString::fromStdString(pruefe(lauf.tabelle(), lauf.Nummer(), lauf.offeneFrage(), "").loesung);
        p->cmdRichtig1()->click();
        QLabel* l = p->lblInfo();
        const QString text = l->text();
        QCOMPARE(text.endsWith(QStringLiteral("…")), !passt);
        QCOMPARE(text.endsWith(loesung), passt);
        QCOMPARE(l->toolTip().isEmpty(), passt);
        if (passt)
            return;

        // Shown whole, and every line that fits is used.
        const QFontMetrics fm(l->font(), l);
        const QRect feld = l->contentsRect();
        const int flags = int(l->alignment()) | Qt::TextWordWrap;
        QVERIFY(fm.boundingRect(feld, flags, text).height() <= feld.height());
        QVERIFY(fm.boundingRect(feld, flags, text + QStringLiteral("\nX")).height() > feld.height());
        const QString tipp = l->toolTip();
        const QStringList zeilen = tipp.split(u'\n');
        // What the label shows begins the verdict; the tooltip begins with it.
        QVERIFY(tipp.simplified().startsWith(text.chopped(1).simplified()));
        QVERIFY(!zeilen.first().contains(QStringLiteral("w\u00f6rt")));
        QVERIFY(QRegularExpression(QStringLiteral("^w\u00f6rt\\d+\U0001D11E: Haus$")).match(zeilen.value(1)).hasMatch());
        for (const QString& zeile : zeilen.mid(2, zeilen.size() - (tooltipGanz ? 2 : 3)))
            QVERIFY2(QRegularExpression(QStringLiteral("^oder w\u00f6rt\\d+\U0001D11E: Haus$")).match(zeile).hasMatch(),
                     qPrintable(zeile));
        if (tooltipGanz) {
            QCOMPARE(zeilen.size(), 1 + eintraege);
            QCOMPARE(zeilen.mid(1).join(u' ').simplified(), loesung.simplified());
        } else {
            const QRegularExpressionMatch weitere =
                QRegularExpression(QStringLiteral("^… und (\\d+) weitere$")).match(zeilen.last());
            QVERIFY2(weitere.hasMatch(), qPrintable(zeilen.last()));
            QCOMPARE(zeilen.size() - 2 + weitere.captured(1).toInt(), eintraege);
        }

        // Opened as the mouse opens it, the tooltip stays on the screen.
        p->zeigeAktiv();
        QHelpEvent hilfe(QEvent::ToolTip, l->rect().center(), l->mapToGlobal(l->rect().center()));
        QApplication::sendEvent(l, &hilfe);
        QLabel* tooltip = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("qtooltip_label") && w->isVisible())
                tooltip = qobject_cast<QLabel*>(w);
        QVERIFY(tooltip);
        const auto zu = qScopeGuard([&] { tooltip->hide(); });
        QCOMPARE(tooltip->text(), tipp);
        QVERIFY(tooltip->height() <= l->screen()->availableGeometry().height());
    }

    // The question is the one text the learner reads on every turn: in the
    // palette in force, switched to while the window is open, it stands out
    // from its box as plain text does, the box still shows apart from the
    // answer box, and it stays disabled.
    void frageIstVollLesbar_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<double>("mindestens");
        QTest::newRow("light, the default") << QApplication::palette() << 7.0;
        QTest::newRow("dark, derived from one dark grey") << QPalette(QColor(48, 48, 48)) << 4.5;
        QPalette gleicherGrund(QColor(48, 48, 48)); // as GTK's on Qt 6.8: one background for both boxes
        gleicherGrund.setColor(QPalette::Disabled, QPalette::Base, gleicherGrund.color(QPalette::Active, QPalette::Base));
        QTest::newRow("dark, one background for both") << gleicherGrund << 4.5;
    }

    void frageIstVollLesbar()
    {
        QFETCH(QPalette, palette);
        QFETCH(double, mindestens);
        const QPalette vorher = QApplication::palette();
        const auto zurueck = qScopeGuard([&] { QApplication::setPalette(vorher); });
        QApplication::setPalette(palette);
        p->zeigeAktiv();
        QLineEdit* txtDeutsch = p->txtDeutsch();
        QLineEdit* txtOlvani = p->txtOlvani();
        txtDeutsch->setText(QStringLiteral("Dunkelheit"));
        oeffneAntwortfeld(txtOlvani);

        // WCAG 2: relative luminance of sRGB, and the ratio of two.
        auto leuchtdichte = [](QRgb farbe) {
            auto kanal = [](int wert) {
                const double s = wert / 255.0;
                return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * kanal(qRed(farbe)) + 0.7152 * kanal(qGreen(farbe)) + 0.0722 * kanal(qBlue(farbe));
        };
        auto kontrast = [&](QRgb a, QRgb b) {
            const double la = leuchtdichte(a), lb = leuchtdichte(b);
            return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
        };
        // Inside the frame of the box as drawn: the commonest colour is the
        // background, the pixel that stands out most from it the text.
        auto gezeichnet = [&](QLineEdit* feld) {
            const QImage bild = feld->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const int rahmen = feld->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 1;
            const int rand = int(std::ceil(rahmen * bild.devicePixelRatio()));
            QHash<QRgb, int> anzahl;
            for (int y = rand; y < bild.height() - rand; ++y)
                for (int x = rand; x < bild.width() - rand; ++x)
                    ++anzahl[bild.pixel(x, y)];
            const QRgb grund = std::max_element(anzahl.cbegin(), anzahl.cend()).key(); // by count
            double staerkste = 1;
            for (auto it = anzahl.cbegin(); it != anzahl.cend(); ++it)
                staerkste = std::max(staerkste, kontrast(it.key(), grund));
            return std::pair{grund, staerkste};
        };
        const auto [frageGrund, frageKontrast] = gezeichnet(txtDeutsch);
        QVERIFY2(frageKontrast >= mindestens, qPrintable(QString::number(frageKontrast, 'f', 2)));
        QVERIFY(gezeichnet(txtOlvani).first != frageGrund);
        QVERIFY(!txtDeutsch->isEnabled() && !txtDeutsch->hasFocus());
        QVERIFY(QAccessible::queryAccessibleInterface(txtDeutsch)->state().disabled);
    }
};

QTEST_MAIN(TestHauptfenster)
#include "tst_hauptfenster.moc"
