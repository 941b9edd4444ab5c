// The toolbar states the editor's page changes leave on the main window.
#include <gtest/gtest.h>

#include "editor/barra_strumenti.h"
#include "shell/stato_interfaccia.h"

namespace varnex {
namespace {

struct Atteso {
  Comando comando;
  bool abilitato;
  Immagine figura;
};

class BarraTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RicalcoloAutomatico = -1;
    CursoreBloccato = 0;
    StatoBloccoDiametri = -1;
  }
  static void Verifica(const StatoBarra& b, const std::vector<Atteso>& attesi) {
    for (const Atteso& a : attesi) {
      EXPECT_EQ(In(b, a.comando).Abilitato, a.abilitato) << static_cast<int>(a.comando);
      if (a.figura != Immagine::Nessuna) {
        EXPECT_EQ(In(b, a.comando).Figura, a.figura) << static_cast<int>(a.comando);
      }
    }
  }
};

TEST_F(BarraTest, TablePage) {
  Verifica(StatoBarraPagina(0), {
                                    {Comando::CommandCalculate, true, Immagine::ImageCalc},
                                    {Comando::CommandCursorLocked, true, Immagine::ImageCurs},
                                    {Comando::CommandAutomaticRecalculate, true, Immagine::ImageCalcAutoSel},
                                    {Comando::cmdDiamLocked, true, Immagine::ImgLockOpen},
                                    {Comando::cmdParameterElemSel, true, Immagine::imgParam},
                                    {Comando::SSCommandRefresh, true, Immagine::ImageRefresh},
                                    {Comando::SSCommandCancel, true, Immagine::Nessuna},
                                    {Comando::txtScaleW, false, Immagine::Nessuna},
                                    {Comando::Command6, false, Immagine::Nessuna},
                                    {Comando::Command7, false, Immagine::Nessuna},
                                    {Comando::Label6, false, Immagine::Nessuna},
                                });
}

TEST_F(BarraTest, TablePageShowsTheFlags) {
  RicalcoloAutomatico = 0;
  CursoreBloccato = -1;
  StatoBloccoDiametri = 0;
  Verifica(StatoBarraPagina(0), {
                                    {Comando::CommandCursorLocked, true, Immagine::ImageCursSel},
                                    {Comando::CommandAutomaticRecalculate, true, Immagine::ImageCalcAuto},
                                    {Comando::cmdDiamLocked, true, Immagine::ImgLockClosed},
                                });
}

TEST_F(BarraTest, SchemaPage) {
  Verifica(StatoBarraPagina(1), {
                                    {Comando::CommandCalculate, false, Immagine::ImageCalcDis},
                                    {Comando::CommandCursorLocked, false, Immagine::ImageBlocCursDis},
                                    {Comando::CommandAutomaticRecalculate, false, Immagine::ImageCalcAutoDis},
                                    {Comando::cmdDiamLocked, false, Immagine::ImageLockOpDis},
                                    {Comando::cmdParameterElemSel, true, Immagine::imgParam},
                                    {Comando::SSCommandRefresh, true, Immagine::ImageRefresh},
                                    {Comando::SSCommandCancel, true, Immagine::Nessuna},
                                    {Comando::txtScaleW, false, Immagine::Nessuna},
                                    {Comando::Command6, true, Immagine::Nessuna},
                                    {Comando::Command7, true, Immagine::Nessuna},
                                    {Comando::Label6, true, Immagine::Nessuna},
                                });
  StatoBloccoDiametri = 0;
  EXPECT_EQ(In(StatoBarraPagina(1), Comando::cmdDiamLocked).Figura, Immagine::ImageLockClsDis);
}

TEST_F(BarraTest, TightnessPage) {
  StatoBloccoDiametri = 0;  // the tightness page always shows the open padlock, disabled
  Verifica(StatoBarraPagina(2), {
                                    {Comando::CommandCalculate, true, Immagine::ImageCalc},
                                    {Comando::CommandCursorLocked, false, Immagine::ImageBlocCursDis},
                                    {Comando::CommandAutomaticRecalculate, false, Immagine::ImageCalcAutoDis},
                                    {Comando::cmdDiamLocked, false, Immagine::ImageLockOpDis},
                                    {Comando::cmdParameterElemSel, false, Immagine::imgParamDis},
                                    {Comando::SSCommandRefresh, true, Immagine::ImageRefresh},
                                    {Comando::SSCommandCancel, false, Immagine::Nessuna},
                                    {Comando::txtScaleW, false, Immagine::Nessuna},
                                    {Comando::Command6, false, Immagine::Nessuna},
                                    {Comando::Label6, false, Immagine::Nessuna},
                                });
}

}  // namespace
}  // namespace varnex
