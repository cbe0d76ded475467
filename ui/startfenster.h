#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

namespace olvani {

// The start window: greets the learner, shows title and version and offers
// the button that loads the vocabulary. It holds no data.
class frmSplash : public QWidget {
    Q_OBJECT

public:
    explicit frmSplash(QWidget* parent = nullptr);

signals:
    // The learner asked to load the vocabulary and start.
    void ladenGewuenscht();
    // A key or a click on the frame closed the window without loading.
    void ohneLadenGeschlossen();
    // The window has been drawn on the screen for the first time.
    void aufDemBildschirm();

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    void showEvent(QShowEvent* ereignis) override;

private:
    void schliessenOhneLaden();
    void zeigeBeschriftungenGanz();

    // Found by tests and tools through their object names, which are these.
    QFrame* Frame1 = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* lblVersion = nullptr;
};

} // namespace olvani
