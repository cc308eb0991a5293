#include "infowindows/logic/NotasDeVersion.h"

#include "infowindows/logic/DatosDeCorvala.h"

namespace Corvala {

namespace {

// Broken by hand at about sixty characters, as the notes have always been.
const char kNotas[] = R"(                Corvala! versión %1

Corvala! es un cargador de juegos para M.A.M.E, el emulador
de máquinas recreativas. Fue creado para la versión 0.70b
del M.A.M.E bajo MS-DOS y funciona con las versiones que
vinieron después; con versiones más antiguas también puede
funcionar, pero sin acceso a la configuración de los
controles.

Con Corvala! ya no hace falta escribir órdenes: los juegos
se cargan con un doble clic desde una ventana, donde cada
ROM aparece con el nombre de su juego y con su imagen. Basta
con copiar el Corvala! en la carpeta del M.A.M.E, junto al
emulador y a su carpeta de ROMs, y abrirlo desde allí.

Cambios en la versión %1
- Corvala! funciona en Linux con el M.A.M.E de hoy (probado
  con la versión 0.251) y se instala como cualquier otro
  programa, con su entrada en el menú del escritorio.
- Catálogo de los juegos del emulador: el año, el fabricante,
  el juego original de cada clon y si el juego funciona bien.
- Búsqueda en la lista: basta con escribir parte del nombre
  del juego o del archivo, con acentos o sin ellos.
- Filtros para ocultar clones, BIOS y dispositivos, o para
  ver sólo los juegos que funcionan o los favoritos; una
  franja bajo la lista dice qué ocultan y los quita.
- Juegos favoritos y jugados recientemente, con las veces
  que se ha jugado a cada uno.
- Las ROMs desconocidas se reconocen por los archivos que
  contienen: se dice a qué juego parecen pertenecer.
- Los nombres largos se acortan por el centro, así se ven
  el principio y el final.
- Los botones se pueden usar también con el teclado.
- Se sabe qué juegos se pueden jugar: sus archivos se
  comprueban como lo hace el M.A.M.E, los que no se pueden
  jugar se ven en gris y dicen qué les falta, y un filtro
  deja ver sólo los que se pueden jugar.
- Los clones que están dentro del archivo de su juego
  original aparecen en la lista con su propio nombre.
- Informe de la colección en el gestor de ROMs: cuántos
  juegos se pueden jugar y qué archivos faltan.
- En la configuración de los controles una tecla se elige
  también pulsándola en el teclado, sea cual sea su
  distribución, y ninguna tecla hace dos cosas: si el
  M.A.M.E. ya la usa por defecto para otro control, se
  pregunta antes de quitársela.
- "Usar Joystick" funciona: se pulsa un botón del mando, o
  se mueve su cruceta o su palanca, y queda asignado al
  control junto a su tecla.
- La lista se recorre también con el mando: la cruceta o la
  palanca mueven, los gatillos pasan página, un botón carga
  el juego y otro cierra la búsqueda o un aviso.

Cambios en la versión 0.21b
- Los juegos se pueden cargar también con la tecla Intro.
- Mientras el M.A.M.E está activo no se puede cerrar el
  Corvala!, así no se pierden las teclas de cada juego.
- Si no se puede apartar el archivo de configuración de un
  juego se avisa y el juego no se carga.
- El archivo de configuración que quedó apartado en una
  carga fallida se recupera en la siguiente carga.
- Corregido: al cerrar se devuelve el archivo default.cfg
  a la carpeta cfg del M.A.M.E.
- Nueva ventana de historial con estas notas.
- El log del juego recoge también los errores que escribe el
  M.A.M.E, para saber por qué una ROM no ha cargado.
- Las versiones nuevas del M.A.M.E (0.100 y siguientes) se
  reconocen bien y pueden usar las teclas definidas.
- Los nombres de ROM con espacios, comillas u otros signos
  se cargan igual que los demás.
- Mientras se juega se puede mover la ventana y recorrer la
  lista, aunque las opciones esperan a que acabe el juego.

Cambios en la versión 0.21a
- Nuevo gestor de ROMs: busca el juego que puede cargar una
  ROM desconocida y le pone el nombre que espera el M.A.M.E.
- Informes de las ROMs con todo lo que el M.A.M.E sabe de
  cada archivo, para ver qué le falta a una ROM.
- La búsqueda se puede cancelar en cualquier momento y
  muestra cuántas ROMs lleva comprobadas.
- Se puede comparar una ROM con un solo juego sin tener que
  buscar entre todos los que acepta el M.A.M.E.
- Una ROM nunca se queda con un nombre que no es el suyo,
  aunque se cancele la búsqueda a medias.
- Corregido: las ROMs con nombres largos ya no se cortan en
  la lista de juegos.
- Antes de cambiar el nombre de una ROM se comprueba que no
  exista ya otro archivo con ese nombre.
- Al cerrar el gestor se vuelve a cargar la lista de juegos
  con los nombres nuevos.

Cambios en la versión 0.20d
- La imagen del juego seleccionado se muestra debajo de las
  opciones; con un clic se ve en su tamaño original.
- Se aceptan imágenes GIF, JPG, TIF, PNG y BMP de la carpeta
  snaps del M.A.M.E.
- Si un juego no tiene imagen se muestra un aviso en su
  lugar.
- Al recorrer la lista con las flechas del teclado la imagen
  cambia con cada juego sin que la ventana se detenga.
- La ventana de la imagen grande toma el tamaño exacto de la
  imagen y se abre en el centro de la principal.
- Corregido: la lista no se quedaba vacía cuando la carpeta
  de ROMs tenía archivos en mayúsculas.
- Las imágenes dañadas o demasiado grandes ya no bloquean la
  ventana: simplemente no se muestran.

Cambios en la versión 0.20c
- Nueva ventana para configurar los controles de cuatro
  jugadores sobre un dibujo del teclado.
- Una tecla no se puede asignar a dos controles a la vez;
  se avisa de que ya está en uso.
- La casilla "Utilizar teclas definidas" permite jugar con
  las teclas propias o con las del M.A.M.E.
- Las teclas que no sirven para jugar aparecen apagadas en
  el dibujo del teclado y no se pueden elegir.
- Las teclas se guardan en la carpeta ctrlr del M.A.M.E.
  Mientras se usan, el mame.ini señala las teclas del
  Corvala! y la configuración de teclas del emulador
  (cfg/default.cfg) se aparta; todo vuelve a su sitio al
  quitar la marca de la casilla o al cerrar el Corvala!
- Al quitar la marca de la casilla el M.A.M.E vuelve a usar
  su propia configuración de teclas.
- "Dejar la tecla por defecto de M.A.M.E" deja un control
  con la tecla que trae el M.A.M.E de fábrica.

Cambios en la versión 0.20b
- La lista de juegos se guarda y ya no hay que esperar al
  M.A.M.E cada vez que se abre el Corvala!
- Botón para actualizar la lista cuando se instala un M.A.M.E
  nuevo, con una cuenta atrás mientras se prepara.
- Las ROMs que el M.A.M.E no reconoce aparecen al final de
  la lista para poder encontrarlas.
- Se puede ver el log del último juego cargado para saber
  por qué no ha arrancado.
- Corvala! funciona también desde un CD, sin modificar nada.
- Si ya hay un Corvala! abierto no se abre otro; se avisa
  para que lo busques.
- Se muestra la versión del M.A.M.E instalado al arrancar.
- La lista se ordena por el nombre del juego y no por el del
  archivo, que muchas veces no dice nada.
- Si no se encuentra el M.A.M.E en la carpeta se avisa y el
  Corvala! se cierra sin tocar ningún archivo.

Cambios para la versión 0.10
- Al ser la primera versión no ha cambiado nada.
)";

} // namespace

QString NotasDeVersion()
{
    QString notas = QString::fromUtf8(kNotas).arg(DatosDeCorvala::Version());
    notas.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return notas;
}

} // namespace Corvala
