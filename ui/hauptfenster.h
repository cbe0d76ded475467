#pragma once

#include "plattform.h"
#include "quiz/durchlauf.h"
#include "quiz/zufallsquelle.h"
#include "startfenster.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace olvani {

// The learner's working window: question and answer boxes, the three
// buttons of the question cycle, the options, verdict and statistics. It
// holds the learner's run, made once the vocabulary has loaded.
class frmHauptfenster : public QWidget {
    Q_OBJECT

public:
    // When the controls are made: at once, or once the start window is on
    // the screen (at the latest when the main window is shown), so that
    // loading their fonts does not hold back the start window.
    enum class Aufbau { Sofort, NachDemStartfenster };

    frmHauptfenster(Plattform& plattform, Zufallsquelle& zufall, Aufbau aufbau = Aufbau::Sofort,
                    QWidget* parent = nullptr);
    ~frmHauptfenster() override;

    // Start-up: keeps this window hidden, shows the start window and ends
    // the run.
    void laden();

    // The run, or null while no vocabulary is loaded.
    const Durchlauf* lauf() const { return lauf_ ? &*lauf_ : nullptr; }
    frmSplash* startfenster() const { return splash_; }
    QPushButton* standardknopf() const;

protected:
    void keyPressEvent(QKeyEvent* ereignis) override;

private:
    // Reads olvani.txt from the current directory and starts the run over
    // it; false when the file is missing and the program is ending.
    bool AccessAuslesen();
    void baueSteuerelemente();
    void startfensterKnopf();
    void cmdStartGeklickt();
    void cmdRichtig1Geklickt();
    void cmdRichtig2Geklickt();
    // What the run returned, turned into the states of the controls.
    void zeige(const Abfrage& abfrage);
    void zeige(const Urteil& urteil, const QWidget* fokusVorher);
    void zeigeMeldungen(const std::vector<Meldung>& meldungen);
    void schliesseFrage();
    void machStandard(QPushButton* knopf);
    QLineEdit* feld(Seite seite) const;
    Richtungswahl richtungswahl() const;
    Optionen optionen() const;

    Plattform& plattform_;
    Zufallsquelle& zufall_; // handed to the run
    std::optional<Durchlauf> lauf_;
    QPointer<frmSplash> splash_;

    // Found by tests and tools through their object names, which are these.
    QLineEdit* txtDeutsch = nullptr;
    QLineEdit* txtOlvani = nullptr;
    QRadioButton* radDeutsch = nullptr;
    QRadioButton* radOlvani = nullptr;
    QRadioButton* radZufall = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* lblInfo2 = nullptr;
    QLabel* lblInfo = nullptr;
    QCheckBox* chkWort = nullptr;
    QCheckBox* chkNeu = nullptr;
    QCheckBox* chkNurVerben = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* cmdStart = nullptr;
    QPushButton* cmdRichtig1 = nullptr;
    QPushButton* cmdRichtig2 = nullptr;
    QCheckBox* chkKlugesTraining = nullptr;
    QCheckBox* chkRichtig = nullptr;
    QLabel* lblVersion = nullptr;
};

} // namespace olvani
