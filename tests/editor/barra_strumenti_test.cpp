// The toolbar states the editor's page changes leave on the main window, checked as rules over
// every page and every setting of the three flags the toolbar shows.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "editor/barra_strumenti.h"
#include "shell/stato_interfaccia.h"

namespace varnex {
namespace {

using I = Immagine;
using C = Comando;

// The pictures a command may show: each button has its own, and a picture of a disabled button is
// its grey one; labels, the zoom buttons and the scale box show none.
struct Figure {
  std::set<Immagine> abilitate, disabilitate;
};
Figure FigureDi(Comando c) {
  switch (c) {
    case C::CommandCalculate: return {{I::ImageCalc}, {I::ImageCalcDis}};
    case C::CommandCursorLocked: return {{I::ImageCurs, I::ImageCursSel}, {I::ImageBlocCursDis}};
    case C::CommandAutomaticRecalculate: return {{I::ImageCalcAuto, I::ImageCalcAutoSel}, {I::ImageCalcAutoDis}};
    case C::cmdDiamLocked: return {{I::ImgLockOpen, I::ImgLockClosed}, {I::ImageLockOpDis, I::ImageLockClsDis}};
    case C::cmdParameterElemSel: return {{I::imgParam}, {I::imgParamDis}};
    case C::SSCommandRefresh: return {{I::ImageRefresh}, {I::ImageRefreshDis}};
    default: return {{I::Nessuna}, {I::Nessuna}};
  }
}

// The commands that work on each page: the table calculates, locks and edits; the schema edits
// and zooms; the tightness test recalculates its verdict. Refresh works everywhere.
const std::set<Comando> ComandiPagina[3] = {
    {C::CommandCalculate, C::CommandCursorLocked, C::CommandAutomaticRecalculate, C::cmdDiamLocked,
     C::cmdParameterElemSel, C::SSCommandRefresh, C::SSCommandCancel},
    {C::cmdParameterElemSel, C::SSCommandRefresh, C::SSCommandCancel, C::Command6, C::Command7, C::Label6},
    {C::CommandCalculate, C::SSCommandRefresh},
};

class BarraTest : public ::testing::TestWithParam<int> {};

TEST_P(BarraTest, OnlyThePagesOwnCommandsAreEnabledAndEachShowsItsOwnPictureGreyedWhenDisabled) {
  const int pagina = GetParam();
  for (int flag = 0; flag < 8; ++flag) {
    RicalcoloAutomatico = (flag & 1) ? -1 : 0;
    CursoreBloccato = (flag & 2) ? -1 : 0;
    StatoBloccoDiametri = (flag & 4) ? -1 : 0;
    SCOPED_TRACE("page " + std::to_string(pagina) + ", flags " + std::to_string(flag));
    const StatoBarra barra = StatoBarraPagina(pagina);
    for (int i = 0; i < NumComandi; ++i) {
      const Comando c = static_cast<Comando>(i);
      const StatoComando& s = In(barra, c);
      SCOPED_TRACE("command " + std::to_string(i));
      EXPECT_EQ(s.Abilitato, ComandiPagina[pagina].count(c) == 1);
      const Figure f = FigureDi(c);
      EXPECT_EQ((s.Abilitato ? f.abilitate : f.disabilitate).count(s.Figura), 1u) << static_cast<int>(s.Figura);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Pagine, BarraTest, ::testing::Values(0, 1, 2));

// The pictures of the two-state buttons show the flag they switch: on the table page enabled, on
// the schema page greyed; the tightness page locks nothing and shows the open padlock.
TEST(Barra, TheTwoStateButtonsShowTheirFlag) {
  for (const int16_t acceso : {int16_t{-1}, int16_t{0}}) {
    RicalcoloAutomatico = CursoreBloccato = acceso;
    StatoBloccoDiametri = acceso ? 0 : -1;  // -1: the diameters are free, the padlock open
    const StatoBarra tabella = StatoBarraPagina(0), schema = StatoBarraPagina(1), tenuta = StatoBarraPagina(2);
    EXPECT_EQ(In(tabella, C::CommandAutomaticRecalculate).Figura, acceso ? I::ImageCalcAutoSel : I::ImageCalcAuto);
    EXPECT_EQ(In(tabella, C::CommandCursorLocked).Figura, acceso ? I::ImageCursSel : I::ImageCurs);
    EXPECT_EQ(In(tabella, C::cmdDiamLocked).Figura, acceso ? I::ImgLockClosed : I::ImgLockOpen);
    EXPECT_EQ(In(schema, C::cmdDiamLocked).Figura, acceso ? I::ImageLockClsDis : I::ImageLockOpDis);
    EXPECT_EQ(In(tenuta, C::cmdDiamLocked).Figura, I::ImageLockOpDis);
  }
}

}  // namespace
}  // namespace varnex
