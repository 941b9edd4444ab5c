// The one translation of a Qt key event into the program's key codes, which every table, box and
// selector reads.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include "shell/ui/tasti.h"

namespace varnex::ui {
namespace {

struct CasoTasto {
  const char* nome;
  int tasto;
  const char* testo;  // what the keyboard types, UTF-8
  int16_t codice;
  int16_t freccia;
  std::string carattere;
};

TEST(Tasti, EveryKeyMeansOneThing) {
  const CasoTasto casi[] = {
      {"Invio", Qt::Key_Return, "\r", 13, 0, "\r"},
      {"Invio del tastierino", Qt::Key_Enter, "\r", 13, 0, "\r"},
      {"Esc", Qt::Key_Escape, "\x1b", 27, 0, ""},
      {"Backspace", Qt::Key_Backspace, "\b", 8, 0, "\b"},
      {"Sinistra", Qt::Key_Left, "", 0, 37, ""},
      {"Su", Qt::Key_Up, "", 0, 38, ""},
      {"Destra", Qt::Key_Right, "", 0, 39, ""},
      {"Giu", Qt::Key_Down, "", 0, 40, ""},
      {"Cifra", Qt::Key_7, "7", '7', 0, "7"},
      {"Virgola", Qt::Key_Comma, ",", ',', 0, ","},
      {"Lettera accentata", Qt::Key_Egrave, "\xC3\xA8", 0xE8, 0, "\xC3\xA8"},
      {"Oltre Latin-1", Qt::Key_unknown, "\xE2\x82\xAC", 255, 0, "\xE2\x82\xAC"},
      {"Canc", Qt::Key_Delete, "\x7f", 0, 0, ""},
      {"Tab", Qt::Key_Tab, "\t", 0, 0, ""},
      {"F9", Qt::Key_F9, "", 0, 0, ""},
  };
  for (const CasoTasto& c : casi) {
    const QKeyEvent k(QEvent::KeyPress, c.tasto, Qt::NoModifier, QString::fromUtf8(c.testo));
    EXPECT_EQ(CodiceTasto(k), c.codice) << c.nome;
    EXPECT_EQ(CodiceFreccia(k), c.freccia) << c.nome;
    EXPECT_EQ(CarattereTasto(k), c.carattere) << c.nome;
  }
}

}  // namespace
}  // namespace varnex::ui
