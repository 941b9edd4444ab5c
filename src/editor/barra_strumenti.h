// What the editor window asks of the main window: the toolbar's enabled states and pictures page
// by page, the gas selector, the zoom text, the activity indicator and the two menu entries that
// depend on the activity. The main window implements it; the editor calls nothing else of it.
//
// The page-state rules themselves are plain functions here, so they are checked without windows.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace varnex {

// The toolbar controls that the editor drives.
enum class Comando : int {
  CommandCalculate,
  CommandCursorLocked,
  CommandAutomaticRecalculate,
  cmdDiamLocked,
  cmdParameterElemSel,
  SSCommandRefresh,
  SSCommandCancel,
  txtScaleW,
  Command6,  // zoom "+"
  Command7,  // zoom "-"
  Label6,    // "Zoom:"
};
inline constexpr int NumComandi = 11;

// The hidden pictures of the main window that the toolbar buttons show.
enum class Immagine : int {
  Nessuna,  // the control shows no picture (labels, text, zoom buttons)
  ImageCalc,
  ImageCalcDis,
  ImageCalcAuto,
  ImageCalcAutoSel,
  ImageCalcAutoDis,
  ImageCurs,
  ImageCursSel,
  ImageBlocCursDis,
  ImgLockOpen,
  ImgLockClosed,
  ImageLockOpDis,
  ImageLockClsDis,
  imgParam,
  imgParamDis,
  ImageRefresh,
  ImageRefreshDis,
};

struct StatoComando {
  bool Abilitato = false;
  Immagine Figura = Immagine::Nessuna;
  bool operator==(const StatoComando&) const = default;
};
using StatoBarra = std::array<StatoComando, NumComandi>;

inline StatoComando& In(StatoBarra& barra, Comando c) { return barra[static_cast<size_t>(c)]; }
inline const StatoComando& In(const StatoBarra& barra, Comando c) { return barra[static_cast<size_t>(c)]; }

// The three page-state routines applied to `barra`, reading RicalcoloAutomatico, CursoreBloccato
// and StatoBloccoDiametri. Each sets every control of the table (SetToolbarTenuta ignores `e`).
void SetToolbarGrid(StatoBarra& barra, bool e);
void SetToolbarSchema(StatoBarra& barra, bool e);
void SetToolbarTenuta(StatoBarra& barra);
// The state after a change to page 0, 1 or 2: the three routines in the order the page change
// runs them.
StatoBarra StatoBarraPagina(int pagina);

// The main window as the editor window sees it.
class IFinestraPrincipale {
 public:
  virtual ~IFinestraPrincipale() = default;
  // Enabled state and picture of one toolbar control.
  virtual void ImpostaComando(Comando comando, const StatoComando& stato) = 0;
  // Only the picture of a button (the diameter lock after a click on the table).
  virtual void ImpostaFigura(Comando comando, Immagine figura) = 0;
  // The gas selector.
  virtual void InitInitialGasCombo(const std::optional<std::string>& s) = 0;
  virtual void SelectItemInGasList(const std::string& s) = 0;
  // "Tipo di Gas: " and the gas selector enabled.
  virtual void AbilitaSelettoreGas() = 0;
  // The zoom text of the toolbar (percent).
  virtual void ImpostaTestoZoom(const std::string& testo) = 0;
  // The activity indicator: hidden, or shown with the meter (internal installation) or the
  // pressure gauge (pressurised network) and its tool tip.
  virtual void NascondiIndicatore() = 0;
  virtual void MostraIndicatore(bool inPressione) = 0;
  // "Lungh. Equiv..." enabled for a pressurised network, "PDC predefinite..." for an internal one.
  virtual void MenuAttivita(bool inPressione) = 0;
  // Outer size of the main window in twips, its toolbar strip's height and whether it is minimised.
  virtual int AltezzaTwips() const = 0;
  virtual int LarghezzaTwips() const = 0;
  virtual int AltezzaBarraTwips() const = 0;
  virtual bool Minimizzata() const = 0;
};

}  // namespace varnex
