#include "editor/barra_strumenti.h"

#include "shell/stato_interfaccia.h"

namespace varnex {

void SetToolbarGrid(StatoBarra& barra, bool e) {
  In(barra, Comando::CommandCalculate) = {e, Immagine::ImageCalc};
  In(barra, Comando::CommandCursorLocked) = {e, CursoreBloccato ? Immagine::ImageCursSel : Immagine::ImageCurs};
  In(barra, Comando::CommandAutomaticRecalculate) = {
      e, RicalcoloAutomatico ? Immagine::ImageCalcAutoSel : Immagine::ImageCalcAuto};
  In(barra, Comando::cmdDiamLocked) = {e, StatoBloccoDiametri ? Immagine::ImgLockOpen : Immagine::ImgLockClosed};
  In(barra, Comando::cmdParameterElemSel) = {e, Immagine::imgParam};
  In(barra, Comando::SSCommandRefresh) = {true, Immagine::ImageRefresh};
  In(barra, Comando::SSCommandCancel) = {e, Immagine::Nessuna};
  In(barra, Comando::txtScaleW) = {false, Immagine::Nessuna};
  In(barra, Comando::Command6) = {false, Immagine::Nessuna};
  In(barra, Comando::Command7) = {false, Immagine::Nessuna};
  In(barra, Comando::Label6) = {false, Immagine::Nessuna};
}

void SetToolbarSchema(StatoBarra& barra, bool e) {
  In(barra, Comando::CommandCalculate) = {false, Immagine::ImageCalcDis};
  In(barra, Comando::CommandCursorLocked) = {false, Immagine::ImageBlocCursDis};
  In(barra, Comando::CommandAutomaticRecalculate) = {false, Immagine::ImageCalcAutoDis};
  In(barra, Comando::cmdDiamLocked) = {false,
                                       StatoBloccoDiametri ? Immagine::ImageLockOpDis : Immagine::ImageLockClsDis};
  In(barra, Comando::cmdParameterElemSel) = {e, Immagine::imgParam};
  In(barra, Comando::SSCommandRefresh) = {e, Immagine::ImageRefresh};
  In(barra, Comando::SSCommandCancel) = {e, Immagine::Nessuna};
  In(barra, Comando::txtScaleW) = {false, Immagine::Nessuna};
  In(barra, Comando::Command6) = {e, Immagine::Nessuna};
  In(barra, Comando::Command7) = {e, Immagine::Nessuna};
  In(barra, Comando::Label6) = {e, Immagine::Nessuna};
}

void SetToolbarTenuta(StatoBarra& barra) {
  In(barra, Comando::CommandCalculate) = {true, Immagine::ImageCalc};
  In(barra, Comando::CommandCursorLocked) = {false, Immagine::ImageBlocCursDis};
  In(barra, Comando::CommandAutomaticRecalculate) = {false, Immagine::ImageCalcAutoDis};
  In(barra, Comando::cmdDiamLocked) = {false, Immagine::ImageLockOpDis};
  In(barra, Comando::cmdParameterElemSel) = {false, Immagine::imgParamDis};
  In(barra, Comando::SSCommandRefresh) = {true, Immagine::ImageRefresh};
  In(barra, Comando::SSCommandCancel) = {false, Immagine::Nessuna};
  In(barra, Comando::txtScaleW) = {false, Immagine::Nessuna};
  In(barra, Comando::Command6) = {false, Immagine::Nessuna};
  In(barra, Comando::Command7) = {false, Immagine::Nessuna};
  In(barra, Comando::Label6) = {false, Immagine::Nessuna};
}

StatoBarra StatoBarraPagina(int pagina) {
  StatoBarra barra{};
  switch (pagina) {
    case 0:
      SetToolbarSchema(barra, false);
      SetToolbarTenuta(barra);
      SetToolbarGrid(barra, true);
      break;
    case 1:
      SetToolbarGrid(barra, false);
      SetToolbarTenuta(barra);
      SetToolbarSchema(barra, true);
      break;
    default:
      SetToolbarGrid(barra, false);
      SetToolbarSchema(barra, false);
      SetToolbarTenuta(barra);
      break;
  }
  return barra;
}

}  // namespace varnex
