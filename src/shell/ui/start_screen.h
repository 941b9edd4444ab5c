// The start screen "Avvio attivita'" (frmAttivita): new internal installation, new pressurised
// network, open, the four recent files, exit.
//
// The window only records the user's choice and closes; the controller (ControlloreAttivita)
// acts on it after the modal show returned and shows the screen again where a choice leads
// back to it. The window's close box and Esc do nothing: its buttons are the only ways out.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <array>
#include <cstdint>

#include "shell/ui/services.h"

namespace varnex::ui {

// The user's choice on the start screen.
enum class SceltaAttivita : int16_t {
  Nessuna,
  NuovoImpiantoGas,  // cmdNewGAS
  NuovaRetePressione,  // cmdNewMP
  Apri,                // cmdApri
  FileRecente,         // lblMRUFile(indice)
  Esci,                // cmdESCI
};

class frmAttivita : public Dialogo {
  Q_OBJECT
 public:
  explicit frmAttivita(QWidget* parent = nullptr);

  // The captions of the four recent-file labels: " 1. name.RTG" (" 1. " when empty).
  void UpdateMRU();
  void AzzeraRisposta() override;

  void cmdNewGAS_Click();
  void cmdNewMP_Click();
  void cmdApri_Click();
  void lblMRUFile_Click(int Index);
  void CmdEsci_Click();

  // The answer: what was chosen, and for a recent file the label's index 0..3.
  SceltaAttivita scelta = SceltaAttivita::Nessuna;
  int16_t indiceFile = -1;

  QPushButton* cmdNewGAS;
  QPushButton* cmdNewMP;
  QLabel* lblGas;
  QLabel* lblGasDescrizione;
  QLabel* lblMP;
  QLabel* lblMPDescrizione;
  QPushButton* cmdApri;
  std::array<QLabel*, 4> lblMRUFile{};
  QPushButton* cmdESCI;

 protected:
  void paintEvent(QPaintEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;
  bool eventFilter(QObject* oggetto, QEvent* evento) override;

 private:
  void Form_Load();
  void Scegli(SceltaAttivita s, int16_t indice = -1);
};

// The caption of recent-file label i (1..4) for the recent entry `percorso`.
QString TestoFileRecente(int i, const std::string& percorso);

// Shows the start screen modal and acts on each choice, showing it again where the choice leads
// back (open cancelled or failed, a missing recent file, a refused activity). Returns when the
// user has started working or, in tests, after the exit command.
class ControlloreAttivita {
 public:
  void Esegui();

  // The actions of the choices; true when the start screen must come back.
  bool NuovoImpiantoGas();
  bool NuovaRetePressione();
  bool Apri();
  bool FileRecente(int16_t indice);
  void Esci();
};

// The start screen as the start-up sequence and the main window's new-project command show it.
void MostraAttivita();

}  // namespace varnex::ui
