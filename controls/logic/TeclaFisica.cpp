#include "controls/logic/TeclaFisica.h"

#include "controls/logic/Teclado.h"
#include "input/logic/TablaTeclas.h"

#include <array>
#include <utility>

namespace Corvala::TeclaFisica {

namespace {

// The kernel's key numbers (linux/input-event-codes.h) and the emulator's names of those keys.
constexpr std::pair<int, const char *> kTeclas[] = {
        {1, "ESC"},        {2, "1"},          {3, "2"},           {4, "3"},
        {5, "4"},          {6, "5"},          {7, "6"},           {8, "7"},
        {9, "8"},          {10, "9"},         {11, "0"},          {12, "MINUS"},
        {13, "EQUALS"},    {14, "BACKSPACE"}, {15, "TAB"},        {16, "Q"},
        {17, "W"},         {18, "E"},         {19, "R"},          {20, "T"},
        {21, "Y"},         {22, "U"},         {23, "I"},          {24, "O"},
        {25, "P"},         {26, "OPENBRACE"}, {27, "CLOSEBRACE"}, {28, "ENTER"},
        {29, "LCONTROL"},  {30, "A"},         {31, "S"},          {32, "D"},
        {33, "F"},         {34, "G"},         {35, "H"},          {36, "J"},
        {37, "K"},         {38, "L"},         {39, "COLON"},      {40, "QUOTE"},
        {41, "TILDE"},     {42, "LSHIFT"},    {43, "BACKSLASH"},  {44, "Z"},
        {45, "X"},         {46, "C"},         {47, "V"},          {48, "B"},
        {49, "N"},         {50, "M"},         {51, "COMMA"},      {52, "STOP"},
        {53, "SLASH"},     {54, "RSHIFT"},    {55, "ASTERISK"},   {56, "LALT"},
        {57, "SPACE"},     {58, "CAPSLOCK"},  {59, "F1"},         {60, "F2"},
        {61, "F3"},        {62, "F4"},        {63, "F5"},         {64, "F6"},
        {65, "F7"},        {66, "F8"},        {67, "F9"},         {68, "F10"},
        {69, "NUMLOCK"},   {70, "SCRLOCK"},   {71, "7_PAD"},      {72, "8_PAD"},
        {73, "9_PAD"},     {74, "MINUS_PAD"}, {75, "4_PAD"},      {76, "5_PAD"},
        {77, "6_PAD"},     {78, "PLUS_PAD"},  {79, "1_PAD"},      {80, "2_PAD"},
        {81, "3_PAD"},     {82, "0_PAD"},     {83, "DEL_PAD"},    {86, "BACKSLASH2"},
        {87, "F11"},       {88, "F12"},       {96, "ENTER_PAD"},  {97, "RCONTROL"},
        {98, "SLASH_PAD"}, {99, "PRTSCR"},    {100, "RALT"},      {102, "HOME"},
        {103, "UP"},       {104, "PGUP"},     {105, "LEFT"},      {106, "RIGHT"},
        {107, "END"},      {108, "DOWN"},     {109, "PGDN"},      {110, "INSERT"},
        {111, "DEL"},      {119, "PAUSE"},    {125, "LWIN"},      {126, "RWIN"},
        {127, "MENU"},
};

} // namespace

QString Codigo(quint32 codigoNativo)
{
    // X and Wayland number keys from 8 up: the kernel's number plus 8.
    const int numero = int(codigoNativo) - 8;
    for (const auto &[tecla, nombre] : kTeclas) {
        if (tecla == numero)
            return QStringLiteral("KEYCODE_") + QLatin1String(nombre);
    }
    return {};
}

int Etiqueta(quint32 codigoNativo, const TablaTeclas &tabla)
{
    const QString codigo = Codigo(codigoNativo);
    const int k = codigo.isEmpty() ? -1 : tabla.TeclaDeCodigo(codigo);
    return k > 0 && !Teclado::Deshabilitada(k) ? k : -1;
}

} // namespace Corvala::TeclaFisica
