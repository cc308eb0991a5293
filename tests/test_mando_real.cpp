// The game list driven by a pad the system itself sees: a gamepad made with the kernel's uinput
// (as root), read by SDL as any plugged-in pad. Where no such pad can be made (no /dev/uinput,
// or not allowed), the test says so and is skipped; SDL's own virtual pads cover the same path
// in test_lista_filtrada.

#include "frontend/windows/frmCargador.h"

#include "apoyo/MensajesDePrueba.h"
#include "apoyo/VentanaDePrueba.h"

#include <QElapsedTimer>
#include <QFile>
#include <QtTest>

#include <SDL.h>

#include <fcntl.h>
#include <linux/uinput.h>
#include <unistd.h>

#include <cstring>

using namespace Corvala;

namespace {

// A gamepad of the kernel's: a d-pad and a south button.
class MandoDelSistema
{
public:
    MandoDelSistema()
    {
        m_fd = ::open("/dev/uinput", O_WRONLY | O_NONBLOCK);
        if (m_fd < 0) {
            m_motivo = QStringLiteral("/dev/uinput: ")
                       + QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        ::ioctl(m_fd, UI_SET_EVBIT, EV_KEY);
        for (const int boton : {BTN_SOUTH, BTN_EAST, BTN_NORTH, BTN_WEST, BTN_DPAD_UP,
                                BTN_DPAD_DOWN, BTN_START, BTN_SELECT})
            ::ioctl(m_fd, UI_SET_KEYBIT, boton);
        uinput_setup datos{};
        datos.id.bustype = BUS_USB;
        datos.id.vendor = 0x045e; // a common pad's numbers, so that SDL knows its buttons
        datos.id.product = 0x028e;
        std::strncpy(datos.name, "Mando de Corvala", UINPUT_MAX_NAME_SIZE - 1);
        if (::ioctl(m_fd, UI_DEV_SETUP, &datos) != 0 || ::ioctl(m_fd, UI_DEV_CREATE) != 0) {
            m_motivo = QStringLiteral("uinput: ") + QString::fromLocal8Bit(std::strerror(errno));
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~MandoDelSistema()
    {
        if (m_fd >= 0) {
            ::ioctl(m_fd, UI_DEV_DESTROY);
            ::close(m_fd);
        }
    }
    bool Hecho() const { return m_fd >= 0; }
    const QString &Motivo() const { return m_motivo; }

    void Pulsar(int boton)
    {
        for (const int valor : {1, 0}) {
            Enviar(EV_KEY, boton, valor);
            Enviar(EV_SYN, SYN_REPORT, 0);
            QTest::qWait(120);
        }
    }

private:
    void Enviar(int tipo, int codigo, int valor)
    {
        input_event evento{};
        evento.type = quint16(tipo);
        evento.code = quint16(codigo);
        evento.value = valor;
        if (::write(m_fd, &evento, sizeof evento) != sizeof evento)
            qWarning("uinput: the event was not written");
    }

    int m_fd = -1;
    QString m_motivo;
};

} // namespace

class TestMandoReal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void laListaConUnMandoDelSistema()
    {
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
            QSKIP("SDL cannot start its support of pads here");
        struct FinDeSdl
        {
            ~FinDeSdl() { SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER); }
        } fin;
        const int antes = SDL_NumJoysticks();
        MandoDelSistema mando;
        if (!mando.Hecho())
            QSKIP(qPrintable(QStringLiteral("no gamepad of the system's can be made here (%1)")
                                     .arg(mando.Motivo())));
        // SDL finds it as any pad plugged in, when the system lets it see input devices.
        QElapsedTimer espera;
        espera.start();
        while (SDL_NumJoysticks() == antes && espera.elapsed() < 3000) {
            SDL_JoystickUpdate();
            QTest::qWait(50);
        }
        if (SDL_NumJoysticks() == antes || !SDL_IsGameController(SDL_NumJoysticks() - 1))
            QSKIP("SDL does not see the system's new pad as a gamepad here");
        MensajesDePrueba mensajes;
        Ventana v;
        v.ventana.Form_Load();
        v.ventana.show();
        QVERIFY(QTest::qWaitForWindowActive(&v.ventana));
        // The d-pad moves the choice down and the south button starts that game.
        QTest::qWait(100);
        v.ventana.Juegos().ElegirFila(0);
        mando.Pulsar(BTN_DPAD_DOWN);
        QTRY_COMPARE(v.ventana.Juegos().FilaElegida(), 1);
        v.carpeta.OlvidarLlamadas();
        mando.Pulsar(BTN_SOUTH);
        QTRY_VERIFY(!v.carpeta.Llamadas().isEmpty());
    }
};

QTEST_MAIN(TestMandoReal)
#include "test_mando_real.moc"
