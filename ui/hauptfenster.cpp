#include "hauptfenster.h"

#include "kontrollkaestchen.h"
#include "schriften.h"
#include "seitenfeld.h"
#include "startfenster.h"
#include "twips.h"
#include "urteilszeile.h"
#include "version.h"
#include "vorlesen.h"
#include "zentrieren.h"

#include "vocab/dateisuche.h"
#include "vocab/vokabeldatei.h"

#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

#include <filesystem>
#include <limits>

namespace olvani {

namespace {

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

// The rate in the statistics line is written with the learner's decimal
// separator.
std::string regionalesDezimaltrennzeichen()
{
    return QLocale().decimalPoint().toStdString();
}

template <class Steuerelement>
Steuerelement* platziere(Steuerelement* element, const char* name, QRect rechteck)
{
    element->setObjectName(QLatin1String(name));
    element->setGeometry(rechteck);
    return element;
}

} // namespace

frmHauptfenster::frmHauptfenster(Plattform& plattform, Zufallsquelle& zufall, Aufbau aufbau, QWidget* parent)
    : QWidget(parent), plattform_(plattform), zufall_(zufall)
{
    setObjectName(QStringLiteral("frmHauptfenster"));
    setWindowTitle(QStringLiteral("Olvani Vokabeltrainer"));
    setWindowIcon(QIcon(QStringLiteral(":/olvani.xpm")));
    setFont(schrift("MS Sans Serif", 8.25, false));
    resize(px(4815), px(6810));
    zentriere(this);
    if (aufbau == Aufbau::Sofort)
        baueSteuerelemente();
}

frmHauptfenster::~frmHauptfenster()
{
    delete splash_;
}

void frmHauptfenster::baueSteuerelemente()
{
    if (txtDeutsch)
        return;
    const QFont textFont = schrift("MS Sans Serif", 12, true);
    auto textfeld = [&](const char* name, int oben) {
        auto* feld = platziere(new Seitenfeld(this), name, twipsRechteck(1200, oben, 3495, 375));
        feld->setFont(textFont);
        feld->setMaxLength(std::numeric_limits<int>::max());
        feld->setEnabled(false);
        return feld;
    };
    auto label = [&](const char* name, const QString& text, QRect rechteck) {
        auto* l = platziere(new QLabel(text, this), name, rechteck);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setWordWrap(true);
        l->setTextFormat(Qt::PlainText); // words from the file are never markup
        return l;
    };
    auto kaestchen = [&](const char* name, const QString& text, QRect rechteck) {
        return platziere(new Kontrollkaestchen(text, this), name, rechteck);
    };
    auto knopf = [&](const char* name, const QString& text, int links) {
        auto* k = platziere(new QPushButton(text, this), name, twipsRechteck(links, 2520, 1455, 495));
        k->setAutoDefault(false); // the window decides which button Enter presses
        return k;
    };

    txtDeutsch = textfeld("txtDeutsch", 240);
    txtOlvani = textfeld("txtOlvani", 840);
    Frame1 = platziere(new QGroupBox(QStringLiteral("Abfrage"), this), "Frame1", twipsRechteck(120, 3600, 4575, 855));
    radDeutsch = platziere(new QRadioButton(QStringLiteral("Deutsch"), this), "radDeutsch",
                           twipsRechteck(180, 3960, 1215, 255));
    radOlvani = platziere(new QRadioButton(QStringLiteral("Olvni"), this), "radOlvani",
                          twipsRechteck(1800, 3960, 1215, 255));
    radZufall = platziere(new QRadioButton(QStringLiteral("Zufall"), this), "radZufall",
                          twipsRechteck(3420, 3960, 1215, 255));
    radDeutsch->setChecked(true);
    lblInfo2 = label("lblInfo2", QString(), twipsRechteck(120, 3120, 4575, 495));
    lblInfo = label("lblInfo", QString(), twipsRechteck(120, 1440, 4575, 855));
    lblInfo2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblInfo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblInfo->setFont(schrift("MS Sans Serif", 12, false));
    chkWort = kaestchen("chkWort", QStringLiteral("jedes Wort nur einmal"), twipsRechteck(240, 4560, 1935, 375));
    chkNeu = kaestchen("chkNeu", QStringLiteral("nur markierte Wörter abfragen"), twipsRechteck(2280, 4560, 2415, 375));
    chkNurVerben = kaestchen("chkNurVerben", QStringLiteral("nur Verben abfragen"), twipsRechteck(240, 5040, 1935, 495));
    Label1 = label("Label1", QStringLiteral("Deutsch"), twipsRechteck(120, 360, 975, 255));
    Label2 = label("Label2", QStringLiteral("Olvani"), twipsRechteck(120, 960, 975, 255));
    Label1->setBuddy(txtDeutsch);
    Label2->setBuddy(txtOlvani);
    cmdStart = knopf("cmdStart", QStringLiteral("Abfragen"), 120);
    cmdRichtig1 = knopf("cmdRichtig1", QStringLiteral("Richtig?"), 1680);
    cmdRichtig2 = knopf("cmdRichtig2", QStringLiteral("Doch Richtig!"), 3240);
    cmdRichtig1->setEnabled(false);
    cmdRichtig2->setEnabled(false);
    // One key for the correction from anywhere in the window, which typing an
    // answer never needs (AltGr is Ctrl+Alt on Windows); as the button's own
    // shortcut it leaves the caption alone and reaches screen readers.
    cmdRichtig2->setShortcut(QKeySequence(Qt::ALT | Qt::Key_D));
    chkKlugesTraining = kaestchen("chkKlugesTraining",
                                  QStringLiteral("kluges Training (frägt Wörter, die oft falsch beantwotet werden öfter)"),
                                  twipsRechteck(2280, 5040, 2415, 615));
    chkRichtig = kaestchen("chkRichtig",
                           QStringLiteral("Wörter, die fünfmal richtig beantwortet wurden, nicht mehr fragen"),
                           twipsRechteck(240, 5640, 1935, 855));

    auto* Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Line1->setGeometry(px(0), px(6600) - 1, px(4800), 2);
    lblVersion = label("lblVersion",
                       QStringLiteral("Olvani-Trainer, Version %1").arg(QLatin1String(versionsnummer)),
                       QRect(px(120), px(6600) + 1, px(4575), px(6810) - px(6600) - 1));
    lblVersion->setFont(schrift("Arial", 6.75, false));
    lblVersion->setWordWrap(false);

    // The option buttons belong to the window, drawn above the frame.
    for (QRadioButton* r : {radDeutsch, radOlvani, radZufall})
        r->raise();

    QWidget* reihenfolge[] = {txtDeutsch, txtOlvani, radDeutsch, radOlvani, radZufall, chkWort, chkNeu,
                              chkNurVerben, cmdStart, cmdRichtig1, cmdRichtig2, chkKlugesTraining, chkRichtig};
    for (std::size_t i = 1; i < std::size(reihenfolge); ++i)
        setTabOrder(reihenfolge[i - 1], reihenfolge[i]);

    machStandard(cmdStart);
    connect(cmdStart, &QPushButton::clicked, this, &frmHauptfenster::cmdStartGeklickt);
    connect(cmdRichtig1, &QPushButton::clicked, this, &frmHauptfenster::cmdRichtig1Geklickt);
    connect(cmdRichtig2, &QPushButton::clicked, this, &frmHauptfenster::cmdRichtig2Geklickt);
    // Every change of an answer box, typed or set, hands Enter to "Richtig?".
    connect(txtDeutsch, &QLineEdit::textChanged, this, [this] { machStandard(cmdRichtig1); });
    connect(txtOlvani, &QLineEdit::textChanged, this, [this] { machStandard(cmdRichtig1); });
}

void frmHauptfenster::laden()
{
    hide();
    if (!splash_) {
        splash_ = new frmSplash;
        splash_->setAttribute(Qt::WA_DeleteOnClose);
        connect(splash_, &frmSplash::ladenGewuenscht, this, &frmHauptfenster::startfensterKnopf);
        connect(splash_, &frmSplash::ohneLadenGeschlossen, this, [this] { plattform_.beenden(0); });
        connect(splash_, &frmSplash::aufDemBildschirm, this, &frmHauptfenster::baueSteuerelemente);
    }
    splash_->show();
    lauf_.reset();
}

void frmHauptfenster::startfensterKnopf()
{
    baueSteuerelemente();
    show();
    bool geladen = false;
    if (!abgesichert(plattform_, [&] { geladen = AccessAuslesen(); }) || !geladen)
        return;
    if (splash_)
        splash_->close();
}

bool frmHauptfenster::AccessAuslesen()
{
    const std::string verzeichnis = aktuellesVerzeichnis();
    const std::string gefunden = findeVokabeldatei(verzeichnis);
    if (gefunden.empty()) {
        plattform_.meldung(fehltMeldung(erwarteterPfad(verzeichnis)), Symbol::Keins);
        plattform_.beenden(0);
        return false;
    }
    lauf_.emplace(ladeVokabeldatei(gefunden), zufall_, regionalesDezimaltrennzeichen());
    return true;
}

QPushButton* frmHauptfenster::standardknopf() const
{
    for (QPushButton* knopf : {cmdStart, cmdRichtig1, cmdRichtig2})
        if (knopf->isDefault())
            return knopf;
    return nullptr;
}

void frmHauptfenster::machStandard(QPushButton* knopf)
{
    for (QPushButton* k : {cmdStart, cmdRichtig1, cmdRichtig2})
        k->setDefault(k == knopf);
}

void frmHauptfenster::keyPressEvent(QKeyEvent* ereignis)
{
    // Enter reaches the window when no control took it: a focused button
    // takes it itself, anywhere else it presses the default button.
    if (ereignis->key() == Qt::Key_Return || ereignis->key() == Qt::Key_Enter) {
        auto* knopf = qobject_cast<QPushButton*>(focusWidget());
        if (!knopf)
            knopf = standardknopf();
        if (knopf && knopf->isEnabled())
            knopf->click();
        ereignis->accept();
        return;
    }
    QWidget::keyPressEvent(ereignis);
}

Richtungswahl frmHauptfenster::richtungswahl() const
{
    if (radOlvani->isChecked())
        return Richtungswahl::Olvani;
    if (radDeutsch->isChecked())
        return Richtungswahl::Deutsch;
    return Richtungswahl::Zufall;
}

Optionen frmHauptfenster::optionen() const
{
    Optionen o;
    o.ohneFuenfmalRichtige = chkRichtig->isChecked();
    o.jedesWortEinmal = chkWort->isChecked();
    o.ohneKennung = chkNeu->isChecked();
    o.nurVerben = chkNurVerben->isChecked();
    o.klugesTraining = chkKlugesTraining->isChecked();
    return o;
}

QLineEdit* frmHauptfenster::feld(Seite seite) const
{
    return seite == Seite::Deutsch ? txtDeutsch : txtOlvani;
}

void frmHauptfenster::zeigeMeldungen(const std::vector<Meldung>& meldungen)
{
    for (const Meldung& m : meldungen)
        plattform_.meldung(m.text, m.symbol);
}

// The buttons do nothing without a run; the learner never sees them then, as
// this window is shown only to load the vocabulary, and the program ends when
// that fails.
void frmHauptfenster::cmdStartGeklickt()
{
    Abfrage abfrage;
    if (lauf_ && abgesichert(plattform_, [&] { abfrage = lauf_->NeueAbfrage(richtungswahl(), optionen()); }))
        zeige(abfrage);
}

void frmHauptfenster::cmdRichtig1Geklickt()
{
    if (!lauf_)
        return;
    const QWidget* fokusVorher = focusWidget();
    const Frage* frage = lauf_->offeneFrage();
    const std::string getippt = frage ? feld(frage->antwortseite())->text().toStdString() : std::string();
    Urteil urteil;
    if (abgesichert(plattform_, [&] { urteil = lauf_->pruefeAntwort(getippt); }))
        zeige(urteil, fokusVorher);
}

void frmHauptfenster::cmdRichtig2Geklickt()
{
    std::string zeile;
    if (!lauf_ || !abgesichert(plattform_, [&] { zeile = lauf_->DochRichtig(); }))
        return;
    lblInfo2->setText(qs(zeile));
    // The verdict stays as it was: only the new statistics line is told.
    vorlesen::sagAn({lblInfo2}, focusWidget());
}

// The answer box opens and takes the focus, carrying the word shown for a
// learner who hears the window; the messages come while it waits; then the
// question is written, which hands Enter to "Richtig?".
void frmHauptfenster::zeige(const Abfrage& abfrage)
{
    cmdRichtig1->setEnabled(abfrage.beurteilbar);
    cmdRichtig2->setEnabled(abfrage.beurteilbar);
    leereUrteil(lblInfo);
    QLineEdit* antwortfeld = feld(abfrage.frage.antwortseite());
    QLineEdit* fragefeld = feld(abfrage.frage.seite);
    vorlesen::neueFrage(antwortfeld, fragefeld, qs(abfrage.frage.gezeigt));
    antwortfeld->setEnabled(true);
    fragefeld->setEnabled(false);
    antwortfeld->setFocus();
    zeigeMeldungen(abfrage.meldungen);
    if (!abfrage.gefunden) {
        schliesseFrage();
        return;
    }
    txtOlvani->setText(fragefeld == txtOlvani ? qs(abfrage.frage.gezeigt) : QString());
    txtDeutsch->setText(fragefeld == txtDeutsch ? qs(abfrage.frage.gezeigt) : QString());
}

// Verdict, beep and congratulation first, the statistics line after them;
// then the boxes close, and the screen reader is told last, once the focus
// has left the disabled answer box, so that the report of the new focus does
// not cut it off.
void frmHauptfenster::zeige(const Urteil& urteil, const QWidget* fokusVorher)
{
    zeigeUrteil(lblInfo, urteil.verdikt, urteil.eintraege);
    if (!urteil.richtig)
        plattform_.signalton();
    zeigeMeldungen(urteil.meldungen);
    lblInfo2->setText(qs(urteil.statistikzeile));
    schliesseFrage();
    vorlesen::sagAn({lblInfo, lblInfo2}, fokusVorher);
}

// Both boxes empty and disabled, Enter on "Abfragen". Clearing a box hands
// the default to "Richtig?"; nothing can look at the window between these
// steps, and a default given to "Abfragen" between the two clearings could
// be taken away again by the second, so it is given once, at the end.
void frmHauptfenster::schliesseFrage()
{
    txtDeutsch->setText(QString());
    txtOlvani->setText(QString());
    txtOlvani->setEnabled(false);
    txtDeutsch->setEnabled(false);
    machStandard(cmdStart);
    vorlesen::keineFrage(txtDeutsch, txtOlvani);
}

} // namespace olvani
