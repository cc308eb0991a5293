#pragma once

#include "rommanager/logic/Busqueda.h"
#include "rommanager/logic/Compatibilidad.h"

#include <QDialog>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QStringListModel>

#include <functional>

namespace Corvala {

class BotonEtiqueta;
struct Sesion;

// The ROM manager: the archives of the roms folder beside the titles of every game the
// emulator supports, with the reports on either, the search for a game an unknown archive
// can serve, the comparison of an archive with a game, and the renaming of an archive to the
// name the emulator expects. It has no system frame and closes only with "Salir".
class frmGestionar : public QDialog
{
    Q_OBJECT

public:
    explicit frmGestionar(Sesion &sesion, QWidget *parent = nullptr,
                          int limiteMs = Compatibilidad::kLimitePorDefecto);

    static QSize TamanoDeDiseno();

    // Gives back the name of an archive a killed Corvala left misnamed, then fills both lists.
    void Form_Load();

    // Has the emulator rebuild lista.txt, then lists the roms folder and every title. On a
    // CD-ROM without Corvala's files it shows why and ends the program (see Terminado).
    void CargarDatos();

    bool Terminado() const { return m_terminado; }
    bool Ocupado() const { return m_ocupado; }
    bool Buscando() const { return m_busqueda.Buscando(); }

    // The selected archive ("" when none) and the selected title (none: empty).
    QString ArchivoElegido() const;
    bool HayJuegoElegido() const;
    QString JuegoElegido() const;
    // The archive name of the selected title, looked up when a command needs it (the label
    // that shows it is not read back); empty when no title is selected.
    QString ArchivoDelJuegoElegido() const;

Q_SIGNALS:
    void programaTerminado();

public Q_SLOTS:
    void ROMs_Click();
    void lstJuegos_Click();
    void lblSalir_Click();
    void lblContiene_Click();
    void lblArchivosJuego_Click();
    void lblBuscar_Click();
    void lblCancelar_Click();
    void lblCompara_Click();
    void lblActualizar_Click();
    void lblColeccion_Click();

protected:
    void paintEvent(QPaintEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;
    void reject() override;

private:
    void CrearControles();
    void CrearPanel();
    void RefrescarROMs();
    // A report's command: unless busy, and when its entry is chosen, writes the report and
    // opens it in the player's text viewer, or says why there is none.
    void Informar(bool elegido, const std::function<bool()> &escribir);
    void BuscarCompatible();
    // Chooses the first line of the title list with this title, scrolled into view.
    void ElegirTitulo(const QString &titulo);
    // The compatibility test, with the catalogue in use now.
    Compatibilidad &Prueba();
    // An archive whose name on disk is not UTF-8 cannot be acted on: says so.
    bool ArchivoIlegible(const QString &archivo) const;

    // The window's controls; each carries its name as its object name.
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label5;
    QListView *ROMs;
    QListView *lstJuegos;
    BotonEtiqueta *lblContiene;
    QLabel *lblTitulo;
    BotonEtiqueta *lblArchivosJuego;
    QLabel *lblArchivo;
    BotonEtiqueta *lblBuscar;
    BotonEtiqueta *lblCompara;
    BotonEtiqueta *lblActualizar;
    // Beyond the window's layout: the collection's report.
    BotonEtiqueta *lblColeccion;
    BotonEtiqueta *lblSalir;
    QWidget *Estado;
    QLabel *Label4;
    QLabel *lblTotal;
    QLabel *Label7;
    QLabel *lblActual;
    QLabel *Label9;
    QProgressBar *progreso;
    BotonEtiqueta *lblCancelar;

    Sesion &m_sesion;
    Compatibilidad m_prueba;
    Busqueda m_busqueda;
    QStringListModel m_archivos;
    QStringListModel m_titulos;
    bool m_ocupado = false;
    bool m_saliendo = false;
    bool m_terminado = false;
};

} // namespace Corvala
