#pragma once

#include <QProgressBar>

namespace Corvala {

// The thin bar along the status line's bottom edge while the emulator's catalogue is built in
// the background: it shows how far the build has got; it is hidden when the build ends.
class BarraDeCatalogo : public QProgressBar
{
    Q_OBJECT

public:
    explicit BarraDeCatalogo(QWidget *parent);

    // A build has started over this many machines; so many have been read.
    void Empezar(int maquinas);
    void Avance(int maquinas);
};

} // namespace Corvala
