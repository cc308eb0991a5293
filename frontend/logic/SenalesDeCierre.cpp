#include "frontend/logic/SenalesDeCierre.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace Corvala {

namespace {

// A signal handler may do next to nothing: it writes a byte down a socket that the event loop
// watches.
int g_tubo[2] = {-1, -1};
constexpr int kSenales[] = {SIGTERM, SIGHUP, SIGINT};

void AlRecibir(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t escrito = ::write(g_tubo[0], &byte, 1);
}

} // namespace

SenalesDeCierre::SenalesDeCierre(QObject *parent)
    : QObject(parent)
{
    if (g_tubo[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_tubo) != 0)
        return;
    m_aviso = new QSocketNotifier(g_tubo[1], QSocketNotifier::Read, this);
    connect(m_aviso, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t leido = ::read(g_tubo[1], &byte, 1);
        Q_EMIT pedido();
    });
    struct sigaction accion = {};
    accion.sa_handler = AlRecibir;
    sigemptyset(&accion.sa_mask);
    accion.sa_flags = SA_RESTART;
    for (const int senal : kSenales)
        ::sigaction(senal, &accion, nullptr);
}

SenalesDeCierre::~SenalesDeCierre()
{
    if (!m_aviso)
        return;
    for (const int senal : kSenales)
        std::signal(senal, SIG_DFL);
    delete m_aviso;
    ::close(g_tubo[0]);
    ::close(g_tubo[1]);
    g_tubo[0] = g_tubo[1] = -1;
}

} // namespace Corvala
