// Renders the two windows to PNG files, so the pictures in the README can be
// made anew with one command: the start window, and the main window with a
// question and a verdict over the sample vocabulary.
#include "stuetzen/steuerelement.h"
#include "stuetzen/testplattform.h"
#include "stuetzen/testzufall.h"
#include "ui/hauptfenster.h"
#include "ui/schriften.h"
#include "ui/startfenster.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <iostream>

namespace {

bool speichere(QWidget* fenster, const QString& pfad)
{
    fenster->show();
    QApplication::processEvents();
    if (!fenster->grab().save(pfad)) {
        std::cerr << "Kann " << pfad.toStdString() << " nicht schreiben.\n";
        return false;
    }
    std::cout << pfad.toStdString() << '\n';
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::cerr << "Aufruf: olvani-bildschirmfotos VOKABELVERZEICHNIS ZIELVERZEICHNIS\n";
        return 2;
    }
    olvani::richteSchriftenEin();
    const QString ziel = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QDir::setCurrent(QString::fromLocal8Bit(argv[1]));

    // A fixed seed keeps the pictures the same from run to run; messages are
    // not shown.
    olvani::Testplattform plattform;
    olvani::Testzufall zufall;
    olvani::frmHauptfenster hauptfenster(plattform, zufall);
    hauptfenster.laden();
    bool gut = speichere(hauptfenster.startfenster(), ziel + QStringLiteral("/startfenster.png"));
    using olvani::steuerelement;
    steuerelement<QPushButton>(hauptfenster.startfenster(), "Command1")->click();
    steuerelement<QRadioButton>(&hauptfenster, "radZufall")->setChecked(true);
    steuerelement<QPushButton>(&hauptfenster, "cmdStart")->click();
    gut = gut && speichere(&hauptfenster, ziel + QStringLiteral("/hauptfenster-frage.png"));
    // A correct answer, so the picture shows a whole solution.
    const olvani::Vokabeltabelle& tabelle = hauptfenster.lauf()->tabelle();
    const int nummer = hauptfenster.lauf()->Nummer();
    auto* txtDeutsch = steuerelement<QLineEdit>(&hauptfenster, "txtDeutsch");
    if (txtDeutsch->isEnabled())
        txtDeutsch->setText(QString::fromStdString(tabelle.Bedeutung(nummer, 1)));
    else
        steuerelement<QLineEdit>(&hauptfenster, "txtOlvani")->setText(QString::fromStdString(tabelle.Wort(nummer)));
    steuerelement<QPushButton>(&hauptfenster, "cmdRichtig1")->click();
    gut = gut && speichere(&hauptfenster, ziel + QStringLiteral("/hauptfenster-urteil.png"));
    return gut ? 0 : 1;
}
