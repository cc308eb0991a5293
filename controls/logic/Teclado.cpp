#include "controls/logic/Teclado.h"

#include <QSize>

namespace Corvala::Teclado {

namespace {

// A key is 315 × 285 twips unless the picture says otherwise, with 15 twips between keys and
// between rows. The function row stands a little apart from the rest.
constexpr int kAncho = 315;
constexpr int kAlto = 285;
constexpr int kPaso = kAncho + 15;
constexpr int kFila = kAlto + 15;
constexpr int kAltoDoble = 2 * kAlto + 15;

constexpr int FilaY(int fila)
{
    return fila == 1 ? 0 : kAlto + 120 + (fila - 2) * kFila;
}

// The main block is 4785 twips wide; then the editing block and the numeric keypad.
constexpr int kBloque = 4785;
constexpr int kEdicion = kBloque + 150;
constexpr int kNumerico = kEdicion + 3 * kPaso - 15 + 150;

QVector<Tecla> Construir()
{
    QVector<Tecla> teclas(102);
    auto poner = [&teclas](int indice, const char *texto, int fila, int x, int ancho = kAncho,
                           int alto = kAlto) {
        teclas[indice] = {indice, QString::fromUtf8(texto), QRect(x, FilaY(fila), ancho, alto)};
    };
    // A run of keys of the normal size, side by side from x.
    auto seguidas
            = [&poner](std::initializer_list<std::pair<int, const char *>> lista, int fila, int x) {
                  for (const auto &[indice, texto] : lista) {
                      poner(indice, texto, fila, x);
                      x += kPaso;
                  }
              };

    // 1: Esc and the function keys in groups of four, Imp Des Pau over the editing block.
    poner(0, "Esc", 1, 0);
    seguidas({{1, "F1"}, {2, "F2"}, {3, "F3"}, {4, "F4"}}, 1, 495);
    seguidas({{5, "F5"}, {6, "F6"}, {7, "F7"}, {8, "F8"}}, 1, 1980);
    seguidas({{9, "F9"}, {10, "F10"}, {11, "F11"}, {12, "F12"}}, 1, kBloque - 4 * kPaso + 15);
    seguidas({{13, "Imp"}, {14, "Des"}, {15, "Pau"}}, 1, kEdicion);

    // 2: the digits.
    seguidas({{16, "º"},
              {17, "1"},
              {18, "2"},
              {19, "3"},
              {20, "4"},
              {21, "5"},
              {22, "6"},
              {23, "7"},
              {24, "8"},
              {25, "9"},
              {26, "0"},
              {27, "'"},
              {101, "¡"}},
             2, 0);
    poner(28, "Borr", 2, kBloque - 495, 495);
    seguidas({{76, "Ins"}, {75, "Ini"}, {74, "Re"}}, 2, kEdicion);
    seguidas({{84, "Nu"}, {85, "/"}, {86, "*"}, {87, "-"}}, 2, kNumerico);

    // 3: Tab, Q to +, and the Enter key reaching down into row 4.
    poner(29, "Tab", 3, 0, 405);
    seguidas({{30, "Q"},
              {31, "W"},
              {32, "E"},
              {33, "R"},
              {34, "T"},
              {35, "Y"},
              {36, "U"},
              {37, "I"},
              {38, "O"},
              {39, "P"},
              {40, "`"},
              {41, "+"}},
             3, 420);
    poner(68, "Int", 3, kBloque - kAncho, kAncho, kAltoDoble);
    seguidas({{79, "Sup"}, {78, "Fin"}, {77, "Av"}}, 3, kEdicion);
    seguidas({{88, "7"}, {89, "8"}, {90, "9"}}, 3, kNumerico);
    poner(99, "+", 3, kNumerico + 3 * kPaso, kAncho, kAltoDoble);

    // 4: caps lock, A to Ç.
    poner(42, "B.May", 4, 0, 495);
    seguidas({{43, "A"},
              {44, "S"},
              {45, "D"},
              {46, "F"},
              {47, "G"},
              {48, "H"},
              {49, "J"},
              {50, "K"},
              {51, "L"},
              {52, "Ñ"},
              {53, "´"},
              {54, "Ç"}},
             4, 510);
    seguidas({{91, "4"}, {92, "5"}, {93, "6"}}, 4, kNumerico);

    // 5: the shift keys, < to -, the up arrow.
    poner(55, "May", 5, 0, 330);
    seguidas({{56, "<"},
              {57, "Z"},
              {58, "X"},
              {59, "C"},
              {60, "V"},
              {61, "B"},
              {62, "N"},
              {63, "M"},
              {64, ","},
              {65, "."},
              {66, "-"}},
             5, 345);
    poner(67, "May", 5, kBloque - 810, 810);
    poner(80, "Ar", 5, kEdicion + kPaso);
    seguidas({{94, "1"}, {95, "2"}, {96, "3"}}, 5, kNumerico);
    poner(100, "Int", 5, kNumerico + 3 * kPaso, kAncho, kAltoDoble);

    // 6: the space bar between Ctrl and Alt on each side, the arrows, the keypad's 0 and dot.
    poner(69, "Ctrl", 6, 0, 495);
    poner(70, "Alt", 6, 840, 495);
    poner(71, "Espacio", 6, 1350, 1995);
    poner(72, "Alt Gr", 6, 3360, 495);
    poner(73, "Ctrl", 6, kBloque - 495, 495);
    seguidas({{81, "Iz"}, {82, "Ab"}, {83, "De"}}, 6, kEdicion);
    poner(97, "0", 6, kNumerico, 2 * kAncho + 15);
    poner(98, ".", 6, kNumerico + 2 * kPaso);
    return teclas;
}

} // namespace

const QVector<Tecla> &Teclas()
{
    static const QVector<Tecla> teclas = Construir();
    return teclas;
}

QSize Tamano()
{
    return {kNumerico + 4 * kPaso - 15, FilaY(6) + kAlto};
}

bool Deshabilitada(int k)
{
    return k <= 16 || k == 29 || k == 84;
}

} // namespace Corvala::Teclado
