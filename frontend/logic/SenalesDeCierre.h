#pragma once

#include <QObject>

class QSocketNotifier;

namespace Corvala {

// The system asks Corvala to end: SIGTERM (a logout, a shutdown), SIGHUP (its terminal gone) or
// SIGINT (Ctrl+C). Caught while an instance lives and told on the window's thread, where the
// close can run as a player's would.
class SenalesDeCierre : public QObject
{
    Q_OBJECT

public:
    explicit SenalesDeCierre(QObject *parent = nullptr);
    // The system's default handling comes back.
    ~SenalesDeCierre() override;

Q_SIGNALS:
    void pedido();

private:
    QSocketNotifier *m_aviso = nullptr;
};

} // namespace Corvala
